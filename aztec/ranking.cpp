// The tilings of the Aztec diamond counted: 2^(N(N + 1) / 2) of them (the
// Aztec diamond theorem). At the orders drawn page by page, at most 32,768,
// a tiling's number is found by walking the families of paths in order.
#include <algorithm>

#include "aztec.h"

namespace aztec {

namespace {

// What the walk is looking for, and what it found.
BigCount wanted_number = 0;
BigCount walked_number = 0;
const FigurePath* wanted_path = nullptr;
FigurePath* found_path = nullptr;
bool found = false;

bool stop_at_number(const StepKind* steps, int count) {
    walked_number += 1;
    if (walked_number != wanted_number) return true;
    found_path->count = count;
    std::copy(steps, steps + count, found_path->steps.begin());
    return false;
}

bool stop_at_path(const StepKind* steps, int count) {
    walked_number += 1;
    found = count == wanted_path->count &&
            std::equal(steps, steps + count, wanted_path->steps.begin());
    return !found;
}

}  // namespace

BigCount figure_total(int order) {
    return order < 1 || order > largest_random_order ? BigCount(0)
                                                     : BigCount(1) << (order * (order + 1) / 2);
}

bool unrank_figure(int order, const BigCount& number, FigurePath& path) {
    if (order < 1 || order > largest_figure_order || number < 1 || number > figure_total(order)) {
        return false;
    }
    wanted_number = number;
    walked_number = 0;
    found_path = &path;
    walk_families(order, stop_at_number);
    return walked_number == number;
}

BigCount rank_figure(int order, const FigurePath& path) {
    if (order < 1 || order > largest_figure_order || !tiling_of_paths(order, path)) return 0;
    wanted_path = &path;
    walked_number = 0;
    found = false;
    walk_families(order, stop_at_path);
    return found ? walked_number : BigCount(0);
}

// N paths of N, N - 1, ..., 1 flats, or of twice as many rises and falls,
// and a separator between two.
StepRange step_range(int order) {
    const int flats = order * (order + 1) / 2;
    return {flats + order - 1, 2 * flats + order - 1};
}

void draw_one_figure(int order, const FigurePath& path) {
    aztec_order = order;
    if (!tiling_of_paths(order, path)) return;
    const PageGrid grid = page_grid_of(order);
    draw_aztec_figure(path.steps.data(), path.count, grid.first_x, grid.first_y, 10);
}

}  // namespace aztec
