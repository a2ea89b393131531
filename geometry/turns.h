// Flips by hand: a 2 x 2 block of two parallel dominoes turned a quarter,
// and the paths read back off the dominoes, so that whoever knows the
// family can tell which of its figures the turn made, if any. A figure of
// a million dominoes takes a lookup a cell, never a search of them all.
#pragma once

#include <cstdint>

#include "figure_geometry.h"

// Which domino covers each cell of a figure's frame (-1 for none), cell
// (c, r) at r * columns + c.
struct CellOwners {
    int columns = 0, rows = 0;
    std::vector<std::int32_t> owner;
};
CellOwners owners_of(const FigureGeometry& geometry);

// Turns the block of cells (column - 1 ... column, row - 1 ... row), the
// block whose middle is the corner (column, row), when two parallel
// dominoes fill it: two across become two upright, two upright two across,
// their roles off the paths until the figure is read again; `owners` (the
// geometry's) follows. False, and nothing changed, otherwise.
bool turn_block(FigureGeometry& geometry, CellOwners& owners, int column, int row);

// The paths that run over the dominoes, each from where one of `paths`
// starts until it reaches the column where that one ends: at a point
// (x, r), a domino across whose left cell is (x, r) is a flat, an upright
// one whose top cell is (x, r) a fall, whose bottom cell is (x, r) a rise.
// False where a path cannot go on (no domino there, or the right half of
// one across) or passes the end.
bool read_paths(const FigureGeometry& geometry, const CellOwners& owners,
                const std::vector<std::vector<LatticePoint>>& paths, FigurePath& path);

// Whether `figure` has the dominoes of `turned` (whose cells `owners`
// gives), in whatever order, whatever their roles.
bool same_dominoes(const FigureGeometry& figure, const FigureGeometry& turned, const CellOwners& owners);
