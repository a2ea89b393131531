// A headless pager: the families run unchanged, drawing into a padded
// off-screen canvas, and every page they show is kept for inspection.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "family_cases.h"
#include "test_surface.h"
#include "tilings.h"

// What the recording pager keeps of a run.
struct PagerState {
    TestSurface canvas;
    bool keep_pages = true;  // false: pages are only counted (long runs)
    int pages_shown = 0;
    std::vector<std::vector<Colour>> pages;  // in the order shown, the last by finish_display
    int finish_calls = 0;
    bool guards_intact_at_every_page = true;
    // Every figure placed, in order, when `announce`.
    bool announce = false;
    std::vector<std::pair<BigCount, FigurePath>> announced;
};

// Runs `family` at `order` as its program does (run_family) against the
// recording pager, keeping what it shows in `recorded`; what it printed on
// standard output.
std::string record_whole_run(PagerState& recorded, const Family& family, int order);

// The family at its other orders, the first ones read back from the
// pixels: order N = 1, 2, ... up to the usual one draws exactly its figures,
// figures[N - 1] of them, tilings of region_of(N), on pages that each match
// their reference, and prints its count if it does; and `FAMILY_export
// --list` lists those figures, in order, on their pages. Past the usual
// order, pages not kept: as many distinct figures, every domino wholly on
// the page, and as many listed.
void expect_each_order_draws_every_tiling(const FamilyCase& test_case);
