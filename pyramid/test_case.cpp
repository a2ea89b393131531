// What the tests know of the pyramid family independently of its code.
#include "family_cases.h"

namespace pyramid {

namespace {

// Where the flats start, as symbols (a flat is two), read as a word of
// bits, then the rises and falls between them.
std::pair<std::vector<int>, std::vector<StepKind>> key_of(const std::vector<StepKind>& path) {
    std::vector<int> flat_starts;
    std::vector<StepKind> word;
    for (const StepKind step : path) {
        flat_starts.push_back(step == StepKind::flat ? 1 : 0);
        if (step == StepKind::flat) {
            flat_starts.push_back(0);
        } else {
            word.push_back(step);
        }
    }
    return {flat_starts, word};
}

bool comes_before(const std::vector<StepKind>& a, const std::vector<StepKind>& b) {
    return key_of(a) < key_of(b);
}

Region region_of(int order) { return stepped_region(8, order, false); }

// C(2n - k, k) Cat(n - k): the k flats placed among the 2n - k steps, then a
// Dyck word of the rest (the large Schröder numbers' terms).
BigCount with_flats(int n, int k) {
    return k > n ? BigCount(0) : binomial_of(2 * n - k, k) * binomial_of(2 * (n - k), n - k) / (n - k + 1);
}

}  // namespace

FamilyCase test_case() {
    return {
        "pyramid",
        region_of,
        true,
        {2, 6, 22, 90, 394, 1806, 8558, 41586},
        comes_before,
        true,
        {{1, "rise rise rise rise rise fall fall fall fall fall"},
         {42, "rise fall rise fall rise fall rise fall rise fall"},
         {43, "rise rise rise rise fall fall fall fall flat"},
         {393, "flat flat flat flat rise fall"},
         {394, "flat flat flat flat flat"}},
        with_flats};
}

}  // namespace pyramid
