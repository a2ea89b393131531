// The aztec family's row of the family table.
#include "aztec.h"

namespace aztec {

// What its figures are, for the exporters' usage and the explorer.
constexpr const char* summary =
    "every domino tiling of the Aztec diamond of order N, its rows of 2, 4, ..., 2N, 2N, "
    "..., 4, 2 cells, as N nested paths that never cross";

// Cells of 10 pixels on its window's pages.
const Family family = {"aztec",         summary,     orders,          10,
                       nullptr,         draw_every_figure, page_grid_of, geometry_of,
                       figure_counting, random_drawing};

}  // namespace aztec
