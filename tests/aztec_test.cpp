// The Aztec diamond's random tilings by domino shuffling: tilings of the
// whole diamond at every order, read as nested paths and made again from
// them, the same for the same seed, uniform at small orders, and drawn as
// large as the page allows.
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <vector>

#include "aztec.h"
#include "recording_pager.h"

namespace {

// Whether every cell of the diamond, and no other, is one of two cells
// that name each other as partners.
bool tiles_the_diamond(int order) {
    const int side = 2 * order;
    for (int r = 0; r < side; ++r) {
        for (int c = 0; c < side; ++c) {
            const aztec::Partner partner = aztec::tiling[r][c];
            if (!aztec::in_diamond(order, c, r)) {
                if (partner != aztec::Partner::none) return false;
                continue;
            }
            const int pc = c + (partner == aztec::Partner::right)  - (partner == aztec::Partner::left);
            const int pr = r + (partner == aztec::Partner::below) - (partner == aztec::Partner::above);
            if (partner == aztec::Partner::none || !aztec::in_diamond(order, pc, pr)) return false;
            const aztec::Partner back = aztec::tiling[pr][pc];
            const int bc = pc + (back == aztec::Partner::right) - (back == aztec::Partner::left);
            const int br = pr + (back == aztec::Partner::below) - (back == aztec::Partner::above);
            if (bc != c || br != r) return false;
        }
    }
    return true;
}

TEST(AztecShuffling, EveryOrderGivesATilingOfNestedPathsThatMakeItAgain) {
    for (const int order : {1, 2, 3, 5, 6, 17, 60, 299}) {
        FigurePath path{};
        const bool fits = aztec::shuffle_figure(order, 1000 + static_cast<unsigned>(order), path);
        ASSERT_TRUE(tiles_the_diamond(order)) << "order " << order;
        static std::array<StepKind, std::size_t{299} * 301> walked_steps;
        const int count = aztec::paths_of_tiling(order, walked_steps.data(), static_cast<int>(walked_steps.size()));
        ASSERT_GT(count, 0) << "order " << order;
        EXPECT_EQ(fits, count <= max_figure_steps) << "order " << order;
        const aztec::Tiling shuffled = aztec::tiling;
        if (count <= max_figure_steps) {
            FigurePath again{};
            again.count = count;
            std::copy(walked_steps.begin(), walked_steps.begin() + count, again.steps.begin());
            ASSERT_TRUE(aztec::tiling_of_paths(order, again)) << "order " << order;
            EXPECT_TRUE(aztec::tiling == shuffled) << "order " << order;
        }
    }
}

TEST(AztecShuffling, TheSameSeedGivesTheSameTilingAndAnotherAnother) {
    FigurePath path{};
    aztec::shuffle_figure(299, 42, path);
    const aztec::Tiling first = aztec::tiling;
    aztec::shuffle_figure(299, 43, path);
    EXPECT_FALSE(aztec::tiling == first);
    aztec::shuffle_figure(299, 42, path);
    EXPECT_TRUE(aztec::tiling == first);
}

// Order 2's eight tilings, each drawn about a thousand times: a chi-square
// test at p > 0.001 (24.3 for seven degrees of freedom).
TEST(AztecShuffling, OrderTwoIsUniform) {
    std::map<std::vector<StepKind>, int> drawn;
    const int draws = 8000;
    for (int seed = 0; seed < draws; ++seed) {
        FigurePath path{};
        ASSERT_TRUE(aztec::shuffle_figure(2, static_cast<std::uint64_t>(seed), path));
        ++drawn[std::vector<StepKind>(path.steps.begin(), path.steps.begin() + path.count)];
    }
    ASSERT_EQ(drawn.size(), 8u);
    double chi_square = 0;
    for (const auto& [path, times] : drawn) chi_square += std::pow(times - 1000.0, 2) / 1000.0;
    EXPECT_LT(chi_square, 24.3);
}

// The largest whole cells that fit the page's height with a cell to spare
// all round, outlined from 4 pixels on where the outline fits too.
TEST(AztecShuffling, ARandomTilingAloneTakesTheLargestCellsThatFit) {
    // At order 74 four pixels fit, but not the outline's last line.
    for (const auto& [order, side] : std::vector<std::pair<int, int>>{{6, 141}, {28, 581},
                                                                       {29, 541}, {60, 489},
                                                                       {73, 593}, {74, 600},
                                                                       {299, 600}}) {
        FigurePath path{};
        aztec::shuffle_figure(order, 7, path);
        record_whole_run(aztec::family);  // a canvas to draw on
        int width = 0;
        int height = 0;
        aztec::draw_shuffled_alone(order, width, height);
        EXPECT_EQ(width, side) << "order " << order;
        EXPECT_EQ(height, side) << "order " << order;
    }
}

}  // namespace
