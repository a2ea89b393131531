#include "page_record.h"

#include <algorithm>

#include "path_overlay.h"
#include "raster.h"

namespace {

std::array<RecordedBox, max_boxes_a_page> page_boxes{};
std::size_t box_count = 0;
std::array<RecordedFigure, max_figures_a_page> page_figures{};
std::size_t figure_count = 0;
bool overflowed = false;

std::array<RecordedBox, max_boxes_a_figure> boxes_aside{};
std::size_t box_count_aside = 0;
RecordedFigure aside{};

// A box from its edges, each held to what 16 bits keep.
RecordedBox box_of(int left, int top, int right, int bottom, Colour border, Colour fill,
                   bool solid) {
    const auto edge = [](int value) {
        return static_cast<std::int16_t>(std::clamp(value, -32768, 32767));
    };
    return {edge(left), edge(top), edge(right), edge(bottom), border, fill, solid};
}

void keep(const RecordedBox& box) {
    if (box_count == page_boxes.size()) {
        overflowed = true;
        return;
    }
    page_boxes[box_count++] = box;
}

// A box of one colour (fill_box's) is solid: all `fill`, no outline.
void keep_box(int x1, int y1, int x2, int y2, Colour border, Colour fill) {
    keep(box_of(std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2), border,
                fill, border == fill));
}

// A segment's pixels as runs along one row or one column, in drawing order.
RecordedBox run{};
bool run_open = false;

// Whether (x, y) carries the run on along its row or its column; a single
// pixel may go either way.
bool carries_on(const RecordedBox& r, int x, int y) {
    const bool in_row = r.top == r.bottom && y == r.top && (x == r.left - 1 || x == r.right + 1);
    const bool in_column =
        r.left == r.right && x == r.left && (y == r.top - 1 || y == r.bottom + 1);
    return in_row || in_column;
}

void extend_run(int x, int y) {
    if (run_open && carries_on(run, x, y)) {
        run = box_of(std::min<int>(run.left, x), std::min<int>(run.top, y),
                     std::max<int>(run.right, x), std::max<int>(run.bottom, y), run.border,
                     run.fill, true);
        return;
    }
    if (run_open) keep(run);
    run = box_of(x, y, x, y, run.border, run.fill, true);
    run_open = true;
}

void keep_segment(int x0, int y0, int x1, int y1, Colour colour) {
    run = box_of(0, 0, 0, 0, colour, colour, true);
    run_open = false;
    trace_line(x0, y0, x1, y1, extend_run);
    if (run_open) keep(run);
}

void add_figure(const DecimalText& number, const StepKind* steps, int count, int x, int y,
                int cell) {
    // A figure of more paths than a figure keeps (a large random tiling,
    // alone on its page) is no group of its own: its boxes are the page's.
    if (count > max_figure_steps) return;
    if (figure_count == page_figures.size() || count < 0) {
        overflowed = true;
        return;
    }
    RecordedFigure& figure = page_figures[figure_count++];
    figure = {box_count, number, {}, count, x, y, cell};
    std::copy(steps, steps + count, figure.steps.begin());
}

// The edges of `count` boxes, or {0, 0, -1, -1} when there are none.
Edges edges_of(const RecordedBox* boxes, std::size_t count) {
    Edges edges{0, 0, -1, -1};
    for (std::size_t i = 0; i < count; ++i) {
        const RecordedBox& box = boxes[i];
        edges = i == 0 ? Edges{box.left, box.top, box.right, box.bottom}
                       : Edges{std::min<int>(edges.left, box.left), std::min<int>(edges.top, box.top),
                               std::max<int>(edges.right, box.right), std::max<int>(edges.bottom, box.bottom)};
    }
    return edges;
}

// Where figure i's boxes end in the page's record.
std::size_t end_of_figure(std::size_t i) {
    return i + 1 < figure_count ? page_figures[i + 1].first_box : box_count;
}

void keep_figure(const BigCount& number, const StepKind* steps, int count, int x, int y,
                 int cell) {
    add_figure(decimal_text(number), steps, count, x, y, cell);
}

}  // namespace

void start_recording() {
    resume_recording();
    clear_recorded_page();
}

void clear_recorded_page() {
    box_count = 0;
    figure_count = 0;
    overflowed = false;
}

void resume_recording() {
    box_listener = keep_box;
    segment_listener = keep_segment;
    figure_listener = keep_figure;
}

bool page_record_overflowed() { return overflowed; }

std::size_t recorded_figure_count() { return figure_count; }

const RecordedFigure& recorded_figure(std::size_t i) { return page_figures[i]; }

Edges recorded_figure_edges(std::size_t i) {
    const std::size_t first = page_figures[i].first_box;
    return edges_of(page_boxes.data() + first, end_of_figure(i) - first);
}

bool set_figure_aside(std::size_t i) {
    if (overflowed || i >= figure_count) return false;
    const std::size_t end = end_of_figure(i);
    const std::size_t first = page_figures[i].first_box;
    if (end - first > boxes_aside.size()) return false;
    std::copy(page_boxes.begin() + first, page_boxes.begin() + end, boxes_aside.begin());
    box_count_aside = end - first;
    aside = page_figures[i];
    return true;
}

const RecordedFigure& figure_aside() { return aside; }

Edges figure_aside_edges() { return edges_of(boxes_aside.data(), box_count_aside); }

void redraw_figure_aside(int dx, int dy) {
    clear_canvas();
    clear_recorded_page();
    add_figure(aside.number, aside.steps.data(), aside.step_count, aside.x + dx, aside.y + dy,
               aside.cell);
    // Its dominoes, outlined or not; the runs of its path are drawn anew.
    for (std::size_t i = 0; i < box_count_aside; ++i) {
        const RecordedBox& box = boxes_aside[i];
        if (!box.solid) {
            draw_box(box.left + dx, box.top + dy, box.right + dx, box.bottom + dy, box.border,
                     box.fill);
        } else if (box.fill != palette.path) {
            fill_box(box.left + dx, box.top + dy, box.right + dx, box.bottom + dy, box.fill);
        }
    }
    // The path is drawn over its dominoes, as it was on its page.
    draw_path_overlay(aside.steps.data(), aside.step_count, aside.x + dx, aside.y + dy,
                      aside.cell);
}

FigureTitle figure_title(const RecordedFigure& figure) {
    FigureTitle title{};
    int at = std::snprintf(title.data(), title.size(), "figure %s:",
                           figure.number.data());
    for (int i = 0; i < figure.step_count && at > 0 && at < static_cast<int>(title.size()); ++i) {
        at += std::snprintf(title.data() + at, title.size() - at, " %s",
                            step_name(figure.steps[i]));
    }
    return title;
}

bool write_figure_groups(std::FILE* file, const char* open_figure, const char* close_figure,
                         bool (*write_box)(std::FILE* file, const RecordedBox& box)) {
    std::size_t next_figure = 0;
    for (std::size_t i = 0; i < box_count; ++i) {
        for (; next_figure < figure_count && page_figures[next_figure].first_box == i;
             ++next_figure) {
            if (next_figure > 0) std::fputs(close_figure, file);
            std::fprintf(file, open_figure, figure_title(page_figures[next_figure]).data());
        }
        if (!write_box(file, page_boxes[i])) return false;
    }
    if (next_figure > 0) std::fputs(close_figure, file);
    return true;
}
