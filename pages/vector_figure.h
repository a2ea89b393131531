// What the vector formats share in paper style: a figure's dominoes by ink,
// in the order the family draws them, its paths, and numbers written
// exactly (a paper-style measure is a whole number of sixteenths).
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "drawing.h"
#include "page_record.h"

// The inks of a figure's fills, in the order first used, each with its
// dominoes in the family's order.
std::vector<std::pair<Ink, std::vector<const Domino*>>> dominoes_by_ink(
    const FigureGeometry& geometry, const PaletteRow& palette);

// `numerator` / 16 in decimal, exactly and as short as it goes: "2",
// "0.0625", "-1.5".
std::string sixteenths(long long numerator);

// `numerator` / 10000 with four decimals: "42.4264".
std::string ten_thousandths(long long numerator);

// The inks a page names (TikZ's colour names, PDF's and SVG's fills): the
// page and the programs' own four always, the path's where a path is drawn,
// the compass classes where the palette colours by them, the arctic
// circle's where it is drawn.
std::vector<Ink> named_inks(const Drawing& drawing);
