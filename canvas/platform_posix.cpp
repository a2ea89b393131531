// What the programs need of a POSIX process around SDL: standard streams
// that stay where they are, stop signals that stop, an end to the process
// when its X server goes away; and the export's file operations.
#include <dlfcn.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <initializer_list>

#include "canvas.h"

namespace {

// Leaves SDL no say over the signal: it ends the process as it would have
// without any handler.
void stop_now(int signal_number) {
    std::signal(signal_number, SIG_DFL);
    std::raise(signal_number);
}

// SDL turns SIGINT and SIGTERM into quit events, which here would only turn
// the page, but it leaves alone a signal that already has a handler.
void keep_stop_signals() {
    for (const int signal_number : {SIGINT, SIGTERM}) {
        struct sigaction action {};
        if (sigaction(signal_number, nullptr, &action) != 0 || action.sa_handler != SIG_DFL) {
            continue;  // ignored on purpose (nohup, say), or someone else's
        }
        action.sa_handler = stop_now;
        sigemptyset(&action.sa_mask);
        action.sa_flags = 0;
        sigaction(signal_number, &action, nullptr);
    }
}

// Any of fds 0-2 that is closed is opened on /dev/null: otherwise the next
// file or socket opened (the X connection, a page being written) takes its
// number, and what is printed goes there.
void keep_standard_streams_open() {
    for (int fd = 0; fd <= 2; ++fd) {
        if (fcntl(fd, F_GETFD) != -1) continue;
        const int opened = open("/dev/null", fd == 0 ? O_RDONLY : O_WRONLY);
        if (opened >= 0 && opened != fd) {
            dup2(opened, fd);
            close(opened);
        }
    }
}

// Xlib's own handler for a lost connection prints several lines and calls
// exit, whose handlers then run SDL_Quit against the dead connection; over
// SDL2 that never returns. This one says so in one line and leaves at once.
int leave_on_lost_display(void* /*display*/) {
    std::fprintf(stderr, "%s: lost the connection to the display\n", program_name);
    std::fflush(stdout);
    _exit(1);
}

}  // namespace

void prepare_process() {
    keep_standard_streams_open();
    keep_stop_signals();
}

void set_environment(const char* name, const char* value) {
    if (value != nullptr) {
        setenv(name, value, 1);
    } else {
        unsetenv(name);
    }
}

void exit_when_display_is_lost() {
    // Only a libX11 that SDL has already loaded is touched; none is loaded here.
    void* xlib = dlopen("libX11.so.6", RTLD_LAZY | RTLD_NOLOAD);
    if (xlib == nullptr) return;
    using IoErrorHandler = int (*)(void*);
    using SetIoErrorHandler = IoErrorHandler (*)(IoErrorHandler);
    const auto set_handler =
        reinterpret_cast<SetIoErrorHandler>(dlsym(xlib, "XSetIOErrorHandler"));
    if (set_handler != nullptr) set_handler(leave_on_lost_display);
    dlclose(xlib);
}

int make_folder(const char* path) { return mkdir(path, 0777) == 0 ? 0 : errno; }

FILE* create_unique_file(char* name_template) {
    const int fd = mkstemp(name_template);
    if (fd < 0) return nullptr;
    // mkstemp's 0600 would hide the file from everyone else.
    const mode_t mask = umask(0);
    umask(mask);
    fchmod(fd, 0666 & ~mask);
    FILE* file = fdopen(fd, "wb");
    if (file == nullptr) {
        const int error = errno;
        close(fd);
        unlink(name_template);
        errno = error;
    }
    return file;
}

int replace_file(const char* from, const char* to) { return std::rename(from, to) == 0 ? 0 : errno; }
