// The page as one tikzpicture, 800 x 600 bp with y downwards: each box its
// outline's area filled with the border colour, then its inside with its
// fill, on whole coordinates, so that at 72 dpi each covers exactly the
// pixels the raster draws. The colours are named once, with \providecolor,
// so that a document can define them first.
#include "page_formats.h"
#include "page_record.h"
#include "path_overlay.h"

namespace {

// The palette's colours by the names a TikZ page gives them; nullptr for
// any other colour.
const char* tikz_name(Colour colour) {
    if (colour == palette.background) return "dominopage";
    if (colour == palette.rise_fill) return "dominorise";
    if (colour == palette.flat_fill) return "dominoflat";
    if (colour == palette.fall_fill) return "dominofall";
    if (colour == palette.border) return "dominoborder";
    if (colour == palette.path) return "dominopath";
    return nullptr;
}

// False for a colour outside the palette, or a failed write.
bool write_filled_box(std::FILE* file, const RecordedBox& box) {
    const char* border = tikz_name(box.border);
    const char* fill = tikz_name(box.fill);
    if (box.solid) {
        return fill != nullptr && std::fprintf(file, "\\fill[%s] (%d,%d) rectangle (%d,%d);\n", fill,
                                               box.left, box.top, box.right + 1,
                                               box.bottom + 1) >= 0;
    }
    return border != nullptr && fill != nullptr &&
           std::fprintf(file,
                        "\\fill[%s] (%d,%d) rectangle (%d,%d); "
                        "\\fill[%s] (%d,%d) rectangle (%d,%d);\n",
                        border, box.left, box.top, box.right + 1, box.bottom + 1, fill,
                        box.left + 1, box.top + 1, box.right, box.bottom) >= 0;
}

// The recorded boxes as one TikZ picture, one scope a figure. Its opening
// comment calls it by its label ("Page 3") and names its file.
const char* write_tikz_page(std::FILE* file, const Written& written) {
    const int width = written.width;
    const int height = written.height;
    std::fprintf(file,
                 "%% %s of %s: one tikzpicture, %d x %d bp, one scope a figure.\n"
                 "%% Software: %s\n"
                 "%% Include it with \\input{%s.tex} in a LaTeX document that loads tikz;\n"
                 "%% define the colours dominopage, dominorise, dominoflat, dominofall and\n"
                 "%% dominoborder before it to restyle the page.\n",
                 written.label.data(), file_writer, width, height, file_writer,
                 written.stem.data());
    // The path's colour only where a path is drawn, so that other pages
    // stay as they were.
    const Colour named[] = {palette.background, palette.rise_fill, palette.flat_fill,
                            palette.fall_fill, palette.border, palette.path};
    for (const Colour colour : named) {
        if (colour == palette.path && !path_overlay) continue;
        Uint8 r = 0;
        Uint8 g = 0;
        Uint8 b = 0;
        SDL_GetRGB(colour, screen->format, &r, &g, &b);
        std::fprintf(file, "\\providecolor{%s}{RGB}{%d,%d,%d}\n", tikz_name(colour), r, g, b);
    }
    std::fprintf(file,
                 "\\begin{tikzpicture}[x=1bp,y=-1bp]\n"
                 "\\fill[dominopage] (0,0) rectangle (%d,%d);\n",
                 width, height);
    if (!write_figure_groups(file, "\\begin{scope} %% %s\n", "\\end{scope}\n", write_filled_box)) {
        return "a colour outside the palette";
    }
    std::fprintf(file, "\\end{tikzpicture}\n");
    return nullptr;
}

int tikz_mark(FileMark& mark) {
    return std::snprintf(mark.data(), mark.size(), "\n%% Software: %s\n", file_writer);
}

}  // namespace

const PageFormat tikz_format = {
    "TikZ", "--tikz", "tex", "text/x-tex",
    "TikZ pictures for LaTeX, pixel for pixel the PNG at 72 dpi, each figure a scope",
    write_tikz_page, tikz_mark};
