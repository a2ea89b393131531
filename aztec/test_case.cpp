// What the tests know of the aztec family independently of its code.
#include "family_cases.h"

namespace aztec {

namespace {

// Rows -N ... N - 1 of the Aztec diamond, with N nested paths, the
// outermost from cell (0, 0).
Region region_of(int order) {
    Region region{10, -order, 2 * order, {}, order};
    for (int row = 0; row < 2 * order; ++row) {
        const int first = row < order ? order - 1 - row : row - order;
        region.rows.emplace_back(first, 2 * order - 1 - first);
    }
    return region;
}

// C(n(n + 1) / 2, k): the tilings with k flats, from the tilings counted
// by their upright dominoes (Elkies, Kuperberg, Larsen and Propp).
BigCount with_flats(int n, int k) { return binomial_of(n * (n + 1) / 2, k); }

// Lexicographically, the outermost path first, rise < fall < flat.
bool comes_before(const std::vector<StepKind>& a, const std::vector<StepKind>& b) {
    return a < b;
}

}  // namespace

FamilyCase test_case() {
    return {
        "aztec",
        region_of,
        true,
        {2, 8, 64, 1024, 32768},
        comes_before,
        false,
        {{1, "rise rise rise rise fall fall fall fall | rise rise rise fall fall fall | "
             "rise rise fall fall | rise fall"},
         {2, "rise rise rise rise fall fall fall fall | rise rise rise fall fall fall | "
             "rise rise fall fall | flat"},
         {1024, "flat flat flat flat | flat flat flat | flat flat | flat"}},
        with_flats};
}

}  // namespace aztec
