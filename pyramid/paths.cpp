// Lists the paths by placement of flats (outer) and Dyck word (inner), lays
// their figures out on pages and prints the count.
#include <algorithm>
#include <cerrno>
#include <cstdio>

#include "canvas.h"
#include "pager.h"
#include "pyramid.h"

namespace pyramid {

namespace {

// Where the run is: the placement of flats as a mask of the 2N symbols (2
// where the symbol belongs to a flat, 0 where a rise or fall goes), the
// figures drawn so far, and the anchor of the next figure (x the centre of
// the path's first cell, y the centre of the base row).
struct Walk {
    Run& run;
    PageGrid grid;
    std::vector<int> flat_mask;
    int figure_count;
    int cursor_x;
    int cursor_y;
    int count_write_error;
};

// The path of flat_mask with the rises (0) and falls (1) of `word` in its
// other symbols, a flat once.
FigurePath merged_path(const std::vector<int>& flat_mask, const std::vector<int>& word) {
    FigurePath path;
    std::size_t taken = 0;
    for (std::size_t k = 0; k < flat_mask.size(); ++k) {
        if (flat_mask[k] != 0) {
            path.push_back(StepKind::flat);
            ++k;  // a flat's second symbol is never read
            continue;
        }
        path.push_back(word[taken++] == 0 ? StepKind::rise : StepKind::fall);
    }
    return path;
}

std::vector<int> flat_mask_of(const std::vector<int>& starts) {
    const std::size_t n = starts.size();
    std::vector<int> mask(n, 0);
    for (std::size_t k = 0; k + 1 < n; ++k) mask[k] = starts[k + 1];
    for (std::size_t k = 0; k + 1 < n; ++k) {
        if (mask[k] == 1) {
            mask[k] = 2;
            mask[k + 1] = 2;
        }
    }
    return mask;
}

void enumerate_dyck_words(Walk& walk, int m) {
    std::vector<int> word(2 * static_cast<std::size_t>(m), 1);
    std::fill(word.begin(), word.begin() + m, 0);
    do {
        ++walk.figure_count;
        // A figure passed over by a filter takes no slot.
        if (place_figure(walk.run, merged_path(walk.flat_mask, word), walk.cursor_x,
                         walk.cursor_y) &&
            next_slot(walk.grid, walk.cursor_x, walk.cursor_y)) {
            show_page(walk.run);
        }
    } while (next_dyck_word(word, m));
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

// The rightmost 011 becomes 101 and what follows it is refilled with the
// zeros that stood after it, then ones.
bool next_dyck_word(std::vector<int>& word, int m) {
    int zeros = 0;
    int i = 2 * m - 3;
    const auto at = [&word](int k) { return word[static_cast<std::size_t>(k)]; };
    for (; i >= 0; --i) {
        if (at(i) == 0 && at(i + 1) == 1 && at(i + 2) == 1) break;
        if (at(i + 2) == 0) ++zeros;
    }
    if (i < 0) return false;
    word[static_cast<std::size_t>(i)] = 1;
    word[static_cast<std::size_t>(i) + 1] = 0;
    for (int k = i + 2; k < 2 * m; ++k) word[static_cast<std::size_t>(k)] = k < i + 2 + zeros ? 0 : 1;
    return true;
}

bool next_flat_placement(std::vector<int>& starts) {
    const int n = static_cast<int>(starts.size());
    const auto at = [&starts](int k) { return starts[static_cast<std::size_t>(k)]; };
    int k = n - 1;
    while (k >= 1 && !(at(k) == 0 && at(k - 1) == 0)) --k;
    if (k < 1) return false;
    starts[static_cast<std::size_t>(k)] = 1;
    for (int j = k + 1; j < n; ++j) starts[static_cast<std::size_t>(j)] = 0;
    return true;
}

int draw_every_figure(Run& run) {
    const PageGrid grid = page_grid_of(run.order);
    Walk walk{run, grid, {}, 0, grid.first_x, grid.first_y, 0};
    const std::size_t n = 2 * static_cast<std::size_t>(run.order);
    // Outer enumeration: every placement of flats, the all-flat one last.
    std::vector<int> starts(n, 0);
    do {
        walk.flat_mask = flat_mask_of(starts);
        const int zeros =
            static_cast<int>(std::count(walk.flat_mask.begin(), walk.flat_mask.end(), 0));
        if (zeros > 0) {
            enumerate_dyck_words(walk, zeros / 2);
            continue;
        }
        // N flats: always the last path. It takes the slot after the
        // previous figure; the cursor is not moved on and no page test is
        // made, since finish_display shows this page next.
        ++walk.figure_count;
        // Flushed now, so the count is out even if the user stops the
        // program during the last page; a failed write is told once the
        // user has seen the pages.
        if (run.count_printed &&
            (std::printf("%3.d", walk.figure_count) < 0 || std::fflush(stdout) != 0)) {
            walk.count_write_error = errno;
        }
        place_figure(run, FigurePath(static_cast<std::size_t>(run.order), StepKind::flat),
                     walk.cursor_x, walk.cursor_y);
    } while (next_flat_placement(starts));
    return walk.count_write_error;
}

}  // namespace pyramid
