#include "placement.h"

#include <algorithm>

#include "drawing.h"

Placement placement_on_page(const FigureGeometry& geometry, int x, int y, int own_cell,
                            int cell) {
    const int scaled_x = x * cell / own_cell;
    const int scaled_y = y * cell / own_cell;
    return {scaled_x - cell / 2 - geometry.anchor_column * cell,
            scaled_y - cell / 2 - geometry.anchor_row * cell, cell, outlined(cell)};
}

int scaled_page_side(int side, int own_cell, int cell) {
    return (side * cell + own_cell - 1) / own_cell;
}

Placement placement_alone(int cell, bool framed) { return {cell, cell, cell, framed}; }

Placement placement_alone_fitting(const FigureGeometry& geometry, int most, int width,
                                  int height) {
    const int across = geometry.columns + 2;
    const int down = geometry.rows + 2;
    const int framed = std::min({most, (width - 1) / across, (height - 1) / down});
    if (framed >= smallest_outlined_cell) return placement_alone(framed, true);
    return placement_alone(std::max(1, std::min({most, width / across, height / down})), false);
}

bool outlined(int cell) { return cell >= smallest_outlined_cell; }

int alone_width(const FigureGeometry& geometry, const Placement& placement) {
    return (geometry.columns + 2) * placement.cell + (placement.framed ? 1 : 0);
}

int alone_height(const FigureGeometry& geometry, const Placement& placement) {
    return (geometry.rows + 2) * placement.cell + (placement.framed ? 1 : 0);
}

Box domino_box(const Domino& domino, const Placement& placement) {
    const int left = placement.left + domino.column * placement.cell;
    const int top = placement.top + domino.row * placement.cell;
    const int width = (domino.upright ? 1 : 2) * placement.cell;
    const int height = (domino.upright ? 2 : 1) * placement.cell;
    const int inside = placement.framed ? 0 : 1;
    return {left, top, left + width - inside, top + height - inside};
}

Point point_at(const LatticePoint& point, const Placement& placement) {
    return {placement.left + point.x * placement.cell,
            placement.top + point.row * placement.cell + placement.cell / 2};
}

Box figure_box(const FigureGeometry& geometry, const Placement& placement) {
    const int inside = placement.framed ? 0 : 1;
    return {placement.left, placement.top,
            placement.left + geometry.columns * placement.cell - inside,
            placement.top + geometry.rows * placement.cell - inside};
}
