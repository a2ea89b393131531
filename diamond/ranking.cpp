// The arrangements of order N counted rather than listed, in the order
// they are drawn: a = 0, 1, ..., N, and within each a lexicographically,
// rise < fall < flat.
#include <array>

#include "diamond.h"
#include "joint_counts.h"

namespace diamond {

namespace {

// Arrangements of r rises, d falls and f flats.
BigCount arrangements(const Binomials& table, int r, int d, int f) {
    return binomial(table, r + d + f, r) * binomial(table, d + f, d);
}

// Arrangements of `left` (rises, falls, flats), as counts by kind.
BigCount arrangements(const Binomials& table, const std::array<int, 3>& left) {
    return arrangements(table, left[0], left[1], left[2]);
}

// The arrangements of order N with fewer than a rises.
BigCount before_a(const Binomials& table, int order, int a) {
    BigCount before = 0;
    for (int fewer = 0; fewer < a; ++fewer) {
        before += arrangements(table, fewer, fewer, order - fewer);
    }
    return before;
}

// Binomials enough for every arrangement of order N: at most 2N steps.
Binomials binomials_of(int order) { return binomials_up_to(2 * order); }

BigCount figure_total(int order) {
    return before_a(binomials_of(order), order, order + 1);
}

bool unrank_figure(int order, const BigCount& number, FigurePath& path) {
    if (order < 1 || order > largest_figure_order) return false;
    const Binomials table = binomials_of(order);
    if (number < 1 || number > before_a(table, order, order + 1)) return false;
    BigCount rest = number - 1;
    int a = 0;
    while (rest >= arrangements(table, a, a, order - a)) {
        rest -= arrangements(table, a, a, order - a);
        ++a;
    }
    std::array<int, 3> left = {a, a, order - a};
    path.assign(static_cast<std::size_t>(order + a), StepKind::flat);
    for (StepKind& step : path) {
        // The first kind whose arrangements of what is left reach the rest.
        for (int kind = 0; kind < 3; ++kind) {
            if (left[kind] == 0) continue;
            --left[kind];
            const BigCount here = arrangements(table, left);
            if (rest < here) {
                step = static_cast<StepKind>(kind);
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
    for (const StepKind step : path) {
        if (step == StepKind::next_path) return 0;
        ++left[static_cast<int>(step)];
    }
    const int a = left[0];
    if (order < 1 || order > largest_figure_order || left[1] != a || left[2] != order - a) {
        return 0;
    }
    const Binomials table = binomials_of(order);
    BigCount number = before_a(table, order, a) + 1;
    for (const StepKind step : path) {
        const int kind = static_cast<int>(step);
        // Every arrangement that has a smaller kind here comes first.
        for (int smaller = 0; smaller < kind; ++smaller) {
            if (left[smaller] == 0) continue;
            --left[smaller];
            number += arrangements(table, left);
            ++left[smaller];
        }
        --left[kind];
    }
    return number;
}

StepRange step_range(int order) { return {order, 2 * order, 1}; }

// Its paths go anywhere from their row back to it.
bool count(const CountQuestion& question, CountGrid& grid) {
    if (question.order < 1 || question.order > largest_order_for(path_count_limits, question)) {
        return false;
    }
    count_paths(false, question, grid);
    return true;
}

}  // namespace

const FigureCounting figure_counting = {largest_figure_order, figure_total, unrank_figure,
                                        rank_figure,          step_range,   count,
                                        path_count_limits};
const RandomDrawing random_drawing = {largest_figure_order, nullptr};

}  // namespace diamond
