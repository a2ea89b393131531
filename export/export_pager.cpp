// The export pager: draws every page off screen and writes it as
// FOLDER/page-N.png (or .svg, or .tex) instead of showing it; or writes one
// figure alone, or lists the figures. Nothing waits for the user.
#include "export_pager.h"

#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "canvas.h"
#include "export_folder.h"
#include "export_list.h"
#include "figure_protocol.h"
#include "files.h"
#include "messages.h"
#include "page_file.h"
#include "page_formats.h"
#include "page_record.h"
#include "pager.h"
#include "path_overlay.h"
#include "png_page.h"
#include "process.h"

namespace {

std::array<char, folder_capacity> export_folder{};
bool folder_made = false;
const PageFormat* page_format = &png_format;

// What is written: every page, one figure (set aside from its page, or
// drawn alone in place), or the list of figures.
enum class ExportKind { pages, figure, drawn_alone, list };
ExportKind export_kind = ExportKind::pages;
// The one figure's file: its name, and whether its steps are in its title.
std::array<char, 128> figure_stem{};
bool titled_with_steps = false;
// --where: the figures the pages and the list keep.
WhereFilter where{};
bool filtered = false;

int pages_written = 0;
bool progress_on_terminal = false;
int progress_write_error = 0;
SDL_Surface* page_surface = nullptr;

[[noreturn]] void fail_to_write(const char* path, const char* why) {
    std::array<char, max_path_length + 100> what{};
    std::snprintf(what.data(), what.size(), "cannot write %s", path);
    fail(what.data(), why);
}

// Returns nullptr, or why the page could not be written.
const char* write_as(const PageFormat& format, std::FILE* file, const Written& written) {
    if (format.write != nullptr) return write_recorded_file(format, file, written);
    const char* why = write_png_page(file, written.width, written.height);
    // A failed write is the telling reason, whatever the writer made of it.
    return std::ferror(file) != 0 ? std::strerror(errno) : why;
}

// On a terminal the progress line is rewritten in place. A progress line
// that cannot be written (a closed pipe, say) stops no page.
void report_progress(const char* title, const char* path) {
    const bool written =
        std::fprintf(stderr, "%s%s: wrote %s to ", progress_on_terminal ? "\r" : "",
                     program_name, title) >= 0 &&
        print_escaped(stderr, path) >= 0 &&
        std::fputs(progress_on_terminal ? "" : "\n", stderr) >= 0 && std::fflush(stderr) == 0;
    if (!written && progress_write_error == 0) progress_write_error = errno;
    if (progress_on_terminal) begin_progress_line();
}

// The file is written where nobody sees it until it is complete (with no
// name at all on Linux, else as a fresh temporary file in the folder) and
// only then given its name, so a page-N file is never a partial one. The
// file is made new (it follows no link planted at its name), so two
// exporters into one folder never share one. The folder is made, and
// locked, with the first file, so that an export that writes none leaves
// nothing behind.
void write_file(const Written& written) {
    if (!folder_made) make_export_folder(export_folder.data());
    folder_made = true;
    const char* extension = page_format->extension;
    std::array<char, 192> name{};
    std::array<char, max_path_length> path{};
    std::array<char, max_path_length> partial{};
    std::snprintf(name.data(), name.size(), "%s.%s", written.stem.data(), extension);
    join_path(path.data(), path.size(), export_folder.data(), name.data());
    std::snprintf(name.data(), name.size(), ".%s.%s.XXXXXX", written.stem.data(), extension);
    join_path(partial.data(), partial.size(), export_folder.data(), name.data());
    std::FILE* file = create_unique_file(partial.data());
    if (file == nullptr) {
        const int error = errno;
        fail_to_write(path.data(), std::strerror(error));
    }
    if (const char* why = write_as(*page_format, file, written)) {
        abandon_file(file, partial.data());
        fail_to_write(path.data(), why);
    }
    if (const int error = finish_file(file, partial.data(), path.data()); error != 0) {
        fail_to_write(path.data(), std::strerror(error));
    }
    report_progress(written.title.data(), path.data());
}

// The list: a line a figure as it is drawn, on the page it is drawn on.
void list_figure(const BigCount& number, const StepKind* steps, int count, int /*x*/, int /*y*/,
                 int /*cell*/) {
    print_list_line(number, pages_written + 1, steps, count);
}

bool passes_where(const StepKind* steps, int count) {
    return filter_holds(where, stats_of(steps, count));
}

// Writes the one figure drawn, alone, cropped to its outline and a margin.
void write_one_figure() {
    if (page_record_overflowed() || !set_figure_aside(0)) {
        fail("cannot keep the figure", "more boxes than a figure can hold");
    }
    const FigureTitle title = figure_title(figure_aside());
    Written written = draw_figure_aside_alone();
    std::snprintf(written.stem.data(), written.stem.size(), "%s", figure_stem.data());
    if (titled_with_steps) retitle(written, title.data());
    write_file(written);
}

void write_page() {
    ++pages_written;
    if (export_kind == ExportKind::pages) {
        write_file(written_as("page", decimal_text(pages_written).data(), canvas_width, canvas_height));
    }
}

void start_page() {
    clear_canvas();
    clear_recorded_page();
    figures_on_page = 0;
}

// A filter that no figure passes: one sentence, status 2, nothing written.
[[noreturn]] void fail_on_no_match() {
    std::array<char, 120> what{};
    std::snprintf(what.data(), what.size(), "no figure of order %d has",
                  chosen_order(program_family.orders));
    fail_usage(what.data(), where_text(where).data());
}

}  // namespace

void set_export_folder(const char* folder, const PageFormat& format) {
    const int length = std::snprintf(export_folder.data(), export_folder.size(), "%s", folder);
    if (length <= 0) fail("cannot use the folder", "its name is empty");
    if (static_cast<std::size_t>(length) >= export_folder.size()) {
        std::array<char, 120> why{};
        std::snprintf(why.data(), why.size(),
                      "its name is %d bytes long; at most %d leave room for its pages' names",
                      length, static_cast<int>(folder_capacity) - 1);
        fail("cannot use the folder", why.data());
    }
    page_format = &format;
}

void export_one_figure(const char* stem, bool with_steps) {
    export_kind = ExportKind::figure;
    std::snprintf(figure_stem.data(), figure_stem.size(), "%s", stem);
    titled_with_steps = with_steps;
}

void export_drawn_alone(const char* stem) {
    export_kind = ExportKind::drawn_alone;
    std::snprintf(figure_stem.data(), figure_stem.size(), "%s", stem);
}

void write_drawn_alone(const char* title, int width, int height) {
    Written written = written_as("figure", "0", width, height);
    std::snprintf(written.stem.data(), written.stem.size(), "%s", figure_stem.data());
    retitle(written, title);
    write_file(written);
    end_progress_line();
    if (progress_write_error != 0) {
        fail("cannot write the progress to standard error", std::strerror(progress_write_error));
    }
}

void list_figures() { export_kind = ExportKind::list; }

void keep_only(const WhereFilter& filter) {
    where = filter;
    filtered = true;
}

void draw_paths() { path_overlay = true; }

void open_display() {
    pages_written = 0;
    figure_filter = filtered ? passes_where : nullptr;
    // A count of the order says nothing of the figures a filter keeps.
    if (filtered) count_printed = false;
    figures_on_page = 0;
    if (export_kind == ExportKind::list) {
        // Nothing is drawn: with no canvas the primitives return at once.
        count_printed = false;
        figure_listener = list_figure;
        print_list_header();
        return;
    }
    progress_write_error = 0;
    progress_on_terminal = is_terminal(stderr);
    if (page_surface == nullptr) {
        page_surface = SDL_CreateRGBSurface(SDL_SWSURFACE, canvas_width, canvas_height,
                                            canvas_depth, 0x00FF0000, 0x0000FF00, 0x000000FF, 0);
    }
    if (!select_canvas(page_surface)) fail("cannot make an off-screen page", SDL_GetError());
    // Pages of pixels need neither the boxes nor where each figure begins.
    if (page_format->write != nullptr || export_kind == ExportKind::figure) start_recording();
    start_page();
}

void show_page() {
    write_page();
    start_page();
}

void finish_display() {
    // A page that the last figure filled was shown at once: the page after
    // it holds none, and is no page of the run (only a filter makes one).
    const bool empty = figures_on_page == 0;
    if (empty && pages_written == 0 && filtered) fail_on_no_match();
    // A figure drawn alone in place is written once its size is known.
    if (export_kind == ExportKind::drawn_alone) return;
    if (!empty || pages_written == 0) write_page();
    if (export_kind == ExportKind::list) {
        if (finish_text("the list") != 0) std::exit(1);
        return;
    }
    if (export_kind == ExportKind::figure) write_one_figure();
    end_progress_line();
    if (export_kind == ExportKind::pages) {
        remove_stale_pages(export_folder.data(), *page_format, pages_written);
    }
    if (progress_write_error != 0) {
        fail("cannot write the progress to standard error", std::strerror(progress_write_error));
    }
}
