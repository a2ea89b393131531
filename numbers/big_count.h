// Counts of figures however large the order: Boost.Multiprecision's
// cpp_int, header-only, whose digits grow on the heap as a count needs
// them. The counts pass thousands of bits (an Aztec diamond of order 100
// has 2^5050 tilings), on 64-bit Linux, 32-bit Windows and WebAssembly
// alike.
#pragma once

#include <boost/multiprecision/cpp_int.hpp>

#include <cstdint>
#include <string>
#include <vector>

// Without expression templates: a count is a plain value in every
// expression, which GCC's bounds checks also see through.
using BigCount = boost::multiprecision::number<boost::multiprecision::cpp_int_backend<>,
                                               boost::multiprecision::et_off>;

// A count in decimal.
std::string decimal_text(const BigCount& count);
// The most digits read_decimal takes: far more than any count a family
// has, and a bound on the work a number typed by a user can ask for.
constexpr std::size_t largest_decimal_digits = 20000;
// Reads plain decimal digits into `count`; false for anything else, for no
// digit, or for more than largest_decimal_digits of them.
bool read_decimal(const char* text, BigCount& count);

// Pascal's triangle up to a row, made by whoever counts with it.
struct Binomials {
    std::vector<std::vector<BigCount>> rows;
};
// Rows 0 ... m.
Binomials binomials_up_to(int m);
// C(m, k) from the table; 0 when k < 0, k > m or m is past its last row.
BigCount binomial(const Binomials& table, int m, int k);
// The Catalan number C(2m, m) / (m + 1), from a table of rows up to 2m.
BigCount catalan(const Binomials& table, int m);

// Counts at large orders are made term by term, each from the one before
// by a ratio of small numbers, in place of a table whose size would grow
// with the square of the order: `count` times `times`, divided by
// `divided_by`, which the caller knows to divide the product exactly.
void scale_exactly(BigCount& count, std::uint64_t times, std::uint64_t divided_by);
// C(n, k) made afresh, k multiplications and divisions by small numbers;
// 0 when k < 0 or k > n.
BigCount binomial_of(int n, int k);

// A count as a file's name gives it: its digits, or for a count of more
// than 200 digits (a figure's number past order 250 or so) its first 100
// digits, "-", and its last 100, so that a name stays within the 255
// bytes a file system allows.
std::string number_in_name(const BigCount& count);
