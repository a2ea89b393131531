// Prints the family table for the scripts, a line a family:
// NAME<TAB>LARGEST<TAB>USUAL<TAB>PAGES<TAB>FIGURES<TAB>ONE<TAB>RANDOM: the
// largest order drawn page by page, the order its program draws, and that
// order's pages and figures, counted by a pager that draws nothing; then
// the largest order of one figure alone, and of a random one.
#include <cstdio>

#include "family_table.h"
#include "steps.h"

namespace {
int pages = 0;
int figures = 0;
void count_figure(const BigCount& /*number*/, const StepKind* /*steps*/, int /*count*/, int /*x*/,
                  int /*y*/, int /*cell*/) {
    ++figures;
}
}  // namespace

// With no canvas selected, the figures are announced and nothing is drawn.
void open_display() {
    pages = 0;
    figures = 0;
    count_printed = false;
    figure_listener = count_figure;
}
void show_page() { ++pages; }
void finish_display() { ++pages; }

int main() {
    for (const Family* family : family_table) {
        run_family(*family);
        std::printf("%s\t%d\t%d\t%d\t%d\t%d\t%d\n", family->name, family->orders.largest,
                    family->orders.usual, pages, figures, family->counting.largest_order,
                    family->random.largest_order);
    }
    return std::fflush(stdout) == 0 ? 0 : 1;
}
