#include "random_draw.h"

RandomDraws random_draws_from(std::uint64_t seed) {
    RandomDraws draws;
    draws.generator.seed(seed);
    return draws;
}

std::uint64_t random_bits(RandomDraws& draws) { return draws.generator(); }

BigCount random_below(RandomDraws& draws, const BigCount& bound) {
    const unsigned bits = boost::multiprecision::msb(bound) + 1;
    const unsigned whole_draws = (bits + 63) / 64;
    const unsigned first_bits = bits - 64 * (whole_draws - 1);
    const std::uint64_t first_mask =
        first_bits == 64 ? ~std::uint64_t{0} : (std::uint64_t{1} << first_bits) - 1;
    for (;;) {
        BigCount draw = random_bits(draws) & first_mask;
        for (unsigned taken = 1; taken < whole_draws; ++taken) {
            draw <<= 64;
            draw |= random_bits(draws);
        }
        if (draw < bound) return draw;
    }
}

bool read_seed(const char* text, std::uint64_t& seed) {
    BigCount value = 0;
    if (!read_decimal(text, value) || value > BigCount(~std::uint64_t{0})) return false;
    seed = static_cast<std::uint64_t>(value);
    return true;
}
