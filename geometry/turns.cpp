#include "turns.h"

#include <algorithm>
#include <tuple>

namespace {

// The domino that covers cell (c, r), or nullptr.
template <typename Geometry>
auto covering(Geometry& geometry, int c, int r) -> decltype(&geometry.dominoes.front()) {
    for (auto& domino : geometry.dominoes) {
        if ((domino.column == c && domino.row == r) ||
            (domino.upright ? domino.column == c && domino.row + 1 == r
                            : domino.column + 1 == c && domino.row == r)) {
            return &domino;
        }
    }
    return nullptr;
}

}  // namespace

bool turn_block(FigureGeometry& geometry, int column, int row) {
    const int c = column - 1;
    const int r = row - 1;
    Domino* first = covering(geometry, c, r);
    if (first == nullptr || first->column != c || first->row != r) return false;
    Domino* second = first->upright ? covering(geometry, c + 1, r) : covering(geometry, c, r + 1);
    if (second == nullptr || second->upright != first->upright ||
        second->column != (first->upright ? c + 1 : c) || second->row != (first->upright ? r : r + 1)) {
        return false;
    }
    const bool upright = !first->upright;
    *first = {c, r, upright, DominoRole::off_path, Compass::none};
    *second = {upright ? c + 1 : c, upright ? r : r + 1, upright, DominoRole::off_path, Compass::none};
    return true;
}

bool read_paths(const FigureGeometry& geometry, const std::vector<std::vector<LatticePoint>>& paths,
                FigurePath& path) {
    path.clear();
    for (const std::vector<LatticePoint>& points : paths) {
        if (points.empty()) return false;
        if (&points != &paths.front()) path.push_back(StepKind::next_path);
        LatticePoint at = points.front();
        while (at.x < points.back().x) {
            const Domino* under = covering(geometry, at.x, at.row);
            if (under == nullptr) return false;
            if (!under->upright && under->column == at.x) {
                path.push_back(StepKind::flat);
                at.x += 2;
            } else if (under->upright && under->row == at.row) {
                path.push_back(StepKind::fall);
                at = {at.x + 1, at.row + 1};
            } else if (under->upright) {
                path.push_back(StepKind::rise);
                at = {at.x + 1, at.row - 1};
            } else {
                return false;
            }
        }
        if (at.x != points.back().x || at.row != points.back().row) return false;
    }
    return true;
}

bool same_dominoes(const FigureGeometry& a, const FigureGeometry& b) {
    if (a.dominoes.size() != b.dominoes.size()) return false;
    using Cells = std::tuple<int, int, bool>;
    const auto cells_of = [](const FigureGeometry& geometry) {
        std::vector<Cells> cells;
        cells.reserve(geometry.dominoes.size());
        for (const Domino& domino : geometry.dominoes) cells.emplace_back(domino.column, domino.row, domino.upright);
        std::sort(cells.begin(), cells.end());
        return cells;
    };
    return cells_of(a) == cells_of(b);
}
