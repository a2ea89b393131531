// A figure drawn into the canvas's pixels (canvas.h), in the drawing's
// style and palette: the window's pages, the PNG pages and figures, and
// the explorer's.
#pragma once

#include "drawing.h"
#include "placement.h"

// Draws the figure at `placement`: in screen style each domino a framed box
// (draw_box), or a box of its colour alone where a cell has no room for
// an outline, in the family's order, then each path a line of pixels
// (draw_line) through its lattice points, then the arctic circle a ring of
// pixels (arctic_pixels); in paper style anti-aliased.
// Nothing is drawn while no canvas is selected.
void draw_figure_pixels(const FigureGeometry& geometry, const Placement& placement,
                        const Drawing& drawing);
