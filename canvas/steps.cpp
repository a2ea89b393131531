#include "steps.h"

FigureListener figure_listener = nullptr;

const char* step_name(StepKind step) {
    return step == StepKind::rise ? "rise" : step == StepKind::fall ? "fall" : "flat";
}
