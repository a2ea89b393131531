// A family of figures as the programs, the exporters, the explorer and the
// tests know it: one row each (families/family_table.h). A family draws
// every figure of an order through the paging operations of pager.h,
// without knowing which pager it is linked with.
#pragma once

#include "page_grid.h"
#include "pager.h"

// A family's orders drawn page by page, 1 ... largest, and the one its
// program draws.
struct OrderRange {
    int largest;
    int usual;
};

struct Family {
    // Its programs are NAME (in a window) and NAME_export (to files).
    const char* name;
    // What its figures are, in a line: "every arrangement of a rises, ...".
    const char* summary;
    OrderRange orders;
    // The whole run at chosen_order(orders): every figure in the family's
    // order, laid out on pages of page_grid_of(order), each full page
    // shown at once, the last one left for finish_display.
    void (*draw_every_figure)();
    PageGrid (*page_grid_of)(int order);
    // Run once the last page has been shown, or nullptr: pyramid reports
    // there a count it could not write.
    void (*after_last_page)();
};

// The running program's family, stated in the entry add_family writes.
extern const Family& program_family;

// The order to draw, when asked for (the exporters' --order, the
// explorer's); 0 leaves each family at its usual one.
inline int requested_order = 0;
// The order a family of `range` draws: requested_order when it is in
// range, else the usual one.
inline int chosen_order(const OrderRange& range) {
    return requested_order >= 1 && requested_order <= range.largest ? requested_order
                                                                     : range.usual;
}

// A program's whole life: the family drawn page by page, then its last word.
inline int run_family(const Family& family) {
    open_display();
    family.draw_every_figure();
    finish_display();
    if (family.after_last_page != nullptr) family.after_last_page();
    return 0;
}
