// The page every figure is drawn on: a surface of 32-bit pixels, 800 x 600
// in the window (larger when an exporter draws at a larger cell), and the
// six colours of the programs' own palette mapped for it.
#pragma once

#include <SDL.h>

#include <vector>

#include "page_grid.h"

// A 32-bit pixel value already mapped for the canvas's pixel format.
using Colour = Uint32;

struct Palette {
    Colour background;  // white page
    Colour rise_fill;   // red
    Colour flat_fill;   // yellow
    Colour fall_fill;   // light blue
    Colour border;      // blue outline of every domino
    Colour path;        // black line of a path drawn over its figure (--path)
};

constexpr int canvas_depth = 32;

// The surface every primitive draws into, and the palette mapped for it.
extern SDL_Surface* screen;
extern Palette palette;

// Makes `surface` the canvas and maps the palette for its pixel format.
// Returns false (and selects nothing) unless it is 32-bit; rows are
// addressed through its pitch, whatever that is. nullptr selects no
// canvas: the primitives then draw nothing.
bool select_canvas(SDL_Surface* surface);
// Paints the whole canvas with palette.background, pixel by pixel like
// every primitive (raster.cpp), so that it works on any surface a primitive
// does, one whose lock is held too.
void clear_canvas();
// Row y of the canvas, to read a whole page at once: for a canvas that
// needs no lock, such as an off-screen page.
const Colour* canvas_row(int y);

// Whether the canvas must be locked for its pixels to be read and written:
// as SDL says, but for a surface over memory of our own (SDL_PREALLOC).
bool canvas_needs_lock();

// A surface over `pixels` (width x height, resized to hold them), in
// `format`, that needs no lock: pixels in memory of our own, with nothing
// behind them that a lock would copy (a browser's SDL keeps every surface
// of its own in a canvas element, copied back at each lock). It lives as
// long as the two values it describes.
SDL_Surface memory_surface(std::vector<Colour>& pixels, int width, int height,
                           SDL_PixelFormat* format);
