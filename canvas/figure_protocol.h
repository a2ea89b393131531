// How every renderer draws one figure, so that each listener hears of every
// figure the same way, whichever family drew it:
//   1. the figure's steps are handed to figure_listener (steps.h), before
//      any box: the vector pages title each figure, the list prints it;
//   2. with no canvas selected nothing else is drawn but the path overlay,
//      which a segment listener may still hear of: a figure passed over (a
//      page not shown, the list) costs no domino;
//   3. otherwise the renderer's dominoes, then the path over them.
#pragma once

#include "steps.h"

// Draws the figure whose path is `steps` (one entry a step, a flat once),
// its first cell centred on (x, y), cells 2 * half wide, through those
// three steps; `draw_dominoes` draws its boxes from the renderer's state.
void draw_figure(const StepKind* steps, int count, int x, int y, int half,
                 void (*draw_dominoes)());
