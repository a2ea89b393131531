// Off-screen canvases for headless tests: 800 x 600, 32-bit, with a row
// pitch wider than the width and guard rows above and below, all filled
// with a sentinel so that any write outside the canvas shows.
#pragma once

#include <vector>

#include "raster.h"

constexpr int pad_columns = 24;     // extra words at the end of every row
constexpr int guard_rows = 4;       // sentinel rows before and after the canvas
constexpr Colour sentinel = 0xA5C3E1F7u;

struct TestSurface {
    std::vector<Colour> memory;
    SDL_Surface* surface = nullptr;
};

// Makes a padded surface, selects it as the canvas and clears it to white.
void open_test_canvas(TestSurface& canvas);
void close_test_canvas(TestSurface& canvas);
// True when no word outside the 800 x 600 pixels has changed.
bool guards_intact(const TestSurface& canvas);

// The 800 x 600 pixels of the selected canvas, row by row.
std::vector<Colour> snapshot_canvas();
