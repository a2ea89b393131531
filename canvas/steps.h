// The steps of a lattice path, and the hook through which each figure's
// path is announced before it is drawn.
#pragma once

#include <array>

#include "big_count.h"

// One step of a lattice path. The order rise < fall < flat is relied upon
// when arrangements are listed lexicographically. A figure of several paths
// lists them one after the other, next_path between two.
enum class StepKind : int { rise = 0, fall = 1, flat = 2, next_path = 3 };

// "rise", "fall", "flat", or "|" between two paths.
const char* step_name(StepKind step);

// The most steps a figure has, its paths' separators counted: pyramid's of
// order 48 has 96.
constexpr int max_figure_steps = 96;
// A figure's paths, one entry a step (a flat once).
struct FigurePath {
    std::array<StepKind, max_figure_steps> steps;
    int count;
};

// When set, each figure's renderer hands it the figure's number in its
// family, its steps (one entry a step, a flat once), the centre of its
// path's first cell and a cell's side, before drawing its first box
// (figure_protocol.h): the vector pages make each figure a group of its
// own, titled with its number and steps.
using FigureListener = void (*)(const BigCount& number, const StepKind* steps, int count, int x,
                                int y, int cell);
extern FigureListener figure_listener;
