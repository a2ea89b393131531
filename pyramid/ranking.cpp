// The paths of order N counted rather than listed, in the order they are
// drawn: placements of flats in lexicographic order of flat_starts (a bit
// a symbol, 1 where a flat starts one symbol earlier, never two 1s side by
// side), and for each the Dyck words of its rises and falls, 0 a rise, in
// lexicographic order.
#include <cstdlib>
#include <vector>

#include "joint_counts.h"
#include "pyramid.h"

namespace pyramid {

namespace {

// Bit strings of `length` with `ones` 1s, no two side by side, the first
// bit held at 0 when `after_one` (the bit before it was a 1).
BigCount spread(const Binomials& table, int length, int ones, bool after_one) {
    const int free = after_one ? length - 1 : length;
    if (ones == 0) return 1;
    if (free < 0) return 0;
    return binomial(table, free - ones + 1, ones);
}

// The paths whose flat_starts begin with the bits decided so far: the
// last one, at position `at` of 1 ... 2N - 1, is `bit`, with `flats` 1s in
// all; each placement counts its Dyck words.
BigCount paths_after(const Binomials& table, int order, int at, int bit, int flats) {
    const int length = 2 * order - 1 - at;
    BigCount paths = 0;
    for (int more = 0; flats + more <= order; ++more) {
        paths += spread(table, length, more, bit == 1) * catalan(table, order - flats - more);
    }
    return paths;
}

// Walks of `steps` up or down one from `height` to 0, never below 0.
BigCount dyck_endings(const Binomials& table, int steps, int height) {
    if (height < 0 || height > steps || (steps - height) % 2 != 0) return 0;
    const int downs = (steps + height) / 2;
    return binomial(table, steps, downs) - binomial(table, steps, downs + 1);
}

// Binomials enough for every count of order N: rows up to 2N.
Binomials binomials_of(int order) { return binomials_up_to(2 * order + 1); }

BigCount figure_total(int order) { return paths_after(binomials_of(order), order, 0, 0, 0); }

bool unrank_figure(int order, const BigCount& number, FigurePath& path) {
    if (order < 1 || order > largest_figure_order) return false;
    const Binomials table = binomials_of(order);
    if (number < 1 || number > paths_after(table, order, 0, 0, 0)) return false;
    BigCount rest = number - 1;
    // The placement of flats: 0 (no flat starts one symbol earlier) first.
    std::vector<int> starts(2 * static_cast<std::size_t>(order), 0);
    int flats = 0;
    for (int at = 1; at < 2 * order; ++at) {
        const BigCount with_zero = paths_after(table, order, at, 0, flats);
        if (rest < with_zero) continue;
        rest -= with_zero;
        starts[static_cast<std::size_t>(at)] = 1;
        ++flats;
    }
    // Then the Dyck word, a rise first wherever one can come back down.
    const int symbols = 2 * (order - flats);
    int height = 0;
    int taken = 0;
    path.clear();
    for (int symbol = 0; symbol < 2 * order; ++symbol) {
        if (symbol + 1 < 2 * order && starts[static_cast<std::size_t>(symbol) + 1] == 1) {
            path.push_back(StepKind::flat);
            ++symbol;
            continue;
        }
        const BigCount with_rise = dyck_endings(table, symbols - taken - 1, height + 1);
        ++taken;
        if (rest < with_rise) {
            path.push_back(StepKind::rise);
            ++height;
        } else {
            rest -= with_rise;
            path.push_back(StepKind::fall);
            --height;
        }
    }
    return true;
}

BigCount rank_figure(int order, const FigurePath& path) {
    if (order < 1 || order > largest_figure_order) return 0;
    // The path's flat_starts and its rises and falls, checked as it goes:
    // 2N symbols, never below the base row, ending on it.
    std::vector<int> starts(2 * static_cast<std::size_t>(order), 0);
    int symbol = 0;
    int height = 0;
    int flats = 0;
    for (const StepKind step : path) {
        if (step == StepKind::next_path || symbol >= 2 * order) return 0;
        if (step == StepKind::flat) {
            if (symbol + 1 >= 2 * order) return 0;
            starts[static_cast<std::size_t>(symbol) + 1] = 1;
            ++flats;
            symbol += 2;
            continue;
        }
        height += step == StepKind::rise ? 1 : -1;
        if (height < 0) return 0;
        ++symbol;
    }
    if (symbol != 2 * order || height != 0) return 0;
    const Binomials table = binomials_of(order);
    BigCount number = 1;
    int flats_so_far = 0;
    for (int at = 1; at < 2 * order; ++at) {
        if (starts[static_cast<std::size_t>(at)] == 1) {
            number += paths_after(table, order, at, 0, flats_so_far);
            ++flats_so_far;
        }
    }
    const int symbols = 2 * (order - flats);
    int taken = 0;
    height = 0;
    for (const StepKind step : path) {
        if (step == StepKind::flat) continue;
        ++taken;
        if (step == StepKind::fall) {
            number += dyck_endings(table, symbols - taken, height + 1);
            --height;
        } else {
            ++height;
        }
    }
    return number;
}

StepRange step_range(int order) { return {order, 2 * order, 1}; }

// Its paths never go below their row.
bool count(const CountQuestion& question, CountGrid& grid) {
    if (question.order < 1 || question.order > largest_order_for(path_count_limits, question)) {
        return false;
    }
    count_paths(true, question, grid);
    return true;
}

}  // namespace

const FigureCounting figure_counting = {largest_figure_order, figure_total, unrank_figure,
                                        rank_figure,          step_range,   count,
                                        path_count_limits};
const RandomDrawing random_drawing = {largest_figure_order, nullptr};

}  // namespace pyramid
