// Lists the arrangements of each a and lays their figures out on pages.
#include "diamond.h"

namespace diamond {

Arrangement arrangement{};
std::array<int, 3> kind_counts{};
int cursor_x = 0;
int cursor_y = 0;

namespace {
constexpr int first_column_x = 10;
constexpr int first_row_y = 50;
constexpr int figure_pitch = 100;
constexpr int last_column_x = 720;  // a cursor past this starts a new row
constexpr int last_row_y = 520;     // a cursor past this means the page is full
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
    if (a < 0 || a > 4) return;
    kind_counts = {a, a, 4 - a};
    const int n = a + 4;
    int i = 0;
    for (const StepKind kind : {StepKind::rise, StepKind::fall, StepKind::flat}) {
        for (int c = 0; c < kind_counts[static_cast<int>(kind)]; ++c) arrangement[i++] = kind;
    }
    do {
        upper_stack = 4;
        lower_stack = 4;
        draw_diamond_figure(a, cursor_x, cursor_y);
        cursor_x += figure_pitch;
        if (cursor_x > last_column_x) {
            cursor_y += figure_pitch;
            cursor_x = first_column_x;
        }
        // Before the successor is sought: a page filled by the last
        // arrangement of this a is shown now, and the next a starts afresh.
        if (cursor_y > last_row_y) {
            show_page();
            cursor_x = first_column_x;
            cursor_y = first_row_y;
        }
    } while (next_arrangement(n));
}

void draw_all_arrangements() {
    cursor_x = first_column_x;
    cursor_y = first_row_y;
    for (int a = 0; a <= 4; ++a) enumerate_arrangements(a);
}

}  // namespace diamond
