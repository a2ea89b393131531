// A figure in paper style drawn into the canvas's pixels, anti-aliased.
#pragma once

#include "drawing.h"
#include "placement.h"

// Draws the figure at `placement` (cells of placement.cell pixels): its
// dominoes' fills, their outlines, its paths and the arctic circle as the
// drawing asks, every pixel the average of 4 x 4 samples of what covers it.
void draw_paper_figure(const FigureGeometry& geometry, const Placement& placement,
                       const Drawing& drawing);
