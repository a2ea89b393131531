// What the programs need of a Windows process: SDL's entry shim already
// sends standard output and error to files beside the program, a GUI
// program gets no Ctrl-C, there is no X connection to lose or to sleep on,
// and no signal to remove an unfinished page; the
// export's file operations differ from POSIX in their names and in rename.
#include <direct.h>
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <array>
#include <cerrno>
#include <cstdio>
#include <cstdlib>

#include "messages.h"
#include "platform.h"

void prepare_process() {}

void name_program_from_system() {
    std::array<char, MAX_PATH + 1> path{};
    const DWORD length = GetModuleFileNameA(nullptr, path.data(), MAX_PATH);
    if (length > 0 && length < MAX_PATH) name_program(path.data());
}

bool is_terminal(std::FILE* stream) { return _isatty(_fileno(stream)) != 0; }

const char* window_driver(int i) {
    constexpr std::array<const char*, 2> drivers = {"windib", "directx"};
    return i >= 0 && i < static_cast<int>(drivers.size()) ? drivers[i] : nullptr;
}

void set_environment(const char* name, const char* value) {
    // An empty value removes the variable.
    _putenv_s(name, value != nullptr ? value : "");
}

void watch_the_window() {}

bool key_was_down_before_the_window(int /*key*/) { return false; }

int display_depth() { return 0; }

void check_window_system_event(const SDL_Event& /*event*/) {}

// SDL's own wait is the only one here.
bool wait_for_input(SDL_Event& event) {
    take_event_from_sdl_wait(event);
    return true;
}

int make_folder(const char* path) { return _mkdir(path) == 0 ? 0 : errno; }

const char* why_not_a_folder(const char* path) {
    const DWORD attributes = GetFileAttributesA(path);
    if (attributes == INVALID_FILE_ATTRIBUTES) return "it cannot be found";
    return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ? nullptr : "it exists and is not a folder";
}

int remove_file(const char* path) { return std::remove(path) == 0 ? 0 : errno; }

void list_folder(const char* path, void (*each)(const char* name)) {
    std::array<char, MAX_PATH + 3> pattern{};
    std::snprintf(pattern.data(), pattern.size(), "%s\\*", path);
    WIN32_FIND_DATAA found;
    const HANDLE search = FindFirstFileA(pattern.data(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        each(found.cFileName);
    } while (FindNextFileA(search, &found) != 0);
    FindClose(search);
}

FILE* create_unique_file(char* name_template) {
    const int fd = mkstemp(name_template);
    if (fd < 0) return nullptr;
    _setmode(fd, _O_BINARY);  // no CR before every LF of a PNG
    FILE* file = _fdopen(fd, "wb");
    if (file == nullptr) {
        const int error = errno;
        _close(fd);
        remove_unfinished_file(name_template);
        errno = error;
    }
    return file;
}

// rename() will not replace an existing file here.
int replace_file(const char* from, const char* to) {
    if (MoveFileExA(from, to, MOVEFILE_REPLACE_EXISTING) != 0) return 0;
    switch (GetLastError()) {
        case ERROR_ACCESS_DENIED: return EACCES;
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND: return ENOENT;
        default: return EIO;
    }
}

void remove_unfinished_file(const char* path) { std::remove(path); }
