#include "export_list.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

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

void print_counts(TextOutput& out, const CountTable& counts, Statistic statistic) {
    print(out, std::printf("%s\tfigures\n", statistic_name(statistic)) >= 0);
    BigCount total = 0;
    for (std::size_t value = 0; value < counts.size(); ++value) {
        if (counts[value] == 0) continue;
        total += counts[value];
        print(out, std::printf("%d\t%s\n", static_cast<int>(value),
                               decimal_text(counts[value]).c_str()) >= 0);
    }
    print(out, std::printf("all\t%s\n", decimal_text(total).c_str()) >= 0);
}

int finish_text(TextOutput& out, const char* what) {
    if (std::fflush(stdout) != 0) print(out, false);
    if (out.write_error == 0) return 0;
    std::fprintf(stderr, "%s: cannot write %s to standard output: %s\n", program_name, what,
                 std::strerror(out.write_error));
    return 1;
}
