// What a figure's paths are like, as numbers a user can ask about. A path
// is read from its first step: a rise goes up a row, a fall down a row, a
// flat stays on its row.
//   flats    the flat steps;
//   peaks    the rises directly followed by a fall;
//   returns  the steps after which the path is back on its starting row
//            (the last one counts, and so does each flat along that row);
//   height   the highest row above its start that it reaches (0 if none).
// A figure of several paths has the sum of theirs.
#pragma once

#include <array>

#include "steps.h"

enum class Statistic : int { flats = 0, peaks = 1, returns = 2, height = 3 };
constexpr int statistic_count = 4;
constexpr std::array<Statistic, statistic_count> statistics = {
    Statistic::flats, Statistic::peaks, Statistic::returns, Statistic::height};

// "flats", "peaks", "returns", "height".
const char* statistic_name(Statistic statistic);
// The statistic called by the `length` characters at `name`; false for none.
bool statistic_named(const char* name, int length, Statistic& statistic);

// A figure's values, by Statistic.
using PathStats = std::array<int, statistic_count>;
PathStats stats_of(const FigurePath& path);
