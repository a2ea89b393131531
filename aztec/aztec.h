// The aztec program: every domino tiling of the Aztec diamond of order N,
// its centred rows of 2, 4, ..., 2N, 2N, ..., 4, 2 cells, each read as N
// nested paths that never cross (rises, falls and flats, as pyramid's), and
// a uniformly random tiling, by domino shuffling, up to order 299. The
// program draws order 4: 1,024 tilings, 48 to a page.
//
// Cell (c, r) of the diamond of order N has 0 <= c, r < 2N, row r holding
// columns N - 1 - r ... N + r above the middle and r - N ... 3N - 1 - r
// below it. Path i (from 0, the outermost) starts on cell (i, N + i), at the
// lower left side, and runs 2(N - i) cells wide to the lower right side,
// never below its first row. A vertical domino is a rise of a path when its
// lower cell's colour, (c + r) mod 2, is N mod 2, and a fall otherwise; a
// horizontal domino whose left cell has that colour is a flat; the other
// horizontal dominoes lie on no path.
#pragma once

#include <array>
#include <cstdint>

#include "family.h"
#include "page_grid.h"
#include "steps.h"

namespace aztec {

// Orders 1 ... 5 drawn page by page (32,768 tilings at order 5); the
// program's own is 4. One figure alone at those orders; a random one up to
// order 299, whose diamond with a margin of a cell fills the page's height
// at one pixel a cell.
constexpr OrderRange orders{5, 4};
constexpr int largest_figure_order = orders.largest;
constexpr int largest_random_order = 299;
constexpr int largest_side = 2 * largest_random_order;

// Each cell's partner in its domino.
enum class Partner : std::uint8_t { none, right, left, below, above };
using Tiling = std::array<std::array<Partner, largest_side>, largest_side>;

// N, and the tiling being drawn, by [row][column].
extern int aztec_order;
extern Tiling tiling;

// Whether cell (c, r) lies in the diamond of order N.
bool in_diamond(int order, int c, int r);

// Draws `tiling` at order N with cells `cell` pixels wide, the centre of
// cell (0, N) at (x, y), its paths (`steps`, `count`, next_path between
// two) announced and drawn over it as every figure's are: outlined in blue
// when a cell is at least 4 pixels wide, each domino its own colour alone
// when smaller. Whether it was placed (a filter may pass it over).
bool draw_aztec_figure(const StepKind* steps, int count, int x, int y, int cell);

// The tiling's paths, outermost first, into `steps` (at most `room`
// entries): their count, or -1 when they do not fit.
int paths_of_tiling(int order, StepKind* steps, int room);
// The tiling whose paths are `path`: false when they are no family of
// nested paths that never cross.
bool tiling_of_paths(int order, const FigurePath& path);

// Hands `visit` every family of paths of order N (1 ... 5) in the family's
// order, until it returns false.
void walk_families(int order, bool (*visit)(const StepKind* steps, int count));

// The whole run: every tiling of the order asked for (requested_order) or
// 4, by its paths in lexicographic order, the outermost path first, each
// step compared as rise < fall < flat; a full page is shown at once.
void draw_every_figure();
// Where the figures of order N go on a page: anchors 20N + 20 apart, as
// many as fit with 5 pixels to spare at every edge.
PageGrid page_grid_of(int order);

// How its tilings are counted (ranking.cpp): 2^(N(N + 1) / 2) of them,
// found in a table of an order's families of paths; and how a random one
// is drawn, by shuffling.
extern const FigureCounting figure_counting;
extern const RandomDrawing random_drawing;

// A uniformly random tiling of order N (1 ... 299) by domino shuffling
// (shuffling.cpp), the same for the same seed everywhere, into `tiling`;
// its paths into `path` when they fit one (false otherwise).
bool shuffle_figure(int order, std::uint64_t seed, FigurePath& path);
// Draws the tiling last shuffled alone, its outline one cell from the
// canvas's top left corner, with the largest whole number of pixels a cell
// (10 at most) that fits the page with that margin on every side; the
// crop's width and height.
void draw_shuffled_alone(int order, int& width, int& height);

// Its row of the family table.
extern const Family family;

}  // namespace aztec
