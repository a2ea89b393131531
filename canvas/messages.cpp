#include <array>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "messages.h"

const char* program_name = "canvas";

namespace {
std::array<char, 64> name_buffer{};
}

void name_program(const char* argv0) {
    if (argv0 == nullptr || argv0[0] == '\0') return;
    // Windows paths may use either separator, and end in ".exe".
    const char* name = argv0;
    for (const char* at = argv0; *at != '\0'; ++at) {
        if (*at == '/' || *at == '\\') name = at + 1;
    }
    std::snprintf(name_buffer.data(), name_buffer.size(), "%s", name);
    const std::size_t length = std::strlen(name_buffer.data());
    if (length > 4 && same_name(name_buffer.data() + length - 4, ".exe")) {
        name_buffer[length - 4] = '\0';
    }
    program_name = name_buffer.data();
}

bool same_name(const char* a, const char* b) {
    for (; *a != '\0' && *b != '\0'; ++a, ++b) {
        if (std::tolower(static_cast<unsigned char>(*a)) !=
            std::tolower(static_cast<unsigned char>(*b))) {
            return false;
        }
    }
    return *a == *b;
}

int print_escaped(std::FILE* to, const char* text) {
    int failed = 0;
    for (const char* at = text; *at != '\0'; ++at) {
        const auto byte = static_cast<unsigned char>(*at);
        const int result = byte < 0x20 || byte == 0x7F ? std::fprintf(to, "\\x%02X", byte)
                                                        : std::fputc(byte, to);
        if (result < 0) failed = -1;
    }
    return failed;
}

namespace {
[[noreturn]] void fail_with(int status, const char* what, const char* detail) {
    std::fprintf(stderr, "%s: ", program_name);
    print_escaped(stderr, what);
    std::fputs(": ", stderr);
    print_escaped(stderr, detail);
    std::fputc('\n', stderr);
    std::exit(status);
}
}  // namespace

void fail(const char* what, const char* detail) { fail_with(1, what, detail); }

void fail_usage(const char* what, const char* detail) { fail_with(2, what, detail); }
