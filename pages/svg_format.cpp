// The page as SVG. In screen style a box's outline is a 1-unit stroke
// through its edge pixels' centres, drawn over its fill, so at 100 % each
// covers exactly the pixels the raster draws, and every edge falls on a
// pixel boundary at any whole zoom; a path's line is its pixels, a
// rectangle a run, so that it is the same staircase at any zoom.
#include <array>
#include <string>

#include "page_formats.h"
#include "screen_shapes.h"

namespace {

using HexColour = std::array<char, 8>;

HexColour hex(Rgb colour) {
    HexColour text{};
    std::snprintf(text.data(), text.size(), "#%02x%02x%02x", colour.red, colour.green,
                  colour.blue);
    return text;
}

bool write_rect(std::FILE* file, const ScreenShape& shape, const PaletteRow& palette) {
    const Box& box = shape.box;
    if (!shape.framed) {
        return std::fprintf(file,
                            "<rect x=\"%d\" y=\"%d\" width=\"%d\" height=\"%d\" fill=\"%s\"/>\n",
                            box.left, box.top, box.right - box.left + 1,
                            box.bottom - box.top + 1, hex(rgb_of(palette, shape.fill)).data()) >=
               0;
    }
    return std::fprintf(file,
                        "<rect x=\"%d.5\" y=\"%d.5\" width=\"%d\" height=\"%d\" fill=\"%s\" "
                        "stroke=\"%s\"/>\n",
                        box.left, box.top, box.right - box.left, box.bottom - box.top,
                        hex(rgb_of(palette, shape.fill)).data(),
                        hex(palette.border).data()) >= 0;
}

// The figures in screen style, one <rect> a shape and one titled group a
// numbered figure.
const char* write_svg_page(std::FILE* file, const FilePage& page) {
    const PaletteRow& palette = *page.drawing.palette;
    const int width = page.written.width;
    const int height = page.written.height;
    std::fprintf(file,
                 "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                 "<!-- Software: %s -->\n"
                 "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%d\" height=\"%d\" "
                 "viewBox=\"0 0 %d %d\" shape-rendering=\"crispEdges\">\n"
                 "<title>%s</title>\n"
                 "<rect width=\"%d\" height=\"%d\" fill=\"%s\"/>\n",
                 page.writer, width, height, width, height, page.written.title.c_str(), width,
                 height, hex(palette.page).data());
    for (const FileFigure& figure : page.figures) {
        const bool grouped = figure.figure->number != 0;
        if (grouped) std::fprintf(file, "<g><title>%s</title>\n", figure_title(*figure.figure).c_str());
        for (const ScreenShape& shape : screen_shapes(figure, palette, page.drawing.paths)) {
            if (!write_rect(file, shape, palette)) return nullptr;
        }
        if (grouped) std::fputs("</g>\n", file);
    }
    std::fprintf(file, "</svg>\n");
    return nullptr;
}

int svg_mark(FileMark& mark, const char* writer) {
    return std::snprintf(mark.data(), mark.size(), "\n<!-- Software: %s -->\n", writer);
}

}  // namespace

extern const PageFormat svg_format = {
    "SVG", "--svg", "svg", "image/svg+xml",
    "SVG pages, pixel for pixel the PNG at 100 %, each figure a group titled with its steps",
    2, write_svg_page, svg_mark, nullptr};
