// A uniformly random tiling of the Aztec diamond by domino shuffling (after
// Elkies, Kuperberg, Larsen and Propp). From order k to k + 1: the pairs
// of dominoes that would run into each other are taken out, every other
// domino slides one cell its own way (north, south, east or west), and
// each 2 x 2 hole left is filled, as a coin decides, with two horizontal
// dominoes (north above south) or two vertical ones (west beside east).
// Each domino is kept at its top left cell.
#include <algorithm>

#include "aztec.h"
#include "random_draw.h"

namespace aztec {

namespace {

enum class Move : std::uint8_t { none, north, south, east, west };

// The dominoes' moves and the cells covered, on a square of `side` cells.
struct Board {
    int side;
    std::vector<Move> moves;
    std::vector<bool> covered;
};

Move& move_at(Board& board, int c, int r) {
    return board.moves[static_cast<std::size_t>(r) * static_cast<std::size_t>(board.side) +
                       static_cast<std::size_t>(c)];
}

// Coin flips, 64 to a draw, the lowest bit first.
struct Coins {
    RandomDraws draws;
    std::uint64_t bits = 0;
    int left = 0;
};

bool flip_coin(Coins& coins) {
    if (coins.left == 0) {
        coins.bits = random_bits(coins.draws);
        coins.left = 64;
    }
    const bool heads = (coins.bits & 1U) != 0;
    coins.bits >>= 1U;
    --coins.left;
    return heads;
}

// Takes out the pairs that would collide: a south mover above a north
// mover, an east mover left of a west mover, in one 2 x 2 block.
void take_out_collisions(Board& board, int side) {
    for (int r = 0; r + 1 < side; ++r) {
        for (int c = 0; c + 1 < side; ++c) {
            if (move_at(board, c, r) == Move::south && move_at(board, c, r + 1) == Move::north) {
                move_at(board, c, r) = move_at(board, c, r + 1) = Move::none;
            } else if (move_at(board, c, r) == Move::east &&
                       move_at(board, c + 1, r) == Move::west) {
                move_at(board, c, r) = move_at(board, c + 1, r) = Move::none;
            }
        }
    }
}

void cover(Board& board, int c, int r, Move move) {
    const auto at = [&board](int column, int row) {
        return static_cast<std::size_t>(row) * static_cast<std::size_t>(board.side) +
               static_cast<std::size_t>(column);
    };
    board.covered[at(c, r)] = true;
    if (move == Move::north || move == Move::south) {
        board.covered[at(c + 1, r)] = true;
    } else {
        board.covered[at(c, r + 1)] = true;
    }
}

// Every domino of the order-k diamond one cell its own way, in the order
// k + 1 diamond, whose cells are those of order k moved one down and right.
void slide(Board& from, Board& to, int side) {
    const int larger = side + 2;
    for (int r = 0; r < larger; ++r) {
        const std::size_t row = static_cast<std::size_t>(r) * static_cast<std::size_t>(to.side);
        std::fill(to.moves.begin() + static_cast<std::ptrdiff_t>(row),
                  to.moves.begin() + static_cast<std::ptrdiff_t>(row) + larger, Move::none);
        std::fill(to.covered.begin() + static_cast<std::ptrdiff_t>(row),
                  to.covered.begin() + static_cast<std::ptrdiff_t>(row) + larger, false);
    }
    for (int r = 0; r < side; ++r) {
        for (int c = 0; c < side; ++c) {
            const Move move = move_at(from, c, r);
            if (move == Move::none) continue;
            const int row = r + 1 + (move == Move::north ? -1 : move == Move::south ? 1 : 0);
            const int column = c + 1 + (move == Move::west ? -1 : move == Move::east ? 1 : 0);
            move_at(to, column, row) = move;
            cover(to, column, row, move);
        }
    }
}

// Each hole's top left cell is the first uncovered one met, row by row.
void fill_holes(Board& board, int order, Coins& coins) {
    for (int r = 0; r < 2 * order; ++r) {
        for (int c = 0; c < 2 * order; ++c) {
            if (board.covered[static_cast<std::size_t>(r) * static_cast<std::size_t>(board.side) +
                              static_cast<std::size_t>(c)] ||
                !in_diamond(order, c, r)) {
                continue;
            }
            if (flip_coin(coins)) {
                move_at(board, c, r) = Move::north;
                move_at(board, c, r + 1) = Move::south;
                cover(board, c, r, Move::north);
                cover(board, c, r + 1, Move::south);
            } else {
                move_at(board, c, r) = Move::west;
                move_at(board, c + 1, r) = Move::east;
                cover(board, c, r, Move::west);
                cover(board, c + 1, r, Move::east);
            }
        }
    }
}

}  // namespace

Tiling shuffled_tiling(int order, std::uint64_t seed) {
    // Every board is as large as the last: cells of order k are those of
    // the square's top left 2k x 2k.
    const int side = std::max(2 * order, 2);
    const std::size_t cells = static_cast<std::size_t>(side) * static_cast<std::size_t>(side);
    Board boards[2] = {{side, std::vector<Move>(cells, Move::none), std::vector<bool>(cells)},
                       {side, std::vector<Move>(cells, Move::none), std::vector<bool>(cells)}};
    Coins coins{random_draws_from(seed)};
    int current = 0;
    for (int k = 0; k < order; ++k) {
        take_out_collisions(boards[current], 2 * k);
        slide(boards[current], boards[1 - current], 2 * k);
        current = 1 - current;
        fill_holes(boards[current], k + 1, coins);
    }
    Tiling tiling;
    tiling.order = order;
    tiling.cells.assign(static_cast<std::size_t>(2 * order) * static_cast<std::size_t>(2 * order),
                        Partner::none);
    Board& board = boards[current];
    for (int r = 0; r < 2 * order; ++r) {
        for (int c = 0; c < 2 * order; ++c) {
            const Move move = move_at(board, c, r);
            if (move == Move::north || move == Move::south) {
                partner_at(tiling, c, r) = Partner::right;
                partner_at(tiling, c + 1, r) = Partner::left;
            } else if (move == Move::east || move == Move::west) {
                partner_at(tiling, c, r) = Partner::below;
                partner_at(tiling, c, r + 1) = Partner::above;
            }
        }
    }
    return tiling;
}

}  // namespace aztec
