// The explorer's pager: a run draws one chosen page of its family into an
// off-screen canvas kept in memory, and only counts the others, drawing
// nothing on them, so that any page, the last of the largest order too,
// costs one page's drawing and one pass over the figures.
#pragma once

#include "big_count.h"

// The page the next run draws (from 1); the one it records, too, figures
// numbered in the whole run. A page past the run's last draws nothing.
void aim_at_page(int page);
int aimed_page();
// The next run looks for figure `number` as it passes over the pages it
// does not draw; then the page it placed it on, or 0.
void look_for_figure(const BigCount& number);
int page_of_figure_looked_for();
// After a run: its pages and figures, and whether the page aimed at was
// drawn.
int pages_in_run();
int figures_in_run();
bool page_drawn();
// The canvas's pixels, 4 bytes a pixel in the order red, green, blue and
// alpha (a browser's ImageData), canvas_width * 4 bytes a row.
const unsigned char* page_pixels();
