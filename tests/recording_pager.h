// A headless pager: the programs run unchanged, drawing into a padded
// off-screen canvas, and every page they show is kept for inspection.
#pragma once

#include <vector>

#include "test_surface.h"

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
