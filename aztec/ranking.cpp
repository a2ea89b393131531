// The tilings of the Aztec diamond counted: 2^(N(N + 1) / 2) of them (the
// Aztec diamond theorem). At the orders drawn page by page, at most 32,768,
// the families of paths of an order are walked once, in order, into a
// table: a number is then an entry, and a family's number is found by
// halving the table, since the walk gives them sorted.
#include <algorithm>
#include <limits>

#include "aztec.h"

namespace aztec {

namespace {

// A family of paths as a row of the table: its steps, then next_path to the
// end. Order 5's longest takes 30 steps and 4 separators.
constexpr int table_width = 40;
using TableRow = std::array<StepKind, table_width>;
constexpr int most_families = 1 << 15;
std::array<TableRow, most_families> table;
int table_order = 0;
int table_rows = 0;

bool keep_family(const StepKind* steps, int count) {
    TableRow& row = table[table_rows];
    ++table_rows;
    std::copy(steps, steps + count, row.begin());
    std::fill(row.begin() + count, row.end(), StepKind::next_path);
    return table_rows < most_families;
}

void make_table(int order) {
    if (table_order == order) return;
    table_rows = 0;
    walk_families(order, keep_family);
    table_order = order;
}

TableRow row_of(const FigurePath& path) {
    TableRow row{};
    std::copy(path.steps.begin(), path.steps.begin() + path.count, row.begin());
    std::fill(row.begin() + path.count, row.end(), StepKind::next_path);
    return row;
}

BigCount figure_total(int order) {
    if (order < 1 || order > largest_random_order) return 0;
    // 2^bits set as a bit, 0 past the bits a BigCount holds, as the shift
    // gave: clang-analyzer 19 takes a BigCount shifted by an amount it
    // cannot see for a shift by 64 inside Boost.
    const int bits = order * (order + 1) / 2;
    if (bits >= std::numeric_limits<BigCount>::digits) return 0;
    BigCount total = 0;
    boost::multiprecision::bit_set(total, static_cast<unsigned>(bits));
    return total;
}

bool unrank_figure(int order, const BigCount& number, FigurePath& path) {
    if (order < 1 || order > largest_figure_order || number < 1 || number > figure_total(order)) {
        return false;
    }
    make_table(order);
    const TableRow& row = table[static_cast<int>(number) - 1];
    path.count = table_width;
    while (path.count > 0 && row[path.count - 1] == StepKind::next_path) --path.count;
    std::copy(row.begin(), row.begin() + path.count, path.steps.begin());
    return true;
}

BigCount rank_figure(int order, const FigurePath& path) {
    if (order < 1 || order > largest_figure_order || path.count > table_width ||
        !tiling_of_paths(order, path)) {
        return 0;
    }
    make_table(order);
    const TableRow wanted = row_of(path);
    const auto* found = std::lower_bound(table.begin(), table.begin() + table_rows, wanted);
    if (found == table.begin() + table_rows || *found != wanted) return 0;
    return static_cast<unsigned>(found - table.begin() + 1);
}

// N paths of N, N - 1, ..., 1 flats, or of twice as many rises and falls,
// and a separator between two.
StepRange step_range(int order) {
    const int flats = order * (order + 1) / 2;
    return {flats + order - 1, 2 * flats + order - 1};
}

void draw_one_figure(int order, const FigurePath& path) {
    aztec_order = order;
    if (!tiling_of_paths(order, path)) return;
    const PageGrid grid = page_grid_of(order);
    draw_aztec_figure(path.steps.data(), path.count, grid.first_x, grid.first_y, 10);
}

}  // namespace

const FigureCounting figure_counting = {largest_figure_order, figure_total, unrank_figure,
                                        rank_figure,          step_range,   draw_one_figure,
                                        PathCounting::none};
const RandomDrawing random_drawing = {largest_random_order, shuffle_figure, draw_shuffled_alone};

}  // namespace aztec
