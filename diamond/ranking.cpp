// The arrangements of order N counted rather than listed, in the order
// they are drawn: a = 0, 1, ..., N, and within each a lexicographically,
// rise < fall < flat.
#include <array>
#include <cstdint>
#include <utility>

#include "diamond.h"
#include "joint_counts.h"

namespace diamond {

namespace {

// Big-number work grows with the order only: no table of binomials (at
// order 1,000, two million numbers of up to 2,000 bits), but each count
// from the one before by a ratio of small numbers.

// The arrangements of a rises, a falls and N - a flats, (N + a)! / (a!^2
// (N - a)!), for a = 0, 1, ...: each from the one before.
void next_with_rises(BigCount& arrangements, int order, int a) {
    scale_exactly(arrangements, static_cast<std::uint64_t>(order + a + 1) * static_cast<std::uint64_t>(order - a),
                  static_cast<std::uint64_t>(a + 1) * static_cast<std::uint64_t>(a + 1));
}

// The arrangements of what is `left` (rises, falls, flats), `steps` of
// them in all, are `arrangements`; those that begin with a step of `kind`
// are that many times left[kind] / steps.
BigCount beginning_with(const BigCount& arrangements, const std::array<int, 3>& left, int steps,
                        int kind) {
    BigCount those = arrangements;
    scale_exactly(those, static_cast<std::uint64_t>(left[static_cast<std::size_t>(kind)]),
                  static_cast<std::uint64_t>(steps));
    return those;
}

BigCount figure_total(int order) {
    BigCount total = 0;
    BigCount with_rises = 1;
    for (int a = 0; a <= order; ++a) {
        total += with_rises;
        next_with_rises(with_rises, order, a);
    }
    return total;
}

bool unrank_figure(int order, const BigCount& number, FigurePath& path) {
    if (order < 1 || order > largest_figure_order || number < 1 || number > figure_total(order)) {
        return false;
    }
    BigCount rest = number;
    rest -= 1;
    int a = 0;
    BigCount arrangements = 1;
    while (rest >= arrangements) {
        rest -= arrangements;
        next_with_rises(arrangements, order, a);
        ++a;
    }
    std::array<int, 3> left = {a, a, order - a};
    int steps = order + a;
    path.assign(static_cast<std::size_t>(steps), StepKind::flat);
    for (StepKind& step : path) {
        // The first kind whose arrangements of what is left reach the rest.
        for (int kind = 0; kind < 3; ++kind) {
            if (left[static_cast<std::size_t>(kind)] == 0) continue;
            BigCount here = beginning_with(arrangements, left, steps, kind);
            if (rest < here) {
                step = static_cast<StepKind>(kind);
                arrangements = std::move(here);
                --left[static_cast<std::size_t>(kind)];
                --steps;
                break;
            }
            rest -= here;
        }
    }
    return true;
}

BigCount rank_figure(int order, const FigurePath& path) {
    std::array<int, 3> left = {0, 0, 0};
    for (const StepKind step : path) {
        if (step == StepKind::next_path) return 0;
        ++left[static_cast<std::size_t>(step)];
    }
    const int a = left[0];
    if (order < 1 || order > largest_figure_order || left[1] != a || left[2] != order - a) {
        return 0;
    }
    BigCount number = 1;
    BigCount arrangements = 1;
    for (int fewer = 0; fewer < a; ++fewer) {
        number += arrangements;
        next_with_rises(arrangements, order, fewer);
    }
    int steps = order + a;
    for (const StepKind step : path) {
        const int kind = static_cast<int>(step);
        // Every arrangement that has a smaller kind here comes first.
        for (int smaller = 0; smaller < kind; ++smaller) {
            if (left[static_cast<std::size_t>(smaller)] == 0) continue;
            number += beginning_with(arrangements, left, steps, smaller);
        }
        arrangements = beginning_with(arrangements, left, steps, kind);
        --left[static_cast<std::size_t>(kind)];
        --steps;
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
const RandomDrawing random_drawing = {largest_figure_order, nullptr, nullptr, nullptr};

}  // namespace diamond
