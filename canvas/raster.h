// The raster primitives: pixels, lines, flood fill and framed boxes. All
// coordinates are pixels, origin top left, x right, y down. Nothing outside
// the selected canvas (800 x 600 in the window, any size for a page drawn
// larger) is ever read or written, and nothing is drawn while no canvas is
// selected.
#pragma once

#include <vector>

#include "canvas.h"

// Stores `colour` at (x, y); points off the canvas are skipped.
void put_pixel(int x, int y, Colour colour);
// Reads (x, y); points off the canvas read as 0.
Colour get_pixel(int x, int y);

// 4-connected line from (x0, y0) to (x1, y1), both ends drawn: consecutive
// pixels share an edge, so a diagonal is a staircase of 2|dx| + 1 pixels.
// Pixels off the canvas are skipped; the rest are plotted exactly.
void draw_line(int x0, int y0, int x1, int y1, Colour colour);

// Each pixel draw_line would plot from (x0, y0) to (x1, y1), in drawing
// order, with no clipping: a line as the vector pages write it.
struct Pixel {
    int x, y;
};
std::vector<Pixel> line_pixels(int x0, int y0, int x1, int y1);

// Paints the 4-connected region around (x, y) with `fill`, bounded by
// pixels of colour `border`. Nothing happens if the seed is off the canvas
// or already has either colour. The spans are found by scanning only for
// `border`, so other colours inside the region are painted over. Asymmetric
// edges: a scan never paints column 0 (only a seed there does) and the fill
// never spreads into row 0; the last column and row are reached normally.
// Keeps its spans on a stack of its own, so no region can exhaust the call
// stack.
void flood_fill(int x, int y, Colour fill, Colour border);

// Outlines the rectangle with corners (x1, y1) and (x2, y2), given in either
// order, in `border` (both corner rows and columns included, so it is
// |x2 - x1| + 1 pixels wide), then flood-fills from its centre with `fill`.
void draw_box(int x1, int y1, int x2, int y2, Colour border, Colour fill);

// Paints the rectangle with corners (x1, y1) and (x2, y2), given in either
// order and both included, with `fill` and no outline: a domino too small
// for one. The part on the canvas, if any, is painted.
void fill_box(int x1, int y1, int x2, int y2, Colour fill);
