#include "random_draw.h"

#include <random>

namespace {
std::mt19937_64 generator;
}  // namespace

void seed_random_draws(std::uint64_t seed) { generator.seed(seed); }

std::uint64_t random_bits() { return generator(); }

BigCount random_below(const BigCount& bound) {
    // As many bits as the bound has, drawn until they fall below it: each
    // try succeeds more often than not.
    const unsigned bits = boost::multiprecision::msb(bound) + 1;
    for (;;) {
        BigCount draw = 0;
        for (unsigned taken = 0; taken < bits; taken += 64) draw = (draw << 64) | random_bits();
        if (bits < 256) draw &= (BigCount(1) << bits) - 1;
        if (draw < bound) return draw;
    }
}

bool read_seed(const char* text, std::uint64_t& seed) {
    BigCount value = 0;
    if (!read_decimal(text, value) || value > BigCount(~std::uint64_t{0})) return false;
    seed = static_cast<std::uint64_t>(value);
    return true;
}
