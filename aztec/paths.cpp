// The tilings of the Aztec diamond as families of nested paths: read from a
// tiling, made into one, and walked in the family's order, the outermost
// path first, each step compared as rise < fall < flat; laid out on pages.
#include <algorithm>

#include "aztec.h"
#include "canvas.h"
#include "pager.h"

namespace aztec {

namespace {

constexpr int half_cell = 5;
constexpr int cell = 2 * half_cell;

// What the walk is at: the cells its paths hold, and their steps so far.
int walk_order = 0;
constexpr std::size_t largest_side_walked = 2 * static_cast<std::size_t>(orders.largest);
std::array<std::array<bool, largest_side_walked>, largest_side_walked> taken{};
std::array<StepKind, max_figure_steps> walked{};
int walked_count = 0;
bool (*visit_family)(const StepKind* steps, int count) = nullptr;

bool free_cell(int c, int r) { return in_diamond(walk_order, c, r) && !taken[r][c]; }

// Tries one step of path `path`, covering cells (c, r) and (c2, r2), then
// goes on from (next_c, next_r); false once the walk is to stop.
bool walk_from(int path, int c, int r);
bool try_step(int path, StepKind step, int c, int r, int c2, int r2, int next_c, int next_r) {
    if (!free_cell(c, r) || !free_cell(c2, r2)) return true;
    taken[r][c] = taken[r2][c2] = true;
    walked[walked_count++] = step;
    const bool go_on = walk_from(path, next_c, next_r);
    --walked_count;
    taken[r][c] = taken[r2][c2] = false;
    return go_on;
}

bool walk_from(int path, int c, int r) {
    const int base = walk_order + path;
    const int end = 2 * walk_order - path;
    if (c == end) {
        if (path + 1 == walk_order) return visit_family(walked.data(), walked_count);
        walked[walked_count++] = StepKind::next_path;
        const bool go_on = walk_from(path + 1, path + 1, base + 1);
        --walked_count;
        return go_on;
    }
    // Only steps after which the path can still come back to its row.
    const int room = end - c;
    const int height = base - r;
    if (height + 1 <= room - 1 &&
        !try_step(path, StepKind::rise, c, r, c, r - 1, c + 1, r - 1)) {
        return false;
    }
    if (height >= 1 && height - 1 <= room - 1 &&
        !try_step(path, StepKind::fall, c, r, c, r + 1, c + 1, r + 1)) {
        return false;
    }
    if (room >= 2 && height <= room - 2 &&
        !try_step(path, StepKind::flat, c, r, c + 1, r, c + 2, r)) {
        return false;
    }
    return true;
}

// Anchor of the next figure: the centre of cell (0, N).
int cursor_x = 0;
int cursor_y = 0;

bool draw_family(const StepKind* steps, int count) {
    FigurePath path{};
    path.count = count;
    std::copy(steps, steps + count, path.steps.begin());
    tiling_of_paths(aztec_order, path);
    // A figure passed over by a filter takes no slot.
    if (draw_aztec_figure(steps, count, cursor_x, cursor_y, cell) &&
        next_slot(page_grid_of(aztec_order), cursor_x, cursor_y)) {
        show_page();
    }
    return true;
}

}  // namespace

void walk_families(int order, bool (*visit)(const StepKind* steps, int count)) {
    if (order < 1 || order > orders.largest) return;
    walk_order = order;
    visit_family = visit;
    for (auto& row : taken) row.fill(false);
    walked_count = 0;
    walk_from(0, 0, order);
}

int paths_of_tiling(int order, StepKind* steps, int room) {
    int count = 0;
    for (int path = 0; path < order; ++path) {
        if (path > 0) {
            if (count == room) return -1;
            steps[count++] = StepKind::next_path;
        }
        int c = path;
        int r = order + path;
        while (c < 2 * order - path) {
            if (count == room) return -1;
            switch (tiling[r][c]) {
            case Partner::right: steps[count++] = StepKind::flat; c += 2; break;
            case Partner::above: steps[count++] = StepKind::rise; ++c; --r; break;
            case Partner::below: steps[count++] = StepKind::fall; ++c; ++r; break;
            case Partner::left:
            case Partner::none: return -1;
            }
        }
    }
    return count;
}

bool tiling_of_paths(int order, const FigurePath& path) {
    if (order < 1 || order > largest_random_order) return false;
    const int side = 2 * order;
    for (int row = 0; row < side; ++row) {
        std::fill(tiling[row].begin(), tiling[row].begin() + side, Partner::none);
    }
    // Two cells made one domino, each of them free and in the diamond.
    const auto join = [order](int c, int r, Partner here, int c2, int r2, Partner there) {
        if (!in_diamond(order, c, r) || !in_diamond(order, c2, r2) ||
            tiling[r][c] != Partner::none || tiling[r2][c2] != Partner::none) {
            return false;
        }
        tiling[r][c] = here;
        tiling[r2][c2] = there;
        return true;
    };
    int path_index = 0;
    int c = 0;
    int r = order;
    for (int i = 0; i <= path.count; ++i) {
        const bool path_ends = i == path.count || path.steps[i] == StepKind::next_path;
        if (path_ends) {
            // Back on its row at the lower right side, the next one a row
            // lower and a cell further in.
            if (c != side - path_index || r != order + path_index) return false;
            ++path_index;
            c = path_index;
            r = order + path_index;
            continue;
        }
        if (path_index >= order) return false;
        bool joined = false;
        switch (path.steps[i]) {
        case StepKind::rise:
            joined = join(c, r, Partner::above, c, r - 1, Partner::below);
            ++c;
            --r;
            break;
        case StepKind::fall:
            // Never below the path's own row.
            joined = r + 1 <= order + path_index &&
                     join(c, r, Partner::below, c, r + 1, Partner::above);
            ++c;
            ++r;
            break;
        case StepKind::flat:
            joined = join(c, r, Partner::right, c + 1, r, Partner::left);
            c += 2;
            break;
        case StepKind::next_path: break;
        }
        if (!joined) return false;
    }
    if (path_index != order) return false;
    // The cells on no path, side by side in their rows.
    for (int row = 0; row < side; ++row) {
        for (int column = 0; column < side; ++column) {
            if (!in_diamond(order, column, row) || tiling[row][column] != Partner::none) continue;
            if (!join(column, row, Partner::right, column + 1, row, Partner::left)) return false;
        }
    }
    return true;
}

// Figures of order N are 20N + 1 pixels square, 19 pixels apart.
PageGrid page_grid_of(int order) {
    const int pitch = 20 * order + 20;
    return {10, 10 * order + 10, pitch, pitch, canvas_width - 1 - 20 * order,
            canvas_height - 1 - 10 * order};
}

void draw_every_figure() {
    aztec_order = chosen_order(orders);
    const PageGrid grid = page_grid_of(aztec_order);
    cursor_x = grid.first_x;
    cursor_y = grid.first_y;
    walk_families(aztec_order, draw_family);
}

}  // namespace aztec
