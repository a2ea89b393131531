// A question of counts, as the exporters' --counts and --where and the
// explorer's statistics panel ask it: how many figures of an order have
// each value of one statistic, or each pair of values of two (a table
// whose rows are the first's values and whose columns are the second's),
// among those a filter keeps; and the orders up to which a family answers
// it.
#pragma once

#include <array>
#include <vector>

#include "big_count.h"
#include "path_counts.h"
#include "path_stats.h"
#include "where_filter.h"

struct CountQuestion {
    int order = 0;
    // The statistics counted, the first `counted` of them: 1 or 2, told
    // apart.
    std::array<Statistic, 2> by{};
    int counted = 1;
    // Only the figures it keeps; no condition for every figure.
    WhereFilter filter{};
};

// The answer: `rows` x `columns` counts, a row a value of the first
// statistic, a column a value of the second (one column for a single
// statistic), row by row.
struct CountGrid {
    int rows = 0;
    int columns = 0;
    std::vector<BigCount> cells;
};

// How far a family counts: each statistic alone, at most filtered on
// itself, up to alone[statistic]; two statistics, or a filter on another
// one, up to `jointly`.
struct CountLimits {
    std::array<int, statistic_count> alone;
    int jointly;
};

// Reads "STAT" or "STAT,STAT" into the question: nullptr, or what is wrong
// with it, in words.
const char* read_counted(const char* text, CountQuestion& question);
// Whether the question counts one statistic, filtered at most on it.
bool counted_alone(const CountQuestion& question);
// The largest order at which a family of those limits answers the question.
int largest_order_for(const CountLimits& limits, const CountQuestion& question);

// A grid of zeros for the question, for figures none of whose statistics
// exceeds `most`.
void start_grid(const CountQuestion& question, int most, CountGrid& grid);
BigCount& grid_cell(CountGrid& grid, int row, int column);
const BigCount& grid_cell(const CountGrid& grid, int row, int column);
// Counts one figure of those statistics into the grid, if the filter keeps
// it: the listing's way of counting.
void tally_figure(const CountQuestion& question, const PathStats& stats, CountGrid& grid);
// The grid of a question counted alone, from the counts of its statistic by
// value: the values the filter refuses left at 0.
void grid_of_table(const CountQuestion& question, const CountTable& counts, CountGrid& grid);
