#include "export_list.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "messages.h"

namespace {

// On a closed pipe the reader has all it wanted: the text ends quietly.
void print(TextOutput& out, bool written) {
    if (written) return;
    if (errno == EPIPE) std::exit(0);
    if (out.write_error == 0) out.write_error = errno;
}

}  // namespace

void print_list_header(TextOutput& out) {
    print(out, std::printf("figure\tpage\tsteps") >= 0);
    for (const Statistic statistic : statistics) {
        print(out, std::printf("\t%s", statistic_name(statistic)) >= 0);
    }
    print(out, std::putchar('\n') != EOF);
}

void print_list_line(TextOutput& out, const BigCount& number, const BigCount& page,
                     const FigurePath& path) {
    print(out, std::printf("%s\t%s\t%s", number == 0 ? "" : decimal_text(number).c_str(),
                           page == 0 ? "" : decimal_text(page).c_str(),
                           steps_text(path).c_str()) >= 0);
    for (const int value : stats_of(path)) print(out, std::printf("\t%d", value) >= 0);
    print(out, std::putchar('\n') != EOF);
}

BigCount page_of_figure(const Family& family, int order, const BigCount& number) {
    if (order > family.orders.largest) return 0;
    const PageGrid grid = family.page_grid_of(order);
    const int per_page = slots_across(grid) * slots_down(grid);
    return (number - 1) / per_page + 1;
}

void print_counts(TextOutput& out, const CountQuestion& question, const CountGrid& grid) {
    const char* first = statistic_name(question.by[0]);
    // Each row's and each column's total: those of no figure are left out.
    std::vector<BigCount> rows(static_cast<std::size_t>(grid.rows), 0);
    std::vector<BigCount> columns(static_cast<std::size_t>(grid.columns), 0);
    BigCount total = 0;
    for (int row = 0; row < grid.rows; ++row) {
        for (int column = 0; column < grid.columns; ++column) {
            const BigCount& count = grid_cell(grid, row, column);
            rows[static_cast<std::size_t>(row)] += count;
            columns[static_cast<std::size_t>(column)] += count;
            total += count;
        }
    }
    if (question.counted == 1) {
        print(out, std::printf("%s\tfigures\n", first) >= 0);
        for (int row = 0; row < grid.rows; ++row) {
            if (rows[static_cast<std::size_t>(row)] == 0) continue;
            print(out, std::printf("%d\t%s\n", row,
                                   decimal_text(rows[static_cast<std::size_t>(row)]).c_str()) >= 0);
        }
        print(out, std::printf("all\t%s\n", decimal_text(total).c_str()) >= 0);
        return;
    }
    print(out, std::printf("%s\\%s", first, statistic_name(question.by[1])) >= 0);
    for (int column = 0; column < grid.columns; ++column) {
        if (columns[static_cast<std::size_t>(column)] != 0) print(out, std::printf("\t%d", column) >= 0);
    }
    print(out, std::printf("\tall\n") >= 0);
    for (int row = 0; row < grid.rows; ++row) {
        if (rows[static_cast<std::size_t>(row)] == 0) continue;
        print(out, std::printf("%d", row) >= 0);
        for (int column = 0; column < grid.columns; ++column) {
            if (columns[static_cast<std::size_t>(column)] == 0) continue;
            print(out, std::printf("\t%s", decimal_text(grid_cell(grid, row, column)).c_str()) >= 0);
        }
        print(out, std::printf("\t%s\n", decimal_text(rows[static_cast<std::size_t>(row)]).c_str()) >= 0);
    }
    print(out, std::printf("all") >= 0);
    for (int column = 0; column < grid.columns; ++column) {
        if (columns[static_cast<std::size_t>(column)] == 0) continue;
        print(out, std::printf("\t%s", decimal_text(columns[static_cast<std::size_t>(column)]).c_str()) >= 0);
    }
    print(out, std::printf("\t%s\n", decimal_text(total).c_str()) >= 0);
}

int finish_text(TextOutput& out, const char* what) {
    if (std::fflush(stdout) != 0) print(out, false);
    if (out.write_error == 0) return 0;
    std::fprintf(stderr, "%s: cannot write %s to standard output: %s\n", program_name, what,
                 std::strerror(out.write_error));
    return 1;
}
