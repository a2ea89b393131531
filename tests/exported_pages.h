// Runs an exporting program and reads back the PNG pages it wrote.
#pragma once

#include <string>
#include <vector>

#include "canvas.h"
#include "steps.h"

struct ExportRun {
    std::string folder;     // the folder given, or "pages" in a fresh temporary folder
    std::string temporary;  // that temporary folder, if one was made
    int status = -1;     // the exporter's exit status
    std::string errors;  // what it wrote on standard error
};

// Runs `exporter [format_option] folder` (a new temporary folder's "pages"
// when `folder` is empty), its standard output sent to `output`.
ExportRun run_exporter(const std::string& exporter, std::string folder = {},
                       const std::string& output = "/dev/null",
                       const std::string& format_option = {});
// A new empty temporary folder.
std::string make_temporary_folder();
// Runs `command` in /bin/sh with its file descriptor `fd` on a pipe that no
// process can read, so that every write to it fails; its exit status.
int run_with_an_unread_pipe(const std::string& command, int fd);
// Reads a PNG as 0xRRGGBB values, row by row; empty string on success.
std::string read_png(const std::string& path, std::vector<Uint32>& rgb, int& width, int& height);
// The files in `folder`, sorted.
std::vector<std::string> files_in(const std::string& folder);
// Removes a temporary folder and all it holds.
void remove_temporary_folder(const std::string& folder);

// Checks that page `page` of `exporter --order ORDER` as a vector drawing
// (format "--svg", rendered at 100 % by rsvg-convert, or "--tikz", compiled
// by pdflatex on an 800 x 600 bp page and rendered at 72 dpi by pdftoppm
// without anti-aliasing) is, pixel for pixel, its PNG page; returns the
// vector page's text, for its figures to be looked at.
std::string expect_vector_page_matches_png(const std::string& exporter, const std::string& format,
                                           int order, int page);

// Checks that `exporter` writes exactly `pages`, pixel for pixel, as
// page-1.png ... page-N.png, and nothing else. With format_option "--svg":
// as page-N.svg, each well-formed XML (xmllint) and, rendered at 100 % by
// rsvg-convert, pixel for pixel the page.
void expect_exported_pages_match(const std::string& exporter,
                                 const std::vector<std::vector<Colour>>& pages,
                                 const SDL_PixelFormat* format,
                                 const std::string& format_option = {});
