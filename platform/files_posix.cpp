// Files and folders on POSIX: pages written where nobody sees them until
// they are complete, with no name at all where Linux allows (O_TMPFILE).
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <string>
#include <vector>

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

EntryKind entry_kind(const char* path) {
    struct stat info {};
    if (lstat(path, &info) != 0) return EntryKind::missing;
    if (S_ISLNK(info.st_mode)) return EntryKind::link;
    if (S_ISDIR(info.st_mode)) return EntryKind::folder;
    return S_ISREG(info.st_mode) ? EntryKind::file : EntryKind::other;
}

std::FILE* open_plain_file(const char* path) {
    // Non-blocking: a named pipe planted under a page's name must not hang us.
    const int fd = open(path, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return nullptr;
    struct stat info {};
    std::FILE* file = fstat(fd, &info) == 0 && S_ISREG(info.st_mode) ? fdopen(fd, "rb") : nullptr;
    if (file == nullptr) close(fd);  // not taken by a stream, so still ours
    return file;
}

int lock_folder(const char* path) {
    // Held open for the rest of the process: the lock goes with it.
    const int fd = open(path, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return errno;
    // The descriptor is the lock: it stays open until the process ends.
    // cppcheck-suppress resourceLeak
    if (flock(fd, LOCK_EX | LOCK_NB) == 0) return 0;
    const int error = errno == EAGAIN ? EWOULDBLOCK : errno;
    close(fd);
    return error;
}

int list_folder(const char* path, std::vector<std::string>& names) {
    names.clear();
    DIR* folder = opendir(path);
    if (folder == nullptr) return errno;
    // One thread: readdir is safe here, and glibc deprecates readdir_r.
    errno = 0;
    // cppcheck-suppress readdirCalled
    while (const dirent* entry = readdir(folder)) {
        names.emplace_back(entry->d_name);
        errno = 0;
    }
    const int error = errno;
    closedir(folder);
    return error;
}

namespace {

// Whether the file being written has no name yet (O_TMPFILE): it gets its
// name through its own descriptor once complete, so no signal, not even
// SIGKILL, can leave a partial file behind under any name.
bool writing_unnamed = false;

// Opens a nameless file in the folder of `name_template`. nullptr with
// `unsupported` set where the system or its file system has no nameless
// files (the caller then makes a named one); nullptr and errno set for any
// other failure (no descriptor left, say), which is the page's own.
FILE* create_unnamed_file(const char* name_template, bool& unsupported) {
    unsupported = access("/proc/self/fd", X_OK) != 0;  // no way to name it later
    if (unsupported) return nullptr;
    std::array<char, max_path_length> folder{};
    std::snprintf(folder.data(), folder.size(), "%s", name_template);
    char* slash = std::strrchr(folder.data(), '/');
    if (slash == nullptr) {
        std::snprintf(folder.data(), folder.size(), ".");
    } else {
        *(slash == folder.data() ? slash + 1 : slash) = '\0';
    }
    const int fd = open(folder.data(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
    if (fd < 0) {
        unsupported = errno == EOPNOTSUPP || errno == EISDIR || errno == EINVAL;
        return nullptr;
    }
    FILE* file = fdopen(fd, "wb");
    if (file == nullptr) {
        const int error = errno;
        close(fd);  // fdopen failed, so the descriptor is still ours
        errno = error;
    }
    writing_unnamed = file != nullptr;
    return file;
}

// Gives the complete nameless file the name `to`. An older file of that
// name is removed just before, rather than the new one taking a name of its
// own to be renamed over it: then no name but `to` is ever used, and no
// signal can leave one behind. Another exporter may take the name in
// between; then the same again.
int name_unnamed_file(std::FILE* file, const char* to) {
    std::array<char, 40> self{};
    std::snprintf(self.data(), self.size(), "/proc/self/fd/%d", fileno(file));
    for (int attempt = 0; attempt < 100; ++attempt) {
        if (linkat(AT_FDCWD, self.data(), AT_FDCWD, to, AT_SYMLINK_FOLLOW) == 0) return 0;
        if (errno != EEXIST) return errno;
        if (unlink(to) != 0 && errno != ENOENT) return errno;
    }
    return EEXIST;
}

int finish_unnamed_file(std::FILE* file, const char* to) {
    writing_unnamed = false;
    // A full disk may only show when the last bytes are written out.
    if (std::fflush(file) != 0) {
        const int error = errno;
        std::fclose(file);
        return error;
    }
    hold_stop_signals();
    int error = name_unnamed_file(file, to);
    // A file closed with an error is not complete: its name goes too.
    if (std::fclose(file) != 0 && error == 0) {
        error = errno;
        unlink(to);
    }
    release_stop_signals();
    return error;
}

}  // namespace

FILE* create_unique_file(char* name_template) {
    bool unsupported = false;
    if (FILE* file = create_unnamed_file(name_template, unsupported)) return file;
    if (!unsupported) return nullptr;
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
        close(fd);  // fdopen failed, so the descriptor is still ours
        hold_stop_signals();
        unlink(name_template);
        remove_on_stop(nullptr);
        release_stop_signals();
        errno = error;
    }
    return file;
}

int finish_file(std::FILE* file, const char* name_template, const char* to) {
    if (writing_unnamed) return finish_unnamed_file(file, to);
    int error = std::fclose(file) == 0 ? 0 : errno;
    hold_stop_signals();
    if (error == 0 && std::rename(name_template, to) != 0) error = errno;
    if (error != 0) unlink(name_template);
    remove_on_stop(nullptr);
    release_stop_signals();
    return error;
}

void abandon_file(std::FILE* file, const char* name_template) {
    hold_stop_signals();
    std::fclose(file);  // a nameless file is gone with its descriptor
    if (!writing_unnamed) unlink(name_template);
    writing_unnamed = false;
    remove_on_stop(nullptr);
    release_stop_signals();
}
