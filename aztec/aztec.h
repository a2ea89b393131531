// The aztec program: every domino tiling of the Aztec diamond of order N,
// its centred rows of 2, 4, ..., 2N, 2N, ..., 4, 2 cells, each read as N
// nested paths that never cross (rises, falls and flats, as pyramid's), and
// a uniformly random tiling, by domino shuffling. The program draws order
// 4: 1,024 tilings, 48 to a page.
//
// Cell (c, r) of the diamond of order N has 0 <= c, r < 2N, row r holding
// columns N - 1 - r ... N + r above the middle and r - N ... 3N - 1 - r
// below it. Path i (from 0, the outermost) starts on cell (i, N + i), at the
// lower left side, and runs 2(N - i) cells wide to the lower right side,
// never below its first row. A domino's class in domino shuffling follows
// from where it lies: with (c, r) its top left cell, a horizontal domino is
// north when c + r + N is odd and south otherwise, an upright one west when
// c + r + N is odd and east otherwise. The paths read them so: a west
// domino is a rise, an east one a fall, a south one a flat, and the north
// ones lie on no path.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "family.h"
#include "page_grid.h"
#include "steps.h"

namespace aztec {

// Orders 1 ... 5 drawn page by page (32,768 tilings at order 5); the
// program's own is 4. One figure alone at those orders; a random one up to
// order 4,000.
constexpr OrderRange orders{5, 4};
constexpr int largest_figure_order = orders.largest;
constexpr int largest_random_order = 4000;

// Each cell's partner in its domino.
enum class Partner : std::uint8_t { none, right, left, below, above };

// A tiling of the order-N diamond, cell (c, r) at cells[r * 2N + c].
struct Tiling {
    int order = 0;
    std::vector<Partner> cells;
};
Partner& partner_at(Tiling& tiling, int c, int r);
Partner partner_at(const Tiling& tiling, int c, int r);

// Whether cell (c, r) lies in the diamond of order N.
bool in_diamond(int order, int c, int r);

// The tiling's paths, outermost first, next_path between two.
FigurePath paths_of_tiling(const Tiling& tiling);
// The tiling of order N whose paths are `path` into `tiling`: false when
// they are no family of nested paths that never cross.
bool tiling_of_paths(int order, const FigurePath& path, Tiling& tiling);
// The tiling as geometry, its dominoes row by row at their top left cells,
// each with its role and its compass class; its paths `path`, if any.
FigureGeometry geometry_of_tiling(const Tiling& tiling, const FigurePath& path);
// The role on the paths of a domino of a compass class.
DominoRole role_of(Compass compass);
// The domino whose top left cell is (column, row) in the diamond of order
// N, across or upright, with the class and role its place gives it.
Domino domino_laid(int order, int column, int row, bool upright);
// The figure whose paths are `path` as geometry (no dominoes for paths
// that make no tiling).
FigureGeometry geometry_of(int order, const FigurePath& path);

// Hands `visit` every family of paths of order N (1 ... 5) in the family's
// order, until it returns false.
void walk_families(int order, const std::function<bool(const FigurePath& path)>& visit);

// The whole run: every tiling of run.order, by its paths in lexicographic
// order, the outermost path first, each step compared as rise < fall <
// flat; a full page is shown at once.
int draw_every_figure(Run& run);
// Where the figures of order N go on a page: anchors 20N + 20 apart, as
// many as fit with 5 pixels to spare at every edge.
PageGrid page_grid_of(int order);

// A uniformly random tiling of order N (1 ... 4,000) by domino shuffling
// (shuffle_planes.h), the same for the same seed everywhere; as partners,
// and as geometry straight from the shuffling's planes.
struct ShuffledTiling;
Tiling shuffled_tiling(int order, std::uint64_t seed);
Tiling tiling_of_planes(const ShuffledTiling& planes);
FigureGeometry geometry_of_planes(const ShuffledTiling& planes, const FigurePath& path);
// Stage `stage` (0 ... 3N) of shuffling to order N for `seed`, in the frame
// of order N (RandomDrawing::shuffling_stage); an empty frame for a stage
// out of range.
FigureGeometry shuffling_stage(int order, std::uint64_t seed, int stage);

// The tilings counted by statistic (counts.cpp): by flats in closed form
// up to order 100 (past it a count has thousands of digits, and the table
// thousands of them); by the other statistics, two at once or under a
// filter on another one, by listing the tilings at the orders drawn page
// by page.
constexpr CountLimits count_limits = {{100, orders.largest, orders.largest, orders.largest},
                                      orders.largest};
bool count_tilings(const CountQuestion& question, CountGrid& grid);
// The steps of the tilings of order N: the fewest, the most, and the paths.
StepRange step_range(int order);

// How its tilings are counted (ranking.cpp): 2^(N(N + 1) / 2) of them,
// found by walking an order's families of paths; and how a random one is
// drawn, by shuffling.
extern const FigureCounting figure_counting;
extern const RandomDrawing random_drawing;

// Its row of the family table.
extern const Family family;

}  // namespace aztec
