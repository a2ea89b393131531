// The export pager: draws every page off screen and writes it as
// FOLDER/page-N.png (or page-N.svg) instead of showing it; nothing waits for
// the user.
#include <png.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "canvas.h"

namespace {

std::array<char, 4096> export_folder{};
PageFormat page_format = PageFormat::png;
int pages_written = 0;
bool progress_on_terminal = false;
int progress_write_error = 0;
SDL_Surface* page_surface = nullptr;
// One page as 8-bit RGB, for the PNG encoder, and the encoded page: written
// with our own fwrite, so that a failed write tells the system's reason.
std::array<png_byte, static_cast<std::size_t>(canvas_width) * canvas_height * 3> rgb_page{};
std::array<png_byte, rgb_page.size() + rgb_page.size() / 8 + 65536> png_page{};

// The boxes drawn on the page so far, in drawing order, and where each
// figure's boxes begin, for the vector pages. A full page holds at most
// 1,320 boxes and 375 figures (at any order).
struct Box {
    int x1, y1, x2, y2;
    Colour border, fill;
};
std::array<Box, 4096> page_boxes{};
std::size_t box_count = 0;
bool too_many_boxes = false;

struct PageFigure {
    std::size_t first_box;
    int number;  // in the whole run, from 1
    std::array<StepKind, 16> steps;
    int step_count;
};
std::array<PageFigure, 1024> page_figures{};
std::size_t figure_count = 0;
int figures_in_run = 0;

void keep_box(int x1, int y1, int x2, int y2, Colour border, Colour fill) {
    if (box_count == page_boxes.size()) {
        too_many_boxes = true;
        return;
    }
    page_boxes[box_count++] = {x1, y1, x2, y2, border, fill};
}

void keep_figure(const StepKind* steps, int count) {
    ++figures_in_run;
    if (figure_count == page_figures.size() || count < 0 ||
        count > static_cast<int>(PageFigure{}.steps.size())) {
        too_many_boxes = true;
        return;
    }
    PageFigure& figure = page_figures[figure_count++];
    figure = {box_count, figures_in_run, {}, count};
    for (int i = 0; i < count; ++i) figure.steps[i] = steps[i];
}

// "figure 17: rise flat fall flat flat"
using FigureTitle = std::array<char, 160>;
FigureTitle title_of(const PageFigure& figure) {
    FigureTitle title{};
    int at = std::snprintf(title.data(), title.size(), "figure %d:", figure.number);
    for (int i = 0; i < figure.step_count && at > 0 && at < static_cast<int>(title.size()); ++i) {
        const StepKind step = figure.steps[i];
        const char* word = step == StepKind::rise ? "rise" : step == StepKind::fall ? "fall" : "flat";
        at += std::snprintf(title.data() + at, title.size() - at, " %s", word);
    }
    return title;
}

void make_export_folder() {
    const int error = make_folder(export_folder.data());
    if (error == 0) return;
    struct stat info {};
    if (error == EEXIST && stat(export_folder.data(), &info) == 0 && S_ISDIR(info.st_mode)) return;
    const char* why = error == EEXIST ? "it exists and is not a folder" : std::strerror(error);
    std::array<char, 4200> what{};
    std::snprintf(what.data(), what.size(), "cannot use the folder %s", export_folder.data());
    fail(what.data(), why);
}

[[noreturn]] void fail_to_write(const char* path, const char* why) {
    std::array<char, 4300> what{};
    std::snprintf(what.data(), what.size(), "cannot write %s", path);
    fail(what.data(), why);
}

// Removes the unfinished page and stops with the reason.
[[noreturn]] void abandon_page(const char* partial, const char* path, const char* why) {
    remove_unfinished_file(partial);
    fail_to_write(path, why);
}

// Writes the page as PNG; returns nullptr, or libpng's reason for failing.
const char* write_png(FILE* file) {
    std::size_t at = 0;
    for (int y = 0; y < canvas_height; ++y) {
        for (int x = 0; x < canvas_width; ++x) {
            SDL_GetRGB(get_pixel(x, y), screen->format, &rgb_page[at], &rgb_page[at + 1],
                       &rgb_page[at + 2]);
            at += 3;
        }
    }
    // Static: the reason returned lives in it.
    static png_image image;
    image = png_image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = canvas_width;
    image.height = canvas_height;
    image.format = PNG_FORMAT_RGB;
    png_alloc_size_t size = png_page.size();
    if (png_image_write_to_memory(&image, png_page.data(), &size, 0, rgb_page.data(),
                                  canvas_width * 3, nullptr) == 0) {
        return image.message;
    }
    if (size > png_page.size()) return "the encoded page is larger than its buffer";
    if (std::fwrite(png_page.data(), 1, size, file) != size) return std::strerror(errno);
    return nullptr;
}

using HexColour = std::array<char, 8>;

HexColour hex(Colour colour) {
    Uint8 r = 0;
    Uint8 g = 0;
    Uint8 b = 0;
    SDL_GetRGB(colour, screen->format, &r, &g, &b);
    HexColour text{};
    std::snprintf(text.data(), text.size(), "#%02x%02x%02x", r, g, b);
    return text;
}

// A box's edges, whichever corners it was given by.
struct Edges {
    int left, top, right, bottom;
};
Edges edges_of(const Box& box) {
    return {std::min(box.x1, box.x2), std::min(box.y1, box.y2), std::max(box.x1, box.x2),
            std::max(box.y1, box.y2)};
}

// Writes the page's boxes in drawing order, each figure's opened by
// `open_figure(title)` before its first box and closed by `close_figure`
// before the next figure opens and at the end. False as soon as
// `write_box` is.
template <typename WriteBox>
bool write_figures(FILE* file, const char* open_figure, const char* close_figure,
                   WriteBox write_box) {
    std::size_t next_figure = 0;
    for (std::size_t i = 0; i < box_count; ++i) {
        for (; next_figure < figure_count && page_figures[next_figure].first_box == i;
             ++next_figure) {
            if (next_figure > 0) std::fputs(close_figure, file);
            std::fprintf(file, open_figure, title_of(page_figures[next_figure]).data());
        }
        if (!write_box(page_boxes[i])) return false;
    }
    if (next_figure > 0) std::fputs(close_figure, file);
    return true;
}

// Writes the page as SVG, one <rect> a box. A box's outline is a 1-unit
// stroke through its edge pixels' centres, drawn over its fill, so at 100 %
// each covers exactly the pixels the raster draws, and every edge falls on
// a pixel boundary at any whole zoom. Returns nullptr, or why it failed.
const char* write_svg(FILE* file) {
    if (too_many_boxes) return "more boxes than a page can hold";
    std::fprintf(file,
                 "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                 "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%d\" height=\"%d\" "
                 "viewBox=\"0 0 %d %d\" shape-rendering=\"crispEdges\">\n"
                 "<title>page %d</title>\n"
                 "<rect width=\"%d\" height=\"%d\" fill=\"%s\"/>\n",
                 canvas_width, canvas_height, canvas_width, canvas_height, pages_written,
                 canvas_width, canvas_height, hex(palette.background).data());
    // Each figure is a group of its own, titled with its number and steps.
    write_figures(file, "<g><title>%s</title>\n", "</g>\n", [file](const Box& box) {
        const Edges edges = edges_of(box);
        std::fprintf(file,
                     "<rect x=\"%d.5\" y=\"%d.5\" width=\"%d\" height=\"%d\" fill=\"%s\" "
                     "stroke=\"%s\"/>\n",
                     edges.left, edges.top, edges.right - edges.left, edges.bottom - edges.top,
                     hex(box.fill).data(), hex(box.border).data());
        return true;
    });
    std::fprintf(file, "</svg>\n");
    return std::ferror(file) != 0 ? std::strerror(errno) : nullptr;
}

// The palette's colours by the names a TikZ page gives them; nullptr for
// any other colour.
const char* tikz_name(Colour colour) {
    if (colour == palette.background) return "dominopage";
    if (colour == palette.rise_fill) return "dominorise";
    if (colour == palette.flat_fill) return "dominoflat";
    if (colour == palette.fall_fill) return "dominofall";
    if (colour == palette.border) return "dominoborder";
    return nullptr;
}

// Writes the page as one tikzpicture, 800 x 600 bp with y downwards: each
// box its outline's area filled with the border colour, then its inside
// with its fill, on whole coordinates, so that at 72 dpi each covers
// exactly the pixels the raster draws. The colours are named once, with
// \providecolor, so that a document can define them first. Returns
// nullptr, or why it failed.
const char* write_tikz(FILE* file) {
    if (too_many_boxes) return "more boxes than a page can hold";
    std::fprintf(file,
                 "%% Page %d of %s: one tikzpicture, 800 x 600 bp, one scope a figure.\n"
                 "%% Include it with \\input{page-%d.tex} in a LaTeX document that loads tikz;\n"
                 "%% define the colours dominopage, dominorise, dominoflat, dominofall and\n"
                 "%% dominoborder before it to restyle the page.\n",
                 pages_written, program_name, pages_written);
    const Colour named[] = {palette.background, palette.rise_fill, palette.flat_fill,
                            palette.fall_fill, palette.border};
    for (const Colour colour : named) {
        Uint8 r = 0;
        Uint8 g = 0;
        Uint8 b = 0;
        SDL_GetRGB(colour, screen->format, &r, &g, &b);
        std::fprintf(file, "\\providecolor{%s}{RGB}{%d,%d,%d}\n", tikz_name(colour), r, g, b);
    }
    std::fprintf(file,
                 "\\begin{tikzpicture}[x=1bp,y=-1bp]\n"
                 "\\fill[dominopage] (0,0) rectangle (%d,%d);\n",
                 canvas_width, canvas_height);
    const bool in_palette =
        write_figures(file, "\\begin{scope} %% %s\n", "\\end{scope}\n", [file](const Box& box) {
            const char* border = tikz_name(box.border);
            const char* fill = tikz_name(box.fill);
            if (border == nullptr || fill == nullptr) return false;
            const Edges e = edges_of(box);
            std::fprintf(file,
                         "\\fill[%s] (%d,%d) rectangle (%d,%d); "
                         "\\fill[%s] (%d,%d) rectangle (%d,%d);\n",
                         border, e.left, e.top, e.right + 1, e.bottom + 1, fill, e.left + 1,
                         e.top + 1, e.right, e.bottom);
            return true;
        });
    if (!in_palette) return "a colour outside the palette";
    std::fprintf(file, "\\end{tikzpicture}\n");
    return std::ferror(file) != 0 ? std::strerror(errno) : nullptr;
}

// The page is written to a fresh temporary file in the folder and renamed
// once complete, so a page-N file is never a partial one. The temporary file
// is made new (it follows no link planted at its name), so two exporters
// into one folder never share one.
void write_page() {
    ++pages_written;
    const char* extension = page_format == PageFormat::svg    ? "svg"
                            : page_format == PageFormat::tikz ? "tex"
                                                              : "png";
    std::array<char, 4200> path{};
    std::array<char, 4200> partial{};
    std::snprintf(path.data(), path.size(), "%s/page-%d.%s", export_folder.data(), pages_written,
                  extension);
    std::snprintf(partial.data(), partial.size(), "%s/.page-%d.%s.XXXXXX", export_folder.data(),
                  pages_written, extension);
    FILE* file = create_unique_file(partial.data());
    if (file == nullptr) {
        const int error = errno;
        fail_to_write(path.data(), std::strerror(error));
    }
    const char* why = page_format == PageFormat::svg    ? write_svg(file)
                      : page_format == PageFormat::tikz ? write_tikz(file)
                                                        : write_png(file);
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
    // On a terminal the progress line is rewritten in place. A progress
    // line that cannot be written (a closed pipe, say) stops no page.
    const bool written =
        std::fprintf(stderr, "%s%s: wrote page %d to ", progress_on_terminal ? "\r" : "",
                     program_name, pages_written) >= 0 &&
        print_escaped(stderr, path.data()) >= 0 &&
        std::fputs(progress_on_terminal ? "" : "\n", stderr) >= 0 && std::fflush(stderr) == 0;
    if (!written && progress_write_error == 0) progress_write_error = errno;
}

// Clears the page, and the boxes and figures kept for it.
void start_page() {
    clear_canvas();
    box_count = 0;
    figure_count = 0;
    too_many_boxes = false;
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
    progress_on_terminal = isatty(fileno(stderr)) != 0;
    if (page_surface == nullptr) {
        page_surface = SDL_CreateRGBSurface(SDL_SWSURFACE, canvas_width, canvas_height,
                                            canvas_depth, 0x00FF0000, 0x0000FF00, 0x000000FF, 0);
    }
    if (!select_canvas(page_surface)) fail("cannot make an off-screen page", SDL_GetError());
    // The PNG pages need neither the boxes nor where each figure begins.
    const bool vector = page_format != PageFormat::png;
    box_listener = vector ? keep_box : nullptr;
    figure_listener = vector ? keep_figure : nullptr;
    figures_in_run = 0;
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
