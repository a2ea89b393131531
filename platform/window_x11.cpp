// The window system under SDL on Linux, X11: an end to the process when
// its X server or its window goes away, a wait that sleeps on the X
// connection itself, and the keyboard as the window appears. Xlib is taken
// from the libX11 that SDL already loaded, through dlsym: nothing more is
// loaded here, and without X11 (another driver) all of this stays unused.
#include <SDL.h>
#include <SDL_syswm.h>
#include <X11/keysym.h>
#include <dlfcn.h>
#include <poll.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstdio>

#include "messages.h"
#include "window_system.h"

namespace {

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
