// Files and folders on POSIX: pages written where nobody sees them until
// they are complete, with no name at all where Linux allows (O_TMPFILE).
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "files.h"
#include "stop_signals_posix.h"

int make_folder(const char* path) { return mkdir(path, 0777) == 0 ? 0 : errno; }

const char* why_not_a_folder(const char* path) {
    struct stat info {};
    if (stat(path, &info) == 0) return S_ISDIR(info.st_mode) ? nullptr : "it exists and is not a folder";
    if (errno == ELOOP) return "it is a symbolic link that loops";
    if (lstat(path, &info) == 0 && S_ISLNK(info.st_mode)) {
        return "it is a symbolic link to nothing";
    }
    return std::strerror(errno);
}

int remove_file(const char* path) { return unlink(path) == 0 ? 0 : errno; }

int list_folder(const char* path, void (*each)(const char* name)) {
    DIR* folder = opendir(path);
    if (folder == nullptr) return errno;
    // One thread: readdir is safe here, and glibc deprecates readdir_r.
    errno = 0;
    // cppcheck-suppress readdirCalled
    while (const dirent* entry = readdir(folder)) {
        each(entry->d_name);
        errno = 0;
    }
    const int error = errno;
    closedir(folder);
    return error;
}

namespace {

// The file being written, when the system keeps it nameless until it is
// complete (O_TMPFILE): a second descriptor of it, through which it gets
// its name once its stream is closed; -1 otherwise. No signal, not even
// SIGKILL, can then leave a partial file behind under any name.
int unnamed_fd = -1;

// Opens a nameless file in the folder of `name_template`; nullptr where the
// system or its file system cannot (the caller then makes a named one).
FILE* create_unnamed_file(const char* name_template) {
    if (access("/proc/self/fd", X_OK) != 0) return nullptr;  // no way to name it later
    std::array<char, max_path_length> folder{};
    std::snprintf(folder.data(), folder.size(), "%s", name_template);
    char* slash = std::strrchr(folder.data(), '/');
    if (slash == nullptr) {
        std::snprintf(folder.data(), folder.size(), ".");
    } else {
        *(slash == folder.data() ? slash + 1 : slash) = '\0';
    }
    const int fd = open(folder.data(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
    if (fd < 0) return nullptr;
    unnamed_fd = fcntl(fd, F_DUPFD_CLOEXEC, 0);
    if (unnamed_fd < 0) {
        close(fd);
        return nullptr;
    }
    FILE* file = fdopen(fd, "wb");
    if (file == nullptr) {
        close(fd);  // fdopen failed, so the descriptor is still ours
        close(unnamed_fd);
        unnamed_fd = -1;
    }
    return file;
}

// Gives the finished nameless file the name `to`. An older file of that
// name is removed just before, rather than the new one taking a name of its
// own to be renamed over it: then no name but `to` is ever used, and no
// signal can leave one behind. Another exporter may take the name in
// between; then the same again.
int name_unnamed_file(const char* to) {
    std::array<char, 40> self{};
    std::snprintf(self.data(), self.size(), "/proc/self/fd/%d", unnamed_fd);
    for (int attempt = 0; attempt < 100; ++attempt) {
        if (linkat(AT_FDCWD, self.data(), AT_FDCWD, to, AT_SYMLINK_FOLLOW) == 0) return 0;
        if (errno != EEXIST) return errno;
        if (unlink(to) != 0 && errno != ENOENT) return errno;
    }
    return EEXIST;
}

}  // namespace

FILE* create_unique_file(char* name_template) {
    if (FILE* file = create_unnamed_file(name_template)) return file;
    hold_stop_signals();
    const int fd = mkstemp(name_template);
    if (fd >= 0) remove_on_stop(name_template);
    release_stop_signals();
    if (fd < 0) return nullptr;
    // mkstemp's 0600 would hide the file from everyone else.
    const mode_t mask = umask(0);
    umask(mask);
    fchmod(fd, 0666 & ~mask);
    FILE* file = fdopen(fd, "wb");
    if (file == nullptr) {
        const int error = errno;
        close(fd);
        remove_unfinished_file(name_template);
        errno = error;
    }
    return file;
}

int replace_file(const char* from, const char* to) {
    hold_stop_signals();
    int result = 0;
    if (unnamed_fd >= 0) {
        result = name_unnamed_file(to);
        close(unnamed_fd);
        unnamed_fd = -1;
    } else {
        result = std::rename(from, to) == 0 ? 0 : errno;
    }
    remove_on_stop(nullptr);
    release_stop_signals();
    return result;
}

void remove_unfinished_file(const char* path) {
    hold_stop_signals();
    if (unnamed_fd >= 0) {
        close(unnamed_fd);  // the file had no name, and is gone with it
        unnamed_fd = -1;
    } else {
        unlink(path);
    }
    remove_on_stop(nullptr);
    release_stop_signals();
}
