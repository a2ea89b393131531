// The vector page formats, one writer each. Each writes the top left
// width x height pixels of the canvas (the whole page, or a figure drawn
// alone there) to an open file and returns nullptr, or why it failed,
// drawing them from the page's record, which must be complete; write
// errors are left to the stream's error flag. (The PNG writer, which needs
// libpng, is the exporters' own: export/png_page.h.)
#pragma once

#include <cstdio>

// The recorded boxes as SVG titled `title`, one <rect> a box and one titled
// group a figure, pixel for pixel the PNG at 100 %.
const char* write_svg_page(std::FILE* file, int width, int height, const char* title);
// The recorded boxes as one TikZ picture, one scope a figure, pixel for
// pixel the PNG at 72 dpi. Its opening comment calls it `label` (say
// "Page 3") and names its file `stem`.tex.
const char* write_tikz_page(std::FILE* file, int width, int height, const char* label,
                            const char* stem);
