// A family of figures as the programs, the exporters, the explorer and the
// tests know it: one row each (families/family_table.h). A family draws
// every figure of an order through the paging operations of pager.h,
// without knowing which pager it is linked with.
#pragma once

#include <cstdint>

#include "big_count.h"
#include "figure_protocol.h"
#include "page_grid.h"
#include "pager.h"
#include "path_counts.h"
#include "random_draw.h"
#include "steps.h"

// A family's orders drawn page by page, 1 ... largest, and the one its
// program draws.
struct OrderRange {
    int largest;
    int usual;
};

// The fewest and the most steps a figure of an order has.
struct StepRange {
    int fewest;
    int most;
};

// How a family's figures are counted by the value of a statistic, without
// listing them: as the paths of width 2N from a row back to it
// (path_counts.h), anywhere or never below that row; or not at all.
enum class PathCounting { none, anywhere, never_below };

// How a family finds one figure of an order by counting rather than
// listing, at orders 1 ... largest_order: the largest whose figure, with a
// margin of one cell, fits the page.
struct FigureCounting {
    int largest_order;
    // The figures of an order, how many.
    BigCount (*figure_total)(int order);
    // Figure `number` (1 ... figure_total) of an order, in the family's
    // order: its paths into `path`; false for no such figure.
    bool (*unrank_figure)(int order, const BigCount& number, FigurePath& path);
    // The number of the figure of an order whose paths are `path`, or 0.
    BigCount (*rank_figure)(int order, const FigurePath& path);
    StepRange (*step_range)(int order);
    // Draws the figure whose paths are `path` at the first slot of the
    // order's page grid, through the paging operations.
    void (*draw_one_figure)(int order, const FigurePath& path);
    // How its figures are counted by statistic at orders 1 ... 100.
    PathCounting counted;
};

// How a family draws a random figure, at orders 1 ... largest_order.
struct RandomDrawing {
    int largest_order;
    // By the family's own means (domino shuffling, say), or nullptr
    // where a random figure is a number drawn uniformly, then unranked:
    // draws the figure for `seed`, kept for draw_shuffled_alone, and gives
    // its paths in `path` when they fit one (returning whether they did).
    bool (*shuffle_figure)(int order, std::uint64_t seed, FigurePath& path);
    // Draws the figure last shuffled alone, its outline a cell from the
    // canvas's top left corner, and gives that crop's width and height.
    void (*draw_shuffled_alone)(int order, int& width, int& height);
};

struct Family {
    // Its programs are NAME (in a window) and NAME_export (to files).
    const char* name;
    // What its figures are, in a line: "every arrangement of a rises, ...".
    const char* summary;
    OrderRange orders;
    // The whole run at chosen_order(orders): every figure in the family's
    // order, laid out on pages of page_grid_of(order), each full page
    // shown at once, the last one left for finish_display.
    void (*draw_every_figure)();
    PageGrid (*page_grid_of)(int order);
    // Run once the last page has been shown, or nullptr: pyramid reports
    // there a count it could not write.
    void (*after_last_page)();

    // How it finds one figure, and draws a random one.
    const FigureCounting& counting;
    const RandomDrawing& random;
};

// The running program's family, stated in the entry add_family writes.
extern const Family& program_family;

// The order to draw, when asked for (the exporters' --order, the
// explorer's); 0 leaves each family at its usual one.
inline int requested_order = 0;
// The order a family of `range` draws: requested_order when it is in
// range, else the usual one.
inline int chosen_order(const OrderRange& range) {
    return requested_order >= 1 && requested_order <= range.largest ? requested_order
                                                                     : range.usual;
}

// Whether a family's figures are counted by statistic; and their counts at
// `order` (1 ... 100) by the value of `statistic`.
inline bool figures_counted(const Family& family) {
    return family.counting.counted != PathCounting::none;
}
inline void count_figures_by(const Family& family, int order, Statistic statistic,
                             CountTable& counts) {
    count_paths_by(order, family.counting.counted == PathCounting::never_below, statistic,
                   counts);
}

// One figure of a family: its number and its paths.
struct ChosenFigure {
    BigCount number;
    FigurePath path;
};

// A figure of `order` (up to largest_figure_order) drawn uniformly at
// random, the same one for the same seed on every platform and in the
// browser: its number drawn below the family's count (random_draw.h), then
// unranked; or, where the family shuffles, shuffled, then ranked.
inline ChosenFigure random_figure(const Family& family, int order, std::uint64_t seed) {
    ChosenFigure chosen{};
    if (family.random.shuffle_figure != nullptr) {
        family.random.shuffle_figure(order, seed, chosen.path);
        chosen.number = family.counting.rank_figure(order, chosen.path);
        return chosen;
    }
    seed_random_draws(seed);
    chosen.number = random_below(family.counting.figure_total(order)) + 1;
    family.counting.unrank_figure(order, chosen.number, chosen.path);
    return chosen;
}

// A run of the figure a family shuffles for `seed` at `order` (past
// largest_figure_order), drawn alone at the top left: the crop's width and
// height. Such a figure has no number.
inline void run_shuffled_figure(const Family& family, int order, std::uint64_t seed, int& width,
                                int& height) {
    FigurePath fits{};
    family.random.shuffle_figure(order, seed, fits);
    next_figure_number = 0;
    open_display();
    family.random.draw_shuffled_alone(order, width, height);
    finish_display();
}

// A program's whole life: the family drawn page by page, its figures
// numbered from 1, then its last word.
inline int run_family(const Family& family) {
    next_figure_number = 1;
    open_display();
    family.draw_every_figure();
    finish_display();
    if (family.after_last_page != nullptr) family.after_last_page();
    return 0;
}

// A run of one figure, numbered `number`, whose paths are `path`, at
// `order`: drawn at the first slot of its page.
inline void run_one_figure(const Family& family, int order, const BigCount& number,
                           const FigurePath& path) {
    next_figure_number = number;
    open_display();
    family.counting.draw_one_figure(order, path);
    finish_display();
}
