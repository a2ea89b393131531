#include "path_overlay.h"

#include "raster.h"

bool path_overlay = false;
SegmentListener segment_listener = nullptr;

void draw_path_overlay(const StepKind* steps, int count, int x, int y, int half) {
    if (!path_overlay) return;
    const int cell = 2 * half;
    int px = x - half;
    int py = y;
    for (int i = 0; i < count; ++i) {
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
