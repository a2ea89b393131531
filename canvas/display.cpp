// The window pager: one 800 x 600 window, shown a page at a time.
#include <signal.h>

#include <array>
#include <cstdio>
#include <cstdlib>

#include "canvas.h"

namespace {

// Drivers that show a real picture, in SDL's own order of preference.
// Left to itself, SDL falls back to a text-mode driver when there is no
// display: it draws in the terminal, writes escape codes to standard output
// and waits for keys that may never come. That fallback (or any other
// driver) is used only when the user names it in SDL_VIDEODRIVER.
constexpr const char* graphical_drivers[] = {"x11", "dga", "fbcon", "directfb", "svgalib", "ggi"};

// SDL turns SIGINT and SIGTERM into quit events, which here would only turn
// the page; Ctrl-C or a plain kill should act as it did before SDL started.
struct sigaction interrupt_action {};
struct sigaction terminate_action {};

void save_stop_signals() {
    sigaction(SIGINT, nullptr, &interrupt_action);
    sigaction(SIGTERM, nullptr, &terminate_action);
}

void restore_stop_signals() {
    sigaction(SIGINT, &interrupt_action, nullptr);
    sigaction(SIGTERM, &terminate_action, nullptr);
}

void start_video() {
    save_stop_signals();
    const char* named = SDL_getenv("SDL_VIDEODRIVER");
    if (named != nullptr && named[0] != '\0') {
        if (SDL_Init(SDL_INIT_VIDEO) != 0) fail("cannot start SDL video", SDL_GetError());
        restore_stop_signals();
        return;
    }
    // The first driver's complaint is the telling one (x11: no DISPLAY, say).
    std::array<char, 200> first_error{};
    for (const char* driver : graphical_drivers) {
        setenv("SDL_VIDEODRIVER", driver, 1);
        const bool started = SDL_Init(SDL_INIT_VIDEO) == 0;
        unsetenv("SDL_VIDEODRIVER");
        if (started) {
            restore_stop_signals();
            return;
        }
        if (first_error[0] == '\0') {
            std::snprintf(first_error.data(), first_error.size(), "%s: %s", driver, SDL_GetError());
        }
    }
    const char* display = SDL_getenv("DISPLAY");
    std::array<char, 300> detail{};
    if (display != nullptr && display[0] != '\0') {
        std::snprintf(detail.data(), detail.size(), "cannot use the display %s", display);
        fail(detail.data(), first_error.data());
    }
    std::snprintf(detail.data(), detail.size(),
                  "no graphical video driver could start (%s); set DISPLAY, or name a driver "
                  "in SDL_VIDEODRIVER",
                  first_error.data());
    fail("no display", detail.data());
}

int page_number = 1;

// Shows the page drawn so far, with its number in the window's title.
void flip_page() {
    std::array<char, 128> title{};
    std::snprintf(title.data(), title.size(), "%s - page %d", program_name, page_number);
    SDL_WM_SetCaption(title.data(), title.data());
    if (SDL_Flip(screen) != 0) fail("cannot show the page", SDL_GetError());
}

}  // namespace

void open_display() {
    start_video();
    SDL_Surface* surface = SDL_SetVideoMode(canvas_width, canvas_height, canvas_depth,
                                            SDL_HWSURFACE | SDL_DOUBLEBUF);
    if (surface == nullptr) fail("cannot set the 800x600 32-bit video mode", SDL_GetError());
    if (!select_canvas(surface)) {
        fail("cannot set the 800x600 32-bit video mode", "the display gave another mode");
    }
    page_number = 1;
    SDL_WM_SetCaption(program_name, program_name);
    clear_canvas();
}

void wait_key_or_quit() {
    SDL_Event event;
    for (;;) {
        // On an error the event record holds nothing new, so it is not read.
        if (SDL_WaitEvent(&event) == 0) fail("waiting for events failed", SDL_GetError());
        if (event.type == SDL_KEYDOWN || event.type == SDL_QUIT) return;
    }
}

void show_page() {
    flip_page();
    wait_key_or_quit();
    clear_canvas();
    ++page_number;
}

void finish_display() {
    flip_page();
    wait_key_or_quit();
}
