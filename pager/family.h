// A family of figures as the programs, the exporters, the explorer and the
// tests know it: one row each (families/family_table.h), defined in the
// family's own folder. A family lists every figure of an order through
// place_figure and the paging operations (run.h, pager.h), without knowing
// which pager it is linked with, and gives each figure as geometry.
#pragma once

#include <cstdint>

#include "big_count.h"
#include "count_question.h"
#include "figure_geometry.h"
#include "glauber.h"
#include "page_grid.h"
#include "page_record.h"
#include "path_stats.h"
#include "run.h"
#include "steps.h"

// A family's orders drawn page by page, 1 ... largest, and the one its
// program draws.
struct OrderRange {
    int largest;
    int usual;
};

// The fewest and the most steps a figure of an order has (in all its
// paths, no separator counted), and how many paths it has.
struct StepRange {
    int fewest;
    int most;
    int paths;
};

// How a family finds one figure of an order by counting rather than
// listing, at orders 1 ... largest_order: the largest whose figure, with a
// margin of one cell, fits the window's page.
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
    // How many figures of an order have each value of the statistic a
    // question counts, or each pair of values of two, among those its
    // filter keeps (count_question.h), into `grid`: by formulas, column by
    // column or by listing, as the family can; nullptr where it counts
    // none. False past the largest order for the question, which `limits`
    // gives.
    bool (*count)(const CountQuestion& question, CountGrid& grid);
    CountLimits limits;
};

// One figure of a family: its number (0 for none), its paths, and its
// geometry once made.
using ChosenFigure = PlacedFigure;

// How a family draws a random figure, at orders 1 ... largest_order.
struct RandomDrawing {
    int largest_order;
    // By the family's own means (domino shuffling), or nullptr where a
    // random figure is a number drawn uniformly, then unranked: the figure
    // for `seed`, its geometry, and its paths when `with_paths` (a large
    // tiling's paths are many, and seldom wanted). Past the numbered orders
    // it has no number (0); at them, its number is found by ranking.
    void (*shuffle)(int order, std::uint64_t seed, bool with_paths, ChosenFigure& chosen);
    // Where the family shuffles, the same run shown a stage at a time, or
    // nullptr: the tiling after `stage` (0 ... 3 x order; each step from
    // order k to k + 1 takes three: the bad blocks taken out, the dominoes
    // slid, the new blocks filled), as geometry in the frame of the figure
    // of `order`, the diamond of order k in its middle. The last stage is
    // the figure `shuffle` gives for `seed`, without its paths.
    FigureGeometry (*shuffling_stage)(int order, std::uint64_t seed, int stage);
    // Where every tiling of the figures' region is a figure (the Aztec
    // diamond), so that random turns (glauber.h) need no check, how a turn
    // lays a domino; nullptr elsewhere.
    DominoLaid domino_laid;
};

struct Family {
    // Its programs are NAME (in a window) and NAME_export (to files).
    const char* name;
    // What its figures are, in a line: "every arrangement of a rises, ...".
    const char* summary;
    OrderRange orders;
    // A cell's side on its window's pages, in pixels: the page grid's unit.
    int cell;
    // What its window program prints when it has drawn its last figure
    // ("the count"), or nullptr.
    const char* printed;
    // The whole run at run.order: every figure in the family's order, placed
    // on pages of page_grid_of(order), each full page shown at once, the
    // last one left for finish_display. Returns 0, or the errno value of a
    // failed write of what it prints, which run_family tells once the pages
    // are seen.
    int (*draw_every_figure)(Run& run);
    PageGrid (*page_grid_of)(int order);
    // The figure of an order whose paths are `path`, as geometry; its
    // dominoes in the order the family draws them.
    FigureGeometry (*geometry_of)(int order, const FigurePath& path);

    // How it finds one figure, and draws a random one.
    const FigureCounting& counting;
    const RandomDrawing& random;
};

// The running program's family, stated in the entry add_family writes.
extern const Family& program_family;

// The order a family draws for `asked`: it when the family draws it page
// by page, else its usual one.
int chosen_order(const OrderRange& range, int asked);

// A figure of `order` (up to random.largest_order) drawn uniformly at
// random, the same one for the same seed on every platform and in the
// browser: its number drawn below the family's count (random_draw.h), then
// unranked; or, where the family shuffles, shuffled. Its geometry is made,
// and its paths, those of a shuffled figure only when `with_paths`.
ChosenFigure random_figure(const Family& family, int order, std::uint64_t seed, bool with_paths);
// The same figure after `moves` moves of Glauber dynamics (glauber.h) drawn
// from the seed's own stream, for a family whose random.domino_laid is
// given: its paths read off the turned dominoes where it has them (always
// at the numbered orders), and there its number found by ranking.
ChosenFigure random_figure_moved(const Family& family, int order, std::uint64_t seed, std::uint64_t moves,
                                 bool with_paths);
// `chosen`, a figure of `order`, made again from `grid` after moves on it:
// its dominoes laid as the family lays them, its paths (if it has them)
// read off them, and at the numbered orders its number. False, its paths
// and number left empty, where the paths cannot be read.
bool remake_moved(const Family& family, int order, const PartnerGrid& grid, ChosenFigure& chosen);
