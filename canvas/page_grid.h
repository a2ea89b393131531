// Where the figures of a page go: slots row by row, left to right, from
// the first slot's anchor; a row ends when the next anchor would pass
// last_x, and the page when the next row would pass last_y.
#pragma once

// The window's page, 800 x 600 pixels, and the page every layout is made
// for (a page drawn at a larger cell is this one scaled).
constexpr int canvas_width = 800;
constexpr int canvas_height = 600;

struct PageGrid {
    int first_x;
    int first_y;
    int column_pitch;
    int row_pitch;
    int last_x;  // the largest anchor x a row holds
    int last_y;  // the largest anchor y a page holds
};

// Moves the anchor (x, y) to the next slot. Returns true when the page is
// full: the anchor is then back at the first slot, for a fresh page.
bool next_slot(const PageGrid& grid, int& x, int& y);
// The slots a page holds in one row and in one column.
int slots_across(const PageGrid& grid);
int slots_down(const PageGrid& grid);
