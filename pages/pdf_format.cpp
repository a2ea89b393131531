// The page as a one-page PDF: its drawing operators in one stream
// compressed with zlib (deflate, as PDF's FlateDecode reads it), in screen
// style the boxes and path pixels the raster draws, at 72 dpi, in paper
// style a few operators a domino. Each numbered figure is a marked-content
// sequence whose alternate text is its title. No date or other changing
// value is written, so that the same request gives the same bytes.
#include <zlib.h>

#include <string>
#include <vector>

#include "page_formats.h"
#include "paper_style.h"
#include "pdf_operators.h"
#include "screen_shapes.h"
#include "vector_figure.h"

namespace {

// A string as PDF writes it in parentheses: its own parentheses and
// backslashes escaped.
std::string pdf_text(const std::string& text) {
    std::string escaped;
    for (const char c : text) {
        if (c == '(' || c == ')' || c == '\\') escaped += '\\';
        escaped += c;
    }
    return escaped;
}

// A rectangle of the page's pixels (y downwards) as PDF draws it (y up).
std::string pixel_rectangle(const FilePage& page, int left, int top, int right, int bottom) {
    return std::to_string(left) + " " + std::to_string(page.written.height - 1 - bottom) + " " +
           std::to_string(right - left + 1) + " " + std::to_string(bottom - top + 1) + " re f\n";
}

// Screen style: each box its outline's area in the border colour, then its
// inside in its fill, on whole pixels, as the TikZ pages draw them.
void screen_operators(std::string& out, const FilePage& page, const FileFigure& figure,
                      std::string& colour) {
    const PaletteRow& palette = *page.drawing.palette;
    const auto set = [&out, &colour](const std::string& wanted) {
        if (wanted == colour) return;
        out += wanted + " rg\n";
        colour = wanted;
    };
    for (const ScreenShape& shape : screen_shapes(figure, page.drawing)) {
        const Box& box = shape.box;
        if (!shape.framed) {
            set(pdf_colour(rgb_of(palette, shape.fill)));
            out += pixel_rectangle(page, box.left, box.top, box.right, box.bottom);
            continue;
        }
        set(pdf_colour(palette.border));
        out += pixel_rectangle(page, box.left, box.top, box.right, box.bottom);
        set(pdf_colour(rgb_of(palette, shape.fill)));
        out += pixel_rectangle(page, box.left + 1, box.top + 1, box.right - 1, box.bottom - 1);
    }
}

// Paper style: in the figure's cells, each ink's dominoes filled and their
// outlines stroked, then the paths and the arctic circle.
void paper_operators(std::string& out, const FilePage& page, const FileFigure& figure) {
    const FigureGeometry& geometry = figure.figure->geometry;
    const PaletteRow& palette = *page.drawing.palette;
    out += "q " + cell_matrix(figure.placement, page.written.height) + " " +
           sixteenths(outline_sixteenths) + " w 0 j " + pdf_colour(palette.border) + " RG\n";
    for (const InkRectangles& group : domino_rectangles(geometry, palette)) {
        out += pdf_colour(rgb_of(palette, group.ink)) + " rg\n";
        for (const std::string& rectangle : group.rectangles) out += rectangle + "\n";
        out += figure.placement.framed ? "B\n" : "f\n";
    }
    if (page.drawing.paths) {
        out += pdf_colour(palette.path) + " RG " + sixteenths(path_sixteenths) + " w 1 J 1 j " +
               path_operators(geometry) + "S\n";
    }
    if (page.drawing.arctic && has_arctic_circle(geometry)) {
        out += pdf_colour(palette.arctic) + " RG " + sixteenths(arctic_sixteenths) + " w " +
               arctic_operators(geometry) + " S\n";
    }
    out += "Q\n";
}

std::string page_operators(const FilePage& page) {
    std::string out = pdf_colour(page.drawing.palette->page) + " rg 0 0 " +
                      std::to_string(page.written.width) + " " +
                      std::to_string(page.written.height) + " re f\n";
    std::string colour;
    for (const FileFigure& figure : page.figures) {
        const bool grouped = figure.figure->number != 0;
        if (grouped) {
            out += "/Figure <</Alt (" + pdf_text(figure_title(*figure.figure)) + ")>> BDC\n";
        }
        if (page.drawing.style == Style::paper) {
            paper_operators(out, page, figure);
        } else {
            screen_operators(out, page, figure, colour);
        }
        if (grouped) out += "EMC\n";
    }
    return out;
}

const char* write_pdf_page(std::FILE* file, const FilePage& page) {
    const std::string operators = page_operators(page);
    uLongf packed_size = compressBound(static_cast<uLong>(operators.size()));
    std::vector<Bytef> packed(packed_size);
    if (compress2(packed.data(), &packed_size, reinterpret_cast<const Bytef*>(operators.data()),
                  static_cast<uLong>(operators.size()), Z_DEFAULT_COMPRESSION) != Z_OK) {
        return "zlib could not compress the page";
    }
    // Each object's place in the file, for the cross-reference table.
    std::vector<long> offsets;
    long written = std::fprintf(file, "%%PDF-1.4\n%%\xE2\xE3\xCF\xD3\n%% Software: %s\n", page.writer);
    const auto object = [&](const std::string& body) {
        offsets.push_back(written);
        written += std::fprintf(file, "%d 0 obj\n%s\nendobj\n", static_cast<int>(offsets.size()),
                                body.c_str());
    };
    object("<< /Type /Catalog /Pages 2 0 R >>");
    object("<< /Type /Pages /Kids [3 0 R] /Count 1 >>");
    object("<< /Type /Page /Parent 2 0 R /MediaBox [0 0 " + std::to_string(page.written.width) +
           " " + std::to_string(page.written.height) +
           "] /Resources << >> /Contents 4 0 R >>");
    offsets.push_back(written);
    written += std::fprintf(file, "4 0 obj\n<< /Length %lu /Filter /FlateDecode >>\nstream\n",
                            static_cast<unsigned long>(packed_size));
    written += static_cast<long>(std::fwrite(packed.data(), 1, packed_size, file));
    written += std::fprintf(file, "\nendstream\nendobj\n");
    object("<< /Title (" + pdf_text(page.written.title) + ") /Producer (" +
           pdf_text(page.writer) + ") >>");
    std::fprintf(file, "xref\n0 %d\n0000000000 65535 f \n", static_cast<int>(offsets.size()) + 1);
    for (const long offset : offsets) std::fprintf(file, "%010ld 00000 n \n", offset);
    std::fprintf(file, "trailer\n<< /Size %d /Root 1 0 R /Info 5 0 R >>\nstartxref\n%ld\n%%%%EOF\n",
                 static_cast<int>(offsets.size()) + 1, written);
    return nullptr;
}

int pdf_mark(FileMark& mark, const char* writer) {
    return std::snprintf(mark.data(), mark.size(), "\n%% Software: %s\n", writer);
}

}  // namespace

extern const PageFormat pdf_format = {
    "PDF", "--pdf", "pdf", "application/pdf",
    "PDF pages, vectors in compressed streams, pixel for pixel the PNG at 72 dpi in screen "
    "style, each figure a marked sequence titled with its steps",
    4, write_pdf_page, pdf_mark, nullptr,
    // Readers take pages of up to 200 inches a side (14,400 bp).
    14400, 0, "PDF readers", 0};
