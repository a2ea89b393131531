#include "path_stats.h"

#include <algorithm>
#include <cstring>

namespace {
constexpr std::array<const char*, statistic_count> names = {"flats", "peaks", "returns",
                                                            "height"};
}  // namespace

const char* statistic_name(Statistic statistic) {
    const char* const name = names[static_cast<std::size_t>(statistic)];
    return name;
}

bool statistic_named(const char* name, int length, Statistic& statistic) {
    for (const Statistic candidate : statistics) {
        const char* known = statistic_name(candidate);
        if (static_cast<int>(std::strlen(known)) == length &&
            std::strncmp(known, name, length) == 0) {
            statistic = candidate;
            return true;
        }
    }
    return false;
}

PathStats stats_of(const FigurePath& path) {
    PathStats stats{};
    int row = 0;  // above the current path's start
    int highest = 0;
    for (std::size_t i = 0; i < path.size(); ++i) {
        switch (path[i]) {
        case StepKind::rise: ++row; break;
        case StepKind::fall:
            --row;
            if (i > 0 && path[i - 1] == StepKind::rise) ++stats[static_cast<int>(Statistic::peaks)];
            break;
        case StepKind::flat: ++stats[static_cast<int>(Statistic::flats)]; break;
        case StepKind::next_path:
            stats[static_cast<int>(Statistic::height)] += highest;
            row = 0;
            highest = 0;
            continue;
        }
        highest = std::max(highest, row);
        if (row == 0) ++stats[static_cast<int>(Statistic::returns)];
    }
    stats[static_cast<int>(Statistic::height)] += highest;
    return stats;
}
