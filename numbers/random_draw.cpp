#include "random_draw.h"

#include <random>

namespace {
std::mt19937_64 generator;
}  // namespace

void seed_random_draws(std::uint64_t seed) { generator.seed(seed); }

std::uint64_t random_bits() { return generator(); }

BigCount random_below(const BigCount& bound) {
    // As many bits as the bound has, drawn until they fall below it: each
    // try succeeds more often than not. They come 64 at a time, the first
    // draw cut to its low bits beyond whole draws (all 64 if none are), and
    // a BigCount shifted by whole draws only: clang-analyzer 19 takes a
    // shift by any other amount for one of 64 inside Boost.
    const unsigned bits = boost::multiprecision::msb(bound) + 1;
    const unsigned draws = (bits + 63) / 64;
    const unsigned first_bits = bits - 64 * (draws - 1);
    const std::uint64_t first_mask =
        first_bits == 64 ? ~std::uint64_t{0} : (std::uint64_t{1} << first_bits) - 1;
    for (;;) {
        BigCount draw = random_bits() & first_mask;
        for (unsigned taken = 1; taken < draws; ++taken) draw = (draw << 64) | random_bits();
        if (draw < bound) return draw;
    }
}

bool read_seed(const char* text, std::uint64_t& seed) {
    BigCount value = 0;
    if (!read_decimal(text, value) || value > BigCount(~std::uint64_t{0})) return false;
    seed = static_cast<std::uint64_t>(value);
    return true;
}
