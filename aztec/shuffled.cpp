// A random tiling of the Aztec diamond, from domino shuffling's bit planes
// (shuffle_planes.h): as a tiling of partners, and straight as geometry,
// which a large tiling needs (its partners and paths take many times the
// planes' memory, and are made only when asked for).
#include "aztec.h"
#include "shuffle_planes.h"

namespace aztec {

namespace {

// Calls `each(c, r, compass)` for every domino's top left cell, row by row.
template <typename Each>
void for_each_domino(const ShuffledTiling& planes, Each each) {
    const int side = 2 * planes.order;
    for (int r = 0; r < side; ++r) {
        for (int w = 0; w < planes.words; ++w) {
            const std::size_t at = static_cast<std::size_t>(r) * planes.words + w;
            std::uint64_t any = planes.north[at] | planes.south[at] | planes.east[at] | planes.west[at];
            while (any != 0) {
                const int bit = __builtin_ctzll(any);
                any &= any - 1;
                const std::uint64_t one = std::uint64_t{1} << bit;
                const Compass compass = (planes.north[at] & one) != 0   ? Compass::north
                                        : (planes.south[at] & one) != 0 ? Compass::south
                                        : (planes.east[at] & one) != 0  ? Compass::east
                                                                        : Compass::west;
                each(64 * w + bit, r, compass);
            }
        }
    }
}

// The planes' dominoes as geometry in the frame of order `frame` (at least
// the planes'), whose middle the planes' diamond takes.
FigureGeometry geometry_in_frame(const ShuffledTiling& planes, int frame) {
    FigureGeometry geometry;
    geometry.columns = geometry.rows = 2 * frame;
    geometry.anchor_column = 0;
    geometry.anchor_row = frame;
    const int shift = frame - planes.order;
    geometry.dominoes.reserve(2 * static_cast<std::size_t>(planes.order) * (planes.order + 1));
    for_each_domino(planes, [&geometry, shift](int c, int r, Compass compass) {
        add_domino(geometry, c + shift, r + shift, compass == Compass::east || compass == Compass::west,
                   role_of(compass), compass);
    });
    return geometry;
}

}  // namespace

Tiling tiling_of_planes(const ShuffledTiling& planes) {
    Tiling tiling;
    tiling.order = planes.order;
    const std::size_t side = 2 * static_cast<std::size_t>(planes.order);
    tiling.cells.assign(side * side, Partner::none);
    for_each_domino(planes, [&tiling](int c, int r, Compass compass) {
        if (compass == Compass::north || compass == Compass::south) {
            partner_at(tiling, c, r) = Partner::right;
            partner_at(tiling, c + 1, r) = Partner::left;
        } else {
            partner_at(tiling, c, r) = Partner::below;
            partner_at(tiling, c, r + 1) = Partner::above;
        }
    });
    return tiling;
}

FigureGeometry geometry_of_planes(const ShuffledTiling& planes, const FigurePath& path) {
    FigureGeometry geometry = geometry_in_frame(planes, planes.order);
    if (!path.empty()) add_paths(geometry, path, 0, planes.order);
    return geometry;
}

FigureGeometry shuffling_stage(int order, std::uint64_t seed, int stage) {
    ShufflingState state = start_shuffling(seed);
    if (order < 1 || order > largest_random_order) return geometry_in_frame(state.tiling, 0);
    if (stage < 0 || stage > 3 * order) return geometry_in_frame(state.tiling, order);
    for (int done = 0; done < stage; ++done) {
        switch (done % 3) {
            case 0: remove_bad_blocks(state); break;
            case 1: slide_dominoes(state); break;
            default: fill_new_blocks(state); break;
        }
    }
    return geometry_in_frame(state.tiling, order);
}

Tiling shuffled_tiling(int order, std::uint64_t seed) {
    return tiling_of_planes(shuffle_tiling(order, seed));
}

}  // namespace aztec
