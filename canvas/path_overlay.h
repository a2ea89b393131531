// A figure's lattice path drawn over its dominoes (the exporters' --path):
// a black polyline whose vertices sit on the vertical cell edges, at the
// middle of the row the path is in. It starts at the middle of the left
// edge of the path's first cell and crosses each step's domino from its
// left edge to its right: a rise climbs one cell, a fall drops one, a flat
// goes two cells along; so it ends on the figure's right edge, on the row
// it started in. A figure of several paths (next_path between them) has
// them nested: each next one starts a cell further in and a row lower.
#pragma once

#include "canvas.h"
#include "steps.h"

// Whether the renderers draw the path over each figure; off unless asked.
extern bool path_overlay;

// Draws the polyline of `steps` (one entry a step) for a figure whose first
// cell, of side `cell`, is centred on (x, y), with draw_line in
// palette.path; does nothing while path_overlay is off.
void draw_path_overlay(const StepKind* steps, int count, int x, int y, int cell);

// When set, draw_path_overlay first hands each segment to this function:
// the vector pages keep the line as shapes of their own.
using SegmentListener = void (*)(int x0, int y0, int x1, int y1, Colour colour);
extern SegmentListener segment_listener;
