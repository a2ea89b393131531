// What the tests know of the dyck family: some of the triangle's tilings
// (those of paths without flats), Catalan many.
#include "family_cases.h"

namespace dyck {

namespace {

Region region_of(int order) { return stepped_region(8, order, false); }

bool comes_before(const std::vector<StepKind>& a, const std::vector<StepKind>& b) {
    return a < b;
}

}  // namespace

FamilyCase test_case() {
    return {"dyck",
            region_of,
            false,
            {1, 2, 5, 14, 42, 132},
            comes_before,
            false,
            {{1, "rise rise rise rise fall fall fall fall"},
             {14, "rise fall rise fall rise fall rise fall"}},
            nullptr};
}

}  // namespace dyck
