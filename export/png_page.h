// The page as PNG: written from the canvas's pixels with libpng.
#pragma once

#include <cstdio>

// The top left width x height pixels of the canvas as a PNG image (a 4-bit
// palette of the colours they hold, where 16 are enough), marked as written
// by `writer`, to an open file; nullptr, or why it failed.
const char* write_png_page(std::FILE* file, int width, int height, const char* writer);
