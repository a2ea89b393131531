// A headless pager: the programs run unchanged, drawing into a padded
// off-screen canvas, and every page they show is kept for inspection.
#pragma once

#include <vector>

#include "test_surface.h"
#include "family.h"
#include "tilings.h"

struct RecordedRun {
    TestSurface canvas;
    bool keep_pages = true;  // false: pages are only counted (long runs)
    int pages_shown = 0;
    std::vector<std::vector<Colour>> pages;  // in the order shown, the last by finish_display
    int finish_calls = 0;
    bool guards_intact_at_every_page = true;
};

extern RecordedRun recorded_run;

// Runs the program's SDL_main against the recording pager.
void record_whole_run();

// The programs at other orders (requested_order), the first ones read back
// from the pixels: order N = 1, 2, ... draws exactly every tiling of
// region_of(N), tilings[N - 1] of them, on pages that each match their
// reference, and prints printed[N - 1] where that is given; and
// `exporter --list` lists those figures, in order, on their pages.
void expect_each_order_draws_every_tiling(const std::string& exporter,
                                          Region (*region_of)(int),
                                          PageGrid (*page_grid_of)(int),
                                          const std::vector<std::size_t>& tilings,
                                          const std::vector<std::string>& printed = {});
// The larger orders, from `first` on, pages not kept: `counts` distinct
// figures each, every box wholly on the page; printed as given; and as
// many listed by `exporter --list`.
void expect_larger_orders_draw_distinct_figures(const std::string& exporter, int first,
                                                const std::vector<std::size_t>& counts,
                                                bool counts_printed);
