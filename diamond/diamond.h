// The diamond program: every arrangement of a rises, a falls and N - a flats
// (a = 0 ... N), each drawn as a domino tiling of the order-N diamond. The
// program draws order 4: 321 tilings of a 48-cell diamond.
#pragma once

#include <array>

#include "canvas.h"

namespace diamond {

constexpr int default_order = 4;
constexpr int max_order = 7;
constexpr int max_steps = 2 * max_order;
using Arrangement = std::array<StepKind, max_steps>;

// N: the number of steps of an arrangement without rises. The diamond has
// 2N(N + 2) cells in 2N + 1 rows.
extern int diamond_order;
// The arrangement being drawn, in its first a + N entries.
extern Arrangement arrangement;
// Rises, falls and flats of the current a: (a, a, N - a).
extern std::array<int, 3> kind_counts;
// Anchor of the next figure: the centre of its path's first cell.
extern int cursor_x;
extern int cursor_y;
// Horizontal dominoes still to be stacked above and below the path; set to N
// before each figure, and both back at 0 when it is done.
extern int upper_stack;
extern int lower_stack;

// Draws the figure of the first a + N entries of `arrangement` (0 <= a <= N)
// with its path starting at anchor (x, y); it spans x - 5 ... x + 20N - 5
// and y - 10N - 5 ... y + 10N + 5 (at order 4: x - 5 ... x + 75, y - 45 ...
// y + 45). Other values of a draw nothing.
void draw_diamond_figure(int a, int x, int y);

// The whole run: the order asked for (requested_order) or 4, the cursor at
// the first slot, then a = 0, 1, ..., N.
void draw_all_arrangements();
// Draws every arrangement for this a, in ascending lexicographic order, laid
// out row by row (at order 4, 8 to a row and 5 rows to a page); a full page
// is shown at once.
void enumerate_arrangements(int a);
// Turns the first n entries of `arrangement` into their lexicographic
// successor (equal kinds not told apart); false when they are the last.
bool next_arrangement(int n);
void swap_steps(int i, int j);
// Reverses entries i ... j.
void reverse_steps(int i, int j);

}  // namespace diamond
