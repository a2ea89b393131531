// The aztec family's row of the family table.
#include "aztec.h"

namespace aztec {

const Family family = {
    "aztec",
    "every domino tiling of the Aztec diamond of order N, its rows of 2, 4, ..., 2N, 2N, "
    "..., 4, 2 cells, as N nested paths that never cross",
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
    nullptr,
    largest_random_order,
    shuffle_figure,
    draw_shuffled_alone,
};

}  // namespace aztec
