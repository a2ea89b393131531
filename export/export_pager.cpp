// The export pager: draws every page off screen and writes it as
// FOLDER/page-N.png (or .svg, or .tex) instead of showing it; nothing waits
// for the user.
#include "export_pager.h"

#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "canvas.h"
#include "messages.h"
#include "page_record.h"
#include "page_writers.h"
#include "pager.h"
#include "platform.h"

namespace {

// The longest a folder's name may be (PATH_MAX on Linux), and the longest
// name of a page's file within it, "/.page-2147483647.png.XXXXXX" with its
// terminating zero.
constexpr std::size_t folder_capacity = 4096;
constexpr std::size_t longest_page_name = 29;
static_assert(folder_capacity + longest_page_name <= max_path_length);
// A message quoting a path, with room for what it says of it.
using PathMessage = std::array<char, max_path_length + 100>;

std::array<char, folder_capacity> export_folder{};
PageFormat page_format = PageFormat::png;
int pages_written = 0;
bool progress_on_terminal = false;
int progress_write_error = 0;
SDL_Surface* page_surface = nullptr;

void make_export_folder() {
    const int error = make_folder(export_folder.data());
    if (error == 0 || (error == EEXIST && is_folder(export_folder.data()))) return;
    const char* why = error == EEXIST ? "it exists and is not a folder" : std::strerror(error);
    PathMessage what{};
    std::snprintf(what.data(), what.size(), "cannot use the folder %s", export_folder.data());
    fail(what.data(), why);
}

[[noreturn]] void fail_to_write(const char* path, const char* why) {
    PathMessage what{};
    std::snprintf(what.data(), what.size(), "cannot write %s", path);
    fail(what.data(), why);
}

// Removes the unfinished page and stops with the reason.
[[noreturn]] void abandon_page(const char* partial, const char* path, const char* why) {
    remove_unfinished_file(partial);
    fail_to_write(path, why);
}

// By PageFormat: png, svg, tikz.
constexpr std::array<const char*, 3> extensions = {"png", "svg", "tex"};

// Returns nullptr, or why the page could not be written.
const char* write_page_as(PageFormat format, std::FILE* file) {
    const char* why = nullptr;
    if (format == PageFormat::png) {
        why = write_png_page(file);
    } else if (page_record_overflowed()) {
        why = "more boxes than a page can hold";
    } else if (format == PageFormat::svg) {
        why = write_svg_page(file, pages_written);
    } else {
        why = write_tikz_page(file, pages_written);
    }
    // A failed write is the telling reason, whatever the writer made of it.
    return std::ferror(file) != 0 ? std::strerror(errno) : why;
}

// On a terminal the progress line is rewritten in place. A progress line
// that cannot be written (a closed pipe, say) stops no page.
void report_progress(const char* path) {
    const bool written =
        std::fprintf(stderr, "%s%s: wrote page %d to ", progress_on_terminal ? "\r" : "",
                     program_name, pages_written) >= 0 &&
        print_escaped(stderr, path) >= 0 &&
        std::fputs(progress_on_terminal ? "" : "\n", stderr) >= 0 && std::fflush(stderr) == 0;
    if (!written && progress_write_error == 0) progress_write_error = errno;
}

// The page is written to a fresh temporary file in the folder and renamed
// once complete, so a page-N file is never a partial one. The temporary file
// is made new (it follows no link planted at its name), so two exporters
// into one folder never share one.
void write_page() {
    ++pages_written;
    const char* extension = extensions[static_cast<int>(page_format)];
    std::array<char, max_path_length> path{};
    std::array<char, max_path_length> partial{};
    std::snprintf(path.data(), path.size(), "%s/page-%d.%s", export_folder.data(), pages_written,
                  extension);
    std::snprintf(partial.data(), partial.size(), "%s/.page-%d.%s.XXXXXX", export_folder.data(),
                  pages_written, extension);
    std::FILE* file = create_unique_file(partial.data());
    if (file == nullptr) {
        const int error = errno;
        fail_to_write(path.data(), std::strerror(error));
    }
    const char* why = write_page_as(page_format, file);
    if (why != nullptr) {
        std::fclose(file);
        abandon_page(partial.data(), path.data(), why);
    }
    // A full disk may only show when the last bytes are written out.
    if (std::fclose(file) != 0) {
        const int error = errno;
        abandon_page(partial.data(), path.data(), std::strerror(error));
    }
    const int error = replace_file(partial.data(), path.data());
    if (error != 0) abandon_page(partial.data(), path.data(), std::strerror(error));
    report_progress(path.data());
}

void start_page() {
    clear_canvas();
    clear_recorded_page();
}

}  // namespace

void set_export_folder(const char* folder, PageFormat format) {
    const int length = std::snprintf(export_folder.data(), export_folder.size(), "%s", folder);
    if (length <= 0 || static_cast<std::size_t>(length) >= export_folder.size()) {
        fail("cannot use the folder", "its name is empty or too long");
    }
    page_format = format;
}

void open_display() {
    make_export_folder();
    pages_written = 0;
    progress_write_error = 0;
    progress_on_terminal = is_terminal(stderr);
    if (page_surface == nullptr) {
        page_surface = SDL_CreateRGBSurface(SDL_SWSURFACE, canvas_width, canvas_height,
                                            canvas_depth, 0x00FF0000, 0x0000FF00, 0x000000FF, 0);
    }
    if (!select_canvas(page_surface)) fail("cannot make an off-screen page", SDL_GetError());
    // The PNG pages need neither the boxes nor where each figure begins.
    if (page_format != PageFormat::png) start_recording();
    start_page();
}

void show_page() {
    write_page();
    start_page();
}

void finish_display() {
    write_page();
    if (progress_on_terminal) std::fprintf(stderr, "\n");
    if (progress_write_error != 0) {
        fail("cannot write the progress to standard error", std::strerror(progress_write_error));
    }
}
