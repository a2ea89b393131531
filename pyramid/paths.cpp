// Lists the paths by placement of flats (outer) and Dyck word (inner), lays
// their figures out on pages and prints the count.
#include <cerrno>
#include <cstdio>

#include "pyramid.h"

namespace pyramid {

int path_order = 0;
std::array<StepKind, max_symbols> figure_steps{};
int cursor_x = 0;
int cursor_y = 0;
std::array<int, max_symbols> flat_starts{};
std::array<int, max_symbols> flat_mask{};
std::array<int, max_symbols> dyck_word{};
int figure_count = 0;
int count_write_error = 0;

namespace {

// A figure of order N is 16N + 1 pixels wide and 8N + 9 high; figures stand
// 15 pixels apart side by side and 24 above one another, from 16 pixels off
// the page's left edge and 4 off its top, as many to a row and rows to a
// page as fit. At order 5: anchors 95 apart from (20, 48), 8 rows of 8.
constexpr int first_column_x = 20;
int first_row_y() { return 8 * path_order + 8; }
int column_pitch() { return 16 * path_order + 15; }
int row_pitch() { return 8 * path_order + 32; }
// Past these the figure would leave the page: a new row, a new page.
int last_column_x() { return canvas_width - 1 - (16 * path_order - 4); }
int last_row_y() { return canvas_height - 1 - 4; }

// Moves the cursor to the next slot, showing the page when it is full.
void advance_cursor() {
    cursor_x += column_pitch();
    if (cursor_x > last_column_x()) {
        cursor_y += row_pitch();
        cursor_x = first_column_x;
    }
    if (cursor_y > last_row_y()) {
        show_page();
        cursor_x = first_column_x;
        cursor_y = first_row_y();
    }
}

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

void enumerate_dyck_words(int m) {
    if (m < 1 || m > max_order) return;
    for (int k = 0; k < 2 * m; ++k) dyck_word[k] = k < m ? 0 : 1;
    do {
        ++figure_count;
        merge_dyck_word();
        draw_pyramid_figure();
        advance_cursor();
    } while (next_dyck_word(m));
}

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
            // Five flats: always the last path. It takes the slot after the
            // previous figure; the cursor is not moved on and no page test
            // is made, since finish_display shows this page next.
            for (int k = 0; k < n; ++k) figure_steps[k] = StepKind::flat;
            ++figure_count;
            // Flushed now, so the count is out even if the user stops the
            // program during the last page; a failed write is reported
            // once the user has seen the pages.
            if (std::printf("%3.d", figure_count) < 0 || std::fflush(stdout) != 0) {
                count_write_error = errno;
            }
            draw_pyramid_figure();
        }
    } while (next_flat_placement());
}

void draw_all_paths() {
    path_order = requested_order >= 1 && requested_order <= max_order ? requested_order
                                                                      : default_order;
    cursor_x = first_column_x;
    cursor_y = first_row_y();
    figure_count = 0;
    count_write_error = 0;
    enumerate_flat_placements();
}

}  // namespace pyramid
