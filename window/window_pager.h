// The window pager: one 800 x 600 window, shown a page at a time, and its
// own wait beside the paging operations of pager.h.
#pragma once

#include <array>

#include "pager.h"

// What the window pager keeps between pages.
struct PagerState {
    // The page shown, from 1, in the window's title.
    int page_number = 1;
    // SDL's dummy driver, which a user can name: it shows nothing and no key
    // can ever reach it, so a wait would be for ever.
    bool windowless = false;
    // Keys released since the window was shown: until then, a key that was
    // already down before the window existed turns no page. Such keys all
    // have small values (SDLK_LAST itself is huge in a browser's SDL).
    std::array<bool, 512> released{};
};

// Blocks until a key is pressed or the window is closed. Key releases,
// mouse and window events are consumed and ignored; an uncovered window is
// repainted from the page as shown. If SDL reports an event error it prints
// one line and exits with status 1.
void wait_key_or_quit(PagerState& pager);

// Each window program's own entry, called by the entry point once SDL has
// started (window_main.cpp): it runs the program's family. Its arguments
// are ignored.
extern "C" int SDL_main(int argc, char* argv[]);
