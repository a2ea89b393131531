// How many paths of a family have each value of a statistic, counted
// without listing them: the paths of width 2N (a rise or a fall one column
// wide, a flat two) from a row back to it, anywhere (diamond's) or never
// below it (pyramid's).
#pragma once

#include <array>

#include "big_count.h"
#include "path_stats.h"

constexpr int largest_counted_order = 100;
// Paths by value: no statistic exceeds 2N, the returns of N rises and falls.
using CountTable = std::array<BigCount, 2 * largest_counted_order + 1>;

// The paths of order N (1 ... 100), by the value of `statistic`, into
// `counts`, every other entry 0.
void count_paths_by(int order, bool never_below, Statistic statistic, CountTable& counts);
