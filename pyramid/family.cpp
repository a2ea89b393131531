// The pyramid family's row of the family table.
#include "pyramid.h"

namespace pyramid {

// What its figures are, for the exporters' usage and the explorer.
constexpr const char* summary =
    "every path of 2N step symbols from a base row back to it, never below it, as a domino "
    "tiling of the order-N stepped triangle";

const Family family = {"pyramid", summary, orders, draw_every_figure, page_grid_of,
                       report_unwritten_count, figure_counting, random_drawing};

}  // namespace pyramid
