// The tilings of the Aztec diamond counted by the statistics of their
// paths. By flats in closed form: a tiling has N(N + 1) dominoes, its
// flats are its south dominoes and it has as many north ones, so a tiling
// with F flats has v = N(N + 1) - 2F upright dominoes; the tilings counted
// by their upright dominoes have the generating function (1 + q)^(N(N +
// 1) / 2) in q^(v / 2) (Elkies, Kuperberg, Larsen and Propp, "Alternating-
// sign matrices and domino tilings", 1992), so those with F flats number
// C(N(N + 1) / 2, F). By anything else, and under a filter on another
// statistic, by listing the tilings, at the orders drawn page by page.
#include "aztec.h"

namespace aztec {

bool count_tilings(const CountQuestion& question, CountGrid& grid) {
    const int order = question.order;
    if (order < 1 || order > largest_order_for(count_limits, question)) return false;
    // No statistic of a tiling exceeds its steps.
    start_grid(question, step_range(order).most, grid);
    if (!counted_alone(question) || question.by[0] != Statistic::flats) {
        walk_families(order, [&question, &grid](const FigurePath& path) {
            tally_figure(question, stats_of(path), grid);
            return true;
        });
        return true;
    }
    const int pairs = order * (order + 1) / 2;
    CountTable counts(static_cast<std::size_t>(grid.rows), 0);
    BigCount with_flats = 1;  // C(pairs, F)
    for (int flats = 0; flats <= pairs; ++flats) {
        counts[static_cast<std::size_t>(flats)] = with_flats;
        scale_exactly(with_flats, static_cast<std::uint64_t>(pairs - flats),
                      static_cast<std::uint64_t>(flats + 1));
    }
    grid_of_table(question, counts, grid);
    return true;
}

}  // namespace aztec
