// Everything a run of a family depends on, in one value that the run is
// given by reference: the family and its order, the figures' numbering and
// filter, how they are drawn, who hears of them, what is written beside
// the pages, and the pager's own state. Nothing a run reads lives anywhere
// else but the canvas the pager selects (canvas.h).
#pragma once

#include <optional>

#include "big_count.h"
#include "drawing.h"
#include "steps.h"
#include "where_filter.h"

struct Family;
struct PagerState;
struct PageRecord;

struct Run {
    const Family* family = nullptr;
    // The order drawn: chosen_order of what was asked.
    int order = 0;
    // The number in its family of the figure placed next: 1 at the start of
    // a run. A figure the filter refuses is passed over: it keeps its
    // number, is neither announced nor drawn, and leaves its slot free.
    BigCount next_figure_number = 1;
    std::optional<WhereFilter> filter;
    // The figures placed since the pager last set it to 0: a page that the
    // last figure filled, and that was shown at once, leaves an empty one
    // behind.
    int figures_on_page = 0;
    // How each figure is drawn on the canvas and in files.
    Drawing drawing;
    // Hears of each figure placed, its number and paths, before anything of
    // it is drawn (the list prints it, a counting pager counts it).
    void (*figure_listener)(Run& run, const BigCount& number, const FigurePath& path) = nullptr;
    // When set, keeps each figure placed, with its geometry: a page's vector
    // files and the explorer's selection are made from it.
    PageRecord* record = nullptr;
    // Whether the program prints its count (pyramid): not where the pager's
    // own output takes its place (the list), nor under a filter.
    bool count_printed = true;
    // The program every file names as its writer (page_file.h).
    const char* file_writer = "domino-paths";
    PagerState* pager = nullptr;
};

// A run of `family`, with the order asked for: `order` when the family
// draws it page by page, else its usual one.
Run run_of(const Family& family, int order);

// Places the figure whose paths are `path` with its anchor cell (its
// path's first) centred on (x, y) of the page, in the family's own pixels:
// numbers it, passes it over if the filter refuses it, announces it, draws
// it on the canvas if one is selected and keeps it in the record if there
// is one. Whether it was placed: false when it was passed over, and its
// slot is still free.
bool place_figure(Run& run, const FigurePath& path, int x, int y);

// A program's whole life: the family drawn page by page, its figures
// numbered from 1; then, once the user has seen every page, a count it
// printed and could not write is told (one line, status 1).
int run_family(Run& run);
