// Counts of figures however large the order: 256-bit unsigned integers
// from Boost.Multiprecision's header-only fixed-width cpp_int, which never
// allocate. Every count of the families at orders up to 100 fits (the
// largest, diamond's 100th, is under 2^251).
#pragma once

#include <boost/multiprecision/cpp_int.hpp>

#include <array>

using BigCount = boost::multiprecision::uint256_t;

// A count in decimal, with its terminating zero (78 digits at most).
using DecimalText = std::array<char, 80>;
DecimalText decimal_text(const BigCount& count);
// Reads plain decimal digits into `count`; false for anything else, for no
// digit, or for a number past what a BigCount holds.
bool read_decimal(const char* text, BigCount& count);

// C(m, k), for 0 <= m <= 200; 0 when k < 0 or k > m.
const BigCount& binomial(int m, int k);
// The Catalan number C(2m, m) / (m + 1), for 0 <= m <= 100.
BigCount catalan(int m);
