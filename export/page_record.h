// What the vector pages need of a page beyond its pixels: every box in
// drawing order, and where each figure's boxes begin, with the figure's
// number in the run and its steps.
#pragma once

#include <array>
#include <cstddef>
#include <cstdio>

#include "canvas.h"
#include "steps.h"

// A full page holds at most 1,320 boxes and 375 figures, at any order, and
// a figure at most 14 steps.
constexpr std::size_t max_boxes_a_page = 4096;
constexpr std::size_t max_figures_a_page = 1024;
constexpr std::size_t max_steps_a_figure = 16;

struct RecordedBox {
    int left, top, right, bottom;  // the outline's edges, all included
    Colour border, fill;
};

struct RecordedFigure {
    std::size_t first_box;
    int number;  // in the whole run, from 1
    std::array<StepKind, max_steps_a_figure> steps;
    int step_count;
};

// Keeps every box and figure drawn from now on (figures numbered from 1).
void start_recording();
// Forgets the page's boxes and figures, for the next page.
void clear_recorded_page();
// Whether the page drew more boxes or figures than can be kept.
bool page_record_overflowed();

// "figure 17: rise flat fall flat flat"
using FigureTitle = std::array<char, 160>;
FigureTitle figure_title(const RecordedFigure& figure);

// Writes the page's boxes in drawing order, each figure's opened by
// `open_figure` (a format taking the figure's title) before its first box,
// and closed by `close_figure` before the next figure opens and at the end.
// False as soon as `write_box` is.
bool write_figure_groups(std::FILE* file, const char* open_figure, const char* close_figure,
                         bool (*write_box)(std::FILE* file, const RecordedBox& box));
