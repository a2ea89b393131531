// One pyramid figure: the path's own dominoes, diagonal stacks above it and
// diagonal runs filling the space down to the base row.
#include "dominoes.h"
#include "figure_protocol.h"
#include "pyramid.h"

namespace pyramid {

int upper_stack = 0;

namespace {
constexpr int half_cell = 4;
constexpr int cell = 2 * half_cell;

// One domino for each row between the point and the base row.
void draw_lower_run(int px, int py) {
    draw_domino_stack(px, py, +1, (cursor_y - py) / cell, half_cell);
}

// The path in `steps`, one entry a step (a flat once); returns their count.
int steps_of_path(std::array<StepKind, max_symbols>& steps) {
    int count = 0;
    for (int i = 0; i < 2 * path_order; i += figure_steps[i] == StepKind::flat ? 2 : 1) {
        steps[count++] = figure_steps[i];
    }
    return count;
}

void draw_pyramid_dominoes() {
    upper_stack = path_order;
    int px = cursor_x;
    int py = cursor_y;
    for (int i = 0; i < 2 * path_order;) {
        switch (figure_steps[i]) {
        case StepKind::flat:
            draw_flat_domino(px, py, half_cell);
            draw_domino_stack(px, py, -1, upper_stack, half_cell);
            draw_lower_run(px, py);
            px += 2 * cell;
            --upper_stack;
            i += 2;  // the flat's second symbol is never read
            break;
        case StepKind::rise:
            draw_rise_domino(px, py, half_cell);
            draw_lower_run(px, py);
            --upper_stack;
            px += cell;
            py -= cell;
            ++i;
            break;
        case StepKind::fall:
            draw_fall_domino(px, py, half_cell);
            draw_domino_stack(px, py, -1, upper_stack, half_cell);
            px += cell;
            py += cell;
            ++i;
            break;
        case StepKind::next_path:  // one path: no separator
            ++i;
            break;
        }
    }
}

}  // namespace

bool draw_pyramid_figure() {
    if (path_order < 0 || path_order > largest_figure_order) return false;
    std::array<StepKind, max_symbols> steps{};
    const int count = steps_of_path(steps);
    return draw_figure(steps.data(), count, cursor_x, cursor_y, cell, draw_pyramid_dominoes);
}

}  // namespace pyramid
