// A page or a figure as a file: its writer, its title and name. The
// exporters write these files to a folder, the explorer hands them to the
// browser; both name and fill them here and in the formats
// (page_formats.h), so that the two give the same bytes.
#pragma once

#include <array>
#include <cstdio>

#include "big_count.h"

// The program every file names as its writer ("diamond_export"), the same
// in every run: the exporter's own, so that it can tell the pages it wrote
// from a user's files, and so that the explorer's files are its files byte
// for byte.
extern const char* file_writer;
// How far into a file its writer's mark may lie (page_formats.h).
constexpr int mark_reach = 1024;
using FileMark = std::array<char, 160>;

// What is written to a file, and how it is named: "page 3", "Page 3",
// "page-3"; "figure 17", "Figure 17", "figure-17". It holds the top left
// width x height pixels of the canvas.
struct Written {
    std::array<char, 640> title, label;
    std::array<char, 128> stem;
    int width, height;
};
Written written_as(const char* what, const char* number, int width, int height);
// The same with a title of its own ("figure 17: rise fall"), and its label
// the title with a capital.
void retitle(Written& written, const char* title);

// Draws the figure set aside (set_figure_aside) alone: moved so that its
// outline sits one cell from the canvas's top left corner, the record then
// holding it alone. Returns it as "figure N", cropped to that margin.
Written draw_figure_aside_alone();
