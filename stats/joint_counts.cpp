#include "joint_counts.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace {

// A state's values, each in bits of its own: at order 30 at most 21 bits.
using Key = std::uint32_t;

// How a statistic is carried in a path's state: `size` values, 0 ...
// size - 1 (not carried when 0); a path whose value would pass them is
// dropped, or with `capped` stays at size - 1. A complete path counts if
// its value is at least `low`.
struct Carried {
    int size;
    int low;
    bool capped;
    int shift;  // where its value lies in a key,
    Key mask;   // and its bits there
};

// How a path's state is kept: each statistic's value, and whether the
// last step is told apart (only peaks need it).
struct Layout {
    int order;
    std::array<Carried, statistic_count> carried;
    bool last_step_kept;
};

int bits_for(int values) {
    int bits = 0;
    while ((1 << bits) < values) ++bits;
    return bits;
}

// One state: its values' key, and its paths counted in 96 bits, `high`
// above `low`. No count of a state exceeds the family's count at the
// order, which at order 30 is under 2^75. Counting a column is mostly
// writing, sorting and adding these, in tables larger than the processor's
// caches at the largest orders: 16 bytes a state, in place of a BigCount's
// 32 and a key's own, is about twice as fast.
struct Entry {
    Key key;
    std::uint32_t high;
    std::uint64_t low;
};
static_assert(sizeof(Entry) == 16, "a state in 16 bytes");

void add_count(Entry& to, const Entry& from) {
    to.low += from.low;
    to.high += from.high + (to.low < from.low ? 1U : 0U);
}

BigCount big_count_of(const Entry& entry) {
    BigCount count = entry.high;
    count <<= 64U;
    count += entry.low;
    return count;
}

// The states of one column that share a row and a last step: what the
// steps into them bring, appended as it comes, then sorted by key and each
// key's counts added up before the column is stepped from. A state's
// successors lie in three such tables, each written and read in order,
// which the processor's caches serve far better than the random reads of
// a hash table of the same states.
using Table = std::vector<Entry>;

// A column's tables, by row (from -N) and, where kept, last step:
// 2 (row + N) + (1 after a rise).
using Layer = std::vector<Table>;

Table& table_of(const Layout& layout, Layer& layer, int row, bool after_rise) {
    return layer[2 * static_cast<std::size_t>(row + layout.order) +
                 (after_rise && layout.last_step_kept ? 1 : 0)];
}

// Sorts the table's states by key and adds up the counts of each.
void gather(Table& table) {
    if (table.size() < 2) return;
    std::sort(table.begin(), table.end(), [](const Entry& a, const Entry& b) { return a.key < b.key; });
    std::size_t kept = 0;
    for (std::size_t i = 1; i < table.size(); ++i) {
        if (table[i].key == table[kept].key) {
            add_count(table[kept], table[i]);
        } else {
            table[++kept] = table[i];
        }
    }
    table.resize(kept + 1);
}

// The largest value a statistic of a path of order N can have.
int most_of(Statistic statistic, int order) {
    return statistic == Statistic::returns ? 2 * order : order;
}

bool is_counted(const CountQuestion& question, Statistic statistic) {
    return statistic == question.by[0] || (question.counted == 2 && statistic == question.by[1]);
}

// How each statistic is carried for the question; false when the filter
// keeps no path at all.
bool lay_out(const CountQuestion& question, Layout& layout) {
    layout.order = question.order;
    int shift = 0;
    for (const Statistic statistic : statistics) {
        const int most = most_of(statistic, question.order);
        const ValueRange range = allowed_values(question.filter, statistic, most);
        if (range.low > range.high) return false;
        Carried carried{0, range.low, false, shift, 0};
        if (is_counted(question, statistic) || range.high < most) {
            carried.size = range.high + 1;
        } else if (range.low > 0) {
            // Past the bottom of a range that runs to the top, all alike.
            carried.size = range.low + 1;
            carried.capped = true;
        }
        carried.mask = (Key{1} << bits_for(carried.size)) - 1;
        layout.carried[static_cast<std::size_t>(statistic)] = carried;
        shift += bits_for(carried.size);
    }
    layout.last_step_kept = layout.carried[static_cast<std::size_t>(Statistic::peaks)].size > 0;
    return true;
}

int value_in(const Layout& layout, Key key, Statistic statistic) {
    const Carried& carried = layout.carried[static_cast<std::size_t>(statistic)];
    return static_cast<int>((key >> carried.shift) & carried.mask);
}

// A step, after a rise or not, from the values `key` to `row`: the next
// values' key, or false when some filtered statistic passes its range.
bool step_key(const Layout& layout, Key key, bool after_rise, StepKind step, int row, Key& next) {
    next = 0;
    for (const Statistic statistic : statistics) {
        const Carried& carried = layout.carried[static_cast<std::size_t>(statistic)];
        if (carried.size == 0) continue;
        int value = value_in(layout, key, statistic);
        switch (statistic) {
        case Statistic::flats: value += step == StepKind::flat ? 1 : 0; break;
        case Statistic::peaks: value += step == StepKind::fall && after_rise ? 1 : 0; break;
        case Statistic::returns: value += row == 0 ? 1 : 0; break;
        case Statistic::height: value = std::max(value, row); break;
        }
        if (value >= carried.size) {
            if (!carried.capped) return false;
            value = carried.size - 1;
        }
        next |= static_cast<Key>(value) << carried.shift;
    }
    return true;
}

// Every step from the states of `from` (at `row`, after a rise or not, in
// column w of `width`) into the next columns' tables.
void step_from(const Layout& layout, bool never_below, int w, int width, int row, bool after_rise,
               const Table& from, Layer& next, Layer& after_next) {
    // Only steps after which the path can still come back to its row.
    const bool rise_fits = row + 1 <= width - w - 1;
    const bool fall_fits = !(never_below && row == 0) && std::abs(row - 1) <= width - w - 1;
    const bool flat_fits = w + 2 <= width && std::abs(row) <= width - w - 2;
    Table& rises = table_of(layout, next, row + (rise_fits ? 1 : 0), true);
    Table& falls = table_of(layout, next, row - (fall_fits ? 1 : 0), false);
    Table& flats = table_of(layout, after_next, row, false);
    for (const Entry& entry : from) {
        Key stepped = 0;
        if (rise_fits && step_key(layout, entry.key, after_rise, StepKind::rise, row + 1, stepped)) {
            rises.push_back({stepped, entry.high, entry.low});
        }
        if (fall_fits && step_key(layout, entry.key, after_rise, StepKind::fall, row - 1, stepped)) {
            falls.push_back({stepped, entry.high, entry.low});
        }
        if (flat_fits && step_key(layout, entry.key, after_rise, StepKind::flat, row, stepped)) {
            flats.push_back({stepped, entry.high, entry.low});
        }
    }
}

}  // namespace

void count_paths_jointly(bool never_below, const CountQuestion& question, CountGrid& grid) {
    const int order = question.order;
    start_grid(question, 2 * std::max(order, 0), grid);
    Layout layout{};
    if (order < 1 || order > largest_jointly_counted_path_order || !lay_out(question, layout)) {
        return;
    }
    const int width = 2 * order;
    // Three columns at once, as a flat is two wide.
    std::array<Layer, 3> layers;
    for (Layer& layer : layers) layer.resize(2 * (2 * static_cast<std::size_t>(order) + 1));
    table_of(layout, layers[0], 0, false).push_back({0, 0, 1});
    for (int w = 0; w < width; ++w) {
        Layer& here = layers[static_cast<std::size_t>(w % 3)];
        const int reach = std::min(w, width - w);
        for (int row = never_below ? 0 : -reach; row <= reach; ++row) {
            for (const bool after_rise : {false, true}) {
                if (after_rise && !layout.last_step_kept) continue;
                Table& from = table_of(layout, here, row, after_rise);
                gather(from);
                step_from(layout, never_below, w, width, row, after_rise, from,
                          layers[static_cast<std::size_t>((w + 1) % 3)],
                          layers[static_cast<std::size_t>((w + 2) % 3)]);
                Table().swap(from);
            }
        }
    }
    for (const bool after_rise : {false, true}) {
        Table& done = table_of(layout, layers[static_cast<std::size_t>(width % 3)], 0, after_rise);
        gather(done);
        for (const Entry& entry : done) {
            bool kept = true;
            for (const Statistic statistic : statistics) {
                const Carried& carried = layout.carried[static_cast<std::size_t>(statistic)];
                if (carried.size > 0 && value_in(layout, entry.key, statistic) < carried.low) {
                    kept = false;
                }
            }
            if (!kept) continue;
            const int column = question.counted == 2 ? value_in(layout, entry.key, question.by[1]) : 0;
            grid_cell(grid, value_in(layout, entry.key, question.by[0]), column) += big_count_of(entry);
        }
        done.clear();
        if (!layout.last_step_kept) break;
    }
}

void count_paths(bool never_below, const CountQuestion& question, CountGrid& grid) {
    if (!counted_alone(question)) {
        count_paths_jointly(never_below, question, grid);
        return;
    }
    CountTable counts;
    count_paths_by(question.order, never_below, question.by[0], counts);
    grid_of_table(question, counts, grid);
}
