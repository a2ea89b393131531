// Leaves the keyboard to no window at all, as a client of SDL2 does when it
// ends with no window manager running: it took the focus with RevertToNone.
// Usage: drop_focus
#include <X11/Xlib.h>

#include <cstdio>

int main() {
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        std::fprintf(stderr, "drop_focus: cannot open the display\n");
        return 1;
    }
    XSetInputFocus(display, None, RevertToNone, CurrentTime);
    XSync(display, False);
    XCloseDisplay(display);
    return 0;
}
