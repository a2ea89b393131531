#include "figure_protocol.h"

#include "canvas.h"
#include "path_overlay.h"

BigCount next_figure_number = 1;
FigureFilter figure_filter = nullptr;
int figures_on_page = 0;

bool draw_figure(const StepKind* steps, int count, int x, int y, int cell,
                 void (*draw_dominoes)()) {
    const BigCount number = next_figure_number++;
    if (figure_filter != nullptr && !figure_filter(steps, count)) return false;
    ++figures_on_page;
    if (figure_listener != nullptr) figure_listener(number, steps, count, x, y, cell);
    if (screen != nullptr) draw_dominoes();
    draw_path_overlay(steps, count, x, y, cell);
    return true;
}
