// The tilings of the Aztec diamond counted: 2^(N(N + 1) / 2) of them (the
// Aztec diamond theorem). A tiling's number is found by counting rather
// than listing: its families of paths come in lexicographic order, the
// outermost path first, each step compared as rise < fall < flat, and the
// families that begin with given steps are exactly the tilings that hold
// those steps' dominoes (the path read from any tiling takes, at each
// cell, the domino that covers it), so they are counted as the tilings of
// the cells those dominoes leave.
#include <cstdint>

#include "aztec.h"
#include "shuffle_planes.h"

namespace aztec {

namespace {

// The cells of the order-N diamond not yet covered, row by row.
struct FreeCells {
    int side;
    std::vector<bool> free;
};

FreeCells cells_of_diamond(int order) {
    const int side = 2 * order;
    FreeCells cells{side, std::vector<bool>(static_cast<std::size_t>(side) * side)};
    for (int r = 0; r < side; ++r) {
        for (int c = 0; c < side; ++c) {
            cells.free[static_cast<std::size_t>(r) * side + c] = in_diamond(order, c, r);
        }
    }
    return cells;
}

bool is_free(const FreeCells& cells, int c, int r) {
    return c >= 0 && r >= 0 && c < cells.side && r < cells.side &&
           cells.free[static_cast<std::size_t>(r) * cells.side + c];
}

// The domino tilings of the free cells, cell by cell with a profile of the
// next `side` cells (bit 0 the cell at hand) already covered. At the orders
// numbered, at most 2^15 of them.
// The profiles reached so far, each with its ways; `at` finds a profile's
// place in the list, or none.
struct Profiles {
    std::vector<std::uint32_t> masks;
    std::vector<std::uint64_t> ways;
    std::vector<int> at;
};

void add_ways(Profiles& profiles, std::uint32_t mask, std::uint64_t ways) {
    int& place = profiles.at[mask];
    if (place < 0) {
        place = static_cast<int>(profiles.masks.size());
        profiles.masks.push_back(mask);
        profiles.ways.push_back(0);
    }
    profiles.ways[static_cast<std::size_t>(place)] += ways;
}

std::uint64_t tilings_of(const FreeCells& cells) {
    const int side = cells.side;
    const std::size_t states = std::size_t{1} << side;
    Profiles ways{{0}, {1}, std::vector<int>(states, -1)};
    Profiles next{{}, {}, std::vector<int>(states, -1)};
    const std::uint32_t below = std::uint32_t{1} << (side - 1);
    for (int r = 0; r < side; ++r) {
        for (int c = 0; c < side; ++c) {
            const bool here = is_free(cells, c, r);
            for (std::size_t i = 0; i < ways.masks.size(); ++i) {
                const std::uint32_t mask = ways.masks[i];
                const std::uint64_t count = ways.ways[i];
                const bool covered = (mask & 1U) != 0;
                if (!here || covered) {
                    // A covered cell must be free; a free one must be covered.
                    if (here == covered) add_ways(next, mask >> 1, count);
                    continue;
                }
                if (c + 1 < side && is_free(cells, c + 1, r) && (mask & 2U) == 0) {
                    add_ways(next, (mask | 2U) >> 1, count);
                }
                if (r + 1 < side && is_free(cells, c, r + 1)) {
                    add_ways(next, (mask >> 1) | below, count);
                }
            }
            for (const std::uint32_t mask : ways.masks) ways.at[mask] = -1;
            ways.masks.clear();
            ways.ways.clear();
            std::swap(ways, next);
        }
    }
    const int done = ways.at[0];
    return done < 0 ? 0 : ways.ways[static_cast<std::size_t>(done)];
}

// A step of path `path` from cell (c, r), as the walk takes them: its two
// cells, and where it leaves the path.
struct Step {
    int c2, r2, next_c, next_r;
};

Step step_from(StepKind kind, int c, int r) {
    switch (kind) {
    case StepKind::rise: return {c, r - 1, c + 1, r - 1};
    case StepKind::fall: return {c, r + 1, c + 1, r + 1};
    case StepKind::flat:
    case StepKind::next_path: break;
    }
    return {c + 1, r, c + 2, r};
}

// Walks the family of `order` number `number` (from 1) into `path` when
// `path` is empty, or the families before `path` counted into `number`:
// one walk, step by step, the tilings of each alternative counted.
// False when there is no such figure.
bool walk_by_counting(int order, BigCount& number, FigurePath& path, bool unranking) {
    FreeCells cells = cells_of_diamond(order);
    BigCount before = 0;
    FigurePath walked;
    std::size_t at = 0;
    int index = 0;
    int c = 0;
    int r = order;
    while (index < order) {
        const int end = 2 * order - index;
        if (c == end) {
            ++index;
            if (index == order) break;
            walked.push_back(StepKind::next_path);
            if (!unranking && (at >= path.size() || path[at++] != StepKind::next_path)) return false;
            c = index;
            r = order + index;
            continue;
        }
        bool stepped = false;
        for (const StepKind kind : {StepKind::rise, StepKind::fall, StepKind::flat}) {
            const Step step = step_from(kind, c, r);
            if (!is_free(cells, c, r) || !is_free(cells, step.c2, step.r2)) continue;
            const std::size_t first = static_cast<std::size_t>(r) * cells.side + c;
            const std::size_t second = static_cast<std::size_t>(step.r2) * cells.side + step.c2;
            cells.free[first] = cells.free[second] = false;
            const BigCount ways = tilings_of(cells);
            const bool taken = unranking ? number <= before + ways
                                         : at < path.size() && path[at] == kind;
            if (taken && ways > 0) {
                walked.push_back(kind);
                if (!unranking) ++at;
                c = step.next_c;
                r = step.next_r;
                stepped = true;
                break;
            }
            before += ways;
            cells.free[first] = cells.free[second] = true;
        }
        if (!stepped) return false;
    }
    if (unranking) {
        path = walked;
        return true;
    }
    if (at != path.size()) return false;
    number = before + 1;
    return true;
}

BigCount figure_total(int order) {
    if (order < 1) return 0;
    BigCount total = 0;
    boost::multiprecision::bit_set(total, static_cast<unsigned>(order * (order + 1) / 2));
    return total;
}

bool unrank_figure(int order, const BigCount& number, FigurePath& path) {
    if (order < 1 || order > largest_figure_order || number < 1 || number > figure_total(order)) {
        return false;
    }
    BigCount wanted = number;
    path.clear();
    return walk_by_counting(order, wanted, path, true);
}

BigCount rank_figure(int order, const FigurePath& path) {
    if (order < 1 || order > largest_figure_order) return 0;
    BigCount number = 0;
    FigurePath given = path;
    return walk_by_counting(order, number, given, false) ? number : BigCount(0);
}

void shuffle(int order, std::uint64_t seed, bool with_paths, ChosenFigure& chosen) {
    const ShuffledTiling planes = shuffle_tiling(order, seed);
    const bool numbered = order <= largest_figure_order;
    chosen.path = with_paths || numbered ? paths_of_tiling(tiling_of_planes(planes)) : FigurePath{};
    chosen.number = numbered ? rank_figure(order, chosen.path) : BigCount(0);
    chosen.geometry = geometry_of_planes(planes, chosen.path);
}

}  // namespace

// N paths of N, N - 1, ..., 1 flats, or of twice as many rises and falls.
StepRange step_range(int order) {
    const int flats = order * (order + 1) / 2;
    return {flats, 2 * flats, order};
}

const FigureCounting figure_counting = {largest_figure_order, figure_total, unrank_figure,
                                        rank_figure,          step_range,   count_tilings,
                                        count_limits};
const RandomDrawing random_drawing = {largest_random_order, shuffle, shuffling_stage, domino_laid};

}  // namespace aztec
