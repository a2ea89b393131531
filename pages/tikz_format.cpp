// The page as one tikzpicture, in bp with y downwards. In screen style
// each box is its outline's area filled with the border colour, then its
// inside with its fill, on whole coordinates, so that at 72 dpi each covers
// exactly the pixels the raster draws. The colours are named once, with
// \providecolor, so that a document can define them first.
#include <algorithm>
#include <string>
#include <vector>

#include "page_formats.h"
#include "paper_style.h"
#include "pdf_operators.h"
#include "screen_shapes.h"
#include "vector_figure.h"

namespace {

// Each ink by the name a TikZ page gives it.
const char* tikz_name(Ink ink) {
    switch (ink) {
    case Ink::page: return "dominopage";
    case Ink::border: return "dominoborder";
    case Ink::path: return "dominopath";
    case Ink::rise: return "dominorise";
    case Ink::fall: return "dominofall";
    case Ink::flat: return "dominoflat";
    case Ink::north: return "dominonorth";
    case Ink::south: return "dominosouth";
    case Ink::east: return "dominoeast";
    case Ink::west: return "dominowest";
    case Ink::arctic: break;
    }
    return "dominoarctic";
}

// "% define the colours a, b and c before it to restyle the page.", wrapped
// at 78 columns: the inks of the dominoes and the page (a path's, which
// pages have always named apart, is dominopath).
void write_restyle_comment(std::FILE* file, std::vector<Ink> inks) {
    inks.erase(std::remove(inks.begin(), inks.end(), Ink::path), inks.end());
    std::vector<std::string> words = {"%", "define", "the", "colours"};
    for (std::size_t i = 0; i < inks.size(); ++i) {
        std::string word = tikz_name(inks[i]);
        if (i + 2 < inks.size()) word += ',';
        words.push_back(word);
        if (i + 2 == inks.size()) words.emplace_back("and");
    }
    for (const char* word : {"before", "it", "to", "restyle", "the", "page."}) words.emplace_back(word);
    std::string line;
    for (const std::string& word : words) {
        if (!line.empty() && line.size() + 1 + word.size() > 78) {
            std::fprintf(file, "%s\n", line.c_str());
            line = "%";
        }
        line += line.empty() ? word : " " + word;
    }
    std::fprintf(file, "%s\n", line.c_str());
}

bool write_filled_box(std::FILE* file, const ScreenShape& shape) {
    const Box& box = shape.box;
    if (!shape.framed) {
        return std::fprintf(file, "\\fill[%s] (%d,%d) rectangle (%d,%d);\n",
                            tikz_name(shape.fill), box.left, box.top, box.right + 1,
                            box.bottom + 1) >= 0;
    }
    return std::fprintf(file,
                        "\\fill[%s] (%d,%d) rectangle (%d,%d); "
                        "\\fill[%s] (%d,%d) rectangle (%d,%d);\n",
                        tikz_name(Ink::border), box.left, box.top, box.right + 1, box.bottom + 1,
                        tikz_name(shape.fill), box.left + 1, box.top + 1, box.right,
                        box.bottom) >= 0;
}

// Raw operators go to the PDF driver a few hundred at a time, so that TeX
// never holds one very long argument.
constexpr std::size_t operators_a_call = 200;

// A figure in paper style: its dominoes, paths and arctic circle as PDF
// operators through pgf's system layer, in cells (one `cm` a figure), each
// ink's colour set by its name so that a document can restyle it.
bool write_paper_figure(std::FILE* file, const FileFigure& figure, const Drawing& drawing) {
    const FigureGeometry& geometry = figure.figure->geometry;
    // TikZ's y runs down here, the PDF driver's up, from the same origin.
    std::fprintf(file, "\\pgfsetstrokecolor{dominoborder}\\pgfsys@invoke{q %s %s w 0 j}\n",
                 cell_matrix(figure.placement, 0).c_str(),
                 sixteenths(outline_sixteenths).c_str());
    for (const InkRectangles& group : domino_rectangles(geometry, *drawing.palette)) {
        std::fprintf(file, "\\pgfsetfillcolor{%s}", tikz_name(group.ink));
        for (std::size_t i = 0; i < group.rectangles.size(); i += operators_a_call) {
            std::fputs("\\pgfsys@invoke{", file);
            const std::size_t end = std::min(group.rectangles.size(), i + operators_a_call);
            for (std::size_t j = i; j < end; ++j) {
                std::fprintf(file, "%s%s", j == i ? "" : " ", group.rectangles[j].c_str());
            }
            std::fputs("}\n", file);
        }
        std::fputs(figure.placement.framed ? "\\pgfsys@invoke{B}\n" : "\\pgfsys@invoke{f}\n", file);
    }
    if (drawing.paths) {
        std::fprintf(file, "\\pgfsetstrokecolor{dominopath}\\pgfsys@invoke{%s w 1 J 1 j %sS}\n",
                     sixteenths(path_sixteenths).c_str(), path_operators(geometry).c_str());
    }
    if (drawing.arctic && has_arctic_circle(geometry)) {
        std::fprintf(file, "\\pgfsetstrokecolor{dominoarctic}\\pgfsys@invoke{%s w %s S}\n",
                     sixteenths(arctic_sixteenths).c_str(), arctic_operators(geometry).c_str());
    }
    return std::fputs("\\pgfsys@invoke{Q}\n", file) >= 0;
}

// The page as one TikZ picture, one scope a numbered figure. Its opening
// comment calls it by its label ("Page 3") and names its file.
const char* write_tikz_page(std::FILE* file, const FilePage& page) {
    const int width = page.written.width;
    const int height = page.written.height;
    std::fprintf(file,
                 "%% %s of %s: one tikzpicture, %d x %d bp, one scope a figure.\n"
                 "%% Software: %s\n"
                 "%% Include it with \\input{%s.tex} in a LaTeX document that loads tikz;\n",
                 page.written.label.c_str(), page.writer, width, height, page.writer,
                 page.written.stem.c_str());
    const bool paper = page.drawing.style == Style::paper;
    if (paper) {
        std::fputs("% it draws through pgf's PDF operators: compile it with pdflatex, lualatex\n"
                   "% or xelatex (not latex with dvips);\n",
                   file);
    }
    const std::vector<Ink> inks = named_inks(page.drawing);
    write_restyle_comment(file, inks);
    for (const Ink ink : inks) {
        const Rgb colour = rgb_of(*page.drawing.palette, ink);
        std::fprintf(file, "\\providecolor{%s}{RGB}{%d,%d,%d}\n", tikz_name(ink), colour.red,
                     colour.green, colour.blue);
    }
    // The system layer's commands have @ in their names; pgf cannot see what
    // they draw, so the picture's size is said outright.
    if (paper) std::fputs("\\makeatletter\n", file);
    std::fputs("\\begin{tikzpicture}[x=1bp,y=-1bp]\n", file);
    if (paper) std::fprintf(file, "\\useasboundingbox (0,0) rectangle (%d,%d);\n", width, height);
    std::fprintf(file, "\\fill[dominopage] (0,0) rectangle (%d,%d);\n", width, height);
    for (const FileFigure& figure : page.figures) {
        const bool grouped = figure.figure->number != 0;
        if (grouped) {
            std::fprintf(file, "\\begin{scope} %% %s\n", figure_title(*figure.figure).c_str());
        }
        if (paper) {
            if (!write_paper_figure(file, figure, page.drawing)) return nullptr;
        } else {
            for (const ScreenShape& shape :
                 screen_shapes(figure, page.drawing)) {
                if (!write_filled_box(file, shape)) return nullptr;
            }
        }
        if (grouped) std::fputs("\\end{scope}\n", file);
    }
    std::fprintf(file, "\\end{tikzpicture}\n");
    if (paper) std::fputs("\\makeatother\n", file);
    return nullptr;
}

int tikz_mark(FileMark& mark, const char* writer) {
    return std::snprintf(mark.data(), mark.size(), "\n%% Software: %s\n", writer);
}

// pdflatex, with the main memory TeX Live gives it, compiled a random
// Aztec tiling of order 133 drawn so (17,823 \fill commands) and stopped
// at 134 ("TeX capacity exceeded").
constexpr std::size_t most_fills_for_pdflatex = 17823;

std::string tikz_caution(const FilePage& page) {
    if (page.drawing.style == Style::paper) return "";
    std::size_t fills = 1;
    for (const FileFigure& figure : page.figures) {
        for (const ScreenShape& shape :
             screen_shapes(figure, page.drawing)) {
            fills += shape.framed ? 2 : 1;
        }
    }
    if (fills <= most_fills_for_pdflatex) return "";
    return "this TikZ picture has " + std::to_string(fills) +
           " fills, more than pdflatex holds as TeX Live sets it up (about " +
           std::to_string(most_fills_for_pdflatex) +
           "): write it with --style paper, a few operators a domino, or compile it with "
           "lualatex, whose memory grows as it needs";
}

}  // namespace

extern const PageFormat tikz_format = {
    "TikZ", "--tikz", "tex", "text/x-tex",
    "TikZ pictures for LaTeX, pixel for pixel the PNG at 72 dpi, each figure a scope", 3,
    write_tikz_page, tikz_mark, tikz_caution,
    // TeX's largest dimension is 16,383.99998 pt, a little more in bp.
    16383, 0, "TeX's dimensions",
    // An Aztec diamond of order 315 (99,540 dominoes): order 299 compiles
    // with pdflatex at TeX Live's default memory, in paper style.
    100000};
