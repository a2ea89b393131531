#include "export_usage.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <string>
#include <vector>

#include "drawing.h"
#include "family.h"
#include "messages.h"
#include "page_formats.h"
#include "paper_style.h"

namespace {

// Prints `text` in lines of at most 78 columns, the first after `first`
// (a space after it unless it ends in one), the rest indented by `indent`
// spaces.
void print_wrapped(std::FILE* to, const char* first, int indent, const char* text) {
    int column = std::fprintf(to, "%s", first);
    bool spaced = column > 0 && first[column - 1] == ' ';
    while (*text != '\0') {
        const std::size_t word = std::strcspn(text, " ");
        if (column > indent && column + 1 + static_cast<int>(word) > 78) {
            column = std::fprintf(to, "\n%*s", indent, "") - 1;
        } else if (!spaced) {
            column += std::fprintf(to, " ");
        }
        spaced = false;
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

bool family_has_arctic_circle(const Family& family) {
    FigurePath path;
    if (!family.counting.unrank_figure(1, 1, path)) return false;
    return has_arctic_circle(family.geometry_of(1, path));
}

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
    const FigureCounting& counting = family.counting;
    const std::string one = std::to_string(counting.largest_order);
    const std::string random = std::to_string(family.random.largest_order);
    std::string orders = "the family of order N: pages and the whole list at 1 ... " +
                         std::to_string(family.orders.largest) + " (the program's own: " +
                         std::to_string(family.orders.usual) + "), one figure alone at 1 ... " +
                         one + ", a random one at 1 ... " + random;
    if (counted) orders += ", " + counted_orders(counting.limits);
    print_wrapped(to, "  --order N   ", 14, orders.c_str());
    print_wrapped(to, "  --path      ", 14, "draw each figure's lattice path over its dominoes, in black");
    print_wrapped(to, "  --cell N    ", 14,
                  ("cells N pixels wide (bp in TikZ and PDF), 1 ... 100, pages keeping their "
                   "grid of figures (the family's own: " +
                   std::to_string(family.cell) +
                   "); refused where the file would pass what its format's readers take")
                      .c_str());
    print_wrapped(to, "  --style S   ", 14,
                  "screen (the default): the window's pixels, drawn as they are in every "
                  "format; paper: vectors from each figure's geometry, outlines a sixteenth "
                  "of a cell, paths three sixteenths with round joins, anti-aliased in PNG");
    std::string palettes = "the colours:";
    for (int i = 0; i < palette_count; ++i) {
        palettes += std::string(i == 0 ? " " : "; ") + palette_rows[i]->name + ", " +
                    palette_rows[i]->help + (i == 0 ? " (the default)" : "");
    }
    print_wrapped(to, "  --palette NAME", 14, palettes.c_str());
    if (family_has_arctic_circle(family)) {
        print_wrapped(to, "  --arctic    ", 14,
                      "draw the arctic circle, inscribed in the diamond, over each figure: "
                      "a large random tiling's frozen corners end near it");
    }
    print_wrapped(to, "  --where EXPR", 14,
                  "only the figures whose statistics EXPR holds, on pages laid out as ever, "
                  "each keeping its number, in the list or in the counts: STAT=V or "
                  "STAT=LO-HI, joined by commas, such as \"flats=2,height=1-3\"");
    // K is read as text: at the largest order it has hundreds of digits.
    const std::string digits =
        std::to_string(decimal_text(counting.figure_total(counting.largest_order)).size());
    print_wrapped(to, "  --figure K  ", 14,
                  ("write only figure K (from 1), alone, cropped to its outline and a margin "
                   "of one cell, as FOLDER/figure-K.png (.svg, .tex); orders 1 ... " + one +
                   "; K in decimal digits, of any length up to the count's (" + digits +
                   " at order " + one +
                   "); a K of more than 200 digits names its file by its first 100 digits, "
                   "a dash and its last 100")
                      .c_str());
    print_wrapped(to, "  --figure STEPS", 14,
                  "the same for the figure whose steps are STEPS, as in the titles and the "
                  "list: \"rise fall flat\"");
    print_wrapped(to, "  --random SEED", 14,
                  ("the same for a figure drawn uniformly at random, the same one for the "
                   "same SEED (0 ... 2^64 - 1) everywhere, as FOLDER/random-SEED.png (.svg, "
                   ".tex); orders 1 ... " + random)
                      .c_str());
    if (family.random.domino_laid != nullptr) {
        print_wrapped(to, "  --glauber MOVES", 14,
                      ("with --random: that tiling after MOVES moves of Glauber dynamics, each "
                       "a 2 x 2 block drawn at random and turned on a fair coin's heads where "
                       "two parallel dominoes fill it, so still drawn uniformly at random; the "
                       "same moves for the same SEED everywhere, as FOLDER/random-SEED-glauber-"
                       "MOVES.png (.svg, .tex); MOVES 0 ... " +
                       decimal_text(BigCount(largest_moves)))
                          .c_str());
    }
    print_wrapped(to, "  --list      ", 14,
                  "write no file: print a line a figure in the family's order, or the one "
                  "asked for, under a header: its number, its page (empty past the orders "
                  "drawn page by page), its steps, flats, peaks, returns and height, "
                  "tab-separated");
    if (counted) {
        print_wrapped(to, "  --counts STAT", 14,
                      "write no file: print how many figures have each value of STAT, counted "
                      "without listing them; STAT,STAT a table of figures by both (rows the "
                      "first, columns the second); with --where only the figures it keeps");
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
