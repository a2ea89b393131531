// The palettes, one row each. The seed's is the programs' own colours; the
// others are for figures of more classes, and for readers and printers
// that cannot tell the seed's apart.
#include <cstring>

#include "drawing.h"

namespace {

// The programs' own: red rises, light-blue falls, every horizontal domino
// yellow, blue outlines, black paths.
constexpr PaletteRow seed = {
    "seed",
    "the programs' own: red rises, light-blue falls, yellow flats and fillers, blue outlines",
    {255, 255, 255}, {0, 0, 255}, {0, 0, 0}, {255, 0, 0}, {70, 70, 255}, {255, 255, 0},
    {255, 255, 0}, {255, 255, 0}, {255, 0, 0}, {70, 70, 255}, {0, 160, 0}, false};

// The Aztec diamond's four compass classes, as pictures of random tilings
// show them (north red, south yellow, east green, west blue); other
// families keep the seed's colours.
constexpr PaletteRow four = {
    "four",
    "the Aztec diamond's four compass classes in four colours (north red, south yellow, "
    "east green, west blue); the other families as seed",
    {255, 255, 255}, {0, 0, 255}, {0, 0, 0}, {255, 0, 0}, {70, 70, 255}, {255, 255, 0},
    {220, 30, 30}, {250, 200, 0}, {40, 160, 60}, {30, 90, 220}, {255, 0, 255}, true};

// The seed's classes in Okabe and Ito's colours, which readers with the
// common colour-vision deficiencies tell apart: vermillion rises, blue
// falls, yellow horizontal dominoes, black outlines.
constexpr PaletteRow okabe_ito = {
    "okabe-ito",
    "the seed's classes in colours that readers with the common colour-vision deficiencies "
    "tell apart (Okabe and Ito's): vermillion rises, blue falls, yellow horizontal dominoes",
    {255, 255, 255}, {0, 0, 0}, {0, 0, 0}, {213, 94, 0}, {0, 114, 178}, {240, 228, 66},
    {213, 94, 0}, {240, 228, 66}, {0, 158, 115}, {86, 180, 233}, {204, 121, 167}, false};

// The seed's classes in greys far enough apart to survive a grey printer.
constexpr PaletteRow grey = {
    "grey",
    "the seed's classes in greys that a printer in grey keeps apart: dark rises, mid-grey "
    "falls, light horizontal dominoes, black outlines",
    {255, 255, 255}, {0, 0, 0}, {0, 0, 0}, {70, 70, 70}, {140, 140, 140}, {215, 215, 215},
    {70, 70, 70}, {215, 215, 215}, {175, 175, 175}, {140, 140, 140}, {0, 0, 0}, false};

}  // namespace

const PaletteRow* const palette_rows[] = {&seed, &four, &okabe_ito, &grey};
const int palette_count = sizeof palette_rows / sizeof palette_rows[0];

const PaletteRow* find_palette(const char* name) {
    for (const PaletteRow* row : palette_rows) {
        if (std::strcmp(row->name, name) == 0) return row;
    }
    return nullptr;
}

Ink fill_of(const PaletteRow& palette, const Domino& domino) {
    if (palette.by_compass) {
        switch (domino.compass) {
        case Compass::north: return Ink::north;
        case Compass::south: return Ink::south;
        case Compass::east: return Ink::east;
        case Compass::west: return Ink::west;
        case Compass::none: break;
        }
    }
    switch (domino.role) {
    case DominoRole::rise: return Ink::rise;
    case DominoRole::fall: return Ink::fall;
    case DominoRole::flat:
    case DominoRole::off_path: break;
    }
    return Ink::flat;
}

Rgb rgb_of(const PaletteRow& palette, Ink ink) {
    switch (ink) {
    case Ink::page: return palette.page;
    case Ink::border: return palette.border;
    case Ink::path: return palette.path;
    case Ink::rise: return palette.rise;
    case Ink::fall: return palette.fall;
    case Ink::flat: return palette.flat;
    case Ink::north: return palette.north;
    case Ink::south: return palette.south;
    case Ink::east: return palette.east;
    case Ink::west: return palette.west;
    case Ink::arctic: break;
    }
    return palette.arctic;
}
