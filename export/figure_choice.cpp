#include "figure_choice.h"

#include <array>
#include <cstdio>
#include <cstring>
#include <initializer_list>

#include "messages.h"

namespace {

// A path's steps, "rise flat fall", into `path`; false when a word is not a
// step or there are more than a figure has.
bool read_steps(const char* text, FigurePath& path) {
    path.count = 0;
    const char* at = text;
    for (;;) {
        while (*at == ' ') ++at;
        if (*at == '\0') return path.count > 0;
        const char* end = at;
        while (*end != ' ' && *end != '\0') ++end;
        if (path.count == max_figure_steps) return false;
        bool known = false;
        // The words are the titles' own, from step_name.
        for (const StepKind kind :
             {StepKind::rise, StepKind::fall, StepKind::flat, StepKind::next_path}) {
            const char* word = step_name(kind);
            if (!known && static_cast<std::size_t>(end - at) == std::strlen(word) &&
                std::strncmp(at, word, end - at) == 0) {
                path.steps[path.count++] = kind;
                known = true;
            }
        }
        if (!known) return false;
        at = end;
    }
}

[[noreturn]] void fail_on_steps(const Family& family, int order, const FigurePath& path) {
    const StepRange range = family.counting.step_range(order);
    std::array<char, 80> what{};
    std::array<char, 120> detail{};
    if (path.count < range.fewest || path.count > range.most) {
        std::snprintf(what.data(), what.size(), "no figure has %d steps", path.count);
        std::snprintf(detail.data(), detail.size(), "the figures of order %d have %d to %d",
                      order, range.fewest, range.most);
    } else {
        std::snprintf(what.data(), what.size(), "no figure has the steps given");
        std::snprintf(detail.data(), detail.size(),
                      "the figures of order %d are listed with their steps by --list", order);
    }
    fail_usage(what.data(), detail.data());
}

}  // namespace

ChosenFigure figure_asked_for(const Family& family, int order, const char* text) {
    ChosenFigure chosen{};
    if (text[0] != '\0' && std::strspn(text, "0123456789") == std::strlen(text)) {
        const BigCount total = family.counting.figure_total(order);
        if (!read_decimal(text, chosen.number) || chosen.number < 1 || chosen.number > total) {
            std::array<char, 200> what{};
            std::array<char, 160> detail{};
            std::snprintf(what.data(), what.size(), "there is no figure %.150s", text);
            std::snprintf(detail.data(), detail.size(), "the figures of order %d are 1 to %s",
                          order, decimal_text(total).data());
            fail_usage(what.data(), detail.data());
        }
        family.counting.unrank_figure(order, chosen.number, chosen.path);
        return chosen;
    }
    if (!read_steps(text, chosen.path)) {
        fail_usage("--figure needs a figure's number, from 1, or its steps, as in the list "
                   "(\"rise fall flat\"); it was given",
                   text);
    }
    chosen.number = family.counting.rank_figure(order, chosen.path);
    if (chosen.number == 0) fail_on_steps(family, order, chosen.path);
    return chosen;
}
