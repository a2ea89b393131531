// A filter on the statistics (path_stats.h), as the exporters' --where and
// the explorer's address give it: one or more STAT=V or STAT=LO-HI joined
// by commas, all of which must hold ("flats=2,height=1-3").
#pragma once

#include <array>

#include "path_stats.h"

struct Condition {
    Statistic statistic;
    int low, high;  // both included
};

struct WhereFilter {
    std::array<Condition, 16> conditions;
    int count;
};

// Reads `text` into `filter`: nullptr, or what is wrong with it, in words.
const char* read_where(const char* text, WhereFilter& filter);
// Whether every condition holds for `stats`.
bool filter_holds(const WhereFilter& filter, const PathStats& stats);
// The values of `statistic` every condition on it allows, within 0 ...
// `most` (low > high when none is), and whether there is a condition on it.
struct ValueRange {
    int low, high;
    bool conditioned;
};
ValueRange allowed_values(const WhereFilter& filter, Statistic statistic, int most);
// The filter as it reads back ("flats=2,height=1-3").
using WhereText = std::array<char, 400>;
WhereText where_text(const WhereFilter& filter);
