// What the exporters say of themselves: their usage, for -h and with every
// usage error.
#pragma once

#include <cstdio>

// The running exporter's usage (program_family's), to `to`.
void print_usage(std::FILE* to);
