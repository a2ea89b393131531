#include "dominoes.h"

#include "raster.h"

void draw_flat_domino(int px, int py, int half) {
    draw_box(px - half, py - half, px + 3 * half, py + half, palette.border, palette.flat_fill);
}

void draw_rise_domino(int px, int py, int half) {
    draw_box(px - half, py + half, px + half, py - 3 * half, palette.border, palette.rise_fill);
}

void draw_fall_domino(int px, int py, int half) {
    draw_box(px - half, py - half, px + half, py + 3 * half, palette.border, palette.fall_fill);
}

void draw_domino_stack(int px, int py, int rows, int count, int half) {
    const int cell = 2 * half;
    for (int j = 0; j < count; ++j) {
        draw_flat_domino(px + cell * j, py + rows * cell * (j + 1), half);
    }
}
