#include "count_question.h"

#include <cstring>

const char* read_counted(const char* text, CountQuestion& question) {
    const char* comma = std::strchr(text, ',');
    const int first_length = comma == nullptr ? static_cast<int>(std::strlen(text))
                                              : static_cast<int>(comma - text);
    if (!statistic_named(text, first_length, question.by[0]) ||
        (comma != nullptr &&
         !statistic_named(comma + 1, static_cast<int>(std::strlen(comma + 1)), question.by[1]))) {
        return "it takes a statistic, flats, peaks, returns or height, or two joined by a comma";
    }
    question.counted = comma == nullptr ? 1 : 2;
    if (question.counted == 2 && question.by[0] == question.by[1]) {
        return "two statistics counted together must differ";
    }
    return nullptr;
}

bool counted_alone(const CountQuestion& question) {
    if (question.counted != 1) return false;
    for (int i = 0; i < question.filter.count; ++i) {
        if (question.filter.conditions[i].statistic != question.by[0]) return false;
    }
    return true;
}

int largest_order_for(const CountLimits& limits, const CountQuestion& question) {
    return counted_alone(question) ? limits.alone[static_cast<std::size_t>(question.by[0])]
                                   : limits.jointly;
}

void start_grid(const CountQuestion& question, int most, CountGrid& grid) {
    grid.rows = most + 1;
    grid.columns = question.counted == 2 ? most + 1 : 1;
    grid.cells.assign(static_cast<std::size_t>(grid.rows) * static_cast<std::size_t>(grid.columns),
                      0);
}

BigCount& grid_cell(CountGrid& grid, int row, int column) {
    return grid.cells[static_cast<std::size_t>(row) * static_cast<std::size_t>(grid.columns) +
                      static_cast<std::size_t>(column)];
}

const BigCount& grid_cell(const CountGrid& grid, int row, int column) {
    return grid.cells[static_cast<std::size_t>(row) * static_cast<std::size_t>(grid.columns) +
                      static_cast<std::size_t>(column)];
}

void tally_figure(const CountQuestion& question, const PathStats& stats, CountGrid& grid) {
    if (!filter_holds(question.filter, stats)) return;
    const int row = stats[static_cast<std::size_t>(question.by[0])];
    const int column = question.counted == 2 ? stats[static_cast<std::size_t>(question.by[1])] : 0;
    if (row < grid.rows && column < grid.columns) grid_cell(grid, row, column) += 1;
}

void grid_of_table(const CountQuestion& question, const CountTable& counts, CountGrid& grid) {
    start_grid(question, static_cast<int>(counts.size()) - 1, grid);
    const ValueRange kept = allowed_values(question.filter, question.by[0], grid.rows - 1);
    for (int value = kept.low; value <= kept.high; ++value) {
        grid_cell(grid, value, 0) = counts[static_cast<std::size_t>(value)];
    }
}
