#include "path_overlay.h"

#include "raster.h"

bool path_overlay = false;
SegmentListener segment_listener = nullptr;

void draw_path_overlay(const StepKind* steps, int count, int x, int y, int cell) {
    if (!path_overlay) return;
    int start_x = x - cell / 2;
    int start_y = y;
    int px = start_x;
    int py = start_y;
    for (int i = 0; i < count; ++i) {
        if (steps[i] == StepKind::next_path) {
            start_x += cell;
            start_y += cell;
            px = start_x;
            py = start_y;
            continue;
        }
        const int nx = px + (steps[i] == StepKind::flat ? 2 * cell : cell);
        const int ny = py + (steps[i] == StepKind::rise   ? -cell
                             : steps[i] == StepKind::fall ? cell
                                                          : 0);
        if (segment_listener != nullptr) segment_listener(px, py, nx, ny, palette.path);
        draw_line(px, py, nx, ny, palette.path);
        px = nx;
        py = ny;
    }
}
