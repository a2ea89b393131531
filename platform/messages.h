// What the programs say on standard error: their name, and one-line
// failures that end the process and cannot move a terminal's cursor
// whatever names they quote. The process's own state (its name, whether a
// progress line is open) lives here, with the rest of the process.
#pragma once

#include <cstdio>

// Name used in messages and the window title; "domino-paths" until named.
extern const char* program_name;
// Sets program_name from argv[0]: its last path component, less ".exe",
// escaped as print_escaped escapes.
void name_program(const char* argv0);
// Whether two names are the same, ignoring the case of ASCII letters.
bool same_name(const char* a, const char* b);

// Marks standard error's last line as one that is rewritten in place (a
// progress line on a terminal), and ends it: a failure that comes while it
// is open starts on a line of its own.
void begin_progress_line();
void end_progress_line();

// Prints "<program>: <what>: <detail>" on standard error and exits with 1.
// Control characters (from a folder's name, say) are printed escaped.
[[noreturn]] void fail(const char* what, const char* detail);
// The same for a request the user can mend (an option's value): status 2.
[[noreturn]] void fail_usage(const char* what, const char* detail);
// Prints `text` with each control character (C0, DEL, and C1, raw or as
// UTF-8) and each byte of no valid UTF-8 character as \xNN, so that no name
// can move the cursor or recolour a terminal; negative when a write failed.
int print_escaped(std::FILE* to, const char* text);
