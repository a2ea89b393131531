#include "figure_choice.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "messages.h"

namespace {

[[noreturn]] void fail_on_steps(const Family& family, int order, const FigurePath& path) {
    const StepRange range = family.counting.step_range(order);
    const int paths =
        1 + static_cast<int>(std::count(path.begin(), path.end(), StepKind::next_path));
    const int steps = static_cast<int>(path.size()) - (paths - 1);
    const std::string at_order = "the figures of order " + std::to_string(order);
    if (paths != range.paths) {
        const std::string what = "no figure has " + std::to_string(paths) + " path" +
                                 (paths == 1 ? "" : "s") + " (\"|\" between two)";
        fail_usage(what.c_str(), (at_order + " have " + std::to_string(range.paths)).c_str());
    }
    if (steps < range.fewest || steps > range.most) {
        const std::string what = "no figure has " + std::to_string(steps) + " steps";
        fail_usage(what.c_str(), (at_order + " have " + std::to_string(range.fewest) + " to " +
                                  std::to_string(range.most))
                                     .c_str());
    }
    fail_usage("no figure has the steps given",
               (at_order + " are listed with their steps by --list").c_str());
}

}  // namespace

ChosenFigure figure_asked_for(const Family& family, int order, const char* text) {
    ChosenFigure chosen;
    if (text[0] != '\0' && std::strspn(text, "0123456789") == std::strlen(text)) {
        const BigCount total = family.counting.figure_total(order);
        if (!read_decimal(text, chosen.number) || chosen.number < 1 || chosen.number > total) {
            const std::string what = "there is no figure " + std::string(text).substr(0, 150);
            const std::string detail = "the figures of order " + std::to_string(order) +
                                       " are 1 to " + decimal_text(total);
            fail_usage(what.c_str(), detail.c_str());
        }
        family.counting.unrank_figure(order, chosen.number, chosen.path);
    } else {
        if (!read_steps(text, chosen.path)) {
            fail_usage("--figure needs a figure's number, from 1, or its steps, as in the list "
                       "(\"rise fall flat\"); it was given",
                       text);
        }
        chosen.number = family.counting.rank_figure(order, chosen.path);
        if (chosen.number == 0) fail_on_steps(family, order, chosen.path);
    }
    chosen.geometry = family.geometry_of(order, chosen.path);
    return chosen;
}
