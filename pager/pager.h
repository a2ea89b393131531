// The paging operations every program draws its pages through, stated
// once. Which pager answers them is chosen at link time: the window pager
// (window/) shows each page and waits for the user, the export pager
// (export/) writes each page to a file, the explorer's (explore/) draws one
// page and counts the rest, and the tests' keeps the pages in memory. Each
// keeps what it needs between pages in a PagerState of its own, defined in
// its header; a program links one pager, so one PagerState, and hands a
// run the one it made (run.h).
#pragma once

struct Run;
struct PagerState;

// Opens the page to draw on and clears it; on failure prints one line on
// standard error and exits with status 1.
void open_display(Run& run);
// Shows the finished page, waits for the user, then clears the page.
void show_page(Run& run);
// Shows the last page and waits once more.
void finish_display(Run& run);
