// The Windows process: SDL's entry shim already sends standard output and
// error to files beside the program, and a GUI program gets no Ctrl-C.
#include <io.h>
#include <windows.h>

#include <array>
#include <cstdio>
#include <cstdlib>

#include "messages.h"
#include "process.h"

void prepare_process() {}

void name_program_from_system() {
    std::array<char, MAX_PATH + 1> path{};
    const DWORD length = GetModuleFileNameA(nullptr, path.data(), MAX_PATH);
    if (length > 0 && length < MAX_PATH) name_program(path.data());
}

bool is_terminal(std::FILE* stream) { return _isatty(_fileno(stream)) != 0; }

// A console program started with a stream closed has no handle behind it.
bool closed_at_start(std::FILE* stream) { return _fileno(stream) < 0; }

void set_environment(const char* name, const char* value) {
    // An empty value removes the variable.
    _putenv_s(name, value != nullptr ? value : "");
}
