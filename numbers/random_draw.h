// Random draws that are the same for the same seed on every platform and in
// the browser: the 64-bit Mersenne Twister (std::mt19937_64, whose output
// the C++ standard fixes) seeded with the seed as it is, and uniform numbers
// below a bound drawn from its output by rejection, never through a
// library's distribution (whose algorithm differs between libraries).
#pragma once

#include <cstdint>
#include <random>

#include "big_count.h"

// The draws of one seed, in order; whoever draws owns them.
struct RandomDraws {
    std::mt19937_64 generator;
};

// Draws that start afresh from `seed`.
RandomDraws random_draws_from(std::uint64_t seed);
// The next 64 bits.
std::uint64_t random_bits(RandomDraws& draws);
// A number drawn uniformly from 0 ... bound - 1 (bound > 0): as many bits as
// the bound has, 64 at a time, the first draw highest and cut to the bits
// beyond whole draws, drawn again until below the bound.
BigCount random_below(RandomDraws& draws, const BigCount& bound);
// Reads a seed, 0 ... 2^64 - 1, as a number in plain decimal digits
// (leading zeros are no other seed); false otherwise.
bool read_seed(const char* text, std::uint64_t& seed);
