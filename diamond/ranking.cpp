// The arrangements of order N counted rather than listed, in the order
// they are drawn: a = 0, 1, ..., N, and within each a lexicographically,
// rise < fall < flat.
#include <array>

#include "diamond.h"

namespace diamond {

namespace {

// Arrangements of r rises, d falls and f flats.
BigCount arrangements(int r, int d, int f) { return binomial(r + d + f, r) * binomial(d + f, d); }

// Arrangements of `left` (rises, falls, flats), as counts by kind.
BigCount arrangements(const std::array<int, 3>& left) {
    return arrangements(left[0], left[1], left[2]);
}

// The arrangements of order N with fewer than a rises.
BigCount before_a(int order, int a) {
    BigCount before = 0;
    for (int fewer = 0; fewer < a; ++fewer) before += arrangements(fewer, fewer, order - fewer);
    return before;
}

BigCount figure_total(int order) { return before_a(order, order + 1); }

bool unrank_figure(int order, const BigCount& number, FigurePath& path) {
    if (order < 1 || order > largest_figure_order || number < 1 || number > figure_total(order)) {
        return false;
    }
    BigCount rest = number - 1;
    int a = 0;
    while (rest >= arrangements(a, a, order - a)) rest -= arrangements(a, a, order - a), ++a;
    std::array<int, 3> left = {a, a, order - a};
    path.count = order + a;
    for (int i = 0; i < path.count; ++i) {
        // The first kind whose arrangements of what is left reach the rest.
        for (int kind = 0; kind < 3; ++kind) {
            if (left[kind] == 0) continue;
            --left[kind];
            const BigCount here = arrangements(left);
            if (rest < here) {
                path.steps[i] = static_cast<StepKind>(kind);
                break;
            }
            rest -= here;
            ++left[kind];
        }
    }
    return true;
}

BigCount rank_figure(int order, const FigurePath& path) {
    std::array<int, 3> left = {0, 0, 0};
    for (int i = 0; i < path.count; ++i) {
        if (path.steps[i] == StepKind::next_path) return 0;
        ++left[static_cast<int>(path.steps[i])];
    }
    const int a = left[0];
    if (order < 1 || order > largest_figure_order || left[1] != a || left[2] != order - a) {
        return 0;
    }
    BigCount number = before_a(order, a) + 1;
    for (int i = 0; i < path.count; ++i) {
        const int kind = static_cast<int>(path.steps[i]);
        // Every arrangement that has a smaller kind here comes first.
        for (int smaller = 0; smaller < kind; ++smaller) {
            if (left[smaller] == 0) continue;
            --left[smaller];
            number += arrangements(left);
            ++left[smaller];
        }
        --left[kind];
    }
    return number;
}

StepRange step_range(int order) { return {order, 2 * order}; }

void draw_one_figure(int order, const FigurePath& path) {
    diamond_order = order;
    int a = 0;
    for (int i = 0; i < path.count && i < max_steps; ++i) {
        arrangement[i] = path.steps[i];
        a += path.steps[i] == StepKind::rise ? 1 : 0;
    }
    const PageGrid grid = page_grid_of(order);
    draw_diamond_figure(a, grid.first_x, grid.first_y);
}

}  // namespace

const FigureCounting figure_counting = {largest_figure_order, figure_total, unrank_figure,
                                        rank_figure,          step_range,   draw_one_figure,
                                        PathCounting::anywhere};
const RandomDrawing random_drawing = {largest_figure_order, nullptr, nullptr};

}  // namespace diamond
