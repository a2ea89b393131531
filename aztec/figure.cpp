// One tiling of the Aztec diamond drawn from its cells' partners: every
// domino a box, in the programs' colours, row by row.
#include "aztec.h"
#include "figure_protocol.h"
#include "raster.h"

namespace aztec {

int aztec_order = 0;
Tiling tiling{};

namespace {

// The figure being drawn: the top left corner of cell (0, 0) and a cell's
// side in pixels.
int left_edge = 0;
int top_edge = 0;
int cell_size = 0;

// Below 4 pixels a cell an outline would leave no inside to see.
constexpr int smallest_outlined_cell = 4;

void draw_domino(int c, int r, int columns, int rows, Colour fill) {
    const int left = left_edge + c * cell_size;
    const int top = top_edge + r * cell_size;
    if (cell_size >= smallest_outlined_cell) {
        draw_box(left, top, left + columns * cell_size, top + rows * cell_size, palette.border,
                 fill);
    } else {
        fill_box(left, top, left + columns * cell_size - 1, top + rows * cell_size - 1, fill);
    }
}

void draw_aztec_dominoes() {
    const int order = aztec_order;
    for (int r = 0; r < 2 * order; ++r) {
        for (int c = 0; c < 2 * order; ++c) {
            if (tiling[r][c] == Partner::right) {
                draw_domino(c, r, 2, 1, palette.flat_fill);
            } else if (tiling[r][c] == Partner::below) {
                // A rise when its lower cell has the colour N mod 2.
                const bool rise = (c + r + 1) % 2 == order % 2;
                draw_domino(c, r, 1, 2, rise ? palette.rise_fill : palette.fall_fill);
            }
        }
    }
}

}  // namespace

bool in_diamond(int order, int c, int r) {
    if (r < 0 || r >= 2 * order) return false;
    const int lowest = r < order ? order - 1 - r : r - order;
    return c >= lowest && c <= 2 * order - 1 - lowest;
}

bool draw_aztec_figure(const StepKind* steps, int count, int x, int y, int cell) {
    cell_size = cell;
    left_edge = x - cell / 2;
    top_edge = y - cell / 2 - aztec_order * cell;
    return draw_figure(steps, count, x, y, cell, draw_aztec_dominoes);
}

}  // namespace aztec
