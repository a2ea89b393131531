// One diamond figure: the path's own dominoes, with diagonal stacks of
// horizontal dominoes filling the diamond above and below it.
#include "diamond.h"
#include "dominoes.h"
#include "path_overlay.h"

namespace diamond {

int upper_stack = 0;
int lower_stack = 0;

namespace {
constexpr int half_cell = 5;
constexpr int cell = 2 * half_cell;
}  // namespace

void draw_diamond_figure(int a, int x, int y) {
    if (a < 0 || a > diamond_order || a + diamond_order > max_steps) return;
    const int steps = a + diamond_order;
    if (figure_listener != nullptr) figure_listener(arrangement.data(), steps, x, y, half_cell);
    // With no canvas no box is drawn or heard of: a figure passed over (a
    // page not shown, the exporters' list) costs no domino, only its path,
    // which a segment listener may still hear of.
    if (screen == nullptr) {
        upper_stack = 0;
        lower_stack = 0;
        draw_path_overlay(arrangement.data(), steps, x, y, half_cell);
        return;
    }
    upper_stack = diamond_order;
    lower_stack = diamond_order;
    int px = x;
    int py = y;
    for (int i = 0; i < steps; ++i) {
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
        }
    }
    draw_path_overlay(arrangement.data(), steps, x, y, half_cell);
}

}  // namespace diamond
