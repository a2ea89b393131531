// The tilings of the Aztec diamond as families of nested paths, walked in
// the family's order, the outermost path first, each step compared as
// rise < fall < flat; laid out on pages.
#include "aztec.h"
#include "canvas.h"
#include "pager.h"

namespace aztec {

namespace {

// What the walk is at: the cells its paths hold, and their steps so far.
struct Walk {
    int order;
    std::vector<bool> taken;
    FigurePath walked;
    const std::function<bool(const FigurePath& path)>& visit;
};

bool free_cell(const Walk& walk, int c, int r) {
    return in_diamond(walk.order, c, r) &&
           !walk.taken[static_cast<std::size_t>(r) * 2 * static_cast<std::size_t>(walk.order) +
                       static_cast<std::size_t>(c)];
}

void take(Walk& walk, int c, int r, bool taken) {
    walk.taken[static_cast<std::size_t>(r) * 2 * static_cast<std::size_t>(walk.order) +
               static_cast<std::size_t>(c)] = taken;
}

// Tries one step of path `path`, covering cells (c, r) and (c2, r2), then
// goes on from (next_c, next_r); false once the walk is to stop.
bool walk_from(Walk& walk, int path, int c, int r);
bool try_step(Walk& walk, int path, StepKind step, int c, int r, int c2, int r2, int next_c,
              int next_r) {
    if (!free_cell(walk, c, r) || !free_cell(walk, c2, r2)) return true;
    take(walk, c, r, true);
    take(walk, c2, r2, true);
    walk.walked.push_back(step);
    const bool go_on = walk_from(walk, path, next_c, next_r);
    walk.walked.pop_back();
    take(walk, c, r, false);
    take(walk, c2, r2, false);
    return go_on;
}

bool walk_from(Walk& walk, int path, int c, int r) {
    const int base = walk.order + path;
    const int end = 2 * walk.order - path;
    if (c == end) {
        if (path + 1 == walk.order) return walk.visit(walk.walked);
        walk.walked.push_back(StepKind::next_path);
        const bool go_on = walk_from(walk, path + 1, path + 1, base + 1);
        walk.walked.pop_back();
        return go_on;
    }
    // Only steps after which the path can still come back to its row.
    const int room = end - c;
    const int height = base - r;
    if (height + 1 <= room - 1 &&
        !try_step(walk, path, StepKind::rise, c, r, c, r - 1, c + 1, r - 1)) {
        return false;
    }
    if (height >= 1 && height - 1 <= room - 1 &&
        !try_step(walk, path, StepKind::fall, c, r, c, r + 1, c + 1, r + 1)) {
        return false;
    }
    if (room >= 2 && height <= room - 2 &&
        !try_step(walk, path, StepKind::flat, c, r, c + 1, r, c + 2, r)) {
        return false;
    }
    return true;
}

}  // namespace

void walk_families(int order, const std::function<bool(const FigurePath& path)>& visit) {
    if (order < 1 || order > orders.largest) return;
    const std::size_t side = 2 * static_cast<std::size_t>(order);
    Walk walk{order, std::vector<bool>(side * side, false), {}, visit};
    walk_from(walk, 0, 0, order);
}

// Figures of order N are 20N + 1 pixels square, 19 pixels apart.
PageGrid page_grid_of(int order) {
    const int pitch = 20 * order + 20;
    return {10, 10 * order + 10, pitch, pitch, canvas_width - 1 - 20 * order,
            canvas_height - 1 - 10 * order};
}

int draw_every_figure(Run& run) {
    const PageGrid grid = page_grid_of(run.order);
    // Anchor of the next figure: the centre of cell (0, N).
    int cursor_x = grid.first_x;
    int cursor_y = grid.first_y;
    walk_families(run.order, [&run, &grid, &cursor_x, &cursor_y](const FigurePath& path) {
        // A figure passed over by a filter takes no slot.
        if (place_figure(run, path, cursor_x, cursor_y) && next_slot(grid, cursor_x, cursor_y)) {
            show_page(run);
        }
        return true;
    });
    return 0;
}

}  // namespace aztec
