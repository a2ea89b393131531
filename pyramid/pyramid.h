// The pyramid program: every path of 2N step symbols that starts and ends on
// the base row and never goes below it, each drawn as a domino tiling of the
// order-N stepped triangle. The program draws order 5: 394 tilings of a
// 40-cell triangle, and prints their count.
#pragma once

#include <vector>

#include "family.h"
#include "page_grid.h"
#include "steps.h"

namespace pyramid {

// Orders 1 ... 8 drawn page by page; the program's own is 5. One figure
// alone, by number or at random, up to order 1,000 (761-digit numbers); up
// to order 48 its triangle with a margin of a cell fits the page.
constexpr OrderRange orders{8, 5};
constexpr int largest_figure_order = 1000;

// The figure of order N whose path is `path` as geometry: the triangle's
// N(N + 3) cells in N + 1 rows, the path from the left edge of the base row
// (its anchor, the bottom row) back to it, with diagonal stacks of
// horizontal dominoes above the path and diagonal runs filling the space
// down to the base row. Its dominoes come step by step: the step's own,
// then for a flat its stack above and its run below, for a rise its run
// below, for a fall its stack above.
FigureGeometry geometry_of(int order, const FigurePath& path);

// The whole run: every path, for each placement of flats (the all-flat one
// last) every order of the rises and falls between them; prints the count
// when it reaches the last. Returns 0, or the errno value of a failed write
// of the count.
int draw_every_figure(Run& run);
// The placements of flats as bit strings of 2N symbols, entry k + 1 set when
// a flat starts at symbol k, in increasing lexicographic order from all
// zeros: the successor of `starts`, false when it is the last (0101...01).
bool next_flat_placement(std::vector<int>& starts);
// The Dyck words of length 2m (0 a rise, 1 a fall) in increasing
// lexicographic order: the successor of `word`, false when it is the last.
bool next_dyck_word(std::vector<int>& word, int m);
// Where the figures of order N go on a page: at order 5, anchors 95 apart
// from (20, 48), 8 to a row, rows 72 apart, 8 rows.
PageGrid page_grid_of(int order);

// How its paths are counted (ranking.cpp): by placement of flats, then
// Dyck word; and how a random one is drawn, by number.
extern const FigureCounting figure_counting;
extern const RandomDrawing random_drawing;

// Its row of the family table.
extern const Family family;

}  // namespace pyramid
