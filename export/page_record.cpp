#include "page_record.h"

#include <algorithm>

#include "raster.h"

namespace {

std::array<RecordedBox, max_boxes_a_page> page_boxes{};
std::size_t box_count = 0;
std::array<RecordedFigure, max_figures_a_page> page_figures{};
std::size_t figure_count = 0;
int figures_in_run = 0;
bool overflowed = false;

void keep_box(int x1, int y1, int x2, int y2, Colour border, Colour fill) {
    if (box_count == page_boxes.size()) {
        overflowed = true;
        return;
    }
    page_boxes[box_count++] = {std::min(x1, x2), std::min(y1, y2), std::max(x1, x2),
                               std::max(y1, y2), border, fill};
}

void keep_figure(const StepKind* steps, int count) {
    ++figures_in_run;
    if (figure_count == page_figures.size() || count < 0 ||
        count > static_cast<int>(max_steps_a_figure)) {
        overflowed = true;
        return;
    }
    RecordedFigure& figure = page_figures[figure_count++];
    figure = {box_count, figures_in_run, {}, count};
    std::copy(steps, steps + count, figure.steps.begin());
}

}  // namespace

void start_recording() {
    box_listener = keep_box;
    figure_listener = keep_figure;
    figures_in_run = 0;
    clear_recorded_page();
}

void clear_recorded_page() {
    box_count = 0;
    figure_count = 0;
    overflowed = false;
}

bool page_record_overflowed() { return overflowed; }

FigureTitle figure_title(const RecordedFigure& figure) {
    FigureTitle title{};
    int at = std::snprintf(title.data(), title.size(), "figure %d:", figure.number);
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
