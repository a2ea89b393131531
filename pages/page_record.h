// What the vector pages need of a page beyond its pixels: every box and
// every run of path pixels in drawing order, and where each figure's begin,
// with the figure's number in the run, its steps and where it stands. One
// figure can be set aside from its page, to be drawn again on its own.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>

#include "canvas.h"
#include "steps.h"

// A full page holds at most 375 figures, and with their paths about 6,800
// boxes and runs of path pixels, at any order drawn page by page; a page of
// the largest random tiling, 89,700 dominoes, and with its paths some
// 180,000 runs more.
constexpr std::size_t max_boxes_a_page = std::size_t{1} << 19;
constexpr std::size_t max_figures_a_page = 1024;
// A figure alone has at most 1,224 dominoes and 192 runs of path pixels
// (pyramid's of order 48).
constexpr std::size_t max_boxes_a_figure = 2048;

// Its edges are kept in 16 bits: a box is on the page, or near it.
struct RecordedBox {
    std::int16_t left, top, right, bottom;  // all four edges included
    Colour border, fill;
    bool solid;  // all `fill`, no outline: a run of path pixels, a tiny domino
};

struct RecordedFigure {
    std::size_t first_box;
    DecimalText number;  // in its family, from 1 ("0" for none)
    std::array<StepKind, max_figure_steps> steps;
    int step_count;
    int x, y, cell;  // the centre of its path's first cell, a cell's side
};

// Keeps every box, path segment and figure drawn from now on.
void start_recording();
// Keeps recording into the page's record as it stands: after a pause in
// which another page was passed over with no listeners.
void resume_recording();
// Forgets the page's boxes and figures, for the next page.
void clear_recorded_page();
// Whether the page drew more boxes or figures than can be kept.
bool page_record_overflowed();
// The page's figures, in drawing order.
std::size_t recorded_figure_count();
const RecordedFigure& recorded_figure(std::size_t i);
// The edges of what figure i drew, all four included.
struct Edges {
    int left, top, right, bottom;
};
Edges recorded_figure_edges(std::size_t i);

// Keeps the page's figure i, with its boxes, apart from the page (in place
// of any kept before). False when the page's record has overflowed.
bool set_figure_aside(std::size_t i);
// The figure set aside, and the edges of what it drew.
const RecordedFigure& figure_aside();
Edges figure_aside_edges();
// Clears the page and draws the figure set aside alone, moved by (dx, dy),
// as the page's only figure.
void redraw_figure_aside(int dx, int dy);

// "figure 3: rise flat fall flat flat"
using FigureTitle = std::array<char, 640>;
FigureTitle figure_title(const RecordedFigure& figure);

// Writes the page's boxes in drawing order, each figure's opened by
// `open_figure` (a format taking the figure's title) before its first box,
// and closed by `close_figure` before the next figure opens and at the end.
// False as soon as `write_box` is.
bool write_figure_groups(std::FILE* file, const char* open_figure, const char* close_figure,
                         bool (*write_box)(std::FILE* file, const RecordedBox& box));
