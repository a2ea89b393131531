#include "steps.h"

FigureListener figure_listener = nullptr;

const char* step_name(StepKind step) {
    switch (step) {
    case StepKind::rise: return "rise";
    case StepKind::fall: return "fall";
    case StepKind::flat: return "flat";
    case StepKind::next_path: break;
    }
    return "|";
}
