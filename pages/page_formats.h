// The formats a page or figure is written in, one row each: a new format
// is a file with its writer and its row, and a line in page_formats.
#pragma once

#include <array>
#include <cstdio>

#include "page_file.h"

struct PageFormat {
    const char* label;      // "SVG": the explorer's button
    const char* option;     // "--svg": the exporters' option
    const char* extension;  // "svg": FOLDER/page-N.svg
    const char* mime_type;  // "image/svg+xml": the explorer's download
    const char* help;       // what the exporters' usage says of it
    // Writes `written` from the page's record, which must be complete, and
    // returns nullptr or why it failed, leaving write errors to the
    // stream's error flag. nullptr for an image of the pixels themselves
    // (PNG), which the exporters encode with libpng and the explorer has
    // the browser encode from its canvas.
    const char* (*write)(std::FILE* file, const Written& written);
    // The writer's mark (file_writer) as this format carries it among a
    // file's first mark_reach bytes, into `mark`; its length in bytes.
    int (*mark)(FileMark& mark);
};

extern const PageFormat png_format;
extern const PageFormat svg_format;
extern const PageFormat tikz_format;
// Every format; the first is the one written when none is asked for.
constexpr std::size_t page_format_count = 3;
extern const std::array<const PageFormat*, page_format_count> page_formats;

// Writes `written` in a format that has a writer: nullptr, or why it
// failed (a write error wins over any other reason).
const char* write_recorded_file(const PageFormat& format, std::FILE* file,
                                const Written& written);
