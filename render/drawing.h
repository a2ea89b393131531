// How figures are drawn: the style, the palette, the size of a cell and
// what is drawn over the dominoes. One value a run is given; every output
// (the window, PNG, SVG, TikZ, PDF) draws by it.
#pragma once

#include <cstdint>

#include "figure_geometry.h"

// screen: the programs' own pixel-faithful drawing, every domino a framed
// box of whole pixels and a path a line of pixels; paper: vectors, each
// domino a filled rectangle with its outline a stroke and a path a
// polyline with round joins, anti-aliased where they become pixels.
enum class Style { screen, paper };

struct Rgb {
    std::uint8_t red, green, blue;
};

// What is drawn in one colour: the page, every outline, a path's line,
// each class of domino (flat: every horizontal domino of a path family,
// on a path or not), and the arctic circle.
enum class Ink { page, border, path, rise, fall, flat, north, south, east, west, arctic };

// A palette: a colour for each ink.
struct PaletteRow {
    const char* name;  // as --palette names it: "seed"
    const char* help;  // what the exporters' usage says of it
    Rgb page, border, path, rise, fall, flat, north, south, east, west, arctic;
    // Whether dominoes that have a compass class (the Aztec diamond's) take
    // its ink rather than their role's.
    bool by_compass;
};

// The palettes, one row each; the first is the programs' own.
extern const PaletteRow* const palette_rows[];
extern const int palette_count;
// The palette called `name`, or nullptr.
const PaletteRow* find_palette(const char* name);

struct Drawing {
    Style style = Style::screen;
    const PaletteRow* palette = palette_rows[0];
    // A cell's side in output units (pixels; bp in TikZ and PDF); 0 for the
    // family's own (its window's).
    int cell = 0;
    // Each figure's paths over its dominoes.
    bool paths = false;
    // The circle the arctic circle theorem predicts, over an Aztec diamond.
    bool arctic = false;
};

// The smallest and largest cell a user may ask for.
constexpr int smallest_cell = 1;
constexpr int largest_cell = 100;
// Below this many pixels a cell, an outline would leave no inside to see:
// dominoes are then drawn in their colour alone.
constexpr int smallest_outlined_cell = 4;

// The ink a domino is filled with, and an ink's colour.
Ink fill_of(const PaletteRow& palette, const Domino& domino);
Rgb rgb_of(const PaletteRow& palette, Ink ink);
