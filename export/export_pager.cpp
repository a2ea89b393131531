// The export pager: draws every page off screen and writes it as
// FOLDER/page-N.png (or .svg, or .tex) instead of showing it; or writes one
// figure alone, or lists the figures. Nothing waits for the user.
#include "export_pager.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "canvas.h"
#include "export_folder.h"
#include "family.h"
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

// A message quoting a path, with room for what it says of it.
using PathMessage = std::array<char, max_path_length + 100>;

std::array<char, folder_capacity> export_folder{};
const PageFormat* page_format = &png_format;

// What is written: every page, one figure, or the list of figures.
enum class ExportKind { pages, figure, list };
ExportKind export_kind = ExportKind::pages;
// The figure asked for: its number (as given, and as a number, -1 when
// larger than any run's), or when that is 0, its steps.
const char* chosen_digits = nullptr;
int chosen_number = 0;
std::array<StepKind, max_steps_a_figure> chosen_steps{};
int chosen_step_count = 0;
bool chosen_found = false;
int figures_in_run = 0;
// The fewest and the most steps a figure of the run has.
int fewest_steps = 0;
int most_steps = 0;
int list_write_error = 0;

int pages_written = 0;
bool progress_on_terminal = false;
int progress_write_error = 0;
SDL_Surface* page_surface = nullptr;

[[noreturn]] void fail_to_write(const char* path, const char* why) {
    PathMessage what{};
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
// exporters into one folder never share one.
void write_file(const Written& written) {
    const char* extension = page_format->extension;
    std::array<char, 48> name{};
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

bool is_chosen(const RecordedFigure& figure) {
    if (chosen_number != 0) return figure.number == chosen_number;
    return figure.step_count == chosen_step_count &&
           std::equal(chosen_steps.begin(), chosen_steps.begin() + chosen_step_count,
                      figure.steps.begin());
}

// Sets the chosen figure aside if it is on the page just finished.
void look_for_chosen_figure() {
    if (page_record_overflowed()) fail("cannot keep the figure", "more boxes than a page can hold");
    for (std::size_t i = 0; i < recorded_figure_count(); ++i) {
        const RecordedFigure& figure = recorded_figure(i);
        const bool first = figures_in_run == 0 && i == 0;
        fewest_steps = first ? figure.step_count : std::min(fewest_steps, figure.step_count);
        most_steps = first ? figure.step_count : std::max(most_steps, figure.step_count);
        if (!chosen_found && is_chosen(figure)) chosen_found = set_figure_aside(i);
    }
    if (recorded_figure_count() > 0) {
        figures_in_run = recorded_figure(recorded_figure_count() - 1).number;
    }
}

[[noreturn]] void fail_on_no_such_figure() {
    const int order = chosen_order(program_family.orders);
    std::array<char, 200> what{};
    std::array<char, 160> detail{};
    if (chosen_number != 0) {
        std::snprintf(what.data(), what.size(), "there is no figure %.150s", chosen_digits);
        std::snprintf(detail.data(), detail.size(), "the figures of order %d are 1 to %d",
                      order, figures_in_run);
    } else if (chosen_step_count < fewest_steps || chosen_step_count > most_steps) {
        std::snprintf(what.data(), what.size(), "no figure has %d steps", chosen_step_count);
        std::snprintf(detail.data(), detail.size(), "the figures of order %d have %d to %d",
                      order, fewest_steps, most_steps);
    } else {
        std::snprintf(what.data(), what.size(), "no figure has the steps given");
        std::snprintf(detail.data(), detail.size(),
                      "the figures of order %d are listed with their steps by --list", order);
    }
    fail_usage(what.data(), detail.data());
}

// A line of the list that could not be written: on a closed pipe (the
// reader has all it wanted, as with `| head`) the list ends quietly, as
// other tools' lists do; any other failure is told once every figure has
// been drawn.
void note_list_failure() {
    if (errno == EPIPE) std::exit(0);
    if (list_write_error == 0) list_write_error = errno;
}

// The list: "17<TAB>1<TAB>rise flat fall flat flat", a line a figure as it
// is drawn.
void list_figure(const StepKind* steps, int count, int /*x*/, int /*y*/, int /*half*/) {
    bool written = std::printf("%d\t%d\t", ++figures_in_run, pages_written + 1) >= 0;
    for (int i = 0; i < count; ++i) {
        written = std::printf(i == 0 ? "%s" : " %s", step_name(steps[i])) >= 0 && written;
    }
    written = std::putchar('\n') != EOF && written;
    if (!written) note_list_failure();
}

void write_page() {
    ++pages_written;
    if (export_kind == ExportKind::pages) {
        write_file(written_as("page", pages_written, canvas_width, canvas_height));
    } else if (export_kind == ExportKind::figure && !chosen_found) {
        look_for_chosen_figure();
    }
}

void start_page() {
    clear_canvas();
    clear_recorded_page();
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

void choose_figure(const char* number, const StepKind* steps, int count) {
    export_kind = ExportKind::figure;
    chosen_digits = number;
    chosen_number = 0;
    if (number != nullptr) {
        // Plain digits; a number past any int is past every run's figures.
        long long value = 0;
        for (const char* at = number; *at != '\0' && value >= 0; ++at) {
            value = value > 214748364 ? -1 : value * 10 + (*at - '0');
        }
        chosen_number = value > 0 && value <= 2147483647 ? static_cast<int>(value) : -1;
    }
    // A figure has at most as many steps as can be kept: more find none.
    chosen_step_count = count;
    std::copy(steps, steps + std::min(count, static_cast<int>(chosen_steps.size())),
              chosen_steps.begin());
}

void list_figures() { export_kind = ExportKind::list; }

void draw_paths() { path_overlay = true; }

void open_display() {
    pages_written = 0;
    figures_in_run = 0;
    if (export_kind == ExportKind::list) {
        // Nothing is drawn: with no canvas the primitives return at once.
        count_printed = false;
        figure_listener = list_figure;
        if (std::printf("figure\tpage\tsteps\n") < 0) note_list_failure();
        return;
    }
    // A figure's folder is made once the figure is known to exist.
    if (export_kind == ExportKind::pages) make_export_folder(export_folder.data());
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
    write_page();
    if (export_kind == ExportKind::list) {
        if (std::fflush(stdout) != 0) note_list_failure();
        if (list_write_error != 0) {
            fail("cannot write the list to standard output", std::strerror(list_write_error));
        }
        return;
    }
    if (export_kind == ExportKind::figure) {
        if (!chosen_found) fail_on_no_such_figure();
        make_export_folder(export_folder.data());
        write_file(draw_figure_aside_alone());
    }
    end_progress_line();
    if (export_kind == ExportKind::pages) {
        remove_stale_pages(export_folder.data(), *page_format, pages_written);
    }
    if (progress_write_error != 0) {
        fail("cannot write the progress to standard error", std::strerror(progress_write_error));
    }
}
