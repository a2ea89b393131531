// One pyramid figure as geometry: the path's own dominoes, diagonal stacks
// above it and diagonal runs filling the space down to the base row.
#include "pyramid.h"

namespace pyramid {

namespace {

// `count` horizontal dominoes on a diagonal from the one beside cell
// (c, r): the j-th (from 0) at (c + j, r + rows * (j + 1)).
void add_stack(FigureGeometry& geometry, int c, int r, int rows, int count) {
    for (int j = 0; j < count; ++j) {
        add_domino(geometry, c + j, r + rows * (j + 1), false, DominoRole::off_path);
    }
}

}  // namespace

FigureGeometry geometry_of(int order, const FigurePath& path) {
    FigureGeometry geometry;
    geometry.columns = 2 * order;
    geometry.rows = order + 1;
    geometry.anchor_column = 0;
    geometry.anchor_row = order;
    const int base = order;
    // Horizontal dominoes still to be stacked above the path.
    int upper_stack = order;
    int c = 0;
    int r = base;
    for (const StepKind step : path) {
        switch (step) {
        case StepKind::flat:
            add_domino(geometry, c, r, false, DominoRole::flat);
            add_stack(geometry, c, r, -1, upper_stack);
            // One domino for each row between the point and the base row.
            add_stack(geometry, c, r, +1, base - r);
            c += 2;
            --upper_stack;
            break;
        case StepKind::rise:
            add_domino(geometry, c, r - 1, true, DominoRole::rise);
            add_stack(geometry, c, r, +1, base - r);
            --upper_stack;
            ++c;
            --r;
            break;
        case StepKind::fall:
            add_domino(geometry, c, r, true, DominoRole::fall);
            add_stack(geometry, c, r, -1, upper_stack);
            ++c;
            ++r;
            break;
        case StepKind::next_path: break;  // one path: no separator
        }
    }
    add_paths(geometry, path, 0, base);
    return geometry;
}

}  // namespace pyramid
