// What the programs say: their name, and one-line failures that cannot
// move a terminal's cursor whatever names they quote.
#pragma once

#include <cstdio>

// Name used in messages and the window title; "canvas" until named.
extern const char* program_name;
// Sets program_name from argv[0]: its last path component, less ".exe".
void name_program(const char* argv0);
// Whether two names are the same, ignoring the case of ASCII letters.
bool same_name(const char* a, const char* b);

// Prints "<program>: <what>: <detail>" on standard error and exits with 1.
// Control characters (from a folder's name, say) are printed escaped.
[[noreturn]] void fail(const char* what, const char* detail);
// The same for a request the user can mend (an option's value): status 2.
[[noreturn]] void fail_usage(const char* what, const char* detail);
// Prints `text` with each control character as \xNN, so that no name can
// move the cursor or recolour a terminal; negative when a write failed.
int print_escaped(std::FILE* to, const char* text);
