// A figure as geometry, in cells: its dominoes and its paths, the same model
// for every family and every size. Whatever draws or writes a figure (a
// window's page, PNG, SVG, TikZ, PDF, the figure as data) draws it from
// this; nothing in it is in pixels.
//
// Cells are unit squares: cell (c, r) spans x = c ... c + 1 and y = r ...
// r + 1, y downwards. A path's lattice point (x, r) lies on the vertical
// cell edge x, at the middle of row r (y = r + 1/2): a path runs from the
// left edge of its first cell to the right edge of its last, a rise
// climbing a row, a fall dropping one, a flat going two cells along.
#pragma once

#include <cstdint>
#include <vector>

#include "steps.h"

// What a domino is to the figure's paths.
enum class DominoRole : std::uint8_t { rise, fall, flat, off_path };

// Its class in domino shuffling (the Aztec diamond): the way shuffling
// moves it. North is the class of horizontal dominoes that shuffling moves
// up, the class that fills the diamond's top frozen corner; south the other
// horizontal class, east and west the upright ones. None outside the Aztec
// diamond.
enum class Compass : std::uint8_t { none, north, south, east, west };

struct Domino {
    std::int32_t column, row;  // its top left cell
    bool upright;              // cells (c, r) and (c, r + 1); else (c, r) and (c + 1, r)
    DominoRole role;
    Compass compass;
};

struct LatticePoint {
    std::int32_t x, row;
};

struct FigureGeometry {
    // Its cells lie in columns 0 ... columns - 1 and rows 0 ... rows - 1.
    int columns = 0, rows = 0;
    // The first cell of its (first) path: where a page places the figure.
    int anchor_column = 0, anchor_row = 0;
    // In the order its family draws them.
    std::vector<Domino> dominoes;
    // Each path's lattice points, from its first to its last.
    std::vector<std::vector<LatticePoint>> paths;
};

// Adds a domino covering cells (c, r) and (c + 1, r), or (c, r) and
// (c, r + 1) when upright.
void add_domino(FigureGeometry& geometry, int c, int r, bool upright, DominoRole role,
                Compass compass = Compass::none);
// The lattice points of `path`'s paths, the first starting at the left edge
// of cell (column, row), each next one a cell further in and a row lower,
// into `geometry`.
void add_paths(FigureGeometry& geometry, const FigurePath& path, int column, int row);
// The domino step `step` (from 0) of a path lies on, as its role says: a
// rise from (x, r) on the upright domino of cells (x, r - 1) and (x, r), a
// fall on that of (x, r) and (x, r + 1), a flat on cells (x, r) and
// (x + 1, r).
Domino step_domino(const std::vector<LatticePoint>& path, std::size_t step);
