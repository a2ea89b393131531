// The arctic circle in screen style: a ring one pixel wide, the pixels
// nearest the true circle, eight-connected, so that the window, the PNG and
// the vector pages that copy the raster all draw the same ones.
#pragma once

#include <vector>

#include "placement.h"
#include "raster.h"

// The circle's pixels for a figure at `placement`, row by row and left to
// right in a row, each once; none for a figure with no arctic circle.
std::vector<Pixel> arctic_pixels(const FigureGeometry& geometry, const Placement& placement);
