// The paths of order N counted rather than listed, in the order they are
// drawn: placements of flats in lexicographic order of flat_starts (a bit
// a symbol, 1 where a flat starts one symbol earlier, never two 1s side by
// side), and for each the Dyck words of its rises and falls, 0 a rise, in
// lexicographic order.
#include <cstdint>
#include <vector>

#include "joint_counts.h"
#include "pyramid.h"

namespace pyramid {

namespace {

// Big-number work grows with the square of the order at most, and memory
// with the order: no table of binomials (at order 1,000, two million
// numbers of up to 2,000 bits), but each count from one before it by a
// ratio of small numbers.

using Small = std::uint64_t;

Small small(int value) { return static_cast<Small>(value); }

// The paths whose flat_starts begin with the bits decided so far, the next
// one 0, when `free_bits` bits are left after it (none of them forced)
// and the flats yet to be placed and the Dyck word's semilength add up to
// `open`: Q(L, M) = sum over j of C(L + 1 - j, j) Cat(M - j) (j more
// flats, no two side by side, among L free bits, then a Dyck word of the
// rest). Kept as its terms, j = 0, 1, ..., each moved on by a ratio as L
// goes down a bit at a time and M a flat at a time.
struct FlatPlaces {
    int free_bits;  // L
    int open;       // M
    std::vector<BigCount> terms;
};

// At the first bit: L = 2N - 2, M = N; term j + 1 from term j.
FlatPlaces flat_places_of(int order) {
    FlatPlaces places{2 * order - 2, order, {}};
    BigCount term = binomial_of(2 * order, order);
    term /= small(order + 1);
    for (int j = 0; j <= order; ++j) {
        if (term == 0) break;
        places.terms.push_back(term);
        const int m = order - j;
        if (m == 0) break;
        // C(2N-2-j, j+1) / C(2N-1-j, j), and Cat(m - 1) / Cat(m).
        scale_exactly(term, small(2 * order - 1 - 2 * j) * small(2 * order - 2 - 2 * j) * small(m + 1),
                      small(2 * order - 1 - j) * small(j + 1) * 2 * small(2 * m - 1));
    }
    return places;
}

BigCount paths_with_zero(const FlatPlaces& places) {
    BigCount paths = 0;
    for (const BigCount& term : places.terms) paths += term;
    return paths;
}

// A bit passed: L down by one, C(L + 1 - j, j) to C(L - j, j).
void pass_bit(FlatPlaces& places) {
    const int l = places.free_bits;
    for (std::size_t j = 0; j < places.terms.size(); ++j) {
        const int i = static_cast<int>(j);
        scale_exactly(places.terms[j], small(l + 1 - 2 * i), small(l + 1 - i));
    }
    while (!places.terms.empty() && places.terms.back() == 0) places.terms.pop_back();
    --places.free_bits;
}

// A flat placed: M down by one, Cat(m) to Cat(m - 1), m = M - j; the term
// of j = M goes.
void take_flat(FlatPlaces& places) {
    const int open = places.open;
    if (static_cast<int>(places.terms.size()) > open) places.terms.resize(static_cast<std::size_t>(open));
    for (std::size_t j = 0; j < places.terms.size(); ++j) {
        const int m = open - static_cast<int>(j);
        scale_exactly(places.terms[j], small(m + 1), 2 * small(2 * m - 1));
    }
    --places.open;
}

// The Dyck words' count of ways to end: walks of s steps from height h to
// 0, never below it, are C(s, d) (h + 1) / (d + 1), d = (s + h) / 2 their
// falls (the ballot numbers). A word's walk asks, before each symbol,
// after a rise from `height`: s the symbols left after it, h = height + 1.
// C(s, d) is kept, and moved on as s goes down by one and d with each fall.
struct DyckEndings {
    int left;  // s
    int falls; // d
    BigCount ways;  // C(s, d)
};

// Before the first symbol of a word of `symbols` symbols.
DyckEndings dyck_endings_of(int symbols) {
    return {symbols - 1, symbols / 2, binomial_of(symbols - 1, symbols / 2)};
}

BigCount endings_after_rise(const DyckEndings& endings, int height) {
    BigCount ways = endings.ways;
    scale_exactly(ways, small(height + 2), small(endings.falls + 1));
    return ways;
}

// The symbol taken: after a rise d stays, after a fall it goes down by one.
void take_symbol(DyckEndings& endings, bool fall) {
    if (endings.left == 0) return;
    // No way to end (d > s, too high to come down) stays none.
    if (endings.ways == 0) {
        --endings.left;
        if (fall) --endings.falls;
        return;
    }
    scale_exactly(endings.ways, small(fall ? endings.falls : endings.left - endings.falls),
                  small(endings.left));
    --endings.left;
    if (fall) --endings.falls;
}

BigCount figure_total(int order) {
    if (order < 1) return 0;
    FlatPlaces places = flat_places_of(order);
    // Q(2N - 1, N) = Q(2N - 2, N) + Q(2N - 3, N - 1): the first bit 0 or 1.
    BigCount total = paths_with_zero(places);
    pass_bit(places);
    take_flat(places);
    return total + paths_with_zero(places);
}

bool unrank_figure(int order, const BigCount& number, FigurePath& path) {
    if (order < 1 || order > largest_figure_order || number < 1 || number > figure_total(order)) {
        return false;
    }
    BigCount rest = number - 1;
    // The placement of flats: 0 (no flat starts one symbol earlier) first.
    std::vector<int> starts(2 * static_cast<std::size_t>(order), 0);
    FlatPlaces places = flat_places_of(order);
    for (int at = 1; at < 2 * order; ++at) {
        // After a 1 the bit is 0: no two flats overlap.
        if (starts[static_cast<std::size_t>(at) - 1] == 0) {
            const BigCount with_zero = paths_with_zero(places);
            if (rest >= with_zero) {
                rest -= with_zero;
                starts[static_cast<std::size_t>(at)] = 1;
                take_flat(places);
            }
        }
        if (at + 1 < 2 * order) pass_bit(places);
    }
    // Then the Dyck word, a rise first wherever one can come back down.
    DyckEndings endings = dyck_endings_of(2 * places.open);
    int height = 0;
    path.clear();
    for (int symbol = 0; symbol < 2 * order; ++symbol) {
        if (symbol + 1 < 2 * order && starts[static_cast<std::size_t>(symbol) + 1] == 1) {
            path.push_back(StepKind::flat);
            ++symbol;
            continue;
        }
        const BigCount with_rise = endings_after_rise(endings, height);
        const bool fall = rest >= with_rise;
        if (fall) rest -= with_rise;
        path.push_back(fall ? StepKind::fall : StepKind::rise);
        height += fall ? -1 : 1;
        take_symbol(endings, fall);
    }
    return true;
}

BigCount rank_figure(int order, const FigurePath& path) {
    if (order < 1 || order > largest_figure_order) return 0;
    // The path's flat_starts and its rises and falls, checked as it goes:
    // 2N symbols, never below the base row, ending on it.
    std::vector<int> starts(2 * static_cast<std::size_t>(order), 0);
    int symbol = 0;
    int height = 0;
    int flats = 0;
    for (const StepKind step : path) {
        if (step == StepKind::next_path || symbol >= 2 * order) return 0;
        if (step == StepKind::flat) {
            if (symbol + 1 >= 2 * order) return 0;
            starts[static_cast<std::size_t>(symbol) + 1] = 1;
            ++flats;
            symbol += 2;
            continue;
        }
        height += step == StepKind::rise ? 1 : -1;
        if (height < 0) return 0;
        ++symbol;
    }
    if (symbol != 2 * order || height != 0) return 0;
    BigCount number = 1;
    FlatPlaces places = flat_places_of(order);
    for (int at = 1; at < 2 * order; ++at) {
        if (starts[static_cast<std::size_t>(at)] == 1) {
            number += paths_with_zero(places);
            take_flat(places);
        }
        if (at + 1 < 2 * order) pass_bit(places);
    }
    DyckEndings endings = dyck_endings_of(2 * (order - flats));
    height = 0;
    for (const StepKind step : path) {
        if (step == StepKind::flat) continue;
        const bool fall = step == StepKind::fall;
        if (fall) number += endings_after_rise(endings, height);
        height += fall ? -1 : 1;
        take_symbol(endings, fall);
    }
    return number;
}

StepRange step_range(int order) { return {order, 2 * order, 1}; }

// Its paths never go below their row.
bool count(const CountQuestion& question, CountGrid& grid) {
    if (question.order < 1 || question.order > largest_order_for(path_count_limits, question)) {
        return false;
    }
    count_paths(true, question, grid);
    return true;
}

}  // namespace

const FigureCounting figure_counting = {largest_figure_order, figure_total, unrank_figure,
                                        rank_figure,          step_range,   count,
                                        path_count_limits};
const RandomDrawing random_drawing = {largest_figure_order, nullptr, nullptr, nullptr};

}  // namespace pyramid
