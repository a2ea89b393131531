// The dyck family: every path of N rises and N falls that never goes below
// its start (a Dyck path), in lexicographic order, rise < fall, each drawn
// as pyramid draws a path without flats.
#include "count_question.h"
#include "pager.h"
#include "path_stats.h"
#include "pyramid.h"

namespace dyck {

namespace {

constexpr OrderRange orders{6, 4};
constexpr int largest_figure_order = 40;

// Paths of `steps` rises and falls from `height` down to 0, never below 0.
BigCount endings(const Binomials& table, int steps, int height) {
    if (height < 0 || height > steps || (steps - height) % 2 != 0) return 0;
    const int downs = (steps + height) / 2;
    return binomial(table, steps, downs) - binomial(table, steps, downs + 1);
}

BigCount figure_total(int order) { return endings(binomials_up_to(2 * order), 2 * order, 0); }

bool unrank_figure(int order, const BigCount& number, FigurePath& path) {
    const Binomials table = binomials_up_to(2 * order);
    if (order < 1 || order > largest_figure_order || number < 1 ||
        number > endings(table, 2 * order, 0)) {
        return false;
    }
    BigCount rest = number - 1;
    path.clear();
    int height = 0;
    for (int left = 2 * order; left > 0; --left) {
        const BigCount with_rise = endings(table, left - 1, height + 1);
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
    if (order < 1 || order > largest_figure_order ||
        path.size() != 2 * static_cast<std::size_t>(order)) {
        return 0;
    }
    const Binomials table = binomials_up_to(2 * order);
    BigCount number = 1;
    int height = 0;
    int left = 2 * order;
    for (const StepKind step : path) {
        if (step != StepKind::rise && step != StepKind::fall) return 0;
        --left;
        if (step == StepKind::fall) number += endings(table, left, height + 1);
        height += step == StepKind::rise ? 1 : -1;
        if (height < 0) return 0;
    }
    return height == 0 ? number : BigCount(0);
}

StepRange step_range(int order) { return {2 * order, 2 * order, 1}; }

int draw_every_figure(Run& run) {
    const PageGrid grid = pyramid::page_grid_of(run.order);
    int x = grid.first_x;
    int y = grid.first_y;
    const BigCount total = figure_total(run.order);
    FigurePath path;
    for (BigCount number = 1; number <= total; ++number) {
        unrank_figure(run.order, number, path);
        if (place_figure(run, path, x, y) && next_slot(grid, x, y)) show_page(run);
    }
    return 0;
}

// By listing, as a small family can: every question to its paged orders.
constexpr CountLimits count_limits = {{orders.largest, orders.largest, orders.largest, orders.largest},
                                      orders.largest};

bool count_figures(const CountQuestion& question, CountGrid& grid) {
    if (question.order < 1 || question.order > largest_order_for(count_limits, question)) return false;
    start_grid(question, 2 * question.order, grid);
    const BigCount total = figure_total(question.order);
    FigurePath path;
    for (BigCount number = 1; number <= total; ++number) {
        unrank_figure(question.order, number, path);
        tally_figure(question, stats_of(path), grid);
    }
    return true;
}

const FigureCounting counting = {largest_figure_order, figure_total, unrank_figure, rank_figure,
                                 step_range, count_figures, count_limits};
const RandomDrawing random = {largest_figure_order, nullptr, nullptr, nullptr};

}  // namespace

extern const Family family;
const Family family = {"dyck",
                       "every path of N rises and N falls that never goes below its start, "
                       "as a domino tiling of the order-N stepped triangle",
                       orders,
                       8,
                       nullptr,
                       draw_every_figure,
                       pyramid::page_grid_of,
                       pyramid::geometry_of,
                       counting,
                       random};

}  // namespace dyck
