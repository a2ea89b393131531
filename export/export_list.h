// The exporters' text: the figures as a list (--list), a line a figure
// with its statistics, and the figures counted by a statistic (--counts).
// A closed pipe ends either quietly, as with `| head`; any other failed
// write is told, once, when the text is done.
#pragma once

#include "family.h"

// The first failed write's errno value, kept until the text is done.
struct TextOutput {
    int write_error = 0;
};

// "figure<TAB>page<TAB>steps<TAB>flats<TAB>peaks<TAB>returns<TAB>height".
void print_list_header(TextOutput& out);
// "3<TAB>1<TAB>rise flat fall flat flat<TAB>3<TAB>0<TAB>2<TAB>1"; a page 0
// (a figure past the orders drawn page by page, on no page) is left empty,
// and so is a number 0 (a tiling shuffled past the numbered orders).
void print_list_line(TextOutput& out, const BigCount& number, const BigCount& page,
                     const FigurePath& path);
// The page a figure of an order stands on in the family's run: at the
// orders drawn page by page, as many to a page as the grid holds; past
// them, where figures are only drawn one at a time, none (0).
BigCount page_of_figure(const Family& family, int order, const BigCount& number);
// The counts a question asks for. Of one statistic: "STAT<TAB>figures", a
// line a value that has figures, "all<TAB>TOTAL". Of two, a table:
// "FIRST\SECOND", then each value of the second that has figures, then
// "all"; a row a value of the first that has figures, its count for each
// column and its total; and a row "all" of the columns' totals.
void print_counts(TextOutput& out, const CountQuestion& question, const CountGrid& grid);
// Writes out what is left: 0, or with one line on standard error, 1.
int finish_text(TextOutput& out, const char* what);
