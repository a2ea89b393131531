// The window system on Windows: SDL's own drivers, no X connection to lose
// or to sleep on, and SDL's own wait.
#include <array>

#include "window_system.h"

const char* window_driver(int i) {
    constexpr std::array<const char*, 2> drivers = {"windib", "directx"};
    return i >= 0 && i < static_cast<int>(drivers.size()) ? drivers[i] : nullptr;
}

void watch_the_window() {}

bool key_was_down_before_the_window(int /*key*/) { return false; }

int display_depth() { return 0; }

void check_window_system_event(const SDL_Event& /*event*/) {}

bool wait_for_input(SDL_Event& event) {
    take_event_from_sdl_wait(event);
    return true;
}
