#include "path_counts.h"

#include <algorithm>
#include <cstdlib>

#include "count_storage.h"

namespace {

constexpr int rows = 2 * largest_counted_order + 1;      // -N ... N, offset by N
constexpr int values = 2 * largest_counted_order + 1;    // 0 ... 2N
constexpr int row_offset = largest_counted_order;

// The paths that have covered some width, by whether their last step was a
// rise, their row and their value so far; three widths are kept at once,
// since a flat is two columns wide.
constexpr std::size_t layer_size = std::size_t{2} * rows * values;
CountStorage<3 * layer_size> layers;

bool layers_made = false;

BigCount& ways(int layer, int last, int row, int value) {
    return count_at(layers, static_cast<std::size_t>(layer) * layer_size +
                                (static_cast<std::size_t>(last) * rows + row + row_offset) * values +
                                value);
}

void clear_layer(int layer, int low_row, int high_row, int most) {
    if (!layers_made) {
        for (std::size_t i = 0; i < 3 * layer_size; ++i) set_count(layers, i, 0);
        layers_made = true;
    }
    for (int last = 0; last < 2; ++last) {
        for (int row = low_row; row <= high_row; ++row) {
            BigCount* first = &ways(layer, last, row, 0);
            std::fill(first, first + most + 1, BigCount(0));
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
    for (int layer = 0; layer < 3; ++layer) clear_layer(layer, -order, order, most);
    ways(0, 0, 0, 0) = 1;
    for (int w = 0; w < width; ++w) {
        const int here = w % 3;
        const int next = (w + 1) % 3;
        const int after_next = (w + 2) % 3;
        // What the width before last held is done with: it takes flats now.
        if (w + 2 <= width) clear_layer(after_next, -order, order, most);
        // A path at width w and row h can still come back only if |h| fits.
        const int reach = std::min(w, width - w);
        for (int last = 0; last < 2; ++last) {
            for (int row = never_below ? 0 : -reach; row <= reach; ++row) {
                for (int value = 0; value <= std::min(w, most); ++value) {
                    const BigCount& count = ways(here, last, row, value);
                    if (count == 0) continue;
                    const bool after_rise = last == 1;
                    if (row + 1 <= width - w - 1) {
                        ways(next, 1, row + 1,
                             value_after(statistic, value, StepKind::rise, after_rise, row + 1)) +=
                            count;
                    }
                    if (!(never_below && row == 0) && std::abs(row - 1) <= width - w - 1) {
                        ways(next, 0, row - 1,
                             value_after(statistic, value, StepKind::fall, after_rise, row - 1)) +=
                            count;
                    }
                    if (w + 2 <= width && std::abs(row) <= width - w - 2) {
                        ways(after_next, 0, row,
                             value_after(statistic, value, StepKind::flat, after_rise, row)) += count;
                    }
                }
            }
        }
    }
    for (int value = 0; value <= most; ++value) {
        counts[value] = ways(width % 3, 0, 0, value) + ways(width % 3, 1, 0, value);
    }
}
