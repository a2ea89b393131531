// What the exporters say of themselves: their usage, for -h and with every
// usage error.
#pragma once

#include <cstdio>

struct Family;

// The running exporter's usage (program_family's), to `to`.
void print_usage(std::FILE* to);
// Whether `family`'s figures have an arctic circle to draw (--arctic):
// its first figure's geometry says, as it says for each figure drawn.
bool family_has_arctic_circle(const Family& family);
