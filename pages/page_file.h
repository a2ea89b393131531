// A page or a figure as a file: its format, its title and name, and the
// vector formats written from the page's record. The exporters write these
// files to a folder, the explorer hands them to the browser; both name and
// fill them here, so that the two give the same bytes.
#pragma once

#include <array>
#include <cstdio>

// page-N.png, page-N.svg (SVG) or page-N.tex (a TikZ picture).
enum class PageFormat { png, svg, tikz };
// By PageFormat: png, svg, tikz.
constexpr std::array<const char*, 3> page_extensions = {"png", "svg", "tex"};

// The program every file names as its writer ("diamond_export"), the same
// in every run: the exporter's own, so that it can tell the pages it wrote
// from a user's files, and so that the explorer's files are its files byte
// for byte.
extern const char* file_writer;
// The writer's mark as a file of `format` carries it among its first
// mark_reach bytes: a PNG text chunk "Software", a comment in SVG and TikZ.
// Its length, the bytes in `mark`.
constexpr int mark_reach = 1024;
using FileMark = std::array<char, 160>;
int file_mark(PageFormat format, FileMark& mark);

// What is written to a file, and how it is named: "page 3", "Page 3",
// "page-3"; "figure 17", "Figure 17", "figure-17". It holds the top left
// width x height pixels of the canvas.
struct Written {
    std::array<char, 32> title, label, stem;
    int width, height;
};
Written written_as(const char* what, int number, int width, int height);

// Writes `written` as SVG or TikZ from the page's record; nullptr, or why
// it failed (a write error wins over any other reason).
const char* write_vector_file(PageFormat format, std::FILE* file, const Written& written);

// Draws the figure set aside (set_figure_aside) alone: moved so that its
// outline sits one cell from the canvas's top left corner, the record then
// holding it alone. Returns it as "figure N", cropped to that margin.
Written draw_figure_aside_alone();
