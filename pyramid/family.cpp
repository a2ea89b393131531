// The pyramid family's row of the family table.
#include "pyramid.h"

namespace pyramid {

// What its figures are, for the exporters' usage and the explorer.
constexpr const char* summary =
    "every path of 2N step symbols from a base row back to it, never below it, as a domino "
    "tiling of the order-N stepped triangle";

// Cells of 8 pixels on its window's pages; its program prints its count.
const Family family = {"pyramid",       summary,     orders,          8,
                       "the count",     draw_every_figure, page_grid_of, geometry_of,
                       figure_counting, random_drawing};

}  // namespace pyramid
