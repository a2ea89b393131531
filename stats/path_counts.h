// How many paths of a family have each value of a statistic, counted
// without listing them: the paths of width 2N (a rise or a fall one column
// wide, a flat two) from a row back to it, anywhere (diamond's) or never
// below it (pyramid's).
#pragma once

#include <vector>

#include "big_count.h"
#include "path_stats.h"

// Figures by value: entry v counts those whose statistic is v.
using CountTable = std::vector<BigCount>;

// The largest order whose paths count_paths_by counts.
constexpr int largest_counted_path_order = 100;
// The paths of order N (1 ... 100), by the value of `statistic`, into
// `counts`, 2N + 1 entries (no statistic exceeds 2N, the returns of N
// rises and falls).
void count_paths_by(int order, bool never_below, Statistic statistic, CountTable& counts);
