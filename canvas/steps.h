// The steps of a lattice path, and the hook through which each figure's
// path is announced before it is drawn.
#pragma once

// One step of a lattice path. The order rise < fall < flat is relied upon
// when arrangements are listed lexicographically.
enum class StepKind : int { rise = 0, fall = 1, flat = 2 };

// "rise", "fall" or "flat".
const char* step_name(StepKind step);

// When set, each figure's renderer hands it the figure's steps (one entry a
// step, a flat once), the centre of its path's first cell and half a cell's
// side, before drawing its first box: the vector pages make each figure a
// group of its own, titled with its steps.
using FigureListener = void (*)(const StepKind* steps, int count, int x, int y, int half);
extern FigureListener figure_listener;
