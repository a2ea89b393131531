// The diamond family's row of the family table.
#include "diamond.h"

namespace diamond {

// What its figures are, for the exporters' usage and the explorer.
constexpr const char* summary =
    "every arrangement of a rises, a falls and N - a flats (a = 0 ... N) as a domino tiling "
    "of the order-N diamond";

// Cells of 10 pixels on its window's pages.
const Family family = {"diamond",        summary,      orders,      10,
                       nullptr,          draw_every_figure, page_grid_of, geometry_of,
                       figure_counting,  random_drawing};

}  // namespace diamond
