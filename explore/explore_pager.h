// The explorer's pager: a run draws one chosen page of its family into an
// off-screen canvas kept in memory, and only counts the others, drawing
// nothing on them, so that any page, the last of the largest order too,
// costs one page's drawing and one pass over the figures.
#pragma once

#include <vector>

#include "big_count.h"
#include "page_record.h"
#include "pager.h"

struct SDL_Surface;

// What the explorer's pager keeps between pages, and between runs.
struct PagerState {
    // The page the next run draws (from 1) and records, figures numbered
    // in the whole run; a page past the run's last draws nothing.
    int page_aimed_at = 1;
    // The run's pages and figures so far, and whether the page aimed at
    // was drawn.
    int page_now = 0;
    int figures_counted = 0;
    bool drawn = false;
    // The figure a run looks for among those it passes over, and its page.
    bool looking = false;
    BigCount looked_for = 0;
    int page_found = 0;
    // When set, every figure the run places (its filter keeps) is listed
    // here by its number.
    std::vector<BigCount>* placed = nullptr;
    // Made once and kept locked for good: its pixels then stay in memory (in
    // a browser SDL would otherwise keep them in a canvas element of its
    // own), and every primitive's lock is a nested one, which costs nothing.
    SDL_Surface* page_surface = nullptr;
    // The page drawn, its figures as placed.
    PageRecord record;
};

// The canvas's pixels, 4 bytes a pixel in the order red, green, blue and
// alpha (a browser's ImageData), canvas_width * 4 bytes a row.
const unsigned char* page_pixels(const PagerState& pager);
// The explorer's canvas, made on first use; and the same selected and
// cleared.
SDL_Surface* explorer_surface(PagerState& pager);
void select_explorer_canvas(PagerState& pager);
