// Prints the family table for the scripts, a line a family:
// NAME<TAB>LARGEST<TAB>USUAL<TAB>PAGES<TAB>FIGURES<TAB>ONE<TAB>RANDOM: the
// largest order drawn page by page, the order its program draws, and that
// order's pages and figures, counted by a pager that draws nothing; then
// the largest order of one figure alone, and of a random one.
#include <cstdio>

#include "family_table.h"
#include "pager.h"

// What the counting pager keeps: the pages of the run.
struct PagerState {
    int pages = 0;
};

// With no canvas selected, the figures are numbered and nothing is drawn.
void open_display(Run& run) {
    run.pager->pages = 0;
    run.count_printed = false;
}
void show_page(Run& run) { ++run.pager->pages; }
void finish_display(Run& run) { ++run.pager->pages; }

int main() {
    for (const Family* family : family_table) {
        PagerState pager;
        Run run = run_of(*family, 0);
        run.pager = &pager;
        run_family(run);
        const BigCount figures = run.next_figure_number - 1;
        std::printf("%s\t%d\t%d\t%d\t%s\t%d\t%d\n", family->name, family->orders.largest,
                    family->orders.usual, pager.pages, decimal_text(figures).c_str(),
                    family->counting.largest_order, family->random.largest_order);
    }
    return std::fflush(stdout) == 0 ? 0 : 1;
}
