// The diamond family's row of the family table.
#include "diamond.h"

namespace diamond {

const Family family = {
    "diamond",
    "every arrangement of a rises, a falls and N - a flats (a = 0 ... N) as a domino tiling "
    "of the order-N diamond",
    orders,
    draw_every_figure,
    page_grid_of,
    nullptr,
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

}  // namespace diamond
