// Lists the arrangements of each a and lays their figures out on pages.
#include "canvas.h"
#include "diamond.h"
#include "pager.h"

namespace diamond {

int diamond_order = orders.usual;
Arrangement arrangement{};

namespace {

// Rises, falls and flats of the current a: (a, a, N - a).
std::array<int, 3> kind_counts{};
// Anchor of the next figure: the centre of its path's first cell.
int cursor_x = 0;
int cursor_y = 0;

void swap_steps(int i, int j) {
    const StepKind step = arrangement[i];
    arrangement[i] = arrangement[j];
    arrangement[j] = step;
}

// Reverses entries i ... j.
void reverse_steps(int i, int j) {
    for (; i < j; ++i, --j) swap_steps(i, j);
}

// Draws every arrangement for this a, laid out row by row.
void enumerate_arrangements(int a) {
    if (a < 0 || a > diamond_order || a + diamond_order > max_steps) return;
    kind_counts = {a, a, diamond_order - a};
    const int n = a + diamond_order;
    int i = 0;
    for (const StepKind kind : {StepKind::rise, StepKind::fall, StepKind::flat}) {
        for (int c = 0; c < kind_counts[static_cast<int>(kind)]; ++c) arrangement[i++] = kind;
    }
    do {
        // Before the successor is sought: a page filled by the last
        // arrangement of this a is shown now, and the next a starts afresh.
        // A figure passed over by a filter takes no slot.
        if (draw_diamond_figure(a, cursor_x, cursor_y) &&
            next_slot(page_grid_of(diamond_order), cursor_x, cursor_y)) {
            show_page();
        }
    } while (next_arrangement(n));
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

bool next_arrangement(int n) {
    int k = n - 1;
    while (k >= 1 && !(arrangement[k - 1] < arrangement[k])) --k;
    if (k < 1) return false;
    const int p = k - 1;
    int l = n - 1;
    while (!(arrangement[l] > arrangement[p])) --l;
    swap_steps(p, l);
    reverse_steps(p + 1, n - 1);
    return true;
}

void draw_every_figure() {
    diamond_order = chosen_order(orders);
    const PageGrid grid = page_grid_of(diamond_order);
    cursor_x = grid.first_x;
    cursor_y = grid.first_y;
    for (int a = 0; a <= diamond_order; ++a) enumerate_arrangements(a);
}

}  // namespace diamond
