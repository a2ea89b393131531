#include <array>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "messages.h"
#include "process.h"

const char* program_name = "domino-paths";

namespace {

// The length of the UTF-8 character that starts at `text` when it is one a
// terminal shows as it is; 0 for a control character (C0, DEL, or C1,
// which a UTF-8 terminal takes from C2 80 ... C2 9F) and for any byte that
// starts no valid character (a lone C1 byte 80 ... 9F among them).
int shown_length(const unsigned char* text) {
    const unsigned char lead = text[0];
    if (lead < 0x80) return lead < 0x20 || lead == 0x7F ? 0 : 1;
    const int length = lead >= 0xC2 && lead <= 0xDF   ? 2
                       : lead >= 0xE0 && lead <= 0xEF ? 3
                       : lead >= 0xF0 && lead <= 0xF4 ? 4
                                                      : 0;
    for (int i = 1; i < length; ++i) {
        if ((text[i] & 0xC0) != 0x80) return 0;
    }
    // Overlong or surrogate forms, and code points past U+10FFFF.
    if ((lead == 0xE0 && text[1] < 0xA0) || (lead == 0xED && text[1] > 0x9F) ||
        (lead == 0xF0 && text[1] < 0x90) || (lead == 0xF4 && text[1] > 0x8F)) {
        return 0;
    }
    return lead == 0xC2 && text[1] <= 0x9F ? 0 : length;
}

// Writes `text` into `out` (of `size` bytes, ended by a zero) with every
// byte of a character shown_length refuses as \xNN.
void escape_into(char* out, std::size_t size, const char* text) {
    std::size_t at = 0;
    const auto* bytes = reinterpret_cast<const unsigned char*>(text);
    while (*bytes != 0 && at + 1 < size) {
        const int length = shown_length(bytes);
        if (length == 0) {
            if (at + 5 > size) break;
            std::snprintf(out + at, size - at, "\\x%02X", *bytes);
            at += 4;
            ++bytes;
            continue;
        }
        if (at + static_cast<std::size_t>(length) >= size) break;
        for (int i = 0; i < length; ++i) out[at++] = static_cast<char>(*bytes++);
    }
    out[at] = '\0';
}

std::array<char, 256> name_buffer{};

}  // namespace

void name_program(const char* argv0) {
    if (argv0 == nullptr || argv0[0] == '\0') return;
    // Windows paths may use either separator, and end in ".exe".
    const char* name = argv0;
    for (const char* at = argv0; *at != '\0'; ++at) {
        if (*at == '/' || *at == '\\') name = at + 1;
    }
    // Escaped once here: the name goes into every message and file header.
    escape_into(name_buffer.data(), name_buffer.size(), name);
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
    const auto* bytes = reinterpret_cast<const unsigned char*>(text);
    while (*bytes != 0) {
        const int length = shown_length(bytes);
        const int result = length == 0 ? std::fprintf(to, "\\x%02X", *bytes)
                                       : static_cast<int>(std::fwrite(bytes, 1, length, to)) - 1;
        bytes += length == 0 ? 1 : length;
        if (result < 0) failed = -1;
    }
    return failed;
}

namespace {
bool progress_line_open = false;
}  // namespace

void begin_progress_line() { progress_line_open = true; }

void end_progress_line() {
    if (progress_line_open) std::fputc('\n', stderr);
    progress_line_open = false;
}

namespace {
[[noreturn]] void fail_with(int status, const char* what, const char* detail) {
    end_progress_line();
    // With standard error closed, the failure goes where it can be seen.
    std::FILE* to = closed_at_start(stderr) ? stdout : stderr;
    std::fprintf(to, "%s: ", program_name);
    print_escaped(to, what);
    std::fputs(": ", to);
    print_escaped(to, detail);
    std::fputc('\n', to);
    std::exit(status);
}
}  // namespace

void fail(const char* what, const char* detail) { fail_with(1, what, detail); }

void fail_usage(const char* what, const char* detail) { fail_with(2, what, detail); }
