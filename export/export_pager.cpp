#include "export_pager.h"

#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "canvas.h"
#include "draw_figure.h"
#include "export_folder.h"
#include "export_list.h"
#include "files.h"
#include "messages.h"
#include "pager.h"
#include "png_page.h"
#include "process.h"
#include "run.h"

namespace {

[[noreturn]] void fail_to_write(const std::string& path, const char* why) {
    fail(("cannot write " + path).c_str(), why);
}

// Returns nullptr, or why the file could not be written.
const char* write_as(const PageFormat& format, std::FILE* file, const FilePage& page) {
    if (format.write != nullptr) return write_page_file(format, file, page);
    const char* why = write_png_page(file, page.written.width, page.written.height, page.writer);
    // A failed write is the telling reason, whatever the writer made of it.
    return std::ferror(file) != 0 ? std::strerror(errno) : why;
}

// On a terminal the progress line is rewritten in place. Standard error
// closed at the start takes every line to the null device: that is a
// failure to write them too.
void report_progress(PagerState& pager, const std::string& title, const std::string& path) {
    if (closed_at_start(stderr)) {
        pager.progress_lost = true;
        return;
    }
    const bool written =
        std::fprintf(stderr, "%s%s: wrote %s to ", pager.progress_on_terminal ? "\r" : "",
                     program_name, title.c_str()) >= 0 &&
        print_escaped(stderr, path.c_str()) >= 0 &&
        std::fputs(pager.progress_on_terminal ? "" : "\n", stderr) >= 0 &&
        std::fflush(stderr) == 0;
    if (!written && pager.progress_write_error == 0) pager.progress_write_error = errno;
    if (pager.progress_on_terminal) begin_progress_line();
}

// The file is written where nobody sees it until it is complete (with no
// name at all on Linux, else as a fresh temporary file in the folder) and
// only then given its name, so a page-N file is never a partial one. The
// file is made new (it follows no link planted at its name), so two
// exporters into one folder never share one. The folder is made, and
// locked, with the first file, so that an export that writes none leaves
// nothing behind.
void write_file(PagerState& pager, const FilePage& page) {
    if (!pager.folder_made) make_export_folder(pager.folder.c_str());
    pager.folder_made = true;
    const std::string extension = pager.format->extension;
    std::array<char, max_path_length> path{};
    std::array<char, max_path_length> partial{};
    join_path(path.data(), path.size(), pager.folder.c_str(),
              (page.written.stem + "." + extension).c_str());
    join_path(partial.data(), partial.size(), pager.folder.c_str(),
              ("." + page.written.stem + "." + extension + ".XXXXXX").c_str());
    std::FILE* file = create_unique_file(partial.data());
    if (file == nullptr) {
        const int error = errno;
        fail_to_write(path.data(), std::strerror(error));
    }
    if (const char* why = write_as(*pager.format, file, page)) {
        abandon_file(file, partial.data());
        fail_to_write(path.data(), why);
    }
    if (const int error = finish_file(file, partial.data(), path.data()); error != 0) {
        fail_to_write(path.data(), std::strerror(error));
    }
    report_progress(pager, page.written.title, path.data());
    const std::string caution =
        pager.format->caution != nullptr ? pager.format->caution(page) : std::string();
    if (!caution.empty()) {
        end_progress_line();
        std::fprintf(stderr, "%s: note: %s: %s\n", program_name, path.data(), caution.c_str());
    }
}

// Makes the off-screen canvas width x height (kept while its size does not
// change) and selects it, cleared.
void select_page_canvas(PagerState& pager, int width, int height) {
    if (pager.page_surface == nullptr || pager.page_surface->w != width ||
        pager.page_surface->h != height) {
        if (pager.page_surface != nullptr) SDL_FreeSurface(pager.page_surface);
        pager.page_surface = SDL_CreateRGBSurface(SDL_SWSURFACE, width, height, canvas_depth,
                                                  0x00FF0000, 0x0000FF00, 0x000000FF, 0);
    }
    if (!select_canvas(pager.page_surface) || pager.page_surface == nullptr) {
        fail("cannot make an off-screen page", SDL_GetError());
    }
    clear_canvas();
}

// The list: a line a figure as it is drawn, on the page it is drawn on,
// under a header printed with the first line: a filter that keeps none
// leaves standard output empty.
void list_figure(Run& run, const BigCount& number, const FigurePath& path) {
    PagerState& pager = *run.pager;
    if (!pager.header_printed) print_list_header(pager.text);
    pager.header_printed = true;
    print_list_line(pager.text, number, pager.pages_written + 1, path);
}

void write_page(Run& run) {
    PagerState& pager = *run.pager;
    ++pager.pages_written;
    if (pager.listing) return;
    write_file(pager, page_file(pager.record, std::to_string(pager.pages_written),
                                run.family->cell, run.drawing, run.file_writer,
                                run.family->name, run.order));
}

void start_page(Run& run) {
    PagerState& pager = *run.pager;
    pager.record.figures.clear();
    run.figures_on_page = 0;
    if (pager.listing) return;
    const int cell = run.drawing.cell != 0 ? run.drawing.cell : run.family->cell;
    select_page_canvas(pager, scaled_page_side(canvas_width, run.family->cell, cell),
                       scaled_page_side(canvas_height, run.family->cell, cell));
}

// The progress not written: said at the end, once every file is written.
void fail_on_lost_progress(const PagerState& pager) {
    if (pager.progress_lost) fail("cannot write the progress to standard error", "it is closed");
    if (pager.progress_write_error != 0) {
        fail("cannot write the progress to standard error", std::strerror(pager.progress_write_error));
    }
}

// A filter that no figure passes: one sentence, status 2, nothing written.
[[noreturn]] void fail_on_no_match(const Run& run) {
    const std::string what = "no figure of order " + std::to_string(run.order) + " has";
    fail_usage(what.c_str(), where_text(*run.filter).data());
}

}  // namespace

PagerState export_pager(const char* folder, const PageFormat& format) {
    const std::size_t length = std::strlen(folder);
    if (length >= folder_capacity) {
        std::array<char, 120> why{};
        std::snprintf(why.data(), why.size(),
                      "its name is %d bytes long; at most %d leave room for its pages' names",
                      static_cast<int>(length), static_cast<int>(folder_capacity) - 1);
        fail("cannot use the folder", why.data());
    }
    PagerState pager;
    pager.folder = folder;
    pager.format = &format;
    return pager;
}

PagerState list_pager() {
    PagerState pager;
    pager.listing = true;
    return pager;
}

void open_display(Run& run) {
    PagerState& pager = *run.pager;
    pager.pages_written = 0;
    // A count of the order says nothing of the figures a filter keeps.
    if (run.filter) run.count_printed = false;
    if (pager.listing) {
        // Nothing is drawn: with no canvas the figures are only numbered.
        run.count_printed = false;
        run.figure_listener = list_figure;
        select_canvas(nullptr);
        pager.header_printed = false;
    } else {
        pager.progress_write_error = 0;
        pager.progress_on_terminal = is_terminal(stderr);
        // Pages of pixels need no record of their figures.
        run.record = pager.format->write != nullptr ? &pager.record : nullptr;
    }
    start_page(run);
}

void show_page(Run& run) {
    write_page(run);
    start_page(run);
}

void finish_display(Run& run) {
    PagerState& pager = *run.pager;
    // A page that the last figure filled was shown at once: the page after
    // it holds none, and is no page of the run (only a filter makes one).
    const bool empty = run.figures_on_page == 0;
    if (empty && pager.pages_written == 0 && run.filter) fail_on_no_match(run);
    if (!empty || pager.pages_written == 0) write_page(run);
    if (pager.listing) {
        if (finish_text(pager.text, "the list") != 0) std::exit(1);
        return;
    }
    end_progress_line();
    remove_stale_pages(pager.folder.c_str(), *pager.format, pager.pages_written, run.file_writer);
    fail_on_lost_progress(pager);
}

void write_figure_alone(PagerState& pager, const Run& run, const ChosenFigure& chosen,
                        const Placement& placement, const std::string& stem,
                        const std::string& title) {
    pager.progress_on_terminal = is_terminal(stderr);
    const PlacedFigure& figure = chosen;
    FilePage page = figure_file(figure, placement, run.drawing, run.file_writer,
                                run.family->name, run.order);
    page.written.stem = stem;
    retitle(page.written, title);
    if (pager.format->write == nullptr) {
        select_page_canvas(pager, page.written.width, page.written.height);
        draw_figure_pixels(figure.geometry, placement, page.drawing);
    }
    write_file(pager, page);
    end_progress_line();
    fail_on_lost_progress(pager);
}
