#include "big_count.h"

#include <cstdint>
#include <cstring>

#include "count_storage.h"

DecimalText decimal_text(const BigCount& count) {
    // Digits come out least significant first, 19 at a time.
    constexpr std::uint64_t chunk = 10000000000000000000ULL;
    DecimalText reversed{};
    std::size_t length = 0;
    BigCount rest = count;
    do {
        auto part = static_cast<std::uint64_t>(rest % chunk);
        rest /= chunk;
        for (int i = 0; i < 19 && (rest != 0 || part != 0 || i == 0); ++i) {
            reversed[length++] = static_cast<char>('0' + part % 10);
            part /= 10;
        }
    } while (rest != 0);
    DecimalText text{};
    for (std::size_t i = 0; i < length; ++i) text[i] = reversed[length - 1 - i];
    return text;
}

bool read_decimal(const char* text, BigCount& count) {
    const BigCount largest = ~BigCount(0);
    count = 0;
    if (*text == '\0') return false;
    for (const char* at = text; *at != '\0'; ++at) {
        if (*at < '0' || *at > '9') return false;
        const unsigned digit = static_cast<unsigned>(*at - '0');
        if (count > (largest - digit) / 10) return false;
        count = count * 10 + digit;
    }
    return true;
}

namespace {
constexpr int largest_binomial_row = 200;
constexpr std::size_t binomial_columns = largest_binomial_row + 1;
// Pascal's triangle, made on first use, row by row.
CountStorage<binomial_columns * binomial_columns> binomials;
bool binomials_made = false;
const BigCount zero = 0;

BigCount& binomial_at(int m, int k) {
    return count_at(binomials, static_cast<std::size_t>(m) * binomial_columns + k);
}
}  // namespace

const BigCount& binomial(int m, int k) {
    if (!binomials_made) {
        for (int row = 0; row <= largest_binomial_row; ++row) {
            const std::size_t at = static_cast<std::size_t>(row) * binomial_columns;
            set_count(binomials, at, 1);
            for (int column = 1; column <= row; ++column) {
                set_count(binomials, at + column,
                          binomial_at(row - 1, column - 1) +
                              (column < row ? binomial_at(row - 1, column) : BigCount(0)));
            }
        }
        binomials_made = true;
    }
    if (m < 0 || m > largest_binomial_row || k < 0 || k > m) return zero;
    return binomial_at(m, k);
}

BigCount catalan(int m) { return binomial(2 * m, m) / (m + 1); }
