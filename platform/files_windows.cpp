// Files and folders on Windows: the same operations as on POSIX under
// other names, no signal to remove an unfinished page, and a rename that
// must be told to replace.
#include <direct.h>
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <array>
#include <cerrno>
#include <cstdio>
#include <cstdlib>

#include <string>
#include <vector>

#include "files.h"

int make_folder(const char* path) { return _mkdir(path) == 0 ? 0 : errno; }

const char* why_not_a_folder(const char* path) {
    const DWORD attributes = GetFileAttributesA(path);
    if (attributes == INVALID_FILE_ATTRIBUTES) return "it cannot be found";
    return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ? nullptr : "it exists and is not a folder";
}

int remove_file(const char* path) { return std::remove(path) == 0 ? 0 : errno; }

int list_folder(const char* path, std::vector<std::string>& names) {
    names.clear();
    std::array<char, MAX_PATH + 3> pattern{};
    std::snprintf(pattern.data(), pattern.size(), "%s\\*", path);
    WIN32_FIND_DATAA found;
    const HANDLE search = FindFirstFileA(pattern.data(), &found);
    if (search == INVALID_HANDLE_VALUE) {
        return GetLastError() == ERROR_ACCESS_DENIED ? EACCES : ENOENT;
    }
    do {
        names.emplace_back(found.cFileName);
    } while (FindNextFileA(search, &found) != 0);
    FindClose(search);
    return 0;
}

EntryKind entry_kind(const char* path) {
    const DWORD attributes = GetFileAttributesA(path);
    if (attributes == INVALID_FILE_ATTRIBUTES) return EntryKind::missing;
    if ((attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) return EntryKind::link;
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) return EntryKind::folder;
    return (attributes & FILE_ATTRIBUTE_DEVICE) != 0 ? EntryKind::other : EntryKind::file;
}

std::FILE* open_plain_file(const char* path) {
    return entry_kind(path) == EntryKind::file ? std::fopen(path, "rb") : nullptr;
}

int lock_folder(const char* path) {
    std::array<char, MAX_PATH + 32> lock{};
    std::snprintf(lock.data(), lock.size(), "%s\\.export-lock", path);
    // Shared with nobody, and gone when the last handle is: the process's
    // end closes it, however the process ends. Never closed here.
    const HANDLE file = CreateFileA(lock.data(), GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                                    FILE_ATTRIBUTE_HIDDEN | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (file != INVALID_HANDLE_VALUE) return 0;
    switch (GetLastError()) {
        case ERROR_SHARING_VIOLATION:
        case ERROR_ACCESS_DENIED: return EWOULDBLOCK;
        case ERROR_PATH_NOT_FOUND: return ENOENT;
        default: return EIO;
    }
}

FILE* create_unique_file(char* name_template) {
    const int fd = mkstemp(name_template);
    if (fd < 0) return nullptr;
    _setmode(fd, _O_BINARY);  // no CR before every LF of a PNG
    FILE* file = _fdopen(fd, "wb");
    if (file == nullptr) {
        const int error = errno;
        _close(fd);
        std::remove(name_template);
        errno = error;
    }
    return file;
}

int finish_file(std::FILE* file, const char* name_template, const char* to) {
    if (std::fclose(file) != 0) {
        const int error = errno;
        std::remove(name_template);
        return error;
    }
    // rename() will not replace an existing file here.
    if (MoveFileExA(name_template, to, MOVEFILE_REPLACE_EXISTING) != 0) return 0;
    const DWORD why = GetLastError();
    std::remove(name_template);
    switch (why) {
        case ERROR_ACCESS_DENIED: return EACCES;
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND: return ENOENT;
        default: return EIO;
    }
}

void abandon_file(std::FILE* file, const char* name_template) {
    std::fclose(file);
    std::remove(name_template);
}
