// One diamond figure: the path's own dominoes, with diagonal stacks of
// horizontal dominoes filling the diamond above and below it.
#include "diamond.h"
#include "dominoes.h"
#include "figure_protocol.h"

namespace diamond {

int upper_stack = 0;
int lower_stack = 0;

namespace {

constexpr int half_cell = 5;
constexpr int cell = 2 * half_cell;

// The figure being drawn: a + N steps from the anchor (figure_x, figure_y).
int figure_steps = 0;
int figure_x = 0;
int figure_y = 0;

void draw_diamond_dominoes() {
    upper_stack = diamond_order;
    lower_stack = diamond_order;
    int px = figure_x;
    int py = figure_y;
    for (int i = 0; i < figure_steps; ++i) {
        switch (arrangement[i]) {
        case StepKind::flat:
            draw_flat_domino(px, py, half_cell);
            draw_domino_stack(px, py, -1, upper_stack, half_cell);
            draw_domino_stack(px, py, +1, lower_stack, half_cell);
            px += 2 * cell;
            --lower_stack;
            --upper_stack;
            break;
        case StepKind::rise:
            draw_rise_domino(px, py, half_cell);
            draw_domino_stack(px, py, +1, lower_stack, half_cell);
            --upper_stack;
            px += cell;
            py -= cell;
            break;
        case StepKind::fall:
            draw_fall_domino(px, py, half_cell);
            draw_domino_stack(px, py, -1, upper_stack, half_cell);
            --lower_stack;
            px += cell;
            py += cell;
            break;
        case StepKind::next_path: break;  // one path: no separator
        }
    }
}

}  // namespace

bool draw_diamond_figure(int a, int x, int y) {
    if (a < 0 || a > diamond_order || a + diamond_order > max_steps) return false;
    figure_steps = a + diamond_order;
    figure_x = x;
    figure_y = y;
    return draw_figure(arrangement.data(), figure_steps, x, y, cell, draw_diamond_dominoes);
}

}  // namespace diamond
