#include "figure_protocol.h"

#include "canvas.h"
#include "path_overlay.h"

void draw_figure(const StepKind* steps, int count, int x, int y, int half,
                 void (*draw_dominoes)()) {
    if (figure_listener != nullptr) figure_listener(steps, count, x, y, half);
    if (screen != nullptr) draw_dominoes();
    draw_path_overlay(steps, count, x, y, half);
}
