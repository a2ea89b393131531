// Domino shuffling (after Elkies, Kuperberg, Larsen and Propp) over bit
// planes. Every cell (c, r) of the order-n diamond is a corner cell when
// c + r + n is odd: the new 2 x 2 blocks a step makes have their top left
// cell on one, a north or west domino starts on one and a south or east
// domino never does. A slide keeps that (a north domino moving from (c, r)
// to (c + 1, r) in the next order's frame stays on a corner cell), so a
// domino's class follows from where it lies and its direction alone: the
// fast path keeps two planes, horizontal and upright, and names the class
// only at the end.
//
// The fast path does a whole step in one pass over the rows, in place, a
// pair of rows at a time from the bottom up: rows y - 1 and y of order
// k + 1 need rows y - 3 ... y of order k, all still there when the rows
// below have been rewritten. Each row of the pair is slid (the bad blocks
// taken out as each domino is read) and its new blocks found, then both
// rows are filled: their blocks' top left cells lie in columns of opposite
// parity, so one random word serves both.
#include "shuffle_planes.h"

#include <algorithm>
#include <cstddef>
#include <utility>

namespace aztec {

namespace {

using Word = std::uint64_t;

constexpr Word all_ones = ~Word{0};
constexpr Word even_columns = 0x5555555555555555U;
constexpr Word odd_columns = ~even_columns;

int words_of(int order) { return (2 * order + 63) / 64; }

int first_column(int order, int r) { return r < order ? order - 1 - r : r - order; }
int last_column(int order, int r) { return 2 * order - 1 - first_column(order, r); }

// The corner cells of row r at order n (c + r + n odd).
Word corner_columns(int order, int r) { return ((r + order) & 1) != 0 ? even_columns : odd_columns; }

// The columns of word w in row r of the order-n diamond.
Word diamond_columns(int order, int r, int w) {
    const int first = first_column(order, r);
    const int last = last_column(order, r);
    if (w < first / 64 || w > last / 64) return 0;
    Word columns = all_ones;
    if (w == first / 64) columns &= all_ones << (first % 64);
    if (w == last / 64) columns &= all_ones >> (63 - last % 64);
    return columns;
}

std::size_t at(int r, int w, int stride) {
    return static_cast<std::size_t>(r) * static_cast<std::size_t>(stride) + static_cast<std::size_t>(w);
}

// Word w of a row `words` long, 0 beyond either end.
Word word_of(const std::vector<Word>& plane, int r, int w, int words) {
    return w < 0 || w >= words ? 0 : plane[at(r, w, words)];
}

// Word w of the row moved `by` columns to the right (1 or 2): column c of
// the result is column c - by of the row.
Word from_left(const std::vector<Word>& plane, int r, int w, int words, int by) {
    return (word_of(plane, r, w, words) << by) | (word_of(plane, r, w - 1, words) >> (64 - by));
}

// Word w of the row moved a column to the left.
Word from_right(const std::vector<Word>& plane, int r, int w, int words) {
    return (word_of(plane, r, w, words) >> 1) | (word_of(plane, r, w + 1, words) << 63);
}

ShuffledTiling empty_tiling(int order) {
    ShuffledTiling tiling;
    tiling.order = order;
    tiling.words = words_of(order);
    const std::size_t size = at(2 * order, 0, tiling.words);
    tiling.north.assign(size, 0);
    tiling.south.assign(size, 0);
    tiling.east.assign(size, 0);
    tiling.west.assign(size, 0);
    return tiling;
}

// The fast path's tiling: every row `stride` words, the diamond's own
// with a word of 0 on either side, so that a word's neighbours can be read
// without a test (a row's words start at offset 1). The rest is room for
// two rows of work.
struct Planes {
    int order = 0;
    int stride = 0;
    std::vector<Word> flat, upright;
    std::vector<Word> zero_row;
    // For each of a pair's rows: its dominoes as they arrive, and its open
    // corner cells (then the new blocks' top left cells).
    std::vector<Word> moved_flat[2], moved_upright[2], open[2];
    // The open cells of the row below that end a block, and of the pair's
    // lower row: each 0 outside the words last written.
    std::vector<Word> ends_below, ends_between;
    // The pair's random bits by word, and a row to stand below the last.
    std::vector<Word> bits, spare_row;
};

Word* row_of(std::vector<Word>& plane, int r, int stride) { return plane.data() + at(r, 1, stride); }

// Row y of order k + 1 as the slide leaves it, over words first ... last,
// read from the rows of order k above it (none is rewritten yet):
// - the horizontal dominoes that arrive: north ones from row y, unless a
//   south one sits above (a bad block), and south ones from row y - 2,
//   unless a north one sits below, each one column to the right;
// - the upright ones: west ones from row y - 1 where they were, unless an
//   east one sits left of them, and east ones two columns to the right,
//   unless a west one sits right of them;
// - the corner cells none of them covers, nor an east domino of row y - 2
//   (which reaches down into row y once moved): open.
// Each word is worked out from its neighbours alone, so the loop has no
// carry from word to word and vectorises.
void slide_row(Planes& planes, int y, int first, int last, int side) {
    const int stride = planes.stride;
    const Word* zero = planes.zero_row.data() + 1;
    const Word* here = row_of(planes.flat, y, stride);
    const Word* above = y >= 1 ? row_of(planes.flat, y - 1, stride) : zero;
    const Word* two_above = y >= 2 ? row_of(planes.flat, y - 2, stride) : zero;
    const Word* side_above = y >= 1 ? row_of(planes.upright, y - 1, stride) : zero;
    const Word* side_two_above = y >= 2 ? row_of(planes.upright, y - 2, stride) : zero;
    Word* moved_flat = planes.moved_flat[side].data() + 1;
    Word* moved_upright = planes.moved_upright[side].data() + 1;
    Word* open = planes.open[side].data() + 1;
    const Word corners = corner_columns(planes.order + 1, y);
    // Two loops, each with few enough rows that the compiler vectorises it.
    for (int w = first; w <= last; ++w) {
        const Word sliding = ((here[w] & ~corners) | (two_above[w] & corners)) & ~above[w];
        const Word sliding_before = ((here[w - 1] & ~corners) | (two_above[w - 1] & corners)) & ~above[w - 1];
        const Word arrived = (sliding << 1) | (sliding_before >> 63);
        // Each horizontal domino's right cell: north ones on the next
        // column, south ones (on no corner cell) on a corner cell.
        const Word right_cells = (sliding << 2) | (sliding_before >> 62);
        moved_flat[w] = arrived;
        open[w] = corners & ~(arrived | right_cells);
    }
    for (int w = first; w <= last; ++w) {
        const Word upright = side_above[w];
        const Word upright_before = side_above[w - 1];
        const Word east = upright & ~corners & ~((upright >> 1) | (side_above[w + 1] << 63));
        const Word east_before = upright_before & ~corners & ~((upright_before >> 1) | (upright << 63));
        const Word west = upright & corners & ~((upright << 1) | (upright_before >> 63));
        const Word arrived = west | (east << 2) | (east_before >> 62);

        const Word far = side_two_above[w];
        const Word far_before = side_two_above[w - 1];
        const Word far_east = far & corners & ~((far >> 1) | (side_two_above[w + 1] << 63));
        const Word far_east_before = far_before & corners & ~((far_before >> 1) | (far << 63));
        const Word reaching_down = (far_east << 2) | (far_east_before >> 62);

        moved_upright[w] = arrived;
        open[w] &= ~(arrived | reaching_down);
    }
    // Only the new diamond's cells open; the word before the first, which
    // the fill reads for a block's east domino, holds none.
    open[first - 1] = 0;
    const int first_cell = first_column(planes.order + 1, y);
    const int last_cell = last_column(planes.order + 1, y);
    for (int w = first; w <= last; ++w) {
        if (w >= first_cell / 64) break;
        open[w] = 0;
    }
    for (int w = last; w >= first; --w) {
        if (w <= last_cell / 64) break;
        open[w] = 0;
    }
    open[first_cell / 64] &= all_ones << (first_cell % 64);
    open[last_cell / 64] &= all_ones >> (63 - last_cell % 64);
}

// The open cells are the new blocks' top left and bottom right cells, so
// along a diagonal they alternate, each run of them ending (at its bottom
// right) on a bottom right cell: an open cell is a block's top left cell
// when the cell down and right of it is open and ends a block. `open`
// becomes the row's top left cells; `ends` (0 outside first ... last) its
// cells that end a block.
void find_block_tops(Word* open, const Word* ends_below, Word* ends, int first, int last) {
    for (int w = first; w <= last; ++w) {
        const Word tops = open[w] & ((ends_below[w] >> 1) | (ends_below[w + 1] << 63));
        ends[w] = open[w] & ~tops;
        open[w] = tops;
    }
}

void clear_words(std::vector<Word>& row, int first, int last) {
    std::fill(row.begin() + 1 + first, row.begin() + 2 + last, Word{0});
}

// One step, order k to k + 1, in place, a pair of rows at a time from the
// bottom up (the rows of order k above a pair still there when it is
// rewritten): both rows slid and their new blocks found, then filled, each
// word of the pair that holds a block's top left cell taking 64 random bits.
void shuffle_step(Planes& planes, std::mt19937_64& random) {
    const int k = planes.order;
    const int n = k + 1;
    const int stride = planes.stride;
    int ends_first = 0;
    int ends_last = -1;
    for (int lower = 2 * n - 1; lower >= 1; lower -= 2) {
        const int upper = lower - 1;
        // Both orders' cells of both rows are rewritten (the slide reads a
        // word's neighbours from the rows themselves, whatever the range).
        int first = std::min(first_column(n, lower), first_column(n, upper));
        int last = std::max(last_column(n, lower), last_column(n, upper));
        for (const int y : {lower, upper}) {
            if (y >= 2 * k) continue;
            first = std::min(first, first_column(k, y));
            last = std::max(last, last_column(k, y));
        }
        const int first_word = first / 64;
        const int last_word = last / 64;

        slide_row(planes, lower, first_word, last_word, 0);
        find_block_tops(planes.open[0].data() + 1, planes.ends_below.data() + 1,
                        planes.ends_between.data() + 1, first_word, last_word);
        if (ends_first <= ends_last) clear_words(planes.ends_below, ends_first, ends_last);
        slide_row(planes, upper, first_word, last_word, 1);
        find_block_tops(planes.open[1].data() + 1, planes.ends_between.data() + 1,
                        planes.ends_below.data() + 1, first_word, last_word);
        clear_words(planes.ends_between, first_word, last_word);
        ends_first = first_word;
        ends_last = last_word;

        // The bits first, then the blocks filled in a loop that vectorises.
        const Word* lower_tops = planes.open[0].data() + 1;
        const Word* upper_tops = planes.open[1].data() + 1;
        Word* bits = planes.bits.data() + 1;
        for (int w = first_word; w <= last_word; ++w) {
            bits[w] = (lower_tops[w] | upper_tops[w]) != 0 ? random() : 0;
        }
        const Word* lower_flat = planes.moved_flat[0].data() + 1;
        const Word* lower_upright = planes.moved_upright[0].data() + 1;
        const Word* upper_flat = planes.moved_flat[1].data() + 1;
        const Word* upper_upright = planes.moved_upright[1].data() + 1;
        // No block starts on a diamond's last row: its row below is a spare.
        Word* flat_below = lower + 1 < 2 * n ? row_of(planes.flat, lower + 1, stride) : planes.spare_row.data() + 1;
        Word* flat_lower = row_of(planes.flat, lower, stride);
        Word* upright_lower = row_of(planes.upright, lower, stride);
        Word* flat_upper = row_of(planes.flat, upper, stride);
        Word* upright_upper = row_of(planes.upright, upper, stride);
        // A loop a row written, each few enough rows to vectorise.
        for (int w = first_word; w <= last_word; ++w) flat_below[w] |= lower_tops[w] & bits[w];
        for (int w = first_word; w <= last_word; ++w) {
            flat_lower[w] = lower_flat[w] | ((lower_tops[w] | upper_tops[w]) & bits[w]);
        }
        for (int w = first_word; w <= last_word; ++w) flat_upper[w] = upper_flat[w] | (upper_tops[w] & bits[w]);
        for (int w = first_word; w <= last_word; ++w) {
            const Word west = lower_tops[w] & ~bits[w];
            upright_lower[w] = lower_upright[w] | west | (west << 1) | ((lower_tops[w - 1] & ~bits[w - 1]) >> 63);
        }
        for (int w = first_word; w <= last_word; ++w) {
            const Word west = upper_tops[w] & ~bits[w];
            upright_upper[w] = upper_upright[w] | west | (west << 1) | ((upper_tops[w - 1] & ~bits[w - 1]) >> 63);
        }
    }
    if (ends_first <= ends_last) clear_words(planes.ends_below, ends_first, ends_last);
    planes.order = n;
}

Planes empty_planes(int largest_order) {
    Planes planes;
    planes.stride = words_of(largest_order) + 2;
    const std::size_t size = at(2 * largest_order, 0, planes.stride);
    planes.flat.assign(size, 0);
    planes.upright.assign(size, 0);
    const auto row = static_cast<std::size_t>(planes.stride);
    planes.zero_row.assign(row, 0);
    for (int side = 0; side < 2; ++side) {
        planes.moved_flat[side].assign(row, 0);
        planes.moved_upright[side].assign(row, 0);
        planes.open[side].assign(row, 0);
    }
    planes.ends_below.assign(row, 0);
    planes.ends_between.assign(row, 0);
    planes.bits.assign(row, 0);
    planes.spare_row.assign(row, 0);
    return planes;
}

// Splits a plane of the fast path's rows into the classes starting on
// corner cells (kept in `plane`, now rows of `words` words) and the others.
void split_by_corners(std::vector<Word>& plane, std::vector<Word>& others, int order, int stride,
                      int words) {
    others.assign(at(2 * order, 0, words), 0);
    for (int r = 0; r < 2 * order; ++r) {
        const Word corners = corner_columns(order, r);
        for (int w = 0; w < words; ++w) {
            const Word bits = plane[at(r, w + 1, stride)];
            plane[at(r, w, words)] = bits & corners;
            others[at(r, w, words)] = bits & ~corners;
        }
    }
    plane.resize(at(2 * order, 0, words));
}

}  // namespace

ShuffledTiling shuffle_tiling(int order, std::uint64_t seed) {
    if (order < 0 || order > largest_shuffled_order) return ShuffledTiling{};
    std::mt19937_64 random(seed);
    Planes planes = empty_planes(order);
    while (planes.order < order) shuffle_step(planes, random);
    ShuffledTiling tiling;
    tiling.order = order;
    tiling.words = words_of(order);
    // Rows compacted in place, so that the four planes take no more room
    // than the two did.
    split_by_corners(planes.flat, tiling.south, order, planes.stride, tiling.words);
    tiling.north = std::move(planes.flat);
    split_by_corners(planes.upright, tiling.east, order, planes.stride, tiling.words);
    tiling.west = std::move(planes.upright);
    return tiling;
}

ShufflingState start_shuffling(std::uint64_t seed) {
    ShufflingState state;
    state.tiling = empty_tiling(0);
    state.random.seed(seed);
    return state;
}

void remove_bad_blocks(ShufflingState& state) {
    ShuffledTiling& tiling = state.tiling;
    const int rows = 2 * tiling.order;
    const int words = tiling.words;
    std::vector<Word> bad(static_cast<std::size_t>(words));
    for (int r = 0; r < rows; ++r) {
        for (int w = 0; r + 1 < rows && w < words; ++w) {
            const Word pairs = tiling.south[at(r, w, words)] & tiling.north[at(r + 1, w, words)];
            tiling.south[at(r, w, words)] &= ~pairs;
            tiling.north[at(r + 1, w, words)] &= ~pairs;
        }
        // Found for the whole row before any goes: a west domino's bad
        // block is named by the east one, a column to its left.
        for (int w = 0; w < words; ++w) {
            bad[w] = tiling.east[at(r, w, words)] & from_right(tiling.west, r, w, words);
        }
        for (int w = 0; w < words; ++w) {
            tiling.east[at(r, w, words)] &= ~bad[w];
            tiling.west[at(r, w, words)] &= ~((bad[w] << 1) | (w > 0 ? bad[w - 1] >> 63 : 0));
        }
    }
}

void slide_dominoes(ShufflingState& state) {
    const ShuffledTiling& old = state.tiling;
    ShuffledTiling next = empty_tiling(old.order + 1);
    for (int r = 0; r < 2 * old.order; ++r) {
        for (int w = 0; w < next.words; ++w) {
            next.north[at(r, w, next.words)] |= from_left(old.north, r, w, old.words, 1);
            next.south[at(r + 2, w, next.words)] |= from_left(old.south, r, w, old.words, 1);
            next.east[at(r + 1, w, next.words)] |= from_left(old.east, r, w, old.words, 2);
            next.west[at(r + 1, w, next.words)] |= word_of(old.west, r, w, old.words);
        }
    }
    state.tiling = std::move(next);
}

void fill_new_blocks(ShufflingState& state) {
    ShuffledTiling& tiling = state.tiling;
    const int n = tiling.order;
    const int words = tiling.words;
    // Row by row from the top, an open corner cell is a new block's top
    // left cell unless the block up and left of it covers it.
    std::vector<Word> tops(at(2 * n, 0, words), 0);
    for (int r = 0; r < 2 * n; ++r) {
        for (int w = 0; w < words; ++w) {
            Word covered = tiling.north[at(r, w, words)] | from_left(tiling.north, r, w, words, 1) |
                           tiling.south[at(r, w, words)] | from_left(tiling.south, r, w, words, 1) |
                           tiling.east[at(r, w, words)] | tiling.west[at(r, w, words)];
            if (r > 0) {
                covered |= tiling.east[at(r - 1, w, words)] | tiling.west[at(r - 1, w, words)];
            }
            const Word open = diamond_columns(n, r, w) & corner_columns(n, r) & ~covered;
            tops[at(r, w, words)] = r > 0 ? open & ~from_left(tops, r - 1, w, words, 1) : open;
        }
    }
    for (int lower = 2 * n - 1; lower >= 1; lower -= 2) {
        for (int w = 0; w < words; ++w) {
            const Word lower_tops = tops[at(lower, w, words)];
            const Word upper_tops = tops[at(lower - 1, w, words)];
            if ((lower_tops | upper_tops) == 0) continue;
            const Word bits = state.random();
            for (const auto& [r, block_tops] : {std::pair<int, Word>{lower, lower_tops}, {lower - 1, upper_tops}}) {
                const Word flat = block_tops & bits;
                const Word upright = block_tops & ~bits;
                // Within the planes even when the stages were called out of
                // turn (a block then reaching out of the diamond).
                tiling.north[at(r, w, words)] |= flat;
                if (r + 1 < 2 * n) tiling.south[at(r + 1, w, words)] |= flat;
                tiling.west[at(r, w, words)] |= upright;
                tiling.east[at(r, w, words)] |= upright << 1;
                if (w + 1 < words) tiling.east[at(r, w + 1, words)] |= upright >> 63;
            }
        }
    }
}

}  // namespace aztec
