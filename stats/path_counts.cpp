#include "path_counts.h"

#include <algorithm>
#include <cstdlib>

namespace {

// The paths that have covered some width, by whether their last step was a
// rise, their row (-N ... N) and their value so far (0 ... 2N); three
// widths are kept at once, since a flat is two columns wide.
struct Layers {
    int order;
    std::vector<BigCount> ways;
};

BigCount& ways(Layers& layers, int layer, int last, int row, int value) {
    const std::size_t side = 2 * static_cast<std::size_t>(layers.order) + 1;
    return layers.ways[((static_cast<std::size_t>(layer) * 2 + last) * side +
                        static_cast<std::size_t>(row + layers.order)) *
                           side +
                       static_cast<std::size_t>(value)];
}

void clear_layer(Layers& layers, int layer) {
    const std::size_t side = 2 * static_cast<std::size_t>(layers.order) + 1;
    const auto first = layers.ways.begin() + static_cast<std::ptrdiff_t>(layer * 2 * side * side);
    std::fill(first, first + static_cast<std::ptrdiff_t>(2 * side * side), BigCount(0));
}

// The value after a step that ends on `row`.
int value_after(Statistic statistic, int value, StepKind step, bool after_rise, int row) {
    switch (statistic) {
    case Statistic::flats: return value + (step == StepKind::flat ? 1 : 0);
    case Statistic::peaks: return value + (step == StepKind::fall && after_rise ? 1 : 0);
    case Statistic::returns: return value + (row == 0 ? 1 : 0);
    case Statistic::height: return std::max(value, row);
    }
    return value;
}

}  // namespace

void count_paths_by(int order, bool never_below, Statistic statistic, CountTable& counts) {
    counts.assign(order < 1 ? 1 : 2 * static_cast<std::size_t>(order) + 1, 0);
    if (order < 1 || order > largest_counted_path_order) return;
    const int width = 2 * order;
    const int most = 2 * order;  // no value is larger
    Layers layers{order, {}};
    const std::size_t side = 2 * static_cast<std::size_t>(order) + 1;
    layers.ways.assign(3 * 2 * side * side, 0);
    ways(layers, 0, 0, 0, 0) = 1;
    for (int w = 0; w < width; ++w) {
        const int here = w % 3;
        const int next = (w + 1) % 3;
        const int after_next = (w + 2) % 3;
        // What the width before last held is done with: it takes flats now.
        if (w + 2 <= width) clear_layer(layers, after_next);
        // A path at width w and row h can still come back only if |h| fits.
        const int reach = std::min(w, width - w);
        for (int last = 0; last < 2; ++last) {
            for (int row = never_below ? 0 : -reach; row <= reach; ++row) {
                for (int value = 0; value <= std::min(w, most); ++value) {
                    const BigCount& count = ways(layers, here, last, row, value);
                    if (count == 0) continue;
                    const bool after_rise = last == 1;
                    if (row + 1 <= width - w - 1) {
                        ways(layers, next, 1, row + 1,
                             value_after(statistic, value, StepKind::rise, after_rise, row + 1)) +=
                            count;
                    }
                    if (!(never_below && row == 0) && std::abs(row - 1) <= width - w - 1) {
                        ways(layers, next, 0, row - 1,
                             value_after(statistic, value, StepKind::fall, after_rise, row - 1)) +=
                            count;
                    }
                    if (w + 2 <= width && std::abs(row) <= width - w - 2) {
                        ways(layers, after_next, 0, row,
                             value_after(statistic, value, StepKind::flat, after_rise, row)) += count;
                    }
                }
            }
        }
    }
    for (int value = 0; value <= most; ++value) {
        counts[static_cast<std::size_t>(value)] =
            ways(layers, width % 3, 0, 0, value) + ways(layers, width % 3, 1, 0, value);
    }
}
