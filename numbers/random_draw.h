// Random draws that are the same for the same seed on every platform and in
// the browser: the 64-bit Mersenne Twister (std::mt19937_64, whose output
// the C++ standard fixes) seeded with the seed as it is, and uniform numbers
// below a bound drawn from its output by rejection, never through a
// library's distribution (whose algorithm differs between libraries).
#pragma once

#include <cstdint>

#include "big_count.h"

// Starts the draws afresh from `seed`.
void seed_random_draws(std::uint64_t seed);
// The next 64 bits.
std::uint64_t random_bits();
// A number drawn uniformly from 0 ... bound - 1 (bound > 0).
BigCount random_below(const BigCount& bound);
// Reads a seed, 0 ... 2^64 - 1, in plain decimal digits; false otherwise.
bool read_seed(const char* text, std::uint64_t& seed);
