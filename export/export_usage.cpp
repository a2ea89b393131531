#include "export_usage.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <string>
#include <vector>

#include "family.h"
#include "messages.h"
#include "page_formats.h"

namespace {

// Prints `text` in lines of at most 78 columns, the first after `first`,
// the rest indented by `indent` spaces.
void print_wrapped(std::FILE* to, const char* first, int indent, const char* text) {
    int column = std::fprintf(to, "%s", first);
    while (*text != '\0') {
        const std::size_t word = std::strcspn(text, " ");
        if (column > indent && column + 1 + static_cast<int>(word) > 78) {
            column = std::fprintf(to, "\n%*s", indent, "") - 1;
        } else if (column > indent) {
            column += std::fprintf(to, " ");
        }
        column += std::fprintf(to, "%.*s", static_cast<int>(word), text);
        text += word + std::strspn(text + word, " ");
    }
    std::fputc('\n', to);
}

// Up to which orders the family counts: "counts by one statistic at 1 ...
// 1000, by two or under a filter on another one at 1 ... 30", each group
// of statistics alone that shares a limit named where they differ.
std::string counted_orders(const CountLimits& limits) {
    std::string text = "counts by ";
    const int first = limits.alone[0];
    if (std::all_of(limits.alone.begin(), limits.alone.end(), [first](int l) { return l == first; })) {
        text += "one statistic at 1 ... " + std::to_string(first);
    } else {
        std::vector<int> seen;
        for (const int largest : limits.alone) {
            if (std::find(seen.begin(), seen.end(), largest) != seen.end()) continue;
            std::vector<const char*> names;
            for (const Statistic statistic : statistics) {
                if (limits.alone[static_cast<std::size_t>(statistic)] == largest) {
                    names.push_back(statistic_name(statistic));
                }
            }
            text += seen.empty() ? "" : ", by ";
            for (std::size_t i = 0; i < names.size(); ++i) {
                text += (i == 0 ? "" : i + 1 == names.size() ? " or " : ", ") + std::string(names[i]);
            }
            text += " at 1 ... " + std::to_string(largest);
            seen.push_back(largest);
        }
    }
    return text + ", by two statistics or under a filter on another one at 1 ... " +
           std::to_string(limits.jointly);
}

}  // namespace

void print_usage(std::FILE* to) {
    const Family& family = program_family;
    const bool counted = family.counting.count != nullptr;
    const std::vector<const PageFormat*> formats = page_formats();
    std::fprintf(to, "usage: %s [", program_name);
    for (std::size_t i = 0; i < formats.size(); ++i) {
        std::fprintf(to, "%s%s", i == 0 ? "" : " | ", formats[i]->option);
    }
    std::fprintf(to,
                 "] [--order N] [--path] [--where EXPR] [--] FOLDER\n"
                 "       %s [FORMAT] [--order N] [--path] (--figure K | --figure STEPS |\n"
                 "           --random SEED) [--] FOLDER\n"
                 "       %s [--order N] --list [--where EXPR | --figure K | --figure STEPS |\n"
                 "           --random SEED]\n",
                 program_name, program_name);
    if (counted) {
        std::fprintf(to, "       %s [--order N] --counts STAT[,STAT] [--where EXPR]\n", program_name);
    }
    std::array<char, 400> what{};
    std::snprintf(what.data(), what.size(),
                  "the pages of %s, which shows %s, and writes each as FOLDER/page-N.png, or "
                  "in another format:",
                  family.name, family.summary);
    print_wrapped(to, "Draws", 0, what.data());
    for (const PageFormat* format : formats) {
        std::array<char, 16> option{};
        std::snprintf(option.data(), option.size(), "  %-10s  ", format->option);
        print_wrapped(to, option.data(), 14, format->help);
    }
    std::array<char, 200> orders{};
    std::snprintf(orders.data(), orders.size(),
                  "the family of order N: pages and the whole list at 1 ... %d (the program's "
                  "own: %d), one figure alone at 1 ... %d",
                  family.orders.largest, family.orders.usual, family.counting.largest_order);
    const std::string all_orders =
        std::string(orders.data()) + (counted ? ", " + counted_orders(family.counting.limits) : "");
    print_wrapped(to, "  --order N  ", 14, all_orders.c_str());
    std::fprintf(to,
                 "  --path      draw each figure's lattice path over its dominoes, in black\n"
                 "  --where EXPR  only the figures whose statistics EXPR holds, on pages laid\n"
                 "              out as ever, each keeping its number, in the list or in the\n"
                 "              counts: STAT=V or STAT=LO-HI, joined by commas, such as\n"
                 "              \"flats=2,height=1-3\"\n"
                 "  --figure K  write only figure K (from 1), alone, cropped to its outline and\n"
                 "              a margin of one cell, as FOLDER/figure-K.png (.svg, .tex)\n");
    // K is read as text: at the largest order it has hundreds of digits.
    const int largest = family.counting.largest_order;
    const std::string digits = std::to_string(decimal_text(family.counting.figure_total(largest)).size());
    const std::string number =
        "K in decimal digits, of any length up to the count's (" + digits + " at order " +
        std::to_string(largest) +
        "); a K of more than 200 digits names its file by its first 100 digits, a dash and its "
        "last 100";
    print_wrapped(to, "              ", 14, number.c_str());
    std::fprintf(to,
                 "  --figure STEPS  the same for the figure whose steps are STEPS, as in the\n"
                 "              titles and the list: \"rise fall flat\"\n"
                 "  --random SEED  the same for a figure drawn uniformly at random, the same\n"
                 "              one for the same SEED (0 ... 2^64 - 1) everywhere, as\n"
                 "              FOLDER/random-SEED.png (.svg, .tex)\n"
                 "  --list      write no file: print \"figure<TAB>page<TAB>steps<TAB>flats<TAB>\n"
                 "              peaks<TAB>returns<TAB>height\", then a line a figure in the\n"
                 "              family's order, or the one asked for\n");
    if (counted) {
        std::fprintf(to,
                     "  --counts STAT  write no file: print how many figures have each value of\n"
                     "              STAT, counted without listing them; STAT,STAT a table of\n"
                     "              figures by both (rows the first, columns the second); with\n"
                     "              --where only the figures it keeps\n");
    }
    std::fprintf(to,
                 "  -h, --help  show this and exit\n"
                 "  --          what follows is the folder, even if it begins with a dash\n"
                 "The statistics (STAT) of a figure's path: flats; peaks, a rise then a fall;\n"
                 "returns, the steps that end on its first row; height, the highest row it\n"
                 "reaches above that one.\n"
                 "A page or figure replaces any file of its name in FOLDER. Pages numbered\n"
                 "past the last one are removed only when this program wrote them (they carry\n"
                 "its name); anything else is kept and named. An export into a folder that\n"
                 "another export is still writing into is refused (status 1).\n");
}
