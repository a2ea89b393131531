#include "turns.h"

#include <algorithm>

namespace {

// The domino that covers cell (c, r), or -1.
std::int32_t owner_at(const CellOwners& owners, int c, int r) {
    if (c < 0 || r < 0 || c >= owners.columns || r >= owners.rows) return -1;
    return owners.owner[static_cast<std::size_t>(r) * static_cast<std::size_t>(owners.columns) +
                        static_cast<std::size_t>(c)];
}

void own(CellOwners& owners, const Domino& domino, std::int32_t index) {
    for (int half = 0; half < 2; ++half) {
        const int c = domino.column + (domino.upright ? 0 : half);
        const int r = domino.row + (domino.upright ? half : 0);
        if (c >= 0 && r >= 0 && c < owners.columns && r < owners.rows) {
            owners.owner[static_cast<std::size_t>(r) * static_cast<std::size_t>(owners.columns) +
                         static_cast<std::size_t>(c)] = index;
        }
    }
}

}  // namespace

CellOwners owners_of(const FigureGeometry& geometry) {
    CellOwners owners;
    owners.columns = std::max(geometry.columns, 0);
    owners.rows = std::max(geometry.rows, 0);
    owners.owner.assign(static_cast<std::size_t>(owners.columns) * static_cast<std::size_t>(owners.rows), -1);
    for (std::size_t i = 0; i < geometry.dominoes.size(); ++i) {
        own(owners, geometry.dominoes[i], static_cast<std::int32_t>(i));
    }
    return owners;
}

bool turn_block(FigureGeometry& geometry, CellOwners& owners, int column, int row) {
    const int c = column - 1;
    const int r = row - 1;
    const std::int32_t first_at = owner_at(owners, c, r);
    if (first_at < 0) return false;
    Domino& first = geometry.dominoes[static_cast<std::size_t>(first_at)];
    if (first.column != c || first.row != r) return false;
    const std::int32_t second_at = first.upright ? owner_at(owners, c + 1, r) : owner_at(owners, c, r + 1);
    if (second_at < 0) return false;
    Domino& second = geometry.dominoes[static_cast<std::size_t>(second_at)];
    if (second.upright != first.upright || second.column != (first.upright ? c + 1 : c) ||
        second.row != (first.upright ? r : r + 1)) {
        return false;
    }
    const bool upright = !first.upright;
    first = {c, r, upright, DominoRole::off_path, Compass::none};
    second = {upright ? c + 1 : c, upright ? r : r + 1, upright, DominoRole::off_path, Compass::none};
    own(owners, first, first_at);
    own(owners, second, second_at);
    return true;
}

bool read_paths(const FigureGeometry& geometry, const CellOwners& owners,
                const std::vector<std::vector<LatticePoint>>& paths, FigurePath& path) {
    path.clear();
    for (const std::vector<LatticePoint>& points : paths) {
        if (points.empty()) return false;
        if (&points != &paths.front()) path.push_back(StepKind::next_path);
        LatticePoint at = points.front();
        while (at.x < points.back().x) {
            const std::int32_t index = owner_at(owners, at.x, at.row);
            if (index < 0) return false;
            const Domino& under = geometry.dominoes[static_cast<std::size_t>(index)];
            if (!under.upright && under.column == at.x) {
                path.push_back(StepKind::flat);
                at.x += 2;
            } else if (under.upright && under.row == at.row) {
                path.push_back(StepKind::fall);
                at = {at.x + 1, at.row + 1};
            } else if (under.upright) {
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

bool same_dominoes(const FigureGeometry& figure, const FigureGeometry& turned, const CellOwners& owners) {
    if (figure.dominoes.size() != turned.dominoes.size()) return false;
    // Each of the figure's dominoes is the one of `turned` on its first
    // cell: distinct dominoes, as many, so the same ones.
    return std::all_of(figure.dominoes.begin(), figure.dominoes.end(), [&](const Domino& domino) {
        const std::int32_t index = owner_at(owners, domino.column, domino.row);
        if (index < 0) return false;
        const Domino& there = turned.dominoes[static_cast<std::size_t>(index)];
        return there.column == domino.column && there.row == domino.row && there.upright == domino.upright;
    });
}
