#include "explore_pager.h"

#include "canvas.h"
#include "figure_protocol.h"
#include "messages.h"
#include "page_record.h"
#include "path_overlay.h"
#include "pager.h"
#include "raster.h"
#include "steps.h"

namespace {

int page_aimed_at = 1;
int page_now = 0;
int figures_counted = 0;
bool drawn = false;
// The figure a run looks for among those it passes over, and its page.
bool looking = false;
BigCount looked_for = 0;
int page_found = 0;
// Made once and kept locked for good: its pixels then stay in memory (in a
// browser SDL would otherwise keep them in a canvas element of its own),
// and every primitive's lock is a nested one, which costs nothing.
SDL_Surface* page_surface = nullptr;

void count_figure(const BigCount& number, const StepKind* /*steps*/, int /*count*/, int /*x*/,
                  int /*y*/, int /*cell*/) {
    ++figures_counted;
    if (looking && number == looked_for) page_found = page_now;
}

// Pages not aimed at have no canvas and no record: the primitives return
// at once, and only the figures are counted.
void pass_over_page() {
    screen = nullptr;
    box_listener = nullptr;
    segment_listener = nullptr;
    figure_listener = count_figure;
}

void begin_page() {
    ++page_now;
    figures_on_page = 0;
    if (page_now != page_aimed_at) {
        pass_over_page();
        return;
    }
    if (!select_canvas(page_surface)) fail("cannot draw on the page", SDL_GetError());
    clear_canvas();
    start_recording();
}

void end_page() {
    if (page_now == page_aimed_at) {
        drawn = true;
        figures_counted += static_cast<int>(recorded_figure_count());
    }
}

}  // namespace

void aim_at_page(int page) { page_aimed_at = page; }

void look_for_figure(const BigCount& number) {
    looking = true;
    looked_for = number;
}

int page_of_figure_looked_for() { return page_found; }

int aimed_page() { return page_aimed_at; }

int pages_in_run() { return page_now; }

int figures_in_run() { return figures_counted; }

bool page_drawn() { return drawn; }

const unsigned char* page_pixels() {
    return page_surface == nullptr ? nullptr : static_cast<const unsigned char*>(page_surface->pixels);
}

void open_display() {
    if (page_surface == nullptr) {
        // Red in the lowest byte: in memory, red, green, blue, then alpha.
        page_surface = SDL_CreateRGBSurface(SDL_SWSURFACE, canvas_width, canvas_height,
                                            canvas_depth, 0x000000FF, 0x0000FF00, 0x00FF0000, 0);
        if (page_surface == nullptr || SDL_LockSurface(page_surface) != 0 ||
            page_surface->pixels == nullptr || page_surface->pitch != 4 * canvas_width) {
            fail("cannot make an off-screen page", SDL_GetError());
        }
    }
    count_printed = false;
    page_now = 0;
    figures_counted = 0;
    page_found = 0;
    drawn = false;
    begin_page();
}

void show_page() {
    end_page();
    begin_page();
}

// The page drawn stays the canvas, and its record listens again, so that
// a figure of it can be drawn alone for its file.
void finish_display() {
    end_page();
    // A page that the last figure filled was shown at once: the page after
    // it holds none, and is no page of the run (only a filter makes one).
    if (figures_on_page == 0 && page_now > 1) {
        if (page_now == page_aimed_at) drawn = false;
        --page_now;
    }
    looking = false;
    if (drawn && select_canvas(page_surface)) {
        resume_recording();
    } else {
        pass_over_page();
    }
}
