// How every renderer draws one figure, so that each listener hears of every
// figure the same way, whichever family drew it:
//   0. the figure takes the next number in its family (next_figure_number);
//      one that figure_filter refuses is passed over here: it keeps its
//      number, is neither announced nor drawn, and leaves its slot free;
//   1. the figure's number and steps are handed to figure_listener, before
//      any box: the vector pages title each figure, the list prints it;
//   2. with no canvas selected nothing else is drawn but the path overlay,
//      which a segment listener may still hear of: a figure passed over (a
//      page not shown, the list) costs no domino;
//   3. otherwise the renderer's dominoes, then the path over them.
#pragma once

#include "big_count.h"
#include "steps.h"

// The number in its family of the figure the next draw_figure takes: 1 at
// the start of a run, or the one figure's own in a run of one.
extern BigCount next_figure_number;
// When set, the figures it refuses are passed over (the exporters'
// --where, the explorer's filter).
using FigureFilter = bool (*)(const StepKind* steps, int count);
extern FigureFilter figure_filter;
// The figures placed since a pager last set it to 0: a page that the last
// figure filled, and that was shown at once, leaves an empty one behind.
extern int figures_on_page;

// Draws the figure whose paths are `steps` (one entry a step, a flat once,
// next_path between two paths), its first cell centred on (x, y) (the
// pixel cell / 2 right of and below its top left corner), cells `cell`
// pixels wide, through those steps; `draw_dominoes` draws its boxes from
// the renderer's state. Whether it was placed: false when it was passed
// over, and its slot is still free.
bool draw_figure(const StepKind* steps, int count, int x, int y, int cell,
                 void (*draw_dominoes)());
