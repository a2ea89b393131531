// The export pager: draws every page off screen and writes it as
// FOLDER/page-N.png (or another format) instead of showing it, or lists
// the figures; and writes one figure alone. Nothing waits for the user.
// Nothing here includes SDL's headers, whose Windows renaming of main
// would reach the exporters' entry.
#pragma once

#include <string>

#include "export_list.h"
#include "family.h"
#include "page_formats.h"
#include "page_record.h"

struct SDL_Surface;

// What the export pager keeps between pages.
struct PagerState {
    // What is written: every page, or the list of figures (no file).
    bool listing = false;
    std::string folder;
    const PageFormat* format = nullptr;
    bool folder_made = false;
    int pages_written = 0;
    // A progress line on a terminal is rewritten in place; one that cannot
    // be written (a closed pipe, say) stops no page, and is told at the end.
    bool progress_on_terminal = false;
    int progress_write_error = 0;
    bool progress_lost = false;
    SDL_Surface* page_surface = nullptr;
    PageRecord record;
    TextOutput text;
    bool header_printed = false;
};

// A pager that writes FOLDER/page-N.EXTENSION in `format`. Stops with one
// line and status 1 when the name is too long. The folder is made, and
// locked, when the first file is written.
PagerState export_pager(const char* folder, const PageFormat& format);
// A pager that writes no file: a line a figure on standard output, under
// its header (export_list.h).
PagerState list_pager();

// Writes `chosen`, a figure of `run`'s family and order drawn as it draws,
// alone at `placement`, cropped to its outline and a margin of one cell, as
// FOLDER/STEM.EXTENSION titled `title`; `pager` is an export pager's.
void write_figure_alone(PagerState& pager, const Run& run, const ChosenFigure& chosen,
                        const Placement& placement, const std::string& stem,
                        const std::string& title);
