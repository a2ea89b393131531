#include "big_count.h"

#include <algorithm>
#include <cstring>

std::string decimal_text(const BigCount& count) { return count.str(); }

bool read_decimal(const char* text, BigCount& count) {
    count = 0;
    const std::size_t length = std::strlen(text);
    if (length == 0 || length > largest_decimal_digits ||
        std::strspn(text, "0123456789") != length) {
        return false;
    }
    // Nineteen digits at a time: a word's worth of work per multiplication.
    constexpr int chunk = 19;
    std::size_t at = 0;
    while (at < length) {
        const std::size_t digits = std::min<std::size_t>(chunk, length - at);
        unsigned long long part = 0;
        unsigned long long scale = 1;
        for (std::size_t i = 0; i < digits; ++i) {
            part = part * 10 + static_cast<unsigned>(text[at + i] - '0');
            scale *= 10;
        }
        count = count * scale + part;
        at += digits;
    }
    return true;
}

Binomials binomials_up_to(int m) {
    Binomials table;
    table.rows.resize(m < 0 ? 0 : static_cast<std::size_t>(m) + 1);
    for (int row = 0; row <= m; ++row) {
        std::vector<BigCount>& here = table.rows[static_cast<std::size_t>(row)];
        here.resize(static_cast<std::size_t>(row) + 1);
        here[0] = here[static_cast<std::size_t>(row)] = 1;
        const std::vector<BigCount>* above =
            row > 0 ? &table.rows[static_cast<std::size_t>(row) - 1] : nullptr;
        for (int column = 1; column < row; ++column) {
            here[static_cast<std::size_t>(column)] =
                (*above)[static_cast<std::size_t>(column) - 1] +
                (*above)[static_cast<std::size_t>(column)];
        }
    }
    return table;
}

BigCount binomial(const Binomials& table, int m, int k) {
    if (m < 0 || m >= static_cast<int>(table.rows.size()) || k < 0 || k > m) return 0;
    return table.rows[static_cast<std::size_t>(m)][static_cast<std::size_t>(k)];
}

BigCount catalan(const Binomials& table, int m) { return binomial(table, 2 * m, m) / (m + 1); }

void scale_exactly(BigCount& count, std::uint64_t times, std::uint64_t divided_by) {
    count *= times;
    count /= divided_by;
}

BigCount binomial_of(int n, int k) {
    if (k < 0 || k > n) return 0;
    const int fewer = std::min(k, n - k);
    BigCount value = 1;
    // C(n, i + 1) = C(n, i) (n - i) / (i + 1), each an integer.
    for (int i = 0; i < fewer; ++i) {
        scale_exactly(value, static_cast<std::uint64_t>(n - i), static_cast<std::uint64_t>(i + 1));
    }
    return value;
}

std::string number_in_name(const BigCount& count) {
    std::string digits = decimal_text(count);
    constexpr std::size_t kept = 100;
    if (digits.size() <= 2 * kept) return digits;
    return digits.substr(0, kept) + "-" + digits.substr(digits.size() - kept);
}
