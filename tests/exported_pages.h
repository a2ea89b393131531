// Runs an exporting program and reads back the PNG pages it wrote.
#pragma once

#include <array>
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

// The command line of `exporter` with `options` and then `folder`, its
// messages left out.
std::string export_command(const std::string& exporter, const std::vector<std::string>& options,
                           const std::string& folder);
// Renders FOLDER/vector/STEM written in FORMAT ("--svg" at 100 % by
// rsvg-convert; "--pdf" at 72 dpi by pdftoppm; "--tikz" compiled by
// pdflatex on a page of its size, width x height bp, then so), with
// pdftoppm's anti-aliasing when `smooth`: the PNG's path.
std::string render_vector_file(const std::string& format, const std::string& folder,
                               const std::string& stem, int width, int height, bool smooth);
// Checks that FOLDER/`stem` written by `exporter OPTIONS FORMAT FOLDER` as
// a vector drawing (FORMAT "--svg", "--pdf" or "--tikz", rendered as
// render_vector_file renders it, without anti-aliasing) is, pixel for
// pixel, the PNG that `exporter OPTIONS FOLDER` writes; returns the vector
// file's text.
std::string expect_vector_file_matches_png(const std::string& exporter, const std::string& format,
                                           const std::vector<std::string>& options,
                                           const std::string& stem);

// What `exporter --order ORDER --list OPTIONS` prints, checked for its
// header: a figure a line, as its number, its page (from 1), its steps and
// its statistics.
struct ListedFigure {
    long long number;
    long long page;
    std::vector<StepKind> path;
    std::array<int, 4> stats;  // flats, peaks, returns, height
};
std::vector<ListedFigure> listed_figures(const std::string& exporter, int order,
                                         const std::string& options = {});
// A path's flats, peaks, returns and height, read off the rows it visits:
// the statistics' definitions, independently of the programs' code.
std::array<int, 4> statistics_of(const std::vector<StepKind>& path);

// Checks that `exporter OPTIONS --figure FIGURE` writes one file, in each
// format: a PNG whose pixels are those of the figure's outline, whose top
// left corner is (left, top) on page `page` of `exporter OPTIONS`, within a
// white margin of `margin` pixels; and SVG and TikZ files that are that PNG.
void expect_figure_cut_from_its_page(const std::string& exporter,
                                     const std::vector<std::string>& options,
                                     const std::string& figure, int page, int left, int top,
                                     int margin);

// Checks that `exporter` writes exactly `pages`, pixel for pixel, as
// page-1.png ... page-N.png, and nothing else, in the five colours the
// pages are documented to have.
void expect_exported_pages_match(const std::string& exporter,
                                 const std::vector<std::vector<Colour>>& pages,
                                 const SDL_PixelFormat* format);
