// Counts that no formula gives: the paths of width 2N (diamond's anywhere,
// pyramid's never below their row) by two statistics at once, or by one
// among those a filter keeps, counted column by column over the paths'
// widths. A path's state is its row, whether its last step was a rise, and
// the value so far of each statistic the question needs; every statistic
// only grows along a path (height is the highest row so far), so a
// filtered one is carried only up to the top of its range (a path past it
// is dropped at once), or, when its range runs to the largest value any
// path has, only up to the bottom of it (past it, all the same). Only the
// states some path reaches are kept, each column's in a hash table.
#pragma once

#include "count_question.h"

// The largest order counted so: the worst question there, two statistics
// counted and the other two filtered on wide ranges, takes some seconds.
constexpr int largest_jointly_counted_path_order = 30;
// The paths of order question.order (1 ... 30) counted as the question
// asks, into `grid` (rows and columns up to 2N).
void count_paths_jointly(bool never_below, const CountQuestion& question, CountGrid& grid);

// How far the paths are counted: one statistic by its formula
// (path_counts.h), two or under a filter on another one column by column.
constexpr CountLimits path_count_limits = {
    {largest_counted_path_order, largest_counted_path_order, largest_counted_path_order,
     largest_counted_path_order},
    largest_jointly_counted_path_order};
// The paths counted as the question asks, each way up to its limit.
void count_paths(bool never_below, const CountQuestion& question, CountGrid& grid);
