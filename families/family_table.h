// Every family, one row each: what the explorer, the tests and the
// benchmarks go through instead of naming a family.
#pragma once

#include <array>

#include "family.h"

constexpr int family_count = 3;
extern const std::array<const Family*, family_count> family_table;

// The family called `name`, or nullptr.
const Family* find_family(const char* name);
