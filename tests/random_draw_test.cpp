// Random draws below a bound: for a seed, the same numbers as the plain
// definition the header promises (64-bit draws of std::mt19937_64 put one
// after the other, first draw highest, cut to the bound's bits, tried again
// until below it), at every width of bound up to 256 bits.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <vector>

#include "random_draw.h"

namespace {

BigCount plain_random_below(std::mt19937_64& generator, const BigCount& bound) {
    const unsigned bits = boost::multiprecision::msb(bound) + 1;
    const BigCount two_to_64 = BigCount(~std::uint64_t{0}) + 1;
    for (;;) {
        BigCount draw = 0;
        for (unsigned taken = 0; taken < bits; taken += 64) draw = draw * two_to_64 + generator();
        // Only the bound's bits: what is left over beyond them goes.
        BigCount beyond = 0;
        boost::multiprecision::bit_set(beyond, bits);
        draw %= beyond;
        if (draw < bound) return draw;
    }
}

std::vector<BigCount> bounds_of_every_width() {
    std::vector<BigCount> bounds;
    for (unsigned bits = 1; bits <= 256; ++bits) {
        const BigCount lowest = boost::multiprecision::pow(BigCount(2), bits - 1);
        bounds.push_back(lowest);                    // rejects about half its tries
        bounds.push_back(lowest + lowest / 3 + 1);   // somewhere between
        bounds.push_back(lowest - 1 + lowest);       // the largest of that width
    }
    return bounds;
}

}  // namespace

TEST(RandomBelow, DrawsWhatThePlainDefinitionDraws) {
    for (const std::uint64_t seed : {0ULL, 1ULL, 2024ULL, ~0ULL}) {
        std::mt19937_64 generator(seed);
        RandomDraws draws = random_draws_from(seed);
        for (const BigCount& bound : bounds_of_every_width()) {
            const BigCount drawn = random_below(draws, bound);
            ASSERT_EQ(drawn, plain_random_below(generator, bound))
                << "seed " << seed << ", bound " << bound;
            ASSERT_LT(drawn, bound);
        }
    }
}

// A bound of 1 has one number to give; one of 2 gives both, over a few draws.
TEST(RandomBelow, SmallBoundsGiveEachOfTheirNumbers) {
    RandomDraws draws = random_draws_from(7);
    for (int i = 0; i < 10; ++i) EXPECT_EQ(random_below(draws, 1), 0);
    std::vector<int> seen(2);
    for (int i = 0; i < 64; ++i) ++seen.at(static_cast<std::size_t>(random_below(draws, 2)));
    EXPECT_GT(seen[0], 0);
    EXPECT_GT(seen[1], 0);
}
