#include "family_cases.h"

#include <algorithm>

#include "family_table.h"

namespace {

int rises_in(const std::vector<StepKind>& path) {
    return static_cast<int>(std::count(path.begin(), path.end(), StepKind::rise));
}

// By the number of rises, then lexicographically, rise < fall < flat.
bool diamond_before(const std::vector<StepKind>& a, const std::vector<StepKind>& b) {
    return rises_in(a) != rises_in(b) ? rises_in(a) < rises_in(b) : a < b;
}

// Where the flats start, as symbols (a flat is two), read as a word of
// bits, then the rises and falls between them.
std::pair<std::vector<int>, std::vector<StepKind>> pyramid_key(const std::vector<StepKind>& path) {
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

bool pyramid_before(const std::vector<StepKind>& a, const std::vector<StepKind>& b) {
    return pyramid_key(a) < pyramid_key(b);
}

}  // namespace

const std::vector<FamilyCase> family_cases = {
    {"diamond",
     diamond_region_of,
     {3, 13, 63, 321, 1683, 8989, 48639},
     diamond_before,
     false,
     {{1, "flat flat flat flat"},
      {2, "rise fall flat flat flat"},
      {3, "rise flat fall flat flat"},
      {6, "fall rise flat flat flat"},
      {21, "flat flat flat fall rise"},
      {22, "rise rise fall fall flat flat"},
      {321, "fall fall fall fall rise rise rise rise"}}},
    {"pyramid",
     pyramid_region_of,
     {2, 6, 22, 90, 394, 1806, 8558, 41586},
     pyramid_before,
     true,
     {{1, "rise rise rise rise rise fall fall fall fall fall"},
      {42, "rise fall rise fall rise fall rise fall rise fall"},
      {43, "rise rise rise rise fall fall fall fall flat"},
      {393, "flat flat flat flat rise fall"},
      {394, "flat flat flat flat flat"}}},
    // Lexicographically, the outermost path first, rise < fall < flat.
    {"aztec",
     aztec_region_of,
     {2, 8, 64, 1024, 32768},
     [](const std::vector<StepKind>& a, const std::vector<StepKind>& b) { return a < b; },
     false,
     {{1, "rise rise rise rise fall fall fall fall | rise rise rise fall fall fall | "
          "rise rise fall fall | rise fall"},
      {2, "rise rise rise rise fall fall fall fall | rise rise rise fall fall fall | "
          "rise rise fall fall | flat"},
      {1024, "flat flat flat flat | flat flat flat | flat flat | flat"}}},
};

void PrintTo(const FamilyCase& test_case, std::ostream* out) { *out << test_case.name; }

const Family& family_of(const FamilyCase& test_case) { return *find_family(test_case.name); }

std::string exporter_of(const FamilyCase& test_case) {
    return std::string(PROGRAMS) + "/" + test_case.name + "_export";
}
