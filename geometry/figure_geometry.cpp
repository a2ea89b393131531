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
