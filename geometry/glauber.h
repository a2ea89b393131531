// Random turns by the million: Glauber dynamics on a tiling held as each
// cell's partner in its domino, a move a few bytes read, for a family
// whose every tiling of its region is one of its figures, so that no turn
// needs checking against the family. The same moves from the same seed
// give the same tiling on every platform and in the browser, however they
// are split into runs.
#pragma once

#include <cstdint>
#include <random>
#include <vector>

#include "figure_geometry.h"

// Each cell's partner in its domino, cell (c, r) at r * columns + c.
enum class CellPartner : std::uint8_t { none, right, left, below, above };
struct PartnerGrid {
    int columns = 0, rows = 0;
    std::vector<CellPartner> partner;
};
PartnerGrid partners_of(const FigureGeometry& geometry);

// The most moves a tiling is given (--glauber, the explorer's Run): some
// minutes' worth at the largest orders.
constexpr std::uint64_t largest_moves = 10'000'000'000ULL;

// The moves' own draws for a figure's seed: a stream apart from the one
// that drew the figure, the same everywhere (std::seed_seq and
// std::mt19937_64 are fixed by the C++ standard).
std::mt19937_64 moves_random(std::uint64_t seed);

// `moves` moves of Glauber dynamics: each draws a corner between four cells
// of the frame uniformly (by rejection, never a library's distribution)
// and a fair coin, and on heads turns the 2 x 2 block around it when two
// parallel dominoes fill it. A turn is as likely as the one that undoes
// it, so every tiling stays as likely as any other. How many turned.
std::uint64_t glauber_moves(PartnerGrid& grid, std::mt19937_64& random, std::uint64_t moves);

// How a family lays a domino whose top left cell is (column, row) in the
// frame of a figure of `order`: with the role and class that place gives it.
using DominoLaid = Domino (*)(int order, int column, int row, bool upright);

// The grid's dominoes, in place of `geometry`'s (its frame and paths kept):
// row by row at their top left cells, left to right within a row, each as
// `laid` lays it.
void lay_dominoes(const PartnerGrid& grid, int order, DominoLaid laid, FigureGeometry& geometry);
