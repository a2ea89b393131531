#include "page_record.h"

#include "canvas.h"

namespace {
// A title as the files have always held it: 639 bytes at most.
constexpr std::size_t longest_title = 639;
std::string clipped(const std::string& text) { return text.substr(0, longest_title); }
}  // namespace

Written written_as(const std::string& what, const std::string& number, int width, int height) {
    Written written;
    written.stem = what + "-" + number;
    written.width = width;
    written.height = height;
    retitle(written, what + " " + number);
    return written;
}

void retitle(Written& written, const std::string& title) {
    written.title = clipped(title);
    written.label = written.title;
    if (!written.label.empty() && written.label[0] >= 'a' && written.label[0] <= 'z') {
        written.label[0] = static_cast<char>(written.label[0] - 'a' + 'A');
    }
}

FilePage page_file(const PageRecord& record, const std::string& number, int own_cell,
                   const Drawing& drawing, const char* writer, const char* family, int order) {
    const int cell = drawing.cell != 0 ? drawing.cell : own_cell;
    FilePage page;
    page.written = written_as("page", number, scaled_page_side(canvas_width, own_cell, cell),
                              scaled_page_side(canvas_height, own_cell, cell));
    for (const PlacedFigure& figure : record.figures) {
        page.figures.push_back(
            {&figure, placement_on_page(figure.geometry, figure.x, figure.y, own_cell, cell)});
    }
    page.drawing = drawing;
    page.drawing.cell = cell;
    page.writer = writer;
    page.family = family;
    page.order = order;
    return page;
}

FilePage figure_file(const PlacedFigure& figure, const Placement& placement,
                     const Drawing& drawing, const char* writer, const char* family, int order) {
    FilePage page;
    page.written = written_as("figure", decimal_text(figure.number),
                              alone_width(figure.geometry, placement),
                              alone_height(figure.geometry, placement));
    // A name within a file system's 255 bytes, whatever the number's length.
    page.written.stem = "figure-" + number_in_name(figure.number);
    page.figures.push_back({&figure, placement});
    page.drawing = drawing;
    page.drawing.cell = placement.cell;
    page.writer = writer;
    page.family = family;
    page.order = order;
    return page;
}

std::string figure_title(const PlacedFigure& figure) {
    std::string title = "figure " + decimal_text(figure.number) + ":";
    for (const StepKind step : figure.path) {
        if (title.size() >= longest_title) break;
        title += ' ';
        title += step_name(step);
    }
    return clipped(title);
}
