#include "page_file.h"

#include "page_record.h"

const char* file_writer = "domino-paths";

Written written_as(const char* what, int number, int width, int height) {
    Written written{{}, {}, {}, width, height};
    std::snprintf(written.title.data(), written.title.size(), "%s %d", what, number);
    std::snprintf(written.stem.data(), written.stem.size(), "%s-%d", what, number);
    written.label = written.title;
    written.label[0] = static_cast<char>(written.label[0] - 'a' + 'A');
    return written;
}

Written draw_figure_aside_alone() {
    const RecordedFigure& figure = figure_aside();
    const Edges edges = figure_aside_edges();
    const int margin = 2 * figure.half;
    redraw_figure_aside(margin - edges.left, margin - edges.top);
    return written_as("figure", figure.number, edges.right - edges.left + 1 + 2 * margin,
                      edges.bottom - edges.top + 1 + 2 * margin);
}
