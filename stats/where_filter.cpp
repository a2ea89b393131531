#include "where_filter.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace {

// No statistic of any figure comes near it; a larger value is refused,
// not cut down to something else.
constexpr int largest_value = 999999999;
constexpr int no_value = -1;
constexpr int value_too_large = -2;

// The whole number at `at`, its end in `end`: no_value when there is none,
// value_too_large past largest_value.
int read_value(const char* at, const char*& end) {
    long long value = 0;
    end = at;
    while (*end >= '0' && *end <= '9') {
        value = std::min<long long>(value * 10 + (*end++ - '0'), largest_value + 1LL);
    }
    if (end == at) return no_value;
    return value > largest_value ? value_too_large : static_cast<int>(value);
}

}  // namespace

const char* read_where(const char* text, WhereFilter& filter) {
    filter.count = 0;
    const char* at = text;
    for (;;) {
        const char* equals = std::strchr(at, '=');
        const char* comma = std::strchr(at, ',');
        if (equals == nullptr || (comma != nullptr && comma < equals)) {
            return "each condition is STAT=V or STAT=LO-HI, joined by commas";
        }
        Condition condition{};
        if (!statistic_named(at, static_cast<int>(equals - at), condition.statistic)) {
            return "the statistics are flats, peaks, returns and height";
        }
        const char* end = nullptr;
        condition.low = read_value(equals + 1, end);
        condition.high = condition.low;
        if (condition.low >= 0 && *end == '-') condition.high = read_value(end + 1, end);
        if (condition.low == value_too_large || condition.high == value_too_large) {
            return "a value is at most 999999999";
        }
        if (condition.low < 0 || condition.high < 0 || (*end != ',' && *end != '\0')) {
            return "a value is a whole number V, or a range LO-HI of them";
        }
        if (condition.high < condition.low) return "a range LO-HI has LO at most HI";
        if (filter.count == static_cast<int>(filter.conditions.size())) {
            return "there are more conditions than can be kept";
        }
        filter.conditions[filter.count++] = condition;
        if (*end == '\0') return nullptr;
        at = end + 1;
    }
}

bool filter_holds(const WhereFilter& filter, const PathStats& stats) {
    for (int i = 0; i < filter.count; ++i) {
        const Condition& condition = filter.conditions[i];
        const int value = stats[static_cast<int>(condition.statistic)];
        if (value < condition.low || value > condition.high) return false;
    }
    return true;
}

ValueRange allowed_values(const WhereFilter& filter, Statistic statistic, int most) {
    ValueRange range{0, most, false};
    for (int i = 0; i < filter.count; ++i) {
        const Condition& condition = filter.conditions[i];
        if (condition.statistic != statistic) continue;
        range.low = std::max(range.low, condition.low);
        range.high = std::min(range.high, condition.high);
        range.conditioned = true;
    }
    return range;
}

WhereText where_text(const WhereFilter& filter) {
    WhereText text{};
    int at = 0;
    for (int i = 0; i < filter.count && at >= 0 && at < static_cast<int>(text.size()); ++i) {
        const Condition& condition = filter.conditions[i];
        const char* separator = i == 0 ? "" : ",";
        at += condition.low == condition.high
                  ? std::snprintf(text.data() + at, text.size() - at, "%s%s=%d", separator,
                                  statistic_name(condition.statistic), condition.low)
                  : std::snprintf(text.data() + at, text.size() - at, "%s%s=%d-%d", separator,
                                  statistic_name(condition.statistic), condition.low,
                                  condition.high);
    }
    return text;
}
