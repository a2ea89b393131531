// What the tests know of the diamond family independently of its code.
#include <algorithm>

#include "family_cases.h"

namespace diamond {

namespace {

int rises_in(const std::vector<StepKind>& path) {
    return static_cast<int>(std::count(path.begin(), path.end(), StepKind::rise));
}

// By the number of rises, then lexicographically, rise < fall < flat.
bool comes_before(const std::vector<StepKind>& a, const std::vector<StepKind>& b) {
    return rises_in(a) != rises_in(b) ? rises_in(a) < rises_in(b) : a < b;
}

Region region_of(int order) { return stepped_region(10, order, true); }

// C(n, k) C(2n - k, n) = (2n - k)! / (k! (n - k)!^2): the arrangements of
// n - k rises, n - k falls and k flats (the terms of the central Delannoy
// numbers).
BigCount with_flats(int n, int k) { return binomial_of(n, k) * binomial_of(2 * n - k, n); }

}  // namespace

FamilyCase test_case() {
    return {
        "diamond",
        region_of,
        true,
        {3, 13, 63, 321, 1683, 8989, 48639},
        comes_before,
        false,
        {{1, "flat flat flat flat"},
         {2, "rise fall flat flat flat"},
         {3, "rise flat fall flat flat"},
         {6, "fall rise flat flat flat"},
         {21, "flat flat flat fall rise"},
         {22, "rise rise fall fall flat flat"},
         {321, "fall fall fall fall rise rise rise rise"}},
        with_flats};
}

}  // namespace diamond
