// Dominoes as framed boxes: every figure of both programs is made of these.
// A domino covers two square cells of side 2 * half; (px, py) is the centre
// of its first cell. All are outlined in palette.border.
#pragma once

// Horizontal, yellow: the cell at (px, py) and the one to its right.
void draw_flat_domino(int px, int py, int half);
// Upright, red: the cell at (px, py) and the one above it.
void draw_rise_domino(int px, int py, int half);
// Upright, light blue: the cell at (px, py) and the one below it.
void draw_fall_domino(int px, int py, int half);
// `count` horizontal dominoes on a diagonal: the j-th (from 0) at
// (px + 2 * half * j, py + rows * 2 * half * (j + 1)); rows = -1 climbs to
// the upper right, rows = +1 falls to the lower right.
void draw_domino_stack(int px, int py, int rows, int count, int half);
