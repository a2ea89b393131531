#include "path_counts.h"

#include <algorithm>
#include <cstdlib>

namespace {

constexpr int rows = 2 * largest_counted_order + 1;      // -N ... N, offset by N
constexpr int values = 2 * largest_counted_order + 1;    // 0 ... 2N
constexpr int row_offset = largest_counted_order;

// The paths that have covered some width, by whether their last step was a
// rise, their row and their value so far; three widths are kept at once,
// since a flat is two columns wide.
using Layer = std::array<std::array<std::array<BigCount, values>, rows>, 2>;
std::array<Layer, 3> layers;

void clear_layer(Layer& layer, int low_row, int high_row, int most) {
    for (auto& by_last : layer) {
        for (int row = low_row; row <= high_row; ++row) {
            std::fill(by_last[row + row_offset].begin(), by_last[row + row_offset].begin() + most + 1,
                      BigCount(0));
        }
    }
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
    counts.fill(0);
    if (order < 1 || order > largest_counted_order) return;
    const int width = 2 * order;
    const int most = 2 * order;  // no value is larger
    for (Layer& layer : layers) clear_layer(layer, -order, order, most);
    layers[0][0][row_offset][0] = 1;
    for (int w = 0; w < width; ++w) {
        Layer& here = layers[w % 3];
        // What the width before last held is done with: it takes flats now.
        if (w + 2 <= width) clear_layer(layers[(w + 2) % 3], -order, order, most);
        // A path at width w and row h can still come back only if |h| fits.
        const int reach = std::min(w, width - w);
        for (int last = 0; last < 2; ++last) {
            for (int row = never_below ? 0 : -reach; row <= reach; ++row) {
                const auto& by_value = here[last][row + row_offset];
                for (int value = 0; value <= std::min(w, most); ++value) {
                    const BigCount& ways = by_value[value];
                    if (ways == 0) continue;
                    const bool after_rise = last == 1;
                    if (row + 1 <= width - w - 1) {
                        layers[(w + 1) % 3][1][row + 1 + row_offset]
                              [value_after(statistic, value, StepKind::rise, after_rise, row + 1)] +=
                            ways;
                    }
                    if (!(never_below && row == 0) && std::abs(row - 1) <= width - w - 1) {
                        layers[(w + 1) % 3][0][row - 1 + row_offset]
                              [value_after(statistic, value, StepKind::fall, after_rise, row - 1)] +=
                            ways;
                    }
                    if (w + 2 <= width && std::abs(row) <= width - w - 2) {
                        layers[(w + 2) % 3][0][row + row_offset]
                              [value_after(statistic, value, StepKind::flat, after_rise, row)] += ways;
                    }
                }
            }
        }
    }
    const Layer& done = layers[width % 3];
    for (int value = 0; value <= most; ++value) {
        counts[value] = done[0][row_offset][value] + done[1][row_offset][value];
    }
}
