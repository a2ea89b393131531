#include "canvas.h"

#include <cstddef>

SDL_Surface* screen = nullptr;
Palette palette{};

bool select_canvas(SDL_Surface* surface) {
    if (surface == nullptr) {
        screen = nullptr;
        return true;
    }
    if (surface->format == nullptr || surface->format->BitsPerPixel != canvas_depth ||
        surface->w < 1 || surface->h < 1) {
        return false;
    }
    screen = surface;
    const SDL_PixelFormat* format = screen->format;
    palette.background = SDL_MapRGB(format, 255, 255, 255);
    palette.rise_fill = SDL_MapRGB(format, 255, 0, 0);
    palette.flat_fill = SDL_MapRGB(format, 255, 255, 0);
    palette.fall_fill = SDL_MapRGB(format, 70, 70, 255);
    palette.border = SDL_MapRGB(format, 0, 0, 255);
    palette.path = SDL_MapRGB(format, 0, 0, 0);
    return true;
}

const Colour* canvas_row(int y) {
    return reinterpret_cast<const Colour*>(static_cast<const Uint8*>(screen->pixels) +
                                           static_cast<std::ptrdiff_t>(y) * screen->pitch);
}

SDL_Surface memory_surface(std::vector<Colour>& pixels, int width, int height,
                           SDL_PixelFormat* format) {
    pixels.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), 0);
    SDL_Surface surface{};
    surface.flags = SDL_SWSURFACE | SDL_PREALLOC;
    surface.format = format;
    surface.w = width;
    surface.h = height;
    surface.pitch = static_cast<Uint16>(4 * width);
    surface.pixels = pixels.data();
    return surface;
}

bool canvas_needs_lock() {
    return screen != nullptr && SDL_MUSTLOCK(screen) && (screen->flags & SDL_PREALLOC) == 0;
}
