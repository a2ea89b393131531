// A figure in paper style as PDF's drawing operators, for the PDF pages and
// for TikZ pictures that hand them to the PDF driver (pgf's system layer):
// few operators a domino, so that a large tiling stays a small file. Every
// coordinate is in the figure's cells, y downwards: the caller's `cm` maps
// them to the page.
#pragma once

#include <string>
#include <vector>

#include "drawing.h"
#include "page_record.h"

// The rectangles of one ink's dominoes, "c r w h re" each, in the family's
// order; to be filled with the ink and stroked with the outline.
struct InkRectangles {
    Ink ink;
    std::vector<std::string> rectangles;
};
std::vector<InkRectangles> domino_rectangles(const FigureGeometry& geometry,
                                             const PaletteRow& palette);
// The figure's paths, "x y m x y l ..." (a point on its row's middle).
std::string path_operators(const FigureGeometry& geometry);
// The arctic circle as four Bézier curves, "x y m ... c ... c h".
std::string arctic_operators(const FigureGeometry& geometry);
// "a b c d e f cm": cells of `cell` units, the figure's top left corner at
// (left, top), y downwards, on a page whose y runs upwards from `base`.
std::string cell_matrix(const Placement& placement, long long base);
// An ink's colour as "r g b" in 0 ... 1, each to three decimals.
std::string pdf_colour(Rgb colour);
