// Random moves (Glauber dynamics) on the Aztec diamond's random tilings:
// each tiling they make is a figure of the family drawn as the family
// draws it, its classes, roles and paths included; the same moves give the
// same tiling however they are split; and from one tiling they visit every
// tiling of a small order about as often.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>

#include "aztec.h"
#include "glauber.h"

namespace {

bool same_dominoes(const FigureGeometry& a, const FigureGeometry& b) {
    return std::equal(a.dominoes.begin(), a.dominoes.end(), b.dominoes.begin(), b.dominoes.end(),
                      [](const Domino& x, const Domino& y) {
                          return x.column == y.column && x.row == y.row && x.upright == y.upright &&
                                 x.role == y.role && x.compass == y.compass;
                      });
}

bool same_paths(const FigureGeometry& a, const FigureGeometry& b) {
    return std::equal(a.paths.begin(), a.paths.end(), b.paths.begin(), b.paths.end(),
                      [](const std::vector<LatticePoint>& x, const std::vector<LatticePoint>& y) {
                          return std::equal(x.begin(), x.end(), y.begin(), y.end(),
                                            [](const LatticePoint& p, const LatticePoint& q) {
                                                return p.x == q.x && p.row == q.row;
                                            });
                      });
}

std::string cells_of(const PartnerGrid& grid) {
    return std::string(reinterpret_cast<const char*>(grid.partner.data()), grid.partner.size());
}

}  // namespace

// At the numbered orders the figure moved to is the one its number
// unranks to; past them, the one its paths make. Either way dominoes,
// classes, roles and paths are the family's own drawing of it.
TEST(Glauber, EveryTilingMovedToIsTheFamilysOwnFigure) {
    const Family& family = aztec::family;
    int changed = 0;
    for (const int order : {3, 5, 9, 40}) {
        for (const std::uint64_t moves : {1ULL, 30ULL, 5000ULL}) {
            const std::uint64_t seed = 100 * static_cast<std::uint64_t>(order) + moves;
            const ChosenFigure before = random_figure(family, order, seed, true);
            const ChosenFigure moved = random_figure_moved(family, order, seed, moves, true);
            if (moves == 5000) changed += same_dominoes(before.geometry, moved.geometry) ? 0 : 1;
            ASSERT_FALSE(moved.path.empty()) << order << " " << moves;
            FigurePath path = moved.path;
            if (order <= family.counting.largest_order) {
                ASSERT_NE(moved.number, 0) << order << " " << moves;
                ASSERT_TRUE(family.counting.unrank_figure(order, moved.number, path));
                EXPECT_EQ(path, moved.path);
            }
            const FigureGeometry own = family.geometry_of(order, path);
            EXPECT_TRUE(same_dominoes(own, moved.geometry)) << order << " " << moves;
            EXPECT_TRUE(same_paths(own, moved.geometry)) << order << " " << moves;
        }
    }
    EXPECT_EQ(changed, 4);
}

// The explorer moves a tiling a frame at a time and the exporter at once:
// both must end on the same tiling. And a figure asked for without its
// paths gets none.
TEST(Glauber, TheSameMovesInRunsOfAnySizeGiveTheSameTiling) {
    const ChosenFigure start = random_figure(aztec::family, 30, 7, false);
    PartnerGrid whole = partners_of(start.geometry);
    std::mt19937_64 once = moves_random(7);
    const std::uint64_t turned = glauber_moves(whole, once, 100000);
    EXPECT_GT(turned, 1000U);
    PartnerGrid split = partners_of(start.geometry);
    std::mt19937_64 runs = moves_random(7);
    std::uint64_t done = 0;
    std::uint64_t turned_in_runs = 0;
    for (std::uint64_t run = 1; done < 100000; run *= 3) {
        const std::uint64_t moves = std::min<std::uint64_t>(run, 100000 - done);
        turned_in_runs += glauber_moves(split, runs, moves);
        done += moves;
    }
    EXPECT_EQ(turned_in_runs, turned);
    EXPECT_EQ(cells_of(split), cells_of(whole));
    const ChosenFigure moved = random_figure_moved(aztec::family, 30, 7, 100000, false);
    EXPECT_TRUE(moved.geometry.paths.empty());
    EXPECT_EQ(cells_of(partners_of(moved.geometry)), cells_of(whole));
    EXPECT_NE(cells_of(partners_of(start.geometry)), cells_of(whole));
}

// Order 2's eight tilings, looked at every 50 moves from one of them: each
// seen, none half as often again as another (the draws are the seed's,
// the same every run).
TEST(Glauber, MovesVisitEveryTilingAboutAsOften) {
    PartnerGrid grid = partners_of(random_figure(aztec::family, 2, 3, false).geometry);
    std::mt19937_64 random = moves_random(3);
    std::map<std::string, int> seen;
    for (int look = 0; look < 40000; ++look) {
        glauber_moves(grid, random, 50);
        ++seen[cells_of(grid)];
    }
    ASSERT_EQ(seen.size(), 8U);
    const auto [fewest, most] = std::minmax_element(
        seen.begin(), seen.end(), [](const auto& a, const auto& b) { return a.second < b.second; });
    EXPECT_LT(most->second, fewest->second * 3 / 2);
}
