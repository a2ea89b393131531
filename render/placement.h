// Where a figure stands in its output, and where its dominoes and its
// paths then fall, in output units (pixels; bp in TikZ and PDF).
#pragma once

#include "figure_geometry.h"

// The top left corner of the figure's cell (0, 0), a cell's side, and
// whether its dominoes are framed by outlines (in screen style, where a
// cell has room for them).
struct Placement {
    int left, top, cell;
    bool framed;
};

// A figure placed at a page's slot: its anchor cell centred on (x, y) of a
// page laid out for cells of `own_cell` (the family's window), drawn with
// cells of `cell`, the whole page scaled with them.
Placement placement_on_page(const FigureGeometry& geometry, int x, int y, int own_cell,
                            int cell);
// A page laid out for cells of `own_cell`, `width` x `height` at that size,
// drawn with cells of `cell`: its width and height then.
int scaled_page_side(int side, int own_cell, int cell);
// A figure alone: its outline a cell in from the output's top left corner.
Placement placement_alone(int cell, bool framed);
// The largest cell, at most `most`, at which the figure alone with its
// margin fits width x height: framed where a framed cell of at least
// smallest_outlined_cell fits, else the largest cell that fits unframed.
Placement placement_alone_fitting(const FigureGeometry& geometry, int most, int width,
                                  int height);
// The output's width and height for a figure alone: its outline and a
// margin of a cell on every side.
int alone_width(const FigureGeometry& geometry, const Placement& placement);
int alone_height(const FigureGeometry& geometry, const Placement& placement);

// Whether a cell of `cell` units has room for outlines.
bool outlined(int cell);

// A domino's box: its edges, all four included. Outlined, the edges are its
// outline's, shared with its neighbours'; otherwise its own pixels alone.
struct Box {
    int left, top, right, bottom;
};
Box domino_box(const Domino& domino, const Placement& placement);
// A path's lattice point: on its cell edge, at the middle of its row.
struct Point {
    int x, y;
};
Point point_at(const LatticePoint& point, const Placement& placement);
// The edges of all the figure's dominoes, all four included.
Box figure_box(const FigureGeometry& geometry, const Placement& placement);
