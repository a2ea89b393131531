// What the programs need of a POSIX process around SDL: standard streams
// that stay where they are, stop signals that stop, an end to the process
// when its X server or its window goes away, a wait that sleeps on the X
// connection itself; and the export's file operations.
#include <SDL.h>
#include <SDL_syswm.h>
#include <X11/keysym.h>
#include <dirent.h>
#include <dlfcn.h>
#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <initializer_list>

#include "messages.h"
#include "platform.h"

namespace {

constexpr std::array<int, 3> stop_signals = {SIGINT, SIGTERM, SIGHUP};

// The unfinished file that a stop signal removes, if any. Set and cleared
// with the stop signals blocked, so the handler never sees half a change.
std::array<char, max_path_length> file_to_remove{};
volatile std::sig_atomic_t removal_pending = 0;

// Leaves SDL no say over the signal: it ends the process as it would have
// without any handler, leaving no unfinished file behind.
void stop_now(int signal_number) {
    if (removal_pending != 0) unlink(file_to_remove.data());
    std::signal(signal_number, SIG_DFL);
    std::raise(signal_number);
}

void block_stop_signals(sigset_t& previous) {
    sigset_t blocked;
    sigemptyset(&blocked);
    for (const int signal_number : stop_signals) sigaddset(&blocked, signal_number);
    sigprocmask(SIG_BLOCK, &blocked, &previous);
}

void unblock_stop_signals(const sigset_t& previous) { sigprocmask(SIG_SETMASK, &previous, nullptr); }

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
        const int opened = open("/dev/null", fd == 0 ? O_RDONLY : O_WRONLY);
        if (opened >= 0 && opened != fd) {
            dup2(opened, fd);
            close(opened);
        }
    }
}

// The X connection and windows that SDL opened, and the few Xlib calls made
// on them, taken from the libX11 that SDL already loaded: none is loaded
// here, and without X11 (another driver) all of this stays unused.
Display* x_display = nullptr;
std::array<Window, 2> own_windows{};
using ErrorHandler = int (*)(Display*, XErrorEvent*);
ErrorHandler previous_error_handler = nullptr;
int (*events_queued)(Display*, int) = nullptr;
int (*connection_number)(Display*) = nullptr;
// A connection of our own that watches the window itself: its DestroyNotify
// comes whatever SDL does or does not ask of the server meanwhile.
Display* watcher = nullptr;
int (*next_event)(Display*, XEvent*) = nullptr;
// The keyboard as the window was first watched: a bit a key code, and
// whether any was down (most often none, and a key press then looks
// nothing up).
std::array<char, 32> keys_down_at_start{};
bool any_key_down_at_start = false;
KeyCode (*keycode_of)(Display*, KeySym) = nullptr;

[[noreturn]] void leave_at_once(const char* why) {
    // exit() would run SDL_Quit against a connection or window that is gone,
    // which over SDL2 never returns or prints a page of X errors.
    std::fprintf(stderr, "%s: %s\n", program_name, why);
    std::fflush(stdout);
    _exit(1);
}

// Xlib's own handler for a lost connection prints several lines and calls
// exit; this one says so in one line and leaves at once.
int leave_on_lost_display(Display* /*display*/) {
    leave_at_once("lost the connection to the display");
}

bool is_own_window(XID id) {
    for (const Window window : own_windows) {
        if (window != 0 && window == id) return true;
    }
    return false;
}

// Another client destroying the window shows up as errors on it (SDL over
// SDL2 keeps using it); any other error goes where it went before.
int leave_on_destroyed_window(Display* display, XErrorEvent* error) {
    if ((error->error_code == BadWindow || error->error_code == BadDrawable) &&
        is_own_window(error->resourceid)) {
        leave_at_once("the window was destroyed");
    }
    return previous_error_handler != nullptr ? previous_error_handler(display, error) : 0;
}

template <typename Function>
Function find_x_function(void* xlib, const char* name) {
    return reinterpret_cast<Function>(dlsym(xlib, name));
}

void watch_on_a_connection_of_our_own(void* xlib);

}  // namespace

void prepare_process() {
    keep_standard_streams_open();
    keep_stop_signals();
}

void name_program_from_system() {}

bool is_terminal(std::FILE* stream) { return isatty(fileno(stream)) != 0; }

const char* window_driver(int i) {
    constexpr std::array<const char*, 6> drivers = {"x11", "dga", "fbcon", "directfb", "svgalib",
                                                    "ggi"};
    return i >= 0 && i < static_cast<int>(drivers.size()) ? drivers[i] : nullptr;
}

void watch_the_window() {
    x_display = nullptr;
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (SDL_GetWMInfo(&info) != 1 || info.subsystem != SDL_SYSWM_X11) return;
    void* xlib = dlopen("libX11.so.6", RTLD_LAZY | RTLD_NOLOAD);
    if (xlib == nullptr) return;
    using IoErrorHandler = int (*)(Display*);
    const auto set_io_handler =
        find_x_function<IoErrorHandler (*)(IoErrorHandler)>(xlib, "XSetIOErrorHandler");
    const auto set_error_handler =
        find_x_function<ErrorHandler (*)(ErrorHandler)>(xlib, "XSetErrorHandler");
    events_queued = find_x_function<int (*)(Display*, int)>(xlib, "XEventsQueued");
    connection_number = find_x_function<int (*)(Display*)>(xlib, "XConnectionNumber");
    if (set_io_handler != nullptr) set_io_handler(leave_on_lost_display);
    if (set_error_handler == nullptr || events_queued == nullptr || connection_number == nullptr) {
        dlclose(xlib);
        return;
    }
    x_display = info.info.x11.display;
    own_windows = {info.info.x11.window, info.info.x11.wmwindow};
    // A held key repeats as release-press pairs, which classic SDL tells from
    // real presses only when both have arrived by the time it looks; with
    // no polling delay they may not have. Repeats that are presses alone
    // change no key's state, so SDL drops them.
    const auto detectable_repeat =
        find_x_function<int (*)(Display*, int, int*)>(xlib, "XkbSetDetectableAutoRepeat");
    if (detectable_repeat != nullptr) detectable_repeat(x_display, True, nullptr);
    previous_error_handler = set_error_handler(leave_on_destroyed_window);
    watch_on_a_connection_of_our_own(xlib);
    // SDL keeps the library loaded for as long as its video runs.
    dlclose(xlib);
    // Classic SDL reports no error when its window is destroyed: the
    // DestroyNotify only reaches us as a window-system event.
    SDL_EventState(SDL_SYSWMEVENT, SDL_ENABLE);
}

namespace {

void watch_on_a_connection_of_our_own(void* xlib) {
    const auto open = find_x_function<Display* (*)(const char*)>(xlib, "XOpenDisplay");
    const auto select_input = find_x_function<int (*)(Display*, Window, long)>(xlib, "XSelectInput");
    const auto sync = find_x_function<int (*)(Display*, int)>(xlib, "XSync");
    const auto get_focus = find_x_function<int (*)(Display*, Window*, int*)>(xlib, "XGetInputFocus");
    const auto set_focus =
        find_x_function<int (*)(Display*, Window, int, Time)>(xlib, "XSetInputFocus");
    const auto attributes =
        find_x_function<int (*)(Display*, Window, XWindowAttributes*)>(xlib, "XGetWindowAttributes");
    const auto query_keymap = find_x_function<int (*)(Display*, char*)>(xlib, "XQueryKeymap");
    keycode_of = find_x_function<KeyCode (*)(Display*, KeySym)>(xlib, "XKeysymToKeycode");
    next_event = find_x_function<int (*)(Display*, XEvent*)>(xlib, "XNextEvent");
    if (open == nullptr || select_input == nullptr || sync == nullptr || get_focus == nullptr ||
        set_focus == nullptr || attributes == nullptr || next_event == nullptr ||
        query_keymap == nullptr || keycode_of == nullptr) {
        return;
    }
    watcher = open(nullptr);
    if (watcher == nullptr) return;
    query_keymap(watcher, keys_down_at_start.data());
    for (const char bits : keys_down_at_start) {
        any_key_down_at_start = any_key_down_at_start || bits != 0;
    }
    for (const Window window : own_windows) {
        if (window != 0) select_input(watcher, window, StructureNotifyMask);
    }
    // With no window manager, a client that took the keyboard (SDL2 does)
    // and then went leaves it to no window at all, and no key reaches any
    // window after it. Nobody's keyboard is taken here: only one that has
    // none, for our window once it is shown, to go back to the window under
    // the pointer when we go.
    const Window top = own_windows[1] != 0 ? own_windows[1] : own_windows[0];
    Window focus = 0;
    int revert = 0;
    XWindowAttributes shown{};
    if (get_focus(watcher, &focus, &revert) != 0 && focus == None && top != 0 &&
        attributes(watcher, top, &shown) != 0 && shown.map_state == IsViewable) {
        set_focus(watcher, top, RevertToPointerRoot, CurrentTime);
    }
    sync(watcher, False);
}

}  // namespace

bool key_was_down_before_the_window(int key) {
    if (!any_key_down_at_start) return false;
    // SDL 1.2's key values are Latin-1 keysyms for printable keys; the few
    // others a person may still hold as the window opens are named here.
    KeySym symbol = NoSymbol;
    if (key >= SDLK_SPACE && key <= SDLK_z) {
        symbol = static_cast<KeySym>(key);
    } else if (key == SDLK_RETURN) {
        symbol = XK_Return;
    } else if (key == SDLK_KP_ENTER) {
        symbol = XK_KP_Enter;
    } else if (key == SDLK_ESCAPE) {
        symbol = XK_Escape;
    } else if (key == SDLK_TAB) {
        symbol = XK_Tab;
    } else if (key == SDLK_BACKSPACE) {
        symbol = XK_BackSpace;
    }
    if (watcher == nullptr || symbol == NoSymbol) return false;
    const KeyCode code = keycode_of(watcher, symbol);
    return code != 0 && (keys_down_at_start[code / 8] & (1 << (code % 8))) != 0;
}

int display_depth() {
    // SDL over SDL2 reports no depth for a screen SDL2 has no format for
    // (8 bits, say); the X server itself still knows it.
    void* xlib = dlopen("libX11.so.6", RTLD_LAZY | RTLD_NOLOAD);
    if (xlib == nullptr) return 0;
    const auto open = find_x_function<Display* (*)(const char*)>(xlib, "XOpenDisplay");
    const auto depth = find_x_function<int (*)(Display*, int)>(xlib, "XDefaultDepth");
    const auto screen_of = find_x_function<int (*)(Display*)>(xlib, "XDefaultScreen");
    const auto close = find_x_function<int (*)(Display*)>(xlib, "XCloseDisplay");
    int bits = 0;
    if (open != nullptr && depth != nullptr && screen_of != nullptr && close != nullptr) {
        Display* display = open(nullptr);
        if (display != nullptr) {
            bits = depth(display, screen_of(display));
            close(display);
        }
    }
    dlclose(xlib);
    return bits;
}

void check_window_system_event(const SDL_Event& event) {
    if (event.type != SDL_SYSWMEVENT || event.syswm.msg == nullptr || x_display == nullptr) return;
    const SDL_SysWMmsg& message = *event.syswm.msg;
    if (message.subsystem == SDL_SYSWM_X11 && message.event.xevent.type == DestroyNotify &&
        is_own_window(message.event.xevent.xdestroywindow.window)) {
        leave_at_once("the window was destroyed");
    }
}

bool wait_for_input(SDL_Event& event) {
    if (x_display == nullptr || SDL_WasInit(SDL_INIT_VIDEO) == 0) {
        take_event_from_sdl_wait(event);
        return true;
    }
    // The window's own news first: a DestroyNotify ends the program.
    while (watcher != nullptr && events_queued(watcher, QueuedAfterReading) > 0) {
        XEvent news{};
        next_event(watcher, &news);
        if (news.type == DestroyNotify && is_own_window(news.xdestroywindow.window)) {
            leave_at_once("the window was destroyed");
        }
    }
    // Anything Xlib already holds (or reads now) is SDL's to take first;
    // the connections are only slept on when nothing is waiting anywhere.
    if (events_queued(x_display, QueuedAfterFlush) > 0) return false;
    std::array<pollfd, 2> connections{{{connection_number(x_display), POLLIN, 0},
                                       {watcher != nullptr ? connection_number(watcher) : -1,
                                        POLLIN, 0}}};
    while (poll(connections.data(), connections.size(), -1) < 0 && errno == EINTR) {
    }
    return false;
}

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

void list_folder(const char* path, void (*each)(const char* name)) {
    DIR* folder = opendir(path);
    if (folder == nullptr) return;
    // One thread: readdir is safe here, and glibc deprecates readdir_r.
    // cppcheck-suppress readdirCalled
    while (const dirent* entry = readdir(folder)) each(entry->d_name);
    closedir(folder);
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
    FILE* file = unnamed_fd >= 0 ? fdopen(fd, "wb") : nullptr;
    if (file == nullptr) {
        close(fd);
        if (unnamed_fd >= 0) close(unnamed_fd);
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
    sigset_t previous;
    block_stop_signals(previous);
    const int fd = mkstemp(name_template);
    if (fd >= 0) {
        std::snprintf(file_to_remove.data(), file_to_remove.size(), "%s", name_template);
        removal_pending = 1;
    }
    unblock_stop_signals(previous);
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
    sigset_t previous;
    block_stop_signals(previous);
    int result = 0;
    if (unnamed_fd >= 0) {
        result = name_unnamed_file(to);
        close(unnamed_fd);
        unnamed_fd = -1;
    } else {
        result = std::rename(from, to) == 0 ? 0 : errno;
    }
    removal_pending = 0;
    unblock_stop_signals(previous);
    return result;
}

void remove_unfinished_file(const char* path) {
    sigset_t previous;
    block_stop_signals(previous);
    if (unnamed_fd >= 0) {
        close(unnamed_fd);  // the file had no name, and is gone with it
        unnamed_fd = -1;
    } else {
        unlink(path);
    }
    removal_pending = 0;
    unblock_stop_signals(previous);
}
