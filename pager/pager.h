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

// The order of the family to draw, when asked for (the exporters' --order);
// 0 leaves each program at its own.
inline int requested_order = 0;
// A family's range of orders, 1 ... largest, and the one it draws by
// default. order_range is the running program's, stated in its main.cpp.
struct OrderRange {
    int largest;
    int usual;
};
extern const OrderRange order_range;
// The running program's family, "diamond" or "pyramid", stated in its
// main.cpp beside order_range.
extern const char* const family_name;
// The order a family of `range` draws: requested_order when it is in
// range, else the usual one.
inline int chosen_order(const OrderRange& range) {
    return requested_order >= 1 && requested_order <= range.largest ? requested_order
                                                                     : range.usual;
}

// False where the pager's own output takes the place of the program's (the
// exporters' list of figures): pyramid then prints no count.
inline bool count_printed = true;

// Each program's own entry, called by the entry point once SDL has started
// (or, in the exporters, once the options are read). Its arguments are
// ignored.
extern "C" int SDL_main(int argc, char* argv[]);
