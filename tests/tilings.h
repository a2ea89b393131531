// Domino tilings of a region of square cells: found by exhaustive search,
// read back from drawn pixels, and rendered as a reference pixel by pixel.
#pragma once

#include <set>
#include <string>
#include <vector>

#include "canvas.h"
#include "page_grid.h"
#include "steps.h"

struct Region {
    int cell;                 // side of a cell in pixels (even)
    int top_row;              // row of rows[0]; rows grow downward
    int path_end_column;      // a path through the region ends at (this, 0)
    std::vector<std::pair<int, int>> rows;  // first and last column of each row
    // Paths through it, nested: path i starts at (i, i) and ends at
    // (path_end_column - i, i).
    int paths = 1;
};

// The seed programs' regions, in cells round the path's first cell, and the
// anchors of their figures on a page, row by row.
inline const Region diamond_region{
    10, -4, 8, {{3, 4}, {2, 5}, {1, 6}, {0, 7}, {0, 7}, {0, 7}, {1, 6}, {2, 5}, {3, 4}}};
inline const std::vector<int> diamond_slot_xs{10, 110, 210, 310, 410, 510, 610, 710};
inline const std::vector<int> diamond_slot_ys{50, 150, 250, 350, 450};
inline const Region pyramid_region{8, -5, 10, {{4, 5}, {3, 6}, {2, 7}, {1, 8}, {0, 9}, {0, 9}}};
inline const std::vector<int> pyramid_slot_xs{20, 115, 210, 305, 400, 495, 590, 685};
inline const std::vector<int> pyramid_slot_ys{48, 120, 192, 264, 336, 408, 480, 552};

// A stepped region of order N, cells of `cell` pixels: rows -N ... 0, row
// -k (k >= 1) holding columns k - 1 ... 2N - k and row 0 columns 0 ...
// 2N - 1 (pyramid's triangle), mirrored below row 0 when `mirrored_below`
// (diamond's diamond).
Region stepped_region(int cell, int order, bool mirrored_below);
// The anchors of a page's slots, across and down, as the grid lays them out
// (the programs' grids at orders 4 and 5 give the lists above).
void slots_of(const PageGrid& grid, std::vector<int>& xs, std::vector<int>& ys);

// partner[i] is the cell that shares a domino with cell i (cells numbered
// row by row, left to right).
using Tiling = std::vector<int>;

struct Figure {
    int page = 0;
    int slot = 0;  // index of its anchor on the page, row by row
    Tiling tiling;
    std::vector<StepKind> path;  // one entry per step; a flat is one entry
};

int cell_count(const Region& region);

// Every tiling of the region, by trying both dominoes on each first free cell.
std::set<Tiling> all_tilings(const Region& region);

// Reads the tiling drawn with its anchor cell centred on (x, y): two
// neighbouring cells are one domino exactly when no border pixel separates
// them. Returns an empty string on success, else what is wrong.
std::string decode_tiling(const std::vector<Colour>& page, const Region& region, int x, int y,
                          Tiling& tiling);

// Walks the paths along the dominoes, the first from cell (0, 0): the one
// holding the current cell is a rise when it goes up, a fall when it goes
// down, a flat when it goes right; next_path between two paths. Empty
// string on success, else what is wrong.
std::string walk_path(const Region& region, const Tiling& tiling, std::vector<StepKind>& path);
// The same for path `start` alone, appended to `path`.
std::string walk_one_path(const Region& region, const Tiling& tiling, int start,
                          std::vector<StepKind>& path);

struct DominoRect {
    int left, top, right, bottom;  // the outline, all four edges included
    Colour fill;
};

// The figure's dominoes as rectangles, coloured as a figure colours them:
// path steps by kind, every other domino yellow.
std::vector<DominoRect> domino_rects(const Region& region, int x, int y, const Tiling& tiling);

// Decodes every non-empty slot of every page, in order; anchors are listed
// row by row. A decoding failure is reported through `problems`.
std::vector<Figure> decode_pages(const std::vector<std::vector<Colour>>& pages,
                                 const Region& region, const std::vector<int>& xs,
                                 const std::vector<int>& ys, std::vector<std::string>& problems);

// A white page with every figure of `page_index` rendered by reference.
std::vector<Colour> reference_page(const std::vector<Figure>& figures, int page_index,
                                   const Region& region, const std::vector<int>& xs,
                                   const std::vector<int>& ys);

// Checks that the figures are tilings of the region, each once, and when
// `every`, all of them.
void expect_tilings_once(const std::vector<Figure>& figures, const Region& region, bool every);
// Checks every page against the reference rendering of its figures.
void expect_pages_match_reference(const std::vector<std::vector<Colour>>& pages,
                                  const std::vector<Figure>& figures, const Region& region,
                                  const std::vector<int>& xs, const std::vector<int>& ys);

// Reads paths like "rise fall flat" ("|" between two paths).
std::vector<StepKind> steps(const std::string& words);
