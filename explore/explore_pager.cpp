#include "explore_pager.h"

#include "canvas.h"
#include "messages.h"
#include "raster.h"
#include "run.h"

namespace {

void count_figure(Run& run, const BigCount& number, const FigurePath& /*path*/) {
    PagerState& pager = *run.pager;
    ++pager.figures_counted;
    if (pager.looking && number == pager.looked_for) pager.page_found = pager.page_now;
    if (pager.placed != nullptr) pager.placed->push_back(number);
}

// Pages not aimed at have no canvas and no record: nothing is drawn, and
// the figures are only counted.
void pass_over_page(Run& run) {
    select_canvas(nullptr);
    run.record = nullptr;
    run.figure_listener = count_figure;
}

void begin_page(Run& run) {
    PagerState& pager = *run.pager;
    ++pager.page_now;
    run.figures_on_page = 0;
    if (pager.page_now != pager.page_aimed_at) {
        pass_over_page(run);
        return;
    }
    select_explorer_canvas(pager);
    pager.record.figures.clear();
    run.record = &pager.record;
    run.figure_listener = nullptr;
}

void end_page(Run& run) {
    PagerState& pager = *run.pager;
    if (pager.page_now == pager.page_aimed_at) {
        pager.drawn = true;
        pager.figures_counted += static_cast<int>(pager.record.figures.size());
    }
}

}  // namespace

const unsigned char* page_pixels(const PagerState& pager) {
    return pager.page_surface == nullptr
               ? nullptr
               : static_cast<const unsigned char*>(pager.page_surface->pixels);
}

SDL_Surface* explorer_surface(PagerState& pager) {
    if (pager.page_surface == nullptr) {
        // Red in the lowest byte: in memory, red, green, blue, then alpha.
        pager.page_surface =
            SDL_CreateRGBSurface(SDL_SWSURFACE, canvas_width, canvas_height, canvas_depth,
                                 0x000000FF, 0x0000FF00, 0x00FF0000, 0);
        if (pager.page_surface == nullptr || SDL_LockSurface(pager.page_surface) != 0 ||
            pager.page_surface->pixels == nullptr ||
            pager.page_surface->pitch != 4 * canvas_width) {
            fail("cannot make an off-screen page", SDL_GetError());
        }
    }
    return pager.page_surface;
}

void select_explorer_canvas(PagerState& pager) {
    if (!select_canvas(explorer_surface(pager))) fail("cannot draw on the page", SDL_GetError());
    clear_canvas();
}

void open_display(Run& run) {
    PagerState& pager = *run.pager;
    run.count_printed = false;
    pager.page_now = 0;
    pager.figures_counted = 0;
    pager.page_found = 0;
    pager.drawn = false;
    begin_page(run);
}

void show_page(Run& run) {
    end_page(run);
    begin_page(run);
}

// The page drawn stays the canvas, with its record, so that a figure of it
// can be drawn alone for its file.
void finish_display(Run& run) {
    PagerState& pager = *run.pager;
    end_page(run);
    // A page that the last figure filled was shown at once: the page after
    // it holds none, and is no page of the run (only a filter makes one).
    if (run.figures_on_page == 0 && pager.page_now > 1) {
        if (pager.page_now == pager.page_aimed_at) pager.drawn = false;
        --pager.page_now;
    }
    pager.looking = false;
    if (pager.drawn) {
        select_canvas(pager.page_surface);
    } else {
        select_canvas(nullptr);
    }
}
