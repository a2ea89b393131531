// The process around the programs: standard streams, stop signals, the
// program's name, the environment and terminals. One file a platform
// (process_posix.cpp, process_windows.cpp, process_web.cpp).
#pragma once

#include <cstdio>

// Called first by every entry point of ours: reopens any closed standard
// stream on the null device, so that no file or display connection can take
// its number; makes SIGINT, SIGTERM and SIGHUP end the process at once,
// before and after SDL starts, unless they are already ignored or handled;
// and turns a write to a closed pipe into an EPIPE error instead of a
// SIGPIPE.
void prepare_process();
// Where SDL's own entry shim starts the program (Windows), no entry of ours
// sees its arguments: this names it from the system's record of the running
// program. Elsewhere the entry has named it, and this does nothing.
void name_program_from_system();
// Sets an environment variable, or removes it when `value` is nullptr.
void set_environment(const char* name, const char* value);
// Whether `stream` is a terminal, where progress is rewritten in place.
bool is_terminal(std::FILE* stream);
// Whether standard output or error (`stream`) was closed when the process
// started (prepare_process then opened it on the null device): what is
// written there is lost, and the programs that write there say so.
bool closed_at_start(std::FILE* stream);
