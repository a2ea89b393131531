// What the tests know of each family independently of its code, one row a
// family, made by the family's own folder (its test_case.cpp, a function
// NAME::test_case() returning it) and gathered by the build: the region its figures tile, searched
// exhaustively; how many figures each order has; the family's order, as a
// comparison of paths; some figures as a user sees them; and what the
// literature says of its counts.
#pragma once

#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "family.h"
#include "tilings.h"

struct FamilyCase {
    const char* name;  // the family's name in the family table
    Region (*region_of)(int order);
    // Whether its figures are every tiling of the region (else some of
    // them, each once).
    bool every_tiling;
    // Figures at orders 1, 2, ...: up to the usual order read back from the
    // pixels page by page, past it counted.
    std::vector<std::size_t> figures;
    // Whether a path comes before another in the family's order.
    bool (*comes_before)(const std::vector<StepKind>& a, const std::vector<StepKind>& b);
    // Whether the program prints its count ("%3.d").
    bool prints_count;
    // Figures of the usual order by number, with their steps.
    std::vector<std::pair<int, std::string>> examples;
    // The figures of order n with k flats, in closed form, from the
    // literature; nullptr for none.
    BigCount (*with_flats)(int n, int k);
};

// Every family's row, in the family table's order.
extern const std::vector<FamilyCase> family_cases;
// GoogleTest names a case by its family.
void PrintTo(const FamilyCase& test_case, std::ostream* out);

// The family of a case, from the family table.
const Family& family_of(const FamilyCase& test_case);
// The path of its exporter, beside the tests.
std::string exporter_of(const FamilyCase& test_case);
