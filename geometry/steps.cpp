#include "steps.h"

#include <cstring>
#include <initializer_list>

const char* step_name(StepKind step) {
    switch (step) {
    case StepKind::rise: return "rise";
    case StepKind::fall: return "fall";
    case StepKind::flat: return "flat";
    case StepKind::next_path: break;
    }
    return "|";
}

std::string steps_text(const FigurePath& path) {
    std::string text;
    for (const StepKind step : path) {
        if (!text.empty()) text += ' ';
        text += step_name(step);
    }
    return text;
}

bool read_steps(const char* text, FigurePath& path) {
    path.clear();
    const char* at = text + std::strspn(text, " ");
    while (*at != '\0') {
        const std::size_t length = std::strcspn(at, " ");
        bool known = false;
        for (const StepKind kind :
             {StepKind::rise, StepKind::fall, StepKind::flat, StepKind::next_path}) {
            const char* word = step_name(kind);
            if (!known && length == std::strlen(word) && std::strncmp(at, word, length) == 0) {
                path.push_back(kind);
                known = true;
            }
        }
        if (!known) return false;
        at += length;
        at += std::strspn(at, " ");
    }
    return !path.empty();
}
