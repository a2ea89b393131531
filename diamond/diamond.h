// The diamond program: every arrangement of a rises, a falls and N - a flats
// (a = 0 ... N), each drawn as a domino tiling of the order-N diamond. The
// program draws order 4: 321 tilings of a 48-cell diamond.
#pragma once

#include "family.h"
#include "page_grid.h"
#include "steps.h"

namespace diamond {

// Orders 1 ... 7 drawn page by page; the program's own is 4. One figure
// alone, by number or at random, up to order 1,000 (764-digit numbers); up
// to order 28 its diamond with a margin of a cell fits the page.
constexpr OrderRange orders{7, 4};
constexpr int largest_figure_order = 1000;

// The figure of order N whose path is `path` (a + N steps: a rises, a falls
// and N - a flats) as geometry: the diamond's 2N(N + 2) cells in 2N + 1
// rows, the path from the left edge of the middle row (its anchor) to the
// right edge, with diagonal stacks of horizontal dominoes filling the
// diamond above and below it. Its dominoes come step by step: the step's
// own, then for a flat its stack above and below, for a rise the one below,
// for a fall the one above.
FigureGeometry geometry_of(int order, const FigurePath& path);

// The whole run: every arrangement, a = 0, 1, ..., N, each a's in ascending
// lexicographic order; a full page is shown at once.
int draw_every_figure(Run& run);
// Turns the first n entries of `arrangement` into their lexicographic
// successor (equal kinds not told apart); false when they are the last.
bool next_arrangement(FigurePath& arrangement, int n);
// Where the figures of order N go on a page: at order 4, anchors 100 apart
// from (10, 50), 8 to a row and 5 rows.
PageGrid page_grid_of(int order);

// How its arrangements are counted (ranking.cpp): by a, then
// lexicographically; and how a random one is drawn, by number.
extern const FigureCounting figure_counting;
extern const RandomDrawing random_drawing;

// Its row of the family table.
extern const Family family;

}  // namespace diamond
