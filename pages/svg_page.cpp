// The page as SVG. A box's outline is a 1-unit stroke through its edge
// pixels' centres, drawn over its fill, so at 100 % each covers exactly the
// pixels the raster draws, and every edge falls on a pixel boundary at any
// whole zoom. A path's line is its pixels, a rectangle a run, so that it is
// the same staircase at any zoom.
#include <array>

#include "page_formats.h"
#include "page_record.h"

namespace {

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

bool write_rect(std::FILE* file, const RecordedBox& box) {
    if (box.solid) {
        return std::fprintf(file, "<rect x=\"%d\" y=\"%d\" width=\"%d\" height=\"%d\" fill=\"%s\"/>\n",
                            box.left, box.top, box.right - box.left + 1,
                            box.bottom - box.top + 1, hex(box.fill).data()) >= 0;
    }
    return std::fprintf(file,
                        "<rect x=\"%d.5\" y=\"%d.5\" width=\"%d\" height=\"%d\" fill=\"%s\" "
                        "stroke=\"%s\"/>\n",
                        box.left, box.top, box.right - box.left, box.bottom - box.top,
                        hex(box.fill).data(), hex(box.border).data()) >= 0;
}

// The recorded boxes as SVG titled with the page or figure, one <rect> a
// box and one titled group a figure.
const char* write_svg_page(std::FILE* file, const Written& written) {
    const int width = written.width;
    const int height = written.height;
    std::fprintf(file,
                 "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                 "<!-- Software: %s -->\n"
                 "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%d\" height=\"%d\" "
                 "viewBox=\"0 0 %d %d\" shape-rendering=\"crispEdges\">\n"
                 "<title>%s</title>\n"
                 "<rect width=\"%d\" height=\"%d\" fill=\"%s\"/>\n",
                 file_writer, width, height, width, height, written.title.data(), width, height,
                 hex(palette.background).data());
    // Each figure is a group of its own, titled with its number and steps.
    write_figure_groups(file, "<g><title>%s</title>\n", "</g>\n", write_rect);
    std::fprintf(file, "</svg>\n");
    return nullptr;
}

int svg_mark(FileMark& mark) {
    return std::snprintf(mark.data(), mark.size(), "\n<!-- Software: %s -->\n", file_writer);
}

}  // namespace

const PageFormat svg_format = {
    "SVG", "--svg", "svg", "image/svg+xml",
    "SVG pages, pixel for pixel the PNG at 100 %, each figure a group titled with its steps",
    write_svg_page, svg_mark};
