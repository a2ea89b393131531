// The page as SVG. In screen style a box's outline is a 1-unit stroke
// through its edge pixels' centres, drawn over its fill, so at 100 % each
// covers exactly the pixels the raster draws, and every edge falls on a
// pixel boundary at any whole zoom; a path's line is its pixels, a
// rectangle a run, so that it is the same staircase at any zoom.
#include <array>
#include <string>

#include "page_formats.h"
#include "paper_style.h"
#include "screen_shapes.h"
#include "vector_figure.h"

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

// A figure in paper style: in cells (the group scaled by the cell), a
// path of every domino of an ink, each a rectangle its outline stroked, the
// next one moved to from the last; then the paths, round at their joins,
// and the arctic circle.
bool write_paper_figure(std::FILE* file, const FileFigure& figure, const Drawing& drawing) {
    const FigureGeometry& geometry = figure.figure->geometry;
    const PaletteRow& palette = *drawing.palette;
    const Placement& at = figure.placement;
    std::fprintf(file, "<g transform=\"translate(%d %d) scale(%d)\" stroke-linejoin=\"miter\">\n",
                 at.left, at.top, at.cell);
    for (const auto& [ink, dominoes] : dominoes_by_ink(geometry, palette)) {
        if (at.framed) {
            std::fprintf(file, "<path fill=\"%s\" stroke=\"%s\" stroke-width=\"%s\" d=\"",
                         hex(rgb_of(palette, ink)).data(), hex(palette.border).data(),
                         sixteenths(outline_sixteenths).c_str());
        } else {
            std::fprintf(file, "<path fill=\"%s\" d=\"", hex(rgb_of(palette, ink)).data());
        }
        int x = 0;
        int y = 0;
        bool first = true;
        for (const Domino* domino : dominoes) {
            const int width = domino->upright ? 1 : 2;
            const int height = domino->upright ? 2 : 1;
            std::fprintf(file, first ? "M%d %d" : "m%d %d", domino->column - x, domino->row - y);
            std::fprintf(file, "h%dv%dh%dz", width, height, -width);
            x = domino->column;
            y = domino->row;
            first = false;
        }
        std::fputs("\"/>\n", file);
    }
    if (drawing.paths) {
        std::fprintf(file,
                     "<path fill=\"none\" stroke=\"%s\" stroke-width=\"%s\" "
                     "stroke-linejoin=\"round\" stroke-linecap=\"round\" d=\"",
                     hex(palette.path).data(), sixteenths(path_sixteenths).c_str());
        for (const std::vector<LatticePoint>& path : geometry.paths) {
            for (std::size_t i = 0; i < path.size(); ++i) {
                // A point's row is its middle: half a cell down.
                std::fprintf(file, "%s%d %s", i == 0 ? "M" : "L", path[i].x,
                             sixteenths(16LL * path[i].row + 8).c_str());
            }
        }
        std::fputs("\"/>\n", file);
    }
    if (drawing.arctic && has_arctic_circle(geometry)) {
        const Circle circle = arctic_circle(geometry);
        std::fprintf(file,
                     "<circle cx=\"%s\" cy=\"%s\" r=\"%s\" fill=\"none\" stroke=\"%s\" "
                     "stroke-width=\"%s\"/>\n",
                     sixteenths(circle.x_sixteenths).c_str(),
                     sixteenths(circle.y_sixteenths).c_str(),
                     ten_thousandths(circle.radius_ten_thousandths).c_str(),
                     hex(palette.arctic).data(), sixteenths(arctic_sixteenths).c_str());
    }
    return std::fputs("</g>\n", file) >= 0;
}

// The figures in screen style, one <rect> a shape and one titled group a
// numbered figure; in paper style, a group of a few paths a figure.
const char* write_svg_page(std::FILE* file, const FilePage& page) {
    const PaletteRow& palette = *page.drawing.palette;
    const int width = page.written.width;
    const int height = page.written.height;
    std::fprintf(file,
                 "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                 "<!-- Software: %s -->\n"
                 "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%d\" height=\"%d\" "
                 "viewBox=\"0 0 %d %d\"%s>\n"
                 "<title>%s</title>\n"
                 "<rect width=\"%d\" height=\"%d\" fill=\"%s\"/>\n",
                 page.writer, width, height, width, height,
                 page.drawing.style == Style::screen ? " shape-rendering=\"crispEdges\"" : "",
                 page.written.title.c_str(), width, height, hex(palette.page).data());
    for (const FileFigure& figure : page.figures) {
        const bool grouped = figure.figure->number != 0;
        if (grouped) std::fprintf(file, "<g><title>%s</title>\n", figure_title(*figure.figure).c_str());
        if (page.drawing.style == Style::paper) {
            if (!write_paper_figure(file, figure, page.drawing)) return nullptr;
        } else {
            for (const ScreenShape& shape : screen_shapes(figure, page.drawing)) {
                if (!write_rect(file, shape, palette)) return nullptr;
            }
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
    2, write_svg_page, svg_mark, nullptr,
    // What rsvg (cairo) and browsers draw: 32,767 pixels a side.
    32767, 0, "rsvg and browsers",
    // An Aztec diamond of order 1,000 (1,001,000 dominoes): 12 MB in paper
    // style, 60 MB in screen style.
    1100000};
