// The POSIX process around SDL: standard streams that stay where they are,
// stop signals that stop (removing an unfinished page first), and writes
// to a closed pipe or past the file size limit that fail instead of
// killing the process.
#include <fcntl.h>
#include <unistd.h>

#include <array>
#include <csignal>
#include <cstdio>
#include <initializer_list>

#include "files.h"
#include "process.h"
#include "stop_signals_posix.h"

namespace {

constexpr std::array<int, 3> stop_signals = {SIGINT, SIGTERM, SIGHUP};

std::array<char, max_path_length> file_to_remove{};
// Standard input, output and error: whether each was closed at the start.
std::array<bool, 3> closed_streams{};
volatile std::sig_atomic_t removal_pending = 0;
sigset_t signals_before_hold;

// Leaves SDL no say over the signal: it ends the process as it would have
// without any handler, leaving no unfinished file behind.
void stop_now(int signal_number) {
    if (removal_pending != 0) unlink(file_to_remove.data());
    std::signal(signal_number, SIG_DFL);
    std::raise(signal_number);
}

// SDL turns SIGINT and SIGTERM into quit events, which here would only turn
// the page, but it leaves alone a signal that already has a handler. A
// write to a closed pipe fails with EPIPE instead of killing the process,
// so that every page is still shown or written before the loss is reported;
// a write past the file size limit (ulimit -f) fails with EFBIG instead of
// killing it with no word, and the page is abandoned with that reason.
void keep_stop_signals() {
    for (const int signal_number : {SIGPIPE, SIGXFSZ}) {
        struct sigaction action {};
        if (sigaction(signal_number, nullptr, &action) == 0 && action.sa_handler == SIG_DFL) {
            action.sa_handler = SIG_IGN;
            sigaction(signal_number, &action, nullptr);
        }
    }
    for (const int signal_number : stop_signals) {
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
        closed_streams[static_cast<std::size_t>(fd)] = true;
        const int opened = open("/dev/null", fd == 0 ? O_RDONLY : O_WRONLY);
        if (opened >= 0 && opened != fd) {
            dup2(opened, fd);
            close(opened);
        }
    }
}

}  // namespace

void prepare_process() {
    keep_standard_streams_open();
    keep_stop_signals();
}

void name_program_from_system() {}

bool is_terminal(std::FILE* stream) { return isatty(fileno(stream)) != 0; }

bool closed_at_start(std::FILE* stream) {
    const int fd = fileno(stream);
    return fd >= 0 && fd <= 2 && closed_streams[static_cast<std::size_t>(fd)];
}

void hold_stop_signals() {
    sigset_t held;
    sigemptyset(&held);
    for (const int signal_number : stop_signals) sigaddset(&held, signal_number);
    sigprocmask(SIG_BLOCK, &held, &signals_before_hold);
}

void release_stop_signals() { sigprocmask(SIG_SETMASK, &signals_before_hold, nullptr); }

void remove_on_stop(const char* path) {
    if (path == nullptr) {
        removal_pending = 0;
        return;
    }
    std::snprintf(file_to_remove.data(), file_to_remove.size(), "%s", path);
    removal_pending = 1;
}
