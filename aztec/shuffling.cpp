// A uniformly random tiling of the Aztec diamond by domino shuffling (after
// Elkies, Kuperberg, Larsen and Propp). From order k to k + 1: the pairs
// of dominoes that would run into each other are taken out, every other
// domino slides one cell its own way (north, south, east or west), and
// each 2 x 2 hole left is filled, as a coin decides, with two horizontal
// dominoes (north above south) or two vertical ones (west beside east).
// Each domino is kept at its top left cell.
#include <algorithm>

#include "aztec.h"
#include "canvas.h"
#include "random_draw.h"

namespace aztec {

namespace {

enum class Move : std::uint8_t { none, north, south, east, west };
using Moves = std::array<std::array<Move, largest_side>, largest_side>;
std::array<Moves, 2> moves;
std::array<std::array<bool, largest_side>, largest_side> covered;

// Coin flips, 64 to a draw, the lowest bit first.
std::uint64_t coins = 0;
int coins_left = 0;
bool flip_coin() {
    if (coins_left == 0) {
        coins = random_bits();
        coins_left = 64;
    }
    const bool heads = (coins & 1U) != 0;
    coins >>= 1U;
    --coins_left;
    return heads;
}

// Takes out the pairs that would collide: a south mover above a north
// mover, an east mover left of a west mover, in one 2 x 2 block.
void take_out_collisions(Moves& grid, int side) {
    for (int r = 0; r + 1 < side; ++r) {
        for (int c = 0; c + 1 < side; ++c) {
            if (grid[r][c] == Move::south && grid[r + 1][c] == Move::north) {
                grid[r][c] = grid[r + 1][c] = Move::none;
            } else if (grid[r][c] == Move::east && grid[r][c + 1] == Move::west) {
                grid[r][c] = grid[r][c + 1] = Move::none;
            }
        }
    }
}

void cover(int c, int r, Move move) {
    covered[r][c] = true;
    if (move == Move::north || move == Move::south) {
        covered[r][c + 1] = true;
    } else {
        covered[r + 1][c] = true;
    }
}

// Every domino of the order-k diamond one cell its own way, in the order
// k + 1 diamond, whose cells are those of order k moved one down and right.
void slide(const Moves& from, Moves& to, int side) {
    const int larger = side + 2;
    for (int r = 0; r < larger; ++r) {
        std::fill(to[r].begin(), to[r].begin() + larger, Move::none);
        std::fill(covered[r].begin(), covered[r].begin() + larger, false);
    }
    for (int r = 0; r < side; ++r) {
        for (int c = 0; c < side; ++c) {
            const Move move = from[r][c];
            if (move == Move::none) continue;
            const int row = r + 1 + (move == Move::north ? -1 : move == Move::south ? 1 : 0);
            const int column = c + 1 + (move == Move::west ? -1 : move == Move::east ? 1 : 0);
            to[row][column] = move;
            cover(column, row, move);
        }
    }
}

// Each hole's top left cell is the first uncovered one met, row by row.
void fill_holes(Moves& grid, int order) {
    for (int r = 0; r < 2 * order; ++r) {
        for (int c = 0; c < 2 * order; ++c) {
            if (covered[r][c] || !in_diamond(order, c, r)) continue;
            if (flip_coin()) {
                grid[r][c] = Move::north;
                grid[r + 1][c] = Move::south;
                cover(c, r, Move::north);
                cover(c, r + 1, Move::south);
            } else {
                grid[r][c] = Move::west;
                grid[r][c + 1] = Move::east;
                cover(c, r, Move::west);
                cover(c + 1, r, Move::east);
            }
        }
    }
}

}  // namespace

bool shuffle_figure(int order, std::uint64_t seed, FigurePath& path) {
    if (order < 1 || order > largest_random_order) return false;
    seed_random_draws(seed);
    coins_left = 0;
    int current = 0;
    for (int k = 0; k < order; ++k) {
        take_out_collisions(moves[current], 2 * k);
        slide(moves[current], moves[1 - current], 2 * k);
        current = 1 - current;
        fill_holes(moves[current], k + 1);
    }
    aztec_order = order;
    const Moves& grid = moves[current];
    for (int r = 0; r < 2 * order; ++r) {
        std::fill(tiling[r].begin(), tiling[r].begin() + 2 * static_cast<std::ptrdiff_t>(order), Partner::none);
    }
    for (int r = 0; r < 2 * order; ++r) {
        for (int c = 0; c < 2 * order; ++c) {
            if (grid[r][c] == Move::north || grid[r][c] == Move::south) {
                tiling[r][c] = Partner::right;
                tiling[r][c + 1] = Partner::left;
            } else if (grid[r][c] == Move::east || grid[r][c] == Move::west) {
                tiling[r][c] = Partner::below;
                tiling[r + 1][c] = Partner::above;
            }
        }
    }
    path.count = paths_of_tiling(order, path.steps.data(), max_figure_steps);
    return path.count >= 0;
}

void draw_shuffled_alone(int order, int& width, int& height) {
    // The paths of any order drawn, for the overlay (and the listeners, who
    // keep those that fit one figure).
    static std::array<StepKind, static_cast<std::size_t>(largest_random_order) * (largest_random_order + 2)>
        steps;
    const int count = paths_of_tiling(order, steps.data(), static_cast<int>(steps.size()));
    // With a margin of a cell on every side, and the outline's last line.
    int cell = std::min(10, (canvas_height - 1) / (2 * order + 2));
    const bool outlined = cell >= 4;
    if (!outlined) cell = canvas_height / (2 * order + 2);
    width = height = (2 * order + 2) * cell + (outlined ? 1 : 0);
    draw_aztec_figure(steps.data(), count < 0 ? 0 : count, cell + cell / 2,
                      cell + order * cell + cell / 2, cell);
}

}  // namespace aztec
