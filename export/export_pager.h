// The export pager's own settings, beside the paging operations of pager.h:
// what it writes, where, and in which format. Nothing here includes SDL's
// headers, whose Windows renaming of main would reach the exporters' entry.
#pragma once

#include "page_formats.h"
#include "steps.h"
#include "where_filter.h"

// FOLDER/page-N.EXTENSION in `format`. Stops with one line and status 1
// when the name is empty or too long. The folder is made, and locked, when
// the first file is written.
void set_export_folder(const char* folder, const PageFormat& format);
// Draws each figure's path over its dominoes (--path).
void draw_paths();
// Instead of the pages: the run's one figure (run_one_figure), alone,
// cropped to its outline and a margin of one cell, as FOLDER/STEM.EXTENSION
// titled "figure 17", or with its steps too ("figure 17: rise fall").
void export_one_figure(const char* stem, bool titled_with_steps);
// Instead of the pages: the figure the run draws alone in place, a cell from
// the canvas's top left corner (a large random tiling), written once the
// run is done by write_drawn_alone as FOLDER/STEM.EXTENSION: the canvas's
// top left width x height pixels, titled `title`.
void export_drawn_alone(const char* stem);
void write_drawn_alone(const char* title, int width, int height);
// Instead of the pages, a line a figure on standard output, under its
// header (export_list.h); no file is written.
void list_figures();
// The pages, or the list, hold only the figures `filter` keeps, laid out as
// pages always are, each with its number in the family. When none is kept:
// one line, status 2, nothing written.
void keep_only(const WhereFilter& filter);
