// Random tilings of the Aztec diamond by domino shuffling over bit planes:
// whole tilings of the diamond, the staged shuffling the same as the fast
// one and both the same as a plain shuffling cell by cell given the same
// random bits, the same for a seed, uniform at small orders, and a few
// seeds' tilings pinned.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <map>
#include <random>
#include <tuple>
#include <utility>
#include <vector>

#include "aztec.h"
#include "shuffle_planes.h"

namespace {

using aztec::ShuffledTiling;

// A tiling cell by cell: each domino's class at its top left cell.
enum class Move : std::uint8_t { none, north, south, east, west };
bool flat(Move move) { return move == Move::north || move == Move::south; }
struct Grid {
    int side = 0;
    std::vector<Move> moves = std::vector<Move>(static_cast<std::size_t>(side) * side);
    Move& at(int c, int r) { return moves[static_cast<std::size_t>(r) * side + c]; }
    bool operator==(const Grid& other) const { return side == other.side && moves == other.moves; }
};

// A bit beyond the diamond's columns, or two at one cell, gives a grid
// with no side, equal to no shuffling's.
Grid grid_of(const ShuffledTiling& tiling) {
    Grid grid{2 * tiling.order};
    const std::pair<const std::vector<std::uint64_t>*, Move> planes[] = {
        {&tiling.north, Move::north}, {&tiling.south, Move::south}, {&tiling.east, Move::east},
        {&tiling.west, Move::west}};
    for (int r = 0; r < grid.side; ++r) {
        for (int c = 0; c < 64 * tiling.words; ++c) {
            for (const auto& [plane, move] : planes) {
                if (((*plane)[static_cast<std::size_t>(r) * tiling.words + c / 64] >> (c % 64) & 1U) == 0) continue;
                if (c >= grid.side || grid.at(c, r) != Move::none) return Grid{-1, {}};
                grid.at(c, r) = move;
            }
        }
    }
    return grid;
}

// Whether every cell of the order-N diamond, and no other, lies under
// exactly one domino (or, while blocks are still empty, at most one).
testing::AssertionResult tiles_the_diamond(const ShuffledTiling& tiling, bool holes_allowed = false) {
    const int order = tiling.order;
    const std::size_t size = static_cast<std::size_t>(2 * order) * tiling.words;
    if (tiling.words != (2 * order + 63) / 64 || tiling.north.size() != size || tiling.south.size() != size ||
        tiling.east.size() != size || tiling.west.size() != size) {
        return testing::AssertionFailure() << "planes of the wrong size";
    }
    Grid grid = grid_of(tiling);
    if (grid.side < 0) return testing::AssertionFailure() << "two dominoes at a cell, or one beyond the last column";
    std::vector<int> under(grid.moves.size());
    for (int r = 0; r < grid.side; ++r) {
        for (int c = 0; c < grid.side; ++c) {
            if (grid.at(c, r) == Move::none) continue;
            for (const auto& [cc, cr] : {std::pair{c, r}, flat(grid.at(c, r)) ? std::pair{c + 1, r} : std::pair{c, r + 1}}) {
                if (!aztec::in_diamond(order, cc, cr)) return testing::AssertionFailure() << "a domino reaches out";
                ++under[static_cast<std::size_t>(cr) * grid.side + cc];
            }
        }
    }
    for (int r = 0; r < grid.side; ++r) {
        for (int c = 0; c < grid.side; ++c) {
            const int count = under[static_cast<std::size_t>(r) * grid.side + c];
            if (aztec::in_diamond(order, c, r) && count != 1 && !(holes_allowed && count == 0)) {
                return testing::AssertionFailure() << "cell (" << c << ", " << r << ") under " << count;
            }
        }
    }
    return testing::AssertionSuccess();
}

// Plain domino shuffling, cell by cell, as the header says it draws its
// bits: a hole's top left cell is the first uncovered cell met row by row,
// and the holes take their bits a pair of rows at a time from the bottom,
// a 64-bit draw for each word of columns that has any.
Grid plain_shuffle(int order, std::uint64_t seed) {
    std::mt19937_64 random(seed);
    Grid grid;
    for (int k = 0; k < order; ++k) {
        for (int r = 0; r + 1 < grid.side; ++r) {
            for (int c = 0; c + 1 < grid.side; ++c) {
                if (grid.at(c, r) == Move::south && grid.at(c, r + 1) == Move::north) {
                    grid.at(c, r) = grid.at(c, r + 1) = Move::none;
                } else if (grid.at(c, r) == Move::east && grid.at(c + 1, r) == Move::west) {
                    grid.at(c, r) = grid.at(c + 1, r) = Move::none;
                }
            }
        }
        Grid next{grid.side + 2};
        std::vector<bool> covered(next.moves.size());
        const auto place = [&](int c, int r, Move move) {
            next.at(c, r) = move;
            covered[static_cast<std::size_t>(r) * next.side + c] = true;
            covered[static_cast<std::size_t>(r + !flat(move)) * next.side + c + flat(move)] = true;
        };
        for (int r = 0; r < grid.side; ++r) {
            for (int c = 0; c < grid.side; ++c) {
                const Move move = grid.at(c, r);
                if (move == Move::none) continue;
                place(c + 1 + (move == Move::east) - (move == Move::west),
                      r + 1 + (move == Move::south) - (move == Move::north), move);
            }
        }
        std::vector<std::vector<int>> tops(static_cast<std::size_t>(next.side));
        for (int r = 0; r < next.side; ++r) {
            for (int c = 0; c < next.side; ++c) {
                if (covered[static_cast<std::size_t>(r) * next.side + c] || !aztec::in_diamond(k + 1, c, r)) continue;
                tops[r].push_back(c);
                for (const int cell : {0, 1, next.side, next.side + 1}) {
                    covered[static_cast<std::size_t>(r) * next.side + c + cell] = true;
                }
            }
        }
        for (int lower = next.side - 1; lower >= 1; lower -= 2) {
            for (int word = 0; 64 * word < next.side; ++word) {
                std::uint64_t bits = 0;
                bool drawn = false;
                for (const int r : {lower, lower - 1}) {
                    for (const int c : tops[r]) {
                        if (c / 64 != word) continue;
                        if (!drawn) bits = random();
                        drawn = true;
                        const bool heads = (bits >> (c % 64) & 1U) != 0;
                        place(c, r, heads ? Move::north : Move::west);
                        place(c + !heads, r + heads, heads ? Move::south : Move::east);
                    }
                }
            }
        }
        grid = next;
    }
    return grid;
}

bool same(const ShuffledTiling& a, const ShuffledTiling& b) {
    return a.order == b.order && a.words == b.words && a.north == b.north && a.south == b.south &&
           a.east == b.east && a.west == b.west;
}

TEST(ShufflePlanes, EveryCellOfTheDiamondIsCoveredOnce) {
    for (const int order : {0, 1, 2, 3, 17, 300, 1000}) {
        EXPECT_TRUE(tiles_the_diamond(aztec::shuffle_tiling(order, 500 + static_cast<unsigned>(order))))
            << "order " << order;
    }
    for (const int order : {-1, aztec::largest_shuffled_order + 1}) {
        EXPECT_EQ(aztec::shuffle_tiling(order, 1).order, 0) << "order " << order;
    }
}

// Each stage on its own keeps the dominoes apart and inside the diamond,
// and the stages make the fast path's tiling, at orders on both sides of
// a word's edge.
TEST(ShufflePlanes, TheStagesMakeTheFastPathsTiling) {
    for (const std::uint64_t seed : {std::uint64_t{0}, std::uint64_t{7}, ~std::uint64_t{0}}) {
        aztec::ShufflingState state = aztec::start_shuffling(seed);
        for (int order = 1; order <= 130; ++order) {
            aztec::remove_bad_blocks(state);
            ASSERT_TRUE(tiles_the_diamond(state.tiling, true)) << "order " << order - 1;
            aztec::slide_dominoes(state);
            ASSERT_TRUE(tiles_the_diamond(state.tiling, true)) << "order " << order;
            aztec::fill_new_blocks(state);
            ASSERT_TRUE(tiles_the_diamond(state.tiling)) << "order " << order;
            if (order <= 3 || order % 32 <= 1 || order % 32 == 31 || order == 130) {
                EXPECT_TRUE(same(state.tiling, aztec::shuffle_tiling(order, seed))) << "order " << order;
            }
        }
    }
}

TEST(ShufflePlanes, EachTilingIsAPlainShufflingWithTheSameBits) {
    for (const int order : {1, 2, 5, 40, 100, 130}) {
        for (const std::uint64_t seed : {1U, 99U}) {
            EXPECT_TRUE(grid_of(aztec::shuffle_tiling(order, seed)) == plain_shuffle(order, seed))
                << "order " << order << ", seed " << seed;
        }
    }
}

// Orders 2 and 3: each of the 8 and 64 tilings drawn about a thousand
// times, a chi-square test at p > 0.001 (24.322 for 7 degrees of freedom,
// 103.442 for 63).
TEST(ShufflePlanes, OrdersTwoAndThreeAreUniform) {
    for (const auto& [order, tilings, limit] : {std::tuple{2, 8, 24.322}, std::tuple{3, 64, 103.442}}) {
        std::map<std::vector<std::uint64_t>, int> drawn;
        for (int seed = 0; seed < 1000 * tilings; ++seed) {
            const ShuffledTiling tiling = aztec::shuffle_tiling(order, static_cast<std::uint64_t>(seed));
            std::vector<std::uint64_t> planes = tiling.north;
            for (const auto* plane : {&tiling.south, &tiling.east, &tiling.west}) {
                planes.insert(planes.end(), plane->begin(), plane->end());
            }
            ++drawn[planes];
        }
        ASSERT_EQ(drawn.size(), static_cast<std::size_t>(tilings)) << "order " << order;
        double chi_square = 0;
        for (const auto& [planes, times] : drawn) chi_square += std::pow(times - 1000.0, 2) / 1000.0;
        EXPECT_LT(chi_square, limit) << "order " << order;
    }
}

// The same seed draws the same tiling, another seed another; and what these
// seeds draw, from the bits the header names: a change of how the bits are
// drawn or given out shows here.
TEST(ShufflePlanes, ASeedsTilingIsItsOwnAndStaysWhatItWas) {
    const auto hash = [](const ShuffledTiling& tiling) {
        std::uint64_t value = 14695981039346656037U;  // FNV-1a, byte by byte
        for (const auto* plane : {&tiling.north, &tiling.south, &tiling.east, &tiling.west}) {
            for (std::uint64_t word : *plane) {
                for (int byte = 0; byte < 8; ++byte, word >>= 8) value = (value ^ (word & 0xFF)) * 1099511628211U;
            }
        }
        return value;
    };
    EXPECT_EQ(hash(aztec::shuffle_tiling(5, 1)), 769876219014359546U);
    EXPECT_EQ(hash(aztec::shuffle_tiling(5, 2024)), 907269054586059218U);
    EXPECT_EQ(hash(aztec::shuffle_tiling(60, 1)), 456112300357095083U);
    EXPECT_EQ(hash(aztec::shuffle_tiling(60, 2024)), 4275593850006277437U);
    const ShuffledTiling first = aztec::shuffle_tiling(300, 42);
    EXPECT_TRUE(same(aztec::shuffle_tiling(300, 42), first));
    EXPECT_FALSE(same(aztec::shuffle_tiling(300, 43), first));
}

}  // namespace
