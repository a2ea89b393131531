// Lists the arrangements of each a and lays their figures out on pages.
#include "diamond.h"

namespace diamond {

int diamond_order = default_order;
Arrangement arrangement{};
std::array<int, 3> kind_counts{};
int cursor_x = 0;
int cursor_y = 0;

namespace {
// A figure of order N is 20N + 1 pixels wide and 20N + 11 high; figures
// stand 20 pixels apart side by side and 10 above one another, 5 pixels
// from the page's left and top edges. At order 4: anchors 100 apart from
// (10, 50), 8 to a row, 5 rows (the page keeps the bottom margin the
// program has always had, where a sixth row would just fit).
constexpr int first_column_x = 10;
int first_row_y() { return 10 * diamond_order + 10; }
int figure_pitch() { return 20 * diamond_order + 20; }
int last_column_x() { return canvas_width - 20 * diamond_order; }  // past it: a new row
int last_row_y() { return canvas_height - 20 * diamond_order; }    // past it: the page is full
}  // namespace

void swap_steps(int i, int j) {
    const StepKind step = arrangement[i];
    arrangement[i] = arrangement[j];
    arrangement[j] = step;
}

void reverse_steps(int i, int j) {
    for (; i < j; ++i, --j) swap_steps(i, j);
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

void enumerate_arrangements(int a) {
    if (a < 0 || a > diamond_order || a + diamond_order > max_steps) return;
    kind_counts = {a, a, diamond_order - a};
    const int n = a + diamond_order;
    int i = 0;
    for (const StepKind kind : {StepKind::rise, StepKind::fall, StepKind::flat}) {
        for (int c = 0; c < kind_counts[static_cast<int>(kind)]; ++c) arrangement[i++] = kind;
    }
    do {
        upper_stack = diamond_order;
        lower_stack = diamond_order;
        draw_diamond_figure(a, cursor_x, cursor_y);
        cursor_x += figure_pitch();
        if (cursor_x > last_column_x()) {
            cursor_y += figure_pitch();
            cursor_x = first_column_x;
        }
        // Before the successor is sought: a page filled by the last
        // arrangement of this a is shown now, and the next a starts afresh.
        if (cursor_y > last_row_y()) {
            show_page();
            cursor_x = first_column_x;
            cursor_y = first_row_y();
        }
    } while (next_arrangement(n));
}

void draw_all_arrangements() {
    diamond_order = requested_order >= 1 && requested_order <= max_order ? requested_order
                                                                         : default_order;
    cursor_x = first_column_x;
    cursor_y = first_row_y();
    for (int a = 0; a <= diamond_order; ++a) enumerate_arrangements(a);
}

}  // namespace diamond
