#include "page_file.h"

#include "page_record.h"

const char* file_writer = "domino-paths";

Written written_as(const char* what, const char* number, int width, int height) {
    Written written{{}, {}, {}, width, height};
    std::snprintf(written.stem.data(), written.stem.size(), "%s-%s", what, number);
    std::array<char, 128> title{};
    std::snprintf(title.data(), title.size(), "%s %s", what, number);
    retitle(written, title.data());
    return written;
}

void retitle(Written& written, const char* title) {
    std::snprintf(written.title.data(), written.title.size(), "%s", title);
    written.label = written.title;
    if (written.label[0] >= 'a' && written.label[0] <= 'z') {
        written.label[0] = static_cast<char>(written.label[0] - 'a' + 'A');
    }
}

Written draw_figure_aside_alone() {
    const RecordedFigure& figure = figure_aside();
    const Edges edges = figure_aside_edges();
    const int margin = figure.cell;
    redraw_figure_aside(margin - edges.left, margin - edges.top);
    return written_as("figure", figure.number.data(), edges.right - edges.left + 1 + 2 * margin,
                      edges.bottom - edges.top + 1 + 2 * margin);
}
