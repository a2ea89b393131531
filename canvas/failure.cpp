#include <cstdio>
#include <cstdlib>

#include "canvas.h"

const char* program_name = "canvas";

void fail(const char* what, const char* detail) {
    std::fprintf(stderr, "%s: %s: %s\n", program_name, what, detail);
    std::exit(1);
}
