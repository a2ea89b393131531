// One writer a page format. Each writes the page now on the canvas to an
// open file and returns nullptr, or why it failed; the vector writers need
// the page's record, complete, and leave write errors to the stream's
// error flag.
#pragma once

#include <cstdio>

// The canvas's pixels as an 8-bit RGB PNG image.
const char* write_png_page(std::FILE* file);
// The recorded boxes as SVG, one <rect> a box and one titled group a
// figure, pixel for pixel the PNG page at 100 %.
const char* write_svg_page(std::FILE* file, int page_number);
// The recorded boxes as one TikZ picture, one scope a figure, pixel for
// pixel the PNG page at 72 dpi.
const char* write_tikz_page(std::FILE* file, int page_number);
