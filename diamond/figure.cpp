// One diamond figure as geometry: the path's own dominoes, with diagonal
// stacks of horizontal dominoes filling the diamond above and below it.
#include "diamond.h"

namespace diamond {

namespace {

// `count` horizontal dominoes on a diagonal from the one beside cell
// (c, r): the j-th (from 0) at (c + j, r + rows * (j + 1)); rows = -1
// climbs to the upper right, rows = +1 falls to the lower right.
void add_stack(FigureGeometry& geometry, int c, int r, int rows, int count) {
    for (int j = 0; j < count; ++j) {
        add_domino(geometry, c + j, r + rows * (j + 1), false, DominoRole::off_path);
    }
}

}  // namespace

FigureGeometry geometry_of(int order, const FigurePath& path) {
    FigureGeometry geometry;
    geometry.columns = 2 * order;
    geometry.rows = 2 * order + 1;
    geometry.anchor_column = 0;
    geometry.anchor_row = order;
    // Horizontal dominoes still to be stacked above and below the path: N
    // at the start, and both back at 0 at its end.
    int upper_stack = order;
    int lower_stack = order;
    int c = 0;
    int r = order;
    for (const StepKind step : path) {
        switch (step) {
        case StepKind::flat:
            add_domino(geometry, c, r, false, DominoRole::flat);
            add_stack(geometry, c, r, -1, upper_stack);
            add_stack(geometry, c, r, +1, lower_stack);
            c += 2;
            --lower_stack;
            --upper_stack;
            break;
        case StepKind::rise:
            add_domino(geometry, c, r - 1, true, DominoRole::rise);
            add_stack(geometry, c, r, +1, lower_stack);
            --upper_stack;
            ++c;
            --r;
            break;
        case StepKind::fall:
            add_domino(geometry, c, r, true, DominoRole::fall);
            add_stack(geometry, c, r, -1, upper_stack);
            --lower_stack;
            ++c;
            ++r;
            break;
        case StepKind::next_path: break;  // one path: no separator
        }
    }
    add_paths(geometry, path, 0, order);
    return geometry;
}

}  // namespace diamond
