#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "canvas.h"

const char* program_name = "canvas";

void name_program(const char* argv0) {
    if (argv0 == nullptr || argv0[0] == '\0') return;
    const char* slash = std::strrchr(argv0, '/');
    program_name = slash != nullptr ? slash + 1 : argv0;
}

void fail(const char* what, const char* detail) {
    std::fprintf(stderr, "%s: %s: %s\n", program_name, what, detail);
    std::exit(1);
}
