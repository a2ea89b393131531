// SDL's own blocking wait, for the platforms whose SDL has one (the web's
// has none, and needs none).
#include <SDL.h>

#include "messages.h"
#include "window_system.h"

void take_event_from_sdl_wait(SDL_Event& event) {
    event.type = SDL_NOEVENT;
    // On an error the record holds nothing new; a "success" that leaves it
    // empty counts as an error too, so the caller's loop cannot spin.
    if (SDL_WaitEvent(&event) == 0 || event.type == SDL_NOEVENT) {
        fail("waiting for events failed", SDL_GetError());
    }
}
