// The pyramid family's row of the family table.
#include "pyramid.h"

namespace pyramid {

const Family family = {
    "pyramid",
    "every path of 2N step symbols from a base row back to it, never below it, as a domino "
    "tiling of the order-N stepped triangle",
    orders,
    draw_every_figure,
    page_grid_of,
    report_unwritten_count,
    largest_figure_order,
    figure_total,
    unrank_figure,
    rank_figure,
    step_range,
    draw_one_figure,
    count_figures_by,
    largest_figure_order,
    nullptr,
    nullptr,
};

}  // namespace pyramid
