// The diamond program: every arrangement of a rises, a falls and 4 - a flats
// (a = 0 ... 4), each drawn as a domino tiling of a 48-cell diamond.
#pragma once

#include <array>

#include "canvas.h"

namespace diamond {

constexpr int max_steps = 8;
using Arrangement = std::array<StepKind, max_steps>;

// The arrangement being drawn, in its first a + 4 entries.
extern Arrangement arrangement;
// Rises, falls and flats of the current a: (a, a, 4 - a).
extern std::array<int, 3> kind_counts;
// Anchor of the next figure: the centre of its path's first cell.
extern int cursor_x;
extern int cursor_y;
// Horizontal dominoes still to be stacked above and below the path; set to 4
// before each figure, and both back at 0 when it is done.
extern int upper_stack;
extern int lower_stack;

// Draws the figure of the first a + 4 entries of `arrangement` (0 <= a <= 4)
// with its path starting at anchor (x, y); it spans x - 5 ... x + 75 and
// y - 45 ... y + 45. Other values of a draw nothing.
void draw_diamond_figure(int a, int x, int y);

// The whole run: the cursor at the first slot, then a = 0, 1, 2, 3, 4.
void draw_all_arrangements();
// Draws every arrangement for this a, in ascending lexicographic order, laid
// out 8 to a row and 5 rows to a page; a full page is shown at once.
void enumerate_arrangements(int a);
// Turns the first n entries of `arrangement` into their lexicographic
// successor (equal kinds not told apart); false when they are the last.
bool next_arrangement(int n);
void swap_steps(int i, int j);
// Reverses entries i ... j.
void reverse_steps(int i, int j);

}  // namespace diamond
