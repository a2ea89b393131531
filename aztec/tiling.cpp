// A tiling of the Aztec diamond: read as nested paths, made from them, and
// given as geometry.
#include "aztec.h"

namespace aztec {

Partner& partner_at(Tiling& tiling, int c, int r) {
    return tiling.cells[static_cast<std::size_t>(r) * 2 * static_cast<std::size_t>(tiling.order) +
                        static_cast<std::size_t>(c)];
}

Partner partner_at(const Tiling& tiling, int c, int r) {
    return tiling.cells[static_cast<std::size_t>(r) * 2 * static_cast<std::size_t>(tiling.order) +
                        static_cast<std::size_t>(c)];
}

bool in_diamond(int order, int c, int r) {
    if (r < 0 || r >= 2 * order) return false;
    const int lowest = r < order ? order - 1 - r : r - order;
    return c >= lowest && c <= 2 * order - 1 - lowest;
}

FigurePath paths_of_tiling(const Tiling& tiling) {
    const int order = tiling.order;
    FigurePath steps;
    for (int path = 0; path < order; ++path) {
        if (path > 0) steps.push_back(StepKind::next_path);
        int c = path;
        int r = order + path;
        while (c < 2 * order - path) {
            switch (partner_at(tiling, c, r)) {
            case Partner::right: steps.push_back(StepKind::flat); c += 2; break;
            case Partner::above: steps.push_back(StepKind::rise); ++c; --r; break;
            case Partner::below: steps.push_back(StepKind::fall); ++c; ++r; break;
            case Partner::left:
            case Partner::none: return {};
            }
        }
    }
    return steps;
}

bool tiling_of_paths(int order, const FigurePath& path, Tiling& tiling) {
    if (order < 1) return false;
    const int side = 2 * order;
    tiling.order = order;
    tiling.cells.assign(static_cast<std::size_t>(side) * static_cast<std::size_t>(side),
                        Partner::none);
    // Two cells made one domino, each of them free and in the diamond.
    const auto join = [order, &tiling](int c, int r, Partner here, int c2, int r2, Partner there) {
        if (!in_diamond(order, c, r) || !in_diamond(order, c2, r2) ||
            partner_at(tiling, c, r) != Partner::none ||
            partner_at(tiling, c2, r2) != Partner::none) {
            return false;
        }
        partner_at(tiling, c, r) = here;
        partner_at(tiling, c2, r2) = there;
        return true;
    };
    int path_index = 0;
    int c = 0;
    int r = order;
    for (std::size_t i = 0; i <= path.size(); ++i) {
        const bool path_ends = i == path.size() || path[i] == StepKind::next_path;
        if (path_ends) {
            // Back on its row at the lower right side, the next one a row
            // lower and a cell further in.
            if (c != side - path_index || r != order + path_index) return false;
            ++path_index;
            c = path_index;
            r = order + path_index;
            continue;
        }
        if (path_index >= order) return false;
        bool joined = false;
        switch (path[i]) {
        case StepKind::rise:
            joined = join(c, r, Partner::above, c, r - 1, Partner::below);
            ++c;
            --r;
            break;
        case StepKind::fall:
            // Never below the path's own row.
            joined = r + 1 <= order + path_index &&
                     join(c, r, Partner::below, c, r + 1, Partner::above);
            ++c;
            ++r;
            break;
        case StepKind::flat:
            joined = join(c, r, Partner::right, c + 1, r, Partner::left);
            c += 2;
            break;
        case StepKind::next_path: break;
        }
        if (!joined) return false;
    }
    if (path_index != order) return false;
    // The cells on no path, side by side in their rows.
    for (int row = 0; row < side; ++row) {
        for (int column = 0; column < side; ++column) {
            if (!in_diamond(order, column, row) ||
                partner_at(tiling, column, row) != Partner::none) {
                continue;
            }
            if (!join(column, row, Partner::right, column + 1, row, Partner::left)) return false;
        }
    }
    return true;
}

FigureGeometry geometry_of_tiling(const Tiling& tiling, const FigurePath& path) {
    const int order = tiling.order;
    FigureGeometry geometry;
    geometry.columns = geometry.rows = 2 * order;
    geometry.anchor_column = 0;
    geometry.anchor_row = order;
    geometry.dominoes.reserve(static_cast<std::size_t>(order) * (order + 1) * 2);
    for (int r = 0; r < 2 * order; ++r) {
        for (int c = 0; c < 2 * order; ++c) {
            const Partner partner = partner_at(tiling, c, r);
            if (partner != Partner::right && partner != Partner::below) continue;
            geometry.dominoes.push_back(domino_laid(order, c, r, partner == Partner::below));
        }
    }
    if (!path.empty()) add_paths(geometry, path, 0, order);
    return geometry;
}

DominoRole role_of(Compass compass) {
    switch (compass) {
    case Compass::west: return DominoRole::rise;
    case Compass::east: return DominoRole::fall;
    case Compass::south: return DominoRole::flat;
    case Compass::north:
    case Compass::none: break;
    }
    return DominoRole::off_path;
}

Domino domino_laid(int order, int column, int row, bool upright) {
    const bool odd = (column + row + order) % 2 != 0;
    const Compass compass = upright ? (odd ? Compass::west : Compass::east) : (odd ? Compass::north : Compass::south);
    return {column, row, upright, role_of(compass), compass};
}

FigureGeometry geometry_of(int order, const FigurePath& path) {
    Tiling tiling;
    if (!tiling_of_paths(order, path, tiling)) return {};
    return geometry_of_tiling(tiling, path);
}

}  // namespace aztec
