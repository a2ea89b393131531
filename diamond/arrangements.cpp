// Lists the arrangements of each a and lays their figures out on pages.
#include "canvas.h"
#include "diamond.h"
#include "pager.h"

namespace diamond {

namespace {

// Where the run is: the arrangement being drawn and the anchor of the next
// figure (the centre of its path's first cell).
struct Walk {
    Run& run;
    PageGrid grid;
    FigurePath arrangement;
    int cursor_x;
    int cursor_y;
};

void swap_steps(FigurePath& arrangement, int i, int j) {
    const StepKind step = arrangement[static_cast<std::size_t>(i)];
    arrangement[static_cast<std::size_t>(i)] = arrangement[static_cast<std::size_t>(j)];
    arrangement[static_cast<std::size_t>(j)] = step;
}

// Reverses entries i ... j.
void reverse_steps(FigurePath& arrangement, int i, int j) {
    for (; i < j; ++i, --j) swap_steps(arrangement, i, j);
}

// Draws every arrangement for this a, laid out row by row.
void enumerate_arrangements(Walk& walk, int a) {
    const int order = walk.run.order;
    // Rises, falls and flats of this a: (a, a, N - a), in ascending order.
    walk.arrangement.assign(static_cast<std::size_t>(a), StepKind::rise);
    walk.arrangement.insert(walk.arrangement.end(), static_cast<std::size_t>(a), StepKind::fall);
    walk.arrangement.insert(walk.arrangement.end(), static_cast<std::size_t>(order - a),
                            StepKind::flat);
    const int n = a + order;
    do {
        // Before the successor is sought: a page filled by the last
        // arrangement of this a is shown now, and the next a starts afresh.
        // A figure passed over by a filter takes no slot.
        if (place_figure(walk.run, walk.arrangement, walk.cursor_x, walk.cursor_y) &&
            next_slot(walk.grid, walk.cursor_x, walk.cursor_y)) {
            show_page(walk.run);
        }
    } while (next_arrangement(walk.arrangement, n));
}

}  // namespace

// A figure of order N is 20N + 1 pixels wide and 20N + 11 high; figures
// stand 20 pixels apart side by side and 10 above one another, 5 pixels
// from the page's left and top edges. The page keeps the bottom margin the
// program has always had at order 4, where a sixth row would just fit.
PageGrid page_grid_of(int order) {
    const int pitch = 20 * order + 20;
    return {10, 10 * order + 10, pitch, pitch, canvas_width - 20 * order,
            canvas_height - 20 * order};
}

bool next_arrangement(FigurePath& arrangement, int n) {
    const auto at = [&arrangement](int i) { return arrangement[static_cast<std::size_t>(i)]; };
    int k = n - 1;
    while (k >= 1 && !(at(k - 1) < at(k))) --k;
    if (k < 1) return false;
    const int p = k - 1;
    int l = n - 1;
    while (!(at(l) > at(p))) --l;
    swap_steps(arrangement, p, l);
    reverse_steps(arrangement, p + 1, n - 1);
    return true;
}

int draw_every_figure(Run& run) {
    const PageGrid grid = page_grid_of(run.order);
    Walk walk{run, grid, {}, grid.first_x, grid.first_y};
    for (int a = 0; a <= run.order; ++a) enumerate_arrangements(walk, a);
    return 0;
}

}  // namespace diamond
