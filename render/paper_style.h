// The paper style's measures, as fractions of a cell, the same in every
// format: an outline a sixteenth of a cell wide, a path three sixteenths,
// the arctic circle an eighth. They read from a slide (cells of 20 to 40
// pixels) to a printed page (cells of a few millimetres). Cells too small
// for outlines to show (below 4 units, as in screen style) have none: a
// viewer draws every stroke at least a pixel wide.
#pragma once

#include "drawing.h"
#include "figure_geometry.h"

// Sixteenths of a cell.
constexpr int outline_sixteenths = 1;
constexpr int path_sixteenths = 3;
constexpr int arctic_sixteenths = 2;

// The arctic circle of an Aztec diamond of `columns` x `rows` cells: the
// circle inscribed in the diamond, touching each side at its middle; its
// centre in sixteenths of a cell, its radius (N / sqrt 2 for order N) in
// ten-thousandths of a cell, rounded down: exact integers, written the same
// by every platform.
struct Circle {
    long long x_sixteenths, y_sixteenths;
    long long radius_ten_thousandths;
};
Circle arctic_circle(const FigureGeometry& geometry);
// The floor of the square root of `n`.
unsigned long long square_root(unsigned long long n);
// Whether a figure has an arctic circle to draw: the Aztec diamond's.
bool has_arctic_circle(const FigureGeometry& geometry);
