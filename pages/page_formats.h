// The formats a page or figure is written in, one row each. A new format is
// one file, pages/NAME_format.cpp, that defines its row as NAME_format:
// the build finds the files and makes the table of them.
#pragma once

#include <array>
#include <cstdio>
#include <string>
#include <vector>

#include "page_record.h"

// How far into a file its writer's mark may lie.
constexpr int mark_reach = 1024;
using FileMark = std::array<char, 160>;

struct PageFormat {
    const char* label;      // "SVG": the explorer's button
    const char* option;     // "--svg": the exporters' option
    const char* extension;  // "svg": FOLDER/page-N.svg
    const char* mime_type;  // "image/svg+xml": the explorer's download
    const char* help;       // what the exporters' usage says of it
    // Its place in the lists of formats; the first is the one written when
    // none is asked for.
    int listed;
    // Writes `page` and returns nullptr or why it failed, leaving write
    // errors to the stream's error flag. nullptr for an image of the
    // canvas's pixels (PNG), which the exporters encode with libpng and the
    // explorer has the browser encode from its canvas.
    const char* (*write)(std::FILE* file, const FilePage& page);
    // The writer's mark as this format carries it among a file's first
    // mark_reach bytes, into `mark`; its length in bytes. A file that
    // carries its exporter's mark is one the exporter wrote.
    int (*mark)(FileMark& mark, const char* writer);
    // What a reader of `page` in this format should know (that it passes
    // what a common reader holds, say), or "": nullptr for a format that
    // never needs to say anything.
    std::string (*caution)(const FilePage& page);
    // The largest page its readers take: a side in its units, a count of
    // pixels (0 for no such limit), and whose limit it is.
    int largest_side;
    long long largest_area;
    const char* limit_of;
    // The most dominoes a file of it holds (0 for no such limit): past
    // them a text format runs to hundreds of megabytes, or past what TeX
    // holds, however small its picture.
    long long largest_dominoes;
};

// Every format, in the order listed.
std::vector<const PageFormat*> page_formats();
// The format written when none is asked for.
const PageFormat& default_page_format();

// Why a file width x height is larger than the format's readers take
// ("a PNG of 40000 x 30000 pixels passes ..."), or "" when it is not.
std::string size_refused(const PageFormat& format, int width, int height);
// Why a file of `dominoes` dominoes is more than the format holds, or "".
std::string dominoes_refused(const PageFormat& format, long long dominoes);

// Writes `page` in a format that has a writer: nullptr, or why it failed
// (a write error wins over any other reason).
const char* write_page_file(const PageFormat& format, std::FILE* file, const FilePage& page);
