// Environment variables where the C library has setenv: Linux and the
// browser's (Emscripten's) alike.
#include <cstdlib>

#include "process.h"

void set_environment(const char* name, const char* value) {
    if (value != nullptr) {
        setenv(name, value, 1);
    } else {
        unsetenv(name);
    }
}
