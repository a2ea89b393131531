// The pyramid program: every path of 2N step symbols that starts and ends on
// the base row and never goes below it, each drawn as a domino tiling of the
// order-N stepped triangle. The program draws order 5: 394 tilings of a
// 40-cell triangle.
#pragma once

#include <array>

#include "family.h"
#include "page_grid.h"
#include "steps.h"

namespace pyramid {

// Orders 1 ... 8 drawn page by page; the program's own is 5. One figure
// alone up to order 48, whose triangle with a margin of a cell just fits
// the page.
constexpr OrderRange orders{8, 5};
constexpr int largest_figure_order = 48;
constexpr int max_symbols = 2 * largest_figure_order;

// N, half the number of step symbols of a path. The triangle has N(N + 3)
// cells in N + 1 rows.
extern int path_order;
// The path being drawn; a flat fills two consecutive entries, both flat.
extern std::array<StepKind, max_symbols> figure_steps;
// Anchor of the next figure: x is the centre of the path's first cell, y the
// centre of the base row.
extern int cursor_x;
extern int cursor_y;
// Horizontal dominoes still to be stacked above the path.
extern int upper_stack;

// 2 where the symbol belongs to a flat, 0 where a rise or fall goes.
extern std::array<int, max_symbols> flat_mask;
extern int figure_count;
// errno of a failed write of the count to standard output, or 0.
extern int count_write_error;

// Draws the path in figure_steps at the cursor; it spans cursor_x - 4 ...
// cursor_x + 16N - 4 and cursor_y - 8N - 4 ... cursor_y + 4 (at order 5:
// cursor_x + 76, cursor_y - 44). The cursor is unchanged. Whether it was
// placed (a figure filter may pass it over).
bool draw_pyramid_figure();

// The whole run: the order asked for (requested_order) or 5, the cursor at
// the first slot, every path: for each placement of flats (the all-flat one
// last), every order of the rises and falls between them.
void draw_every_figure();
// Inner enumeration: every Dyck word of length 2m (1 <= m <= path_order) in
// increasing lexicographic order, merged into flat_mask and drawn.
void enumerate_dyck_words(int m);
// Where the figures of order N go on a page: at order 5, anchors 95 apart
// from (20, 48), 8 to a row, rows 72 apart, 8 rows.
PageGrid page_grid_of(int order);
// After the last page: a count that could not be written is told (one
// line, status 1), now that the user has seen every page.
void report_unwritten_count();

// How its paths are counted (ranking.cpp): by placement of flats, then
// Dyck word; and how a random one is drawn, by number.
extern const FigureCounting figure_counting;
extern const RandomDrawing random_drawing;

// Its row of the family table.
extern const Family family;

}  // namespace pyramid
