// The window system under SDL: which drivers show a real window, a window
// that goes away, the keyboard as the window appears, and the wait for
// input. One file a platform (window_x11.cpp, window_windows.cpp,
// window_web.cpp), plus SDL's own wait (sdl_wait.cpp) where SDL has one.
#pragma once

union SDL_Event;

// The i-th video driver (from 0) that shows a real window on this platform,
// in SDL's own order of preference; nullptr past the last.
const char* window_driver(int i);
// Once the window is open (X11 only): a lost display connection, or the
// window destroyed by another client, ends the process at once with one
// line on standard error and status 1.
void watch_the_window();
// Whether `key` (an SDLKey) was already down when the window was first
// watched (X11 only; false elsewhere, and for keys not told apart here):
// the Return that started the program from a terminal, say. Once the window
// has the keyboard, SDL may report such a key as pressed (SDL2 reconciles
// the keyboard's state, a held key repeats), though it was not pressed for
// the window.
bool key_was_down_before_the_window(int key);
// The display's depth in bits a pixel, asked of the window system itself
// (X11 only, once SDL has connected); 0 where unknown.
int display_depth();
// Hands each event the wait takes to the window watcher (a window-system
// event may tell that the window was destroyed).
void check_window_system_event(const SDL_Event& event);
// With SDL's own queue empty: blocks until the user or the window system
// acts, with no timer where the platform allows (on X11, sleeping on the
// display connection; in a browser, until the page gets input). Returns
// false when input may now be queued (poll again), or true with `event`
// taken by SDL's own wait, where that is the only way to block.
bool wait_for_input(SDL_Event& event);
// SDL's own blocking wait for the next event. On an SDL error, or a
// "success" that leaves the record empty (which would make a loop spin),
// prints one line and exits with status 1.
void take_event_from_sdl_wait(SDL_Event& event);
