// The paging operations every program draws its pages through, stated
// once. Which pager answers them is chosen at link time: the window pager
// (window/) shows each page and waits for the user, the export pager
// (export/) writes each page to a file, and the tests link a pager that
// keeps the pages in memory.
#pragma once

// Opens the page to draw on and clears it; on failure prints one line on
// standard error and exits with status 1.
void open_display();
// Shows the finished page, waits for the user, then clears the page.
void show_page();
// Shows the last page and waits once more.
void finish_display();

// False where the pager's own output takes the place of the program's (the
// exporters' list of figures): pyramid then prints no count.
inline bool count_printed = true;

// Each program's own entry, called by the entry point once SDL has started
// (or, in the exporters, once the options are read): it runs the program's
// family (family.h). Its arguments are ignored.
extern "C" int SDL_main(int argc, char* argv[]);
