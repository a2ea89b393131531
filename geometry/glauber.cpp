#include "glauber.h"

#include <algorithm>

namespace {

std::size_t cell_at(const PartnerGrid& grid, int c, int r) {
    return static_cast<std::size_t>(r) * static_cast<std::size_t>(grid.columns) + static_cast<std::size_t>(c);
}

void set_partner(PartnerGrid& grid, int c, int r, CellPartner partner) {
    if (c >= 0 && r >= 0 && c < grid.columns && r < grid.rows) grid.partner[cell_at(grid, c, r)] = partner;
}

}  // namespace

PartnerGrid partners_of(const FigureGeometry& geometry) {
    PartnerGrid grid;
    grid.columns = std::max(geometry.columns, 0);
    grid.rows = std::max(geometry.rows, 0);
    grid.partner.assign(static_cast<std::size_t>(grid.columns) * static_cast<std::size_t>(grid.rows),
                        CellPartner::none);
    for (const Domino& domino : geometry.dominoes) {
        if (domino.upright) {
            set_partner(grid, domino.column, domino.row, CellPartner::below);
            set_partner(grid, domino.column, domino.row + 1, CellPartner::above);
        } else {
            set_partner(grid, domino.column, domino.row, CellPartner::right);
            set_partner(grid, domino.column + 1, domino.row, CellPartner::left);
        }
    }
    return grid;
}

std::mt19937_64 moves_random(std::uint64_t seed) {
    // "Glauber", after the seed's two halves: no figure's draws start so.
    std::seed_seq words{static_cast<std::uint32_t>(seed), static_cast<std::uint32_t>(seed >> 32),
                        0x476c6175U, 0x62657200U};
    return std::mt19937_64(words);
}

std::uint64_t glauber_moves(PartnerGrid& grid, std::mt19937_64& random, std::uint64_t moves) {
    if (grid.columns < 2 || grid.rows < 2) return 0;
    const std::uint64_t across = static_cast<std::uint64_t>(grid.columns) - 1;
    const std::uint64_t corners = across * (static_cast<std::uint64_t>(grid.rows) - 1);
    std::uint64_t mask = 1;
    while (mask < corners) mask = mask << 1 | 1;
    const std::size_t row = static_cast<std::size_t>(grid.columns);
    CellPartner* cells = grid.partner.data();
    std::uint64_t turned = 0;
    for (std::uint64_t move = 0; move < moves; ++move) {
        // One draw a try: the coin its lowest bit, the corner the bits above.
        std::uint64_t draw = random();
        while ((draw >> 1 & mask) >= corners) draw = random();
        if ((draw & 1) == 0) continue;
        const std::uint64_t corner = draw >> 1 & mask;
        // The block's top left cell, and the cell below it.
        CellPartner* top = cells + static_cast<std::size_t>(corner / across) * row +
                           static_cast<std::size_t>(corner % across);
        CellPartner* bottom = top + row;
        if (top[0] == CellPartner::right && bottom[0] == CellPartner::right) {
            top[0] = top[1] = CellPartner::below;
            bottom[0] = bottom[1] = CellPartner::above;
            ++turned;
        } else if (top[0] == CellPartner::below && top[1] == CellPartner::below) {
            top[0] = bottom[0] = CellPartner::right;
            top[1] = bottom[1] = CellPartner::left;
            ++turned;
        }
    }
    return turned;
}

void lay_dominoes(const PartnerGrid& grid, int order, DominoLaid laid, FigureGeometry& geometry) {
    geometry.dominoes.clear();
    for (int r = 0; r < grid.rows; ++r) {
        const CellPartner* cells = grid.partner.data() + cell_at(grid, 0, r);
        for (int c = 0; c < grid.columns; ++c) {
            if (cells[c] == CellPartner::right) geometry.dominoes.push_back(laid(order, c, r, false));
            if (cells[c] == CellPartner::below) geometry.dominoes.push_back(laid(order, c, r, true));
        }
    }
}
