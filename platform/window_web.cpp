// The window system in a web page, through Emscripten's own SDL 1.2: there
// is one driver, drawing into the page's canvas; no display connection or
// window can be lost; and the wait for the user sleeps until the page gets
// a key press, a click or a touch, with no timer at all.
#include <emscripten.h>

#include "window_system.h"

namespace {

// Resolves when the page has input for SDL: SDL's own listeners, added
// when it started, have queued the event by then. The listeners are added
// once, after SDL's, and stay.
EM_ASYNC_JS(void, sleep_until_page_input, (), {
    if (!Module.wakeOnInput) {
        // The page keeps the keys pressed before this first wait; handed
        // over now, SDL has queued them and there is no need to sleep.
        const handed = Module.firstWait ? Module.firstWait() : 0;
        Module.wakeOnInput = function() {
            const wake = Module.resumeWait;
            Module.resumeWait = null;
            if (wake) wake();
        };
        for (const type of ["keydown", "mousedown", "touchstart"]) {
            document.addEventListener(type, Module.wakeOnInput);
        }
        if (handed > 0) return;
    }
    await new Promise(function(resolve) { Module.resumeWait = resolve; });
});

}  // namespace

const char* window_driver(int i) { return i == 0 ? "emscripten_sdl_driver" : nullptr; }

void watch_the_window() {}

bool key_was_down_before_the_window(int /*key*/) { return false; }

int display_depth() { return 0; }

void check_window_system_event(const SDL_Event& /*event*/) {}

bool wait_for_input(SDL_Event& /*event*/) {
    sleep_until_page_input();
    // One more yield after the resumed wait: without it, the exit that
    // follows the last wait never ran.
    emscripten_sleep(0);
    return false;
}
