// The export pager's own settings, beside the paging operations of pager.h:
// what it writes, where, and in which format. Nothing here includes SDL's
// headers, whose Windows renaming of main would reach the exporters' entry.
#pragma once

#include "page_formats.h"
#include "steps.h"

// FOLDER/page-N.EXTENSION in `format`. Stops with one line and status 1
// when the name is empty or too long.
void set_export_folder(const char* folder, const PageFormat& format);
// Draws each figure's path over its dominoes (--path).
void draw_paths();
// Instead of the pages: the figure numbered `number` in the run (plain
// digits, from 1), or, when `number` is nullptr, the one whose path is
// `steps`, alone, cropped to its outline and a margin of one cell, as
// FOLDER/figure-K.png (or .svg, .tex). When no figure is that one, stops
// with one line that says why (the range of numbers, or of step counts),
// and status 2, having written nothing.
void choose_figure(const char* number, const StepKind* steps, int count);
// Instead of the pages, a line a figure on standard output, under the
// header "figure<TAB>page<TAB>steps"; no file is written.
void list_figures();
