// Lists the paths by placement of flats (outer) and Dyck word (inner), lays
// their figures out on pages and prints the count.
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "canvas.h"
#include "messages.h"
#include "pager.h"
#include "pyramid.h"

namespace pyramid {

int path_order = 0;
std::array<StepKind, max_symbols> figure_steps{};
int cursor_x = 0;
int cursor_y = 0;
std::array<int, max_symbols> flat_mask{};
int figure_count = 0;
int count_write_error = 0;

namespace {

// Entry k + 1 is 1 when a flat starts at symbol k; entry 0 is always 0.
std::array<int, max_symbols> flat_starts{};
// The rises (0) and falls (1) that fill the zeros of flat_mask.
std::array<int, max_symbols> dyck_word{};

// Fills figure_steps from flat_mask, taking the next Dyck symbol for each
// symbol that is not part of a flat.
void merge_dyck_word() {
    int taken = 0;
    for (int k = 0; k < 2 * path_order; ++k) {
        if (flat_mask[k] != 0) {
            figure_steps[k] = StepKind::flat;
        } else {
            figure_steps[k] = dyck_word[taken++] == 0 ? StepKind::rise : StepKind::fall;
        }
    }
}

// Turns dyck_word (length 2m) into its lexicographic successor; false when
// it is the last. The rightmost 011 becomes 101 and what follows it is
// refilled with the zeros that stood after it, then ones.
bool next_dyck_word(int m) {
    int zeros = 0;
    int i = 2 * m - 3;
    for (; i >= 0; --i) {
        if (dyck_word[i] == 0 && dyck_word[i + 1] == 1 && dyck_word[i + 2] == 1) break;
        if (dyck_word[i + 2] == 0) ++zeros;
    }
    if (i < 0) return false;
    dyck_word[i] = 1;
    dyck_word[i + 1] = 0;
    for (int k = i + 2; k < 2 * m; ++k) dyck_word[k] = k < i + 2 + zeros ? 0 : 1;
    return true;
}

void build_flat_mask() {
    const int n = 2 * path_order;
    for (int k = 0; k + 1 < n; ++k) flat_mask[k] = flat_starts[k + 1];
    flat_mask[n - 1] = 0;
    for (int k = 0; k + 1 < n; ++k) {
        if (flat_mask[k] == 1) {
            flat_mask[k] = 2;
            flat_mask[k + 1] = 2;
        }
    }
}

// The successor among bit strings with a leading 0 and no two neighbouring
// 1s; false when flat_starts is the last (0101...01).
bool next_flat_placement() {
    const int n = 2 * path_order;
    int k = n - 1;
    while (k >= 1 && !(flat_starts[k] == 0 && flat_starts[k - 1] == 0)) --k;
    if (k < 1) return false;
    flat_starts[k] = 1;
    for (int j = k + 1; j < n; ++j) flat_starts[j] = 0;
    return true;
}

}  // namespace

// A figure of order N is 16N + 1 pixels wide and 8N + 9 high; figures stand
// 15 pixels apart side by side and 24 above one another, from 16 pixels off
// the page's left edge and 4 off its top, as many to a row and rows to a
// page as fit wholly.
PageGrid page_grid_of(int order) {
    return {20, 8 * order + 8, 16 * order + 15, 8 * order + 32,
            canvas_width - 1 - (16 * order - 4), canvas_height - 1 - 4};
}

void enumerate_dyck_words(int m) {
    if (m < 1 || m > largest_figure_order) return;
    for (int k = 0; k < 2 * m; ++k) dyck_word[k] = k < m ? 0 : 1;
    do {
        ++figure_count;
        merge_dyck_word();
        // A figure passed over by a filter takes no slot.
        if (draw_pyramid_figure() && next_slot(page_grid_of(path_order), cursor_x, cursor_y)) {
            show_page();
        }
    } while (next_dyck_word(m));
}

namespace {

// Outer enumeration: every placement of flats, the all-flat one last.
void enumerate_flat_placements() {
    const int n = 2 * path_order;
    flat_starts.fill(0);
    do {
        build_flat_mask();
        int zeros = 0;
        for (int k = 0; k < n; ++k) zeros += flat_mask[k] == 0 ? 1 : 0;
        if (zeros > 0) {
            enumerate_dyck_words(zeros / 2);
        } else {
            // N flats: always the last path. It takes the slot after the
            // previous figure; the cursor is not moved on and no page test
            // is made, since finish_display shows this page next.
            for (int k = 0; k < n; ++k) figure_steps[k] = StepKind::flat;
            ++figure_count;
            // Flushed now, so the count is out even if the user stops the
            // program during the last page; a failed write is reported
            // once the user has seen the pages.
            if (count_printed &&
                (std::printf("%3.d", figure_count) < 0 || std::fflush(stdout) != 0)) {
                count_write_error = errno;
            }
            draw_pyramid_figure();
        }
    } while (next_flat_placement());
}

}  // namespace

void draw_every_figure() {
    path_order = chosen_order(orders);
    const PageGrid grid = page_grid_of(path_order);
    cursor_x = grid.first_x;
    cursor_y = grid.first_y;
    figure_count = 0;
    count_write_error = 0;
    enumerate_flat_placements();
}

void report_unwritten_count() {
    if (count_write_error != 0) {
        fail("cannot write the count to standard output", std::strerror(count_write_error));
    }
}

}  // namespace pyramid
