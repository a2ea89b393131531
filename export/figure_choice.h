// The one figure an exporter is asked for (--figure K, --figure STEPS,
// --random SEED), found by counting in the family's order, never by
// listing: numbers are unranked, steps ranked, and a random figure is a
// number drawn uniformly, then unranked. Anything that is no figure stops
// the program with one line that says why, and status 2.
#pragma once

#include "family.h"

// --figure TEXT at `order`: a number (plain digits) or steps ("rise fall").
// (--random SEED is random_figure, family.h.)
ChosenFigure figure_asked_for(const Family& family, int order, const char* text);
