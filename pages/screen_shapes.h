// A figure in screen style as the vector formats write it, shape by shape:
// every domino's framed box (or its pixels alone, where a cell has no room
// for an outline), in the family's order, then each path's pixels as runs
// along a row or a column, then the arctic circle's pixels as runs along
// its rows, so that a file draws exactly the pixels the window draws, and
// the same staircase at any zoom.
#pragma once

#include <vector>

#include "drawing.h"
#include "page_record.h"

struct ScreenShape {
    Box box;        // all four edges included
    bool framed;    // an outlined box: its outline in the border ink
    Ink fill;
};

std::vector<ScreenShape> screen_shapes(const FileFigure& figure, const Drawing& drawing);
