// The diamond program: every arrangement of a rises, a falls and N - a flats
// (a = 0 ... N), each drawn as a domino tiling of the order-N diamond. The
// program draws order 4: 321 tilings of a 48-cell diamond.
#pragma once

#include <array>

#include "family.h"
#include "page_grid.h"
#include "steps.h"

namespace diamond {

// Orders 1 ... 7 drawn page by page; the program's own is 4. One figure
// alone up to order 28, whose diamond with a margin of a cell just fits the
// page. An arrangement has at most 2N steps.
constexpr OrderRange orders{7, 4};
constexpr int largest_figure_order = 28;
constexpr int max_steps = 2 * largest_figure_order;
using Arrangement = std::array<StepKind, max_steps>;

// N: the number of steps of an arrangement without rises. The diamond has
// 2N(N + 2) cells in 2N + 1 rows.
extern int diamond_order;
// The arrangement being drawn, in its first a + N entries.
extern Arrangement arrangement;
// Horizontal dominoes still to be stacked above and below the path: N when
// a figure starts, and both back at 0 when it is done.
extern int upper_stack;
extern int lower_stack;

// Draws the figure of the first a + N entries of `arrangement` (0 <= a <= N)
// with its path starting at anchor (x, y); it spans x - 5 ... x + 20N - 5
// and y - 10N - 5 ... y + 10N + 5 (at order 4: x - 5 ... x + 75, y - 45 ...
// y + 45). Other values of a draw nothing. Whether it was placed (a figure
// filter may pass it over).
bool draw_diamond_figure(int a, int x, int y);

// The whole run: the order asked for (requested_order) or 4, the cursor at
// the first slot, then a = 0, 1, ..., N, every arrangement of each in
// ascending lexicographic order; a full page is shown at once.
void draw_every_figure();
// Turns the first n entries of `arrangement` into their lexicographic
// successor (equal kinds not told apart); false when they are the last.
bool next_arrangement(int n);
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
