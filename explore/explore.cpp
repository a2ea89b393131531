#include "explore.h"

#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "canvas.h"
#include "explore_pager.h"
#include "family_table.h"
#include "messages.h"
#include "page_file.h"
#include "page_formats.h"
#include "page_record.h"
#include "pager.h"
#include "path_overlay.h"

namespace {

// The family numbered `family` in the table, or nullptr.
const Family* family_numbered(int family) {
    return family >= 0 && family < family_count ? family_table[family] : nullptr;
}

// The last file written. The largest pages are some 440 kB (pyramid order 7
// with its paths, as SVG); even a page whose record were full (16,384
// boxes) would take under 2 MB.
std::array<char, 4 << 20> file_bytes{};
int file_size = 0;
Written file_written{};
const char* file_failure = "";
// The title of one figure, "figure 17: rise fall flat ...", whose steps
// explore_figure_steps hands out.
FigureTitle steps_title{};

// A figure drawn alone for its file takes the page's place on the canvas
// and in the record, until the page is run again.
bool figure_alone = false;

bool page_on_canvas() { return page_drawn() && !figure_alone; }

bool is_figure_on_page(int index) {
    return page_on_canvas() && index >= 0 && index < static_cast<int>(recorded_figure_count());
}

}  // namespace

extern "C" {

int explore_family_count() { return family_count; }

const char* explore_family_name(int family) {
    return family_numbered(family) != nullptr ? family_table[family]->name : "";
}

int explore_format_count() { return static_cast<int>(page_formats.size()); }

const char* explore_format_label(int format) {
    return format >= 0 && format < explore_format_count() ? page_formats[format]->label : "";
}

const char* explore_format_extension(int format) {
    return format >= 0 && format < explore_format_count() ? page_formats[format]->extension : "";
}

const char* explore_format_mime_type(int format) {
    return format >= 0 && format < explore_format_count() ? page_formats[format]->mime_type : "";
}

int explore_format_is_image(int format) {
    return format >= 0 && format < explore_format_count() && page_formats[format]->write == nullptr
               ? 1
               : 0;
}

int explore_largest_order(int family) {
    return family_numbered(family) != nullptr ? family_table[family]->orders.largest : 0;
}

int explore_usual_order(int family) {
    return family_numbered(family) != nullptr ? family_table[family]->orders.usual : 0;
}

int explore_run(int family, int order, int page, int paths) {
    if (order < 1 || order > explore_largest_order(family)) return 0;
    requested_order = order;
    path_overlay = paths != 0;
    // The files name the program that wrote them: the exporter's name, so
    // that they are its files byte for byte.
    static std::array<char, 64> writer{};
    std::snprintf(writer.data(), writer.size(), "%s_export", family_table[family]->name);
    file_writer = writer.data();
    aim_at_page(page);
    figure_alone = false;
    run_family(*family_table[family]);
    return pages_in_run();
}

int explore_page_drawn() { return page_drawn() ? 1 : 0; }

int explore_figures() { return figures_in_run(); }

const unsigned char* explore_pixels() { return page_pixels(); }

int explore_page_figure_count() {
    return page_on_canvas() ? static_cast<int>(recorded_figure_count()) : 0;
}

int explore_figure_at(int x, int y) {
    for (int i = 0; i < explore_page_figure_count(); ++i) {
        const Edges edges = recorded_figure_edges(static_cast<std::size_t>(i));
        if (x >= edges.left && x <= edges.right && y >= edges.top && y <= edges.bottom) return i;
    }
    return -1;
}

const char* explore_figure_number(int index) {
    return is_figure_on_page(index) ? recorded_figure(static_cast<std::size_t>(index)).number.data()
                                    : "0";
}

const char* explore_figure_steps(int index) {
    if (!is_figure_on_page(index)) return "";
    steps_title = figure_title(recorded_figure(static_cast<std::size_t>(index)));
    // What follows "figure N: ", the steps as the titles name them.
    const char* steps = std::strchr(steps_title.data(), ':');
    return steps == nullptr ? "" : steps + std::strspn(steps, ": ");
}

int explore_figure_edge(int index, int side) {
    if (!is_figure_on_page(index)) return 0;
    const Edges edges = recorded_figure_edges(static_cast<std::size_t>(index));
    const std::array<int, 4> sides = {edges.left, edges.top, edges.right, edges.bottom};
    return side >= 0 && side < 4 ? sides[side] : 0;
}

int explore_write_file(int format, int index) {
    file_size = 0;
    file_failure = "";
    if (format < 0 || format >= static_cast<int>(page_formats.size()) || !page_on_canvas() ||
        (index != -1 && !is_figure_on_page(index))) {
        file_failure = "there is no such page or figure";
        return -1;
    }
    if (index == -1) {
        file_written = written_as("page", decimal_text(aimed_page()).data(), canvas_width,
                                  canvas_height);
    } else if (set_figure_aside(static_cast<std::size_t>(index))) {
        figure_alone = true;
        file_written = draw_figure_aside_alone();
    } else {
        file_failure = "the figure has more boxes than can be kept";
        return -1;
    }
    const PageFormat& format_asked = *page_formats[format];
    // An image of the pixels is the browser's to encode.
    if (format_asked.write == nullptr) return 0;
    std::FILE* file = fmemopen(file_bytes.data(), file_bytes.size(), "w");
    if (file == nullptr) {
        file_failure = std::strerror(errno);
        return -1;
    }
    const char* why = write_recorded_file(format_asked, file, file_written);
    const long size = std::ftell(file);
    std::fclose(file);
    // The stream keeps its last byte for a terminating zero.
    if (why == nullptr && (size < 0 || size >= static_cast<long>(file_bytes.size()) - 1)) {
        why = "the file is larger than the explorer can hold";
    }
    if (why != nullptr) {
        file_failure = why;
        return -1;
    }
    file_size = static_cast<int>(size);
    return 0;
}

const char* explore_file_data() { return file_bytes.data(); }
int explore_file_size() { return file_size; }
int explore_file_width() { return file_written.width; }
int explore_file_height() { return file_written.height; }
const char* explore_file_stem() { return file_written.stem.data(); }
const char* explore_file_failure() { return file_failure; }
}
