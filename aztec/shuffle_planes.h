// A uniformly random tiling of the Aztec diamond by domino shuffling, held
// as bit planes, a bit a cell, so that each stage of a step works on 64
// cells at once: orders up to 4,000 in seconds, with nothing but values the
// caller owns (no global state).
//
// Where a seed's tiling comes from: a std::mt19937_64 seeded with the seed
// as it is. A step from order k to k + 1 fills its new 2 x 2 blocks a pair
// of rows at a time, rows 2j and 2j + 1 of order k + 1 (whose blocks' top
// left cells lie in columns of opposite parity), from the bottom pair up.
// In a pair, each word of 64 columns, from the left, that holds the top
// left cell of a new block in either row takes the generator's next 64
// bits, and the block whose top left cell is in column c takes bit c % 64
// of them: set, two horizontal dominoes (north above south); clear, two
// upright ones (west beside east). A word without such a cell takes none.
#pragma once

#include <cstdint>
#include <random>
#include <vector>

namespace aztec {

// The largest order shuffle_tiling draws (its four planes take 32 MB).
constexpr int largest_shuffled_order = 4000;

// A tiling of the Aztec diamond of order N as four bit planes, one a
// compass class (the way domino shuffling moves the domino): rows 0 ... 2N - 1,
// each `words` 64-bit words; bit (c % 64) of word c / 64 of a row is set when
// a domino of that class has its top left cell at (c, r). North and south
// dominoes are horizontal (cells (c, r) and (c + 1, r)), east and west ones
// upright (cells (c, r) and (c, r + 1)). Row r's words start at r * words.
struct ShuffledTiling {
    int order = 0;
    int words = 0;
    std::vector<std::uint64_t> north, south, east, west;
};

// Cell (c, r) lies in the order-N diamond (the same test as aztec::in_diamond).
// A uniformly random tiling of order N (0 <= N <= 4000) for `seed`, the same
// on every platform (x86-64 Linux, 32-bit Windows built by MinGW, WebAssembly).
// Any other order gives the empty tiling of order 0.
ShuffledTiling shuffle_tiling(int order, std::uint64_t seed);

// The same shuffling a stage at a time, for showing each: the tiling as it
// stands and the random source that fills the new blocks. From order k to
// k + 1 call remove_bad_blocks, slide_dominoes and fill_new_blocks in turn;
// after N such steps from start_shuffling(seed) the tiling is exactly
// shuffle_tiling(N, seed).
struct ShufflingState {
    ShuffledTiling tiling;
    std::mt19937_64 random;
};

// Order 0 (the empty diamond), the random source seeded with `seed`.
ShufflingState start_shuffling(std::uint64_t seed);
// Takes out the bad blocks: a south domino directly above a north one, an
// east one directly left of a west one (each pair a 2 x 2 block).
void remove_bad_blocks(ShufflingState& state);
// Every domino one cell its own way, into the diamond of order k + 1, whose
// cells are those of order k moved one down and one right; the tiling is
// then of order k + 1, with its new 2 x 2 blocks empty.
void slide_dominoes(ShufflingState& state);
// Fills each empty 2 x 2 block with two dominoes, as its random bit says.
void fill_new_blocks(ShufflingState& state);

}  // namespace aztec
