#include "page_file.h"

#include <cerrno>
#include <cstring>

#include "page_record.h"
#include "page_writers.h"

const char* file_writer = "domino-paths";

int file_mark(PageFormat format, FileMark& mark) {
    if (format == PageFormat::svg) {
        return std::snprintf(mark.data(), mark.size(), "\n<!-- Software: %s -->\n", file_writer);
    }
    if (format == PageFormat::tikz) {
        return std::snprintf(mark.data(), mark.size(), "\n%% Software: %s\n", file_writer);
    }
    // A PNG chunk: its length, type "tEXt", then the keyword, a zero and
    // the text.
    const int text = std::snprintf(mark.data() + 8, mark.size() - 8, "Software%c%s", '\0',
                                   file_writer);
    if (text < 0 || text + 8 >= static_cast<int>(mark.size())) return 0;
    mark[0] = mark[1] = '\0';
    mark[2] = static_cast<char>(text >> 8);
    mark[3] = static_cast<char>(text & 0xFF);
    std::memcpy(mark.data() + 4, "tEXt", 4);
    return text + 8;
}

Written written_as(const char* what, int number, int width, int height) {
    Written written{{}, {}, {}, width, height};
    std::snprintf(written.title.data(), written.title.size(), "%s %d", what, number);
    std::snprintf(written.stem.data(), written.stem.size(), "%s-%d", what, number);
    written.label = written.title;
    written.label[0] = static_cast<char>(written.label[0] - 'a' + 'A');
    return written;
}

const char* write_vector_file(PageFormat format, std::FILE* file, const Written& written) {
    const char* why = nullptr;
    if (page_record_overflowed()) {
        why = "more boxes than a page can hold";
    } else if (format == PageFormat::svg) {
        why = write_svg_page(file, written.width, written.height, written.title.data());
    } else if (format == PageFormat::tikz) {
        why = write_tikz_page(file, written.width, written.height, written.label.data(),
                              written.stem.data());
    } else {
        why = "PNG is not a vector format";
    }
    return std::ferror(file) != 0 ? std::strerror(errno) : why;
}

Written draw_figure_aside_alone() {
    const RecordedFigure& figure = figure_aside();
    const Edges edges = figure_aside_edges();
    const int margin = 2 * figure.half;
    redraw_figure_aside(margin - edges.left, margin - edges.top);
    return written_as("figure", figure.number, edges.right - edges.left + 1 + 2 * margin,
                      edges.bottom - edges.top + 1 + 2 * margin);
}
