// The window pager: one 800 x 600 window, shown a page at a time.
#include <cstdlib>

#include "canvas.h"

namespace {

// Drivers that show a real picture, in SDL's own order of preference.
// Left to itself, SDL falls back to a text-mode driver when there is no
// display: it draws in the terminal, writes escape codes to standard output
// and waits for keys that may never come. That fallback (or any other
// driver) is used only when the user names it in SDL_VIDEODRIVER.
constexpr const char* graphical_drivers[] = {"x11", "dga", "fbcon", "directfb", "svgalib", "ggi"};

void start_video() {
    const char* named = SDL_getenv("SDL_VIDEODRIVER");
    if (named != nullptr && named[0] != '\0') {
        if (SDL_Init(SDL_INIT_VIDEO) != 0) fail("cannot start SDL video", SDL_GetError());
        return;
    }
    for (const char* driver : graphical_drivers) {
        setenv("SDL_VIDEODRIVER", driver, 1);
        const bool started = SDL_Init(SDL_INIT_VIDEO) == 0;
        unsetenv("SDL_VIDEODRIVER");
        if (started) return;
    }
    fail("no display", "no graphical video driver could start (is DISPLAY set?)");
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
    finish_display();
    clear_canvas();
}

void finish_display() {
    if (SDL_Flip(screen) != 0) fail("cannot show the page", SDL_GetError());
    wait_key_or_quit();
}
