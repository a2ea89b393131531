#include "figure_geometry.h"

void add_domino(FigureGeometry& geometry, int c, int r, bool upright, DominoRole role,
                Compass compass) {
    geometry.dominoes.push_back({c, r, upright, role, compass});
}

void add_paths(FigureGeometry& geometry, const FigurePath& path, int column, int row) {
    LatticePoint start{column, row};
    geometry.paths.emplace_back(1, start);
    for (const StepKind step : path) {
        std::vector<LatticePoint>& points = geometry.paths.back();
        if (step == StepKind::next_path) {
            start = {start.x + 1, start.row + 1};
            geometry.paths.emplace_back(1, start);
            continue;
        }
        const LatticePoint at = points.back();
        points.push_back({at.x + (step == StepKind::flat ? 2 : 1),
                          at.row + (step == StepKind::rise   ? -1
                                    : step == StepKind::fall ? 1
                                                             : 0)});
    }
}

Domino step_domino(const std::vector<LatticePoint>& path, std::size_t step) {
    const LatticePoint from = path[step];
    const LatticePoint to = path[step + 1];
    if (to.row < from.row) return {from.x, from.row - 1, true, DominoRole::rise, Compass::none};
    if (to.row > from.row) return {from.x, from.row, true, DominoRole::fall, Compass::none};
    return {from.x, from.row, false, DominoRole::flat, Compass::none};
}
