#include "page_grid.h"

bool next_slot(const PageGrid& grid, int& x, int& y) {
    x += grid.column_pitch;
    if (x > grid.last_x) {
        y += grid.row_pitch;
        x = grid.first_x;
    }
    if (y <= grid.last_y) return false;
    x = grid.first_x;
    y = grid.first_y;
    return true;
}

int slots_across(const PageGrid& grid) {
    return (grid.last_x - grid.first_x) / grid.column_pitch + 1;
}

int slots_down(const PageGrid& grid) { return (grid.last_y - grid.first_y) / grid.row_pitch + 1; }
