#include "export_list.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "messages.h"

namespace {

int write_error = 0;

// On a closed pipe the reader has all it wanted: the text ends quietly.
void note_failure() {
    if (errno == EPIPE) std::exit(0);
    if (write_error == 0) write_error = errno;
}

void print(bool written) {
    if (!written) note_failure();
}

}  // namespace

void print_list_header() {
    print(std::printf("figure\tpage\tsteps") >= 0);
    for (const Statistic statistic : statistics) {
        print(std::printf("\t%s", statistic_name(statistic)) >= 0);
    }
    print(std::putchar('\n') != EOF);
}

void print_list_line(const BigCount& number, const BigCount& page, const StepKind* steps,
                     int count) {
    print(std::printf("%s\t%s\t", decimal_text(number).data(), decimal_text(page).data()) >= 0);
    for (int i = 0; i < count; ++i) {
        print(std::printf(i == 0 ? "%s" : " %s", step_name(steps[i])) >= 0);
    }
    for (const int value : stats_of(steps, count)) print(std::printf("\t%d", value) >= 0);
    print(std::putchar('\n') != EOF);
}

BigCount page_of_figure(const Family& family, int order, const BigCount& number) {
    if (order > family.orders.largest) return number;
    const PageGrid grid = family.page_grid_of(order);
    const int per_page = slots_across(grid) * slots_down(grid);
    return (number - 1) / per_page + 1;
}

void print_counts(const Family& family, int order, Statistic statistic) {
    static CountTable counts;
    count_figures_by(family, order, statistic, counts);
    print(std::printf("%s\tfigures\n", statistic_name(statistic)) >= 0);
    BigCount total = 0;
    for (std::size_t value = 0; value < counts.size(); ++value) {
        if (counts[value] == 0) continue;
        total += counts[value];
        print(std::printf("%d\t%s\n", static_cast<int>(value), decimal_text(counts[value]).data()) >=
              0);
    }
    print(std::printf("all\t%s\n", decimal_text(total).data()) >= 0);
}

int finish_text(const char* what) {
    if (std::fflush(stdout) != 0) note_failure();
    if (write_error == 0) return 0;
    std::fprintf(stderr, "%s: cannot write %s to standard output: %s\n", program_name, what,
                 std::strerror(write_error));
    return 1;
}
