// The time a random tiling of the Aztec diamond takes by domino shuffling
// over bit planes (aztec::shuffle_tiling), at orders 100 to 4,000, for the
// same seeds every run: CPU time (user and system, from getrusage) a
// tiling, and the process's peak resident memory once the order is done.
// The orders run from the smallest up, so each peak is its own order's (or
// the start's). It reports and asserts nothing about the times.
#include <sys/resource.h>

#include <cstdint>
#include <cstdio>

#include "shuffle_planes.h"

namespace {

double cpu_seconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval& time) {
        return static_cast<double>(time.tv_sec) + static_cast<double>(time.tv_usec) / 1e6;
    };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

double peak_megabytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;  // Linux gives kilobytes
}

struct Case {
    int order;
    int runs;
};

}  // namespace

int main() {
    // Enough runs at the small orders for a steady mean.
    const Case cases[] = {{100, 200}, {300, 20}, {1000, 5}, {2000, 2}, {4000, 1}};
    std::printf("peak resident memory at the start: %.1f MB\n\n", peak_megabytes());
    std::printf("%6s  %4s  %12s  %12s  %16s  %12s\n", "order", "runs", "mean CPU s", "least CPU s",
                "ns a cell a step", "peak MB");
    // Read from every tiling, so that none is left undrawn.
    std::uint64_t mixed = 0;
    for (const Case& shuffled : cases) {
        double total = 0;
        double least = 0;
        for (int run = 0; run < shuffled.runs; ++run) {
            const double start = cpu_seconds();
            const std::uint64_t seed = 1000 + static_cast<std::uint64_t>(run);
            const aztec::ShuffledTiling tiling = aztec::shuffle_tiling(shuffled.order, seed);
            const double spent = cpu_seconds() - start;
            mixed ^= tiling.north[tiling.north.size() / 2] ^ tiling.east[tiling.east.size() / 3];
            total += spent;
            if (run == 0 || spent < least) least = spent;
        }
        const double mean = total / shuffled.runs;
        // Steps 1 ... N cover 2k(k + 1) cells each: 2N(N + 1)(N + 2) / 3 in all.
        const double n = shuffled.order;
        const double cells = 2 * n * (n + 1) * (n + 2) / 3;
        std::printf("%6d  %4d  %12.4f  %12.4f  %16.3f  %12.1f\n", shuffled.order, shuffled.runs, mean, least,
                    mean * 1e9 / cells, peak_megabytes());
    }
    std::printf("\n(%016llx)\n", static_cast<unsigned long long>(mixed));
    return 0;
}
