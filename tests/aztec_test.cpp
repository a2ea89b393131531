// The Aztec diamond's random tilings by domino shuffling: tilings of the
// whole diamond at every order, read as nested paths and made again from
// them, the same for the same seed, uniform at small orders, their compass
// classes where shuffling puts them, and drawn as large as the page allows.
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <vector>

#include "aztec.h"
#include "placement.h"
#include "shuffle_planes.h"

namespace {

// Whether every cell of the diamond, and no other, is one of two cells
// that name each other as partners.
bool tiles_the_diamond(const aztec::Tiling& tiling) {
    const int order = tiling.order;
    const int side = 2 * order;
    for (int r = 0; r < side; ++r) {
        for (int c = 0; c < side; ++c) {
            const aztec::Partner partner = aztec::partner_at(tiling, c, r);
            if (!aztec::in_diamond(order, c, r)) {
                if (partner != aztec::Partner::none) return false;
                continue;
            }
            const int pc = c + (partner == aztec::Partner::right)  - (partner == aztec::Partner::left);
            const int pr = r + (partner == aztec::Partner::below) - (partner == aztec::Partner::above);
            if (partner == aztec::Partner::none || !aztec::in_diamond(order, pc, pr)) return false;
            const aztec::Partner back = aztec::partner_at(tiling, pc, pr);
            const int bc = pc + (back == aztec::Partner::right) - (back == aztec::Partner::left);
            const int br = pr + (back == aztec::Partner::below) - (back == aztec::Partner::above);
            if (bc != c || br != r) return false;
        }
    }
    return true;
}

TEST(AztecShuffling, EveryOrderGivesATilingOfNestedPathsThatMakeItAgain) {
    for (const int order : {1, 2, 3, 5, 6, 17, 60, 299}) {
        const aztec::Tiling shuffled =
            aztec::shuffled_tiling(order, 1000 + static_cast<unsigned>(order));
        ASSERT_TRUE(tiles_the_diamond(shuffled)) << "order " << order;
        const FigurePath path = aztec::paths_of_tiling(shuffled);
        ASSERT_FALSE(path.empty()) << "order " << order;
        aztec::Tiling again;
        ASSERT_TRUE(aztec::tiling_of_paths(order, path, again)) << "order " << order;
        EXPECT_TRUE(again.cells == shuffled.cells) << "order " << order;
    }
}

TEST(AztecShuffling, TheSameSeedGivesTheSameTilingAndAnotherAnother) {
    const aztec::Tiling first = aztec::shuffled_tiling(299, 42);
    EXPECT_FALSE(aztec::shuffled_tiling(299, 43).cells == first.cells);
    EXPECT_TRUE(aztec::shuffled_tiling(299, 42).cells == first.cells);
}

// Order 2's eight tilings, each drawn about a thousand times: a chi-square
// test at p > 0.001 (24.3 for seven degrees of freedom).
TEST(AztecShuffling, OrderTwoIsUniform) {
    std::map<FigurePath, int> drawn;
    const int draws = 8000;
    for (int seed = 0; seed < draws; ++seed) {
        ++drawn[aztec::paths_of_tiling(aztec::shuffled_tiling(2, static_cast<std::uint64_t>(seed)))];
    }
    ASSERT_EQ(drawn.size(), 8u);
    double chi_square = 0;
    for (const auto& [path, times] : drawn) chi_square += std::pow(times - 1000.0, 2) / 1000.0;
    EXPECT_LT(chi_square, 24.3);
}

// The frozen corners of a large random tiling are each of one class, the
// one shuffling moves that way: north dominoes at the top, south at the
// bottom, west at the left, east at the right; and the paths read them so
// (west rises, east falls, south flats, north on no path).
TEST(AztecShuffling, EachFrozenCornerIsTheClassThatMovesItsWay) {
    const int order = 60;
    const FigureGeometry geometry = aztec::geometry_of_tiling(aztec::shuffled_tiling(order, 5), {});
    int checked = 0;
    for (const Domino& domino : geometry.dominoes) {
        // Eight rows or columns in from each tip: well inside its corner.
        const Compass expected = domino.row < 8                  ? Compass::north
                                 : domino.row >= 2 * order - 9    ? Compass::south
                                 : domino.column < 8              ? Compass::west
                                 : domino.column >= 2 * order - 9 ? Compass::east
                                                                  : Compass::none;
        if (expected != Compass::none) {
            EXPECT_EQ(domino.compass, expected) << domino.column << ", " << domino.row;
            ++checked;
        }
        const DominoRole role = domino.compass == Compass::west    ? DominoRole::rise
                                : domino.compass == Compass::east  ? DominoRole::fall
                                : domino.compass == Compass::south ? DominoRole::flat
                                                                   : DominoRole::off_path;
        EXPECT_EQ(domino.role, role);
        EXPECT_EQ(domino.upright,
                  domino.compass == Compass::west || domino.compass == Compass::east);
    }
    EXPECT_GT(checked, 100);
    // The classes shuffling gives are those its position gives.
    for (const int small : {1, 2, 7, 33}) {
        const aztec::ShuffledTiling planes = aztec::shuffle_tiling(small, 9);
        const FigureGeometry made = aztec::geometry_of_planes(planes, {});
        const FigureGeometry read = aztec::geometry_of_tiling(aztec::tiling_of_planes(planes), {});
        ASSERT_EQ(made.dominoes.size(), read.dominoes.size()) << "order " << small;
        for (std::size_t i = 0; i < made.dominoes.size(); ++i) {
            const Domino& a = made.dominoes[i];
            const Domino& b = read.dominoes[i];
            EXPECT_TRUE(a.column == b.column && a.row == b.row && a.upright == b.upright &&
                        a.compass == b.compass && a.role == b.role)
                << "order " << small << ", domino " << i;
        }
    }
}

// The largest whole cells that fit the page's height with a cell to spare
// all round, outlined from 4 pixels on where the outline fits too.
TEST(AztecShuffling, ARandomTilingAloneTakesTheLargestCellsThatFit) {
    // At order 74 four pixels fit, but not the outline's last line.
    for (const auto& [order, side] : std::vector<std::pair<int, int>>{{6, 141}, {28, 581},
                                                                       {29, 541}, {60, 489},
                                                                       {73, 593}, {74, 600},
                                                                       {299, 600}}) {
        const FigureGeometry geometry =
            aztec::geometry_of_tiling(aztec::shuffled_tiling(order, 7), {});
        const Placement placement = placement_alone_fitting(geometry, 10, 800, 600);
        EXPECT_EQ(alone_width(geometry, placement), side) << "order " << order;
        EXPECT_EQ(alone_height(geometry, placement), side) << "order " << order;
    }
}

// Shuffling shown a stage at a time: each filled stage tiles the diamond of
// its order whole in the middle of the last one's frame, a slide leaves
// holes (the new blocks), and the last stage is the tiling the
// seed gives.
TEST(AztecShuffling, TheStagesGrowTheDiamondToTheSeedsTiling) {
    for (const int order : {1, 2, 5, 12}) {
        const FigureGeometry last = aztec::geometry_of_planes(aztec::shuffle_tiling(order, 3), {});
        for (int stage = 0; stage <= 3 * order; ++stage) {
            const FigureGeometry shown = aztec::shuffling_stage(order, 3, stage);
            ASSERT_EQ(shown.columns, 2 * order);
            const int grown = (stage + 1) / 3;
            const int shift = order - grown;
            int cells = 0;
            for (const Domino& domino : shown.dominoes) {
                for (int half = 0; half < 2; ++half) {
                    const int c = domino.column + (domino.upright ? 0 : half) - shift;
                    const int r = domino.row + (domino.upright ? half : 0) - shift;
                    EXPECT_TRUE(c >= 0 && r >= 0 && aztec::in_diamond(grown, c, r))
                        << "order " << order << ", stage " << stage;
                    ++cells;
                }
            }
            const int whole = 4 * grown * (grown + 1) / 2;
            if (stage % 3 == 0) {
                EXPECT_EQ(cells, whole) << "order " << order << ", stage " << stage;
            } else if (stage % 3 == 2) {
                EXPECT_LT(cells, whole) << "order " << order << ", stage " << stage;
            } else {
                EXPECT_LE(cells, whole) << "order " << order << ", stage " << stage;
            }
        }
        const FigureGeometry shown = aztec::shuffling_stage(order, 3, 3 * order);
        ASSERT_EQ(shown.dominoes.size(), last.dominoes.size());
        for (std::size_t i = 0; i < last.dominoes.size(); ++i) {
            const Domino& a = shown.dominoes[i];
            const Domino& b = last.dominoes[i];
            EXPECT_TRUE(a.column == b.column && a.row == b.row && a.upright == b.upright &&
                        a.compass == b.compass && a.role == b.role)
                << "order " << order << ", domino " << i;
        }
    }
    EXPECT_TRUE(aztec::shuffling_stage(4, 3, 13).dominoes.empty());
    EXPECT_EQ(aztec::shuffling_stage(4001, 3, 1).columns, 0);
}

}  // namespace
