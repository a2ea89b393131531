#include "path_counts.h"

#include <cstdint>

namespace {

using Small = std::uint64_t;

Small small(int value) { return static_cast<Small>(value); }

BigCount& at(CountTable& table, int index) { return table[static_cast<std::size_t>(index)]; }

// The central binomial C(2m, m) for m = 0, 1, ...: each from the one before.
void next_central_binomial(BigCount& central, int m) {
    scale_exactly(central, 2 * small(2 * m + 1), small(m + 1));
}

// By flats (and so by peaks): term k from term k - 1 by the ratio of
// C(N,k) C(2N-k,N) = (2N-k)! / (k! (N-k)!^2), or of C(2N-k,k) Cat(N-k) =
// (2N-k)! / (k! (N-k)! (N-k+1)!).
void count_by_flats(int order, bool never_below, CountTable& counts) {
    BigCount term = binomial_of(2 * order, order);
    if (never_below) term /= small(order + 1);
    for (int k = 0; k <= order; ++k) {
        at(counts, k) = term;
        const Small left = small(order - k);
        scale_exactly(term, left * (never_below ? left + 1 : left), small(k + 1) * small(2 * order - k));
    }
}

// By returns: a path of k returns is h flats on its row and e = k - h
// excursions, in any of C(k, h) orders, each excursion a rise, a path
// never below, a fall (or, anywhere, its mirror below the row: 2^e sides).
// The e excursions of semilength m in all, G(m, e), are [x^m] u^e where u,
// the excursions' series, solves u = x (1 + u) / (1 - u); by Lagrange
// inversion G(m, e) = (e / m) [u^(m-e)] ((1 + u) / (1 - u))^m. Those
// coefficients a_m(r), row m from row m - 1: a_m(r) = a_m(r-1) +
// a_(m-1)(r) + a_(m-1)(r-1), since (1 - u) a_m = (1 + u) a_(m-1).
void count_by_returns(int order, bool never_below, CountTable& counts) {
    const unsigned sides = never_below ? 0 : 1;  // 2^e, as a shift
    std::vector<BigCount> row(static_cast<std::size_t>(order) + 1, 0);
    std::vector<BigCount> before = row;
    row[0] = 1;
    at(counts, order) += 1;  // m = 0: every step a flat on the row
    for (int m = 1; m <= order; ++m) {
        row.swap(before);
        row[0] = 1;
        for (int r = 1; r <= order; ++r) {
            at(row, r) = at(row, r - 1) + at(before, r) + at(before, r - 1);
        }
        const int flats = order - m;
        BigCount orders = 1;  // C(flats + e, e)
        for (int e = 1; e <= m; ++e) {
            scale_exactly(orders, small(flats + e), small(e));
            BigCount excursions = at(row, m - e);
            scale_exactly(excursions, small(e), small(m));
            at(counts, flats + e) += (orders * excursions) << (sides * static_cast<unsigned>(e));
        }
    }
}

// By height, anywhere: a rises, a falls and N - a flats; the flats'
// places, C(N+a, 2a), times the rises and falls whose highest row is h,
// C(2a, a+h) - C(2a, a+h+1) (those that reach h + 1 are, reflected after
// they first do, the words of a + h + 1 rises: the reflection principle).
void count_by_height_anywhere(int order, CountTable& counts) {
    BigCount places = 1;   // C(N + a, 2a)
    BigCount central = 1;  // C(2a, a)
    std::vector<BigCount> half(static_cast<std::size_t>(order) + 2, 0);
    for (int a = 0; a <= order; ++a) {
        // half[j] = C(2a, a + j), j = 0 ... a + 1.
        half[0] = central;
        for (int j = 0; j <= a; ++j) {
            at(half, j + 1) = at(half, j);
            scale_exactly(at(half, j + 1), small(a - j), small(a + j + 1));
        }
        for (int h = 0; h <= a; ++h) at(counts, h) += places * (at(half, h) - at(half, h + 1));
        next_central_binomial(central, a);
        scale_exactly(places, small(order + a + 1) * small(order - a), small(2 * a + 1) * small(2 * a + 2));
    }
}

// By height, never below: k flats placed among 2m = 2(N - k) rises and
// falls, C(2N - k, k) ways, times the Dyck words of semilength m whose
// highest row is h. Those kept between rows 0 and h are, by reflecting
// across rows -1 and h + 1 in turn, the sum over j of C(2m, m + j(h+2)) -
// C(2m, m + j(h+2) - 1); the words of height h are those of height at
// most h less those of height at most h - 1.
void count_by_height_never_below(int order, CountTable& counts) {
    BigCount places = 1;  // C(2N - k, k), from k = N down
    std::vector<BigCount> row;
    std::vector<BigCount> within(static_cast<std::size_t>(order) + 1, 0);
    for (int m = 0; m <= order; ++m) {
        const int k = order - m;
        const int length = 2 * m;
        row.assign(static_cast<std::size_t>(length) + 1, 0);
        row[0] = 1;
        for (int i = 0; i < length; ++i) {
            at(row, i + 1) = at(row, i);
            scale_exactly(at(row, i + 1), small(length - i), small(i + 1));
        }
        for (int h = 0; h <= m; ++h) {
            BigCount kept = 0;
            const int period = h + 2;
            for (int j = -(m / period); m + j * period <= length; ++j) {
                kept += at(row, m + j * period);
            }
            for (int j = -((m - 1) / period); m > 0 && m + j * period - 1 <= length; ++j) {
                kept -= at(row, m + j * period - 1);
            }
            at(within, h) = kept;
            at(counts, h) += places * (h == 0 ? kept : kept - at(within, h - 1));
        }
        // C(2N - k + 1, k - 1) from C(2N - k, k).
        if (k > 0) {
            scale_exactly(places, small(2 * order - k + 1) * small(k),
                          small(2 * order - 2 * k + 2) * small(2 * order - 2 * k + 1));
        }
    }
}

}  // namespace

void count_paths_by(int order, bool never_below, Statistic statistic, CountTable& counts) {
    counts.assign(order < 1 ? 1 : 2 * static_cast<std::size_t>(order) + 1, 0);
    if (order < 1 || order > largest_counted_path_order) return;
    switch (statistic) {
    case Statistic::flats:
    case Statistic::peaks: count_by_flats(order, never_below, counts); break;
    case Statistic::returns: count_by_returns(order, never_below, counts); break;
    case Statistic::height:
        if (never_below) {
            count_by_height_never_below(order, counts);
        } else {
            count_by_height_anywhere(order, counts);
        }
        break;
    }
}
