// Flips by hand in the explorer's large view, headless: every block that
// turns makes the figure whose dominoes are the old ones with that block
// turned (found independently, by unranking the number it gives), Undo
// goes back, and random turns visit every figure about as often.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <tuple>

#include "explore.h"
#include "family_table.h"

namespace {

using Cells = std::set<std::tuple<int, int, bool>>;

// The dominoes of figure `number` of `family` at `order`, by unranking.
Cells dominoes_of(const Family& family, int order, const std::string& number) {
    FigurePath path;
    EXPECT_TRUE(family.counting.unrank_figure(order, BigCount(number), path)) << number;
    Cells cells;
    for (const Domino& domino : family.geometry_of(order, path).dominoes) {
        cells.insert({domino.column, domino.row, domino.upright});
    }
    return cells;
}

// Whether `after` is `before` with the 2 x 2 block around corner (c, r)
// turned: two parallel dominoes filling it gone, the other two in.
bool block_turned(const Cells& before, const Cells& after, int c, int r) {
    Cells gone;
    Cells come;
    std::set_difference(before.begin(), before.end(), after.begin(), after.end(),
                        std::inserter(gone, gone.end()));
    std::set_difference(after.begin(), after.end(), before.begin(), before.end(),
                        std::inserter(come, come.end()));
    const Cells across = {{c - 1, r - 1, false}, {c - 1, r, false}};
    const Cells upright = {{c - 1, r - 1, true}, {c, r - 1, true}};
    return (gone == across && come == upright) || (gone == upright && come == across);
}

}  // namespace

TEST(ExplorerTurns, EachTurnMakesTheFigureWithThatBlockTurnedAndUndoGoesBack) {
    ExploreSession* session = explore_open();
    // A family may have no block to turn (one whose figures are a row of
    // dominoes): the families together have many.
    int turns = 0;
    for (int family = 0; family < family_count; ++family) {
        const Family& shape = *family_table[static_cast<std::size_t>(family)];
        const int order = std::min(3, shape.orders.largest);
        ASSERT_GT(explore_run(session, family, order, 1, 0), 0);
        for (int index = 0; index < std::min(8, explore_page_figure_count(session)); ++index) {
            ASSERT_GE(explore_draw_large(session, index, 400, 400), 1);
            const std::string number = explore_large_number(session);
            ASSERT_EQ(number, explore_figure_number(session, index));
            const Cells before = dominoes_of(shape, order, number);
            const int cell = explore_large_origin(session, 2);
            const int corners = (explore_large_width(session) / cell) + 1;
            for (int c = 0; c < corners; ++c) {
                for (int r = 0; r < corners; ++r) {
                    if (explore_turn_block(session, index, c, r) != 0) {
                        EXPECT_NE(std::string(explore_failure(session)), "");
                        continue;
                    }
                    ++turns;
                    ASSERT_GE(explore_draw_large(session, index, 400, 400), 1);
                    const std::string turned = explore_large_number(session);
                    EXPECT_TRUE(block_turned(before, dominoes_of(shape, order, turned), c, r))
                        << shape.name << " figure " << number << " to " << turned << " at " << c << ", " << r;
                    ASSERT_EQ(explore_undo_turn(session), 0);
                    EXPECT_EQ(std::string(explore_large_number(session)), number);
                }
            }
            EXPECT_EQ(explore_turn_block(session, index, -5, -5), -1);
        }
        EXPECT_EQ(explore_undo_turn(session), -1);
    }
    EXPECT_GT(turns, 24);
    explore_close(session);
}

// Random turns from one figure, looked at every few tries, visit every
// figure of the page's order, none more than half as often again as
// another (the random source is the session's own, the same every run).
TEST(ExplorerTurns, RandomTurnsVisitEveryFigureAboutAsOften) {
    ExploreSession* session = explore_open();
    ASSERT_GT(explore_run(session, 1, 2, 1, 0), 0);
    const int total = explore_page_figure_count(session);
    ASSERT_GT(total, 3);
    ASSERT_GE(explore_draw_large(session, 0, 400, 400), 1);
    std::map<std::string, int> visits;
    for (int look = 0; look < 20000; ++look) {
        ASSERT_GE(explore_run_flips(session, 0, 5, look == 0 ? 1 : 0), 0);
        ++visits[explore_large_number(session)];
    }
    EXPECT_EQ(static_cast<int>(visits.size()), total);
    const auto [fewest, most] = std::minmax_element(
        visits.begin(), visits.end(), [](const auto& a, const auto& b) { return a.second < b.second; });
    EXPECT_LT(most->second, fewest->second * 3 / 2) << fewest->first << " " << most->first;
    // One Undo takes the whole run back.
    ASSERT_EQ(explore_undo_turn(session), 0);
    const std::string back = explore_large_number(session);
    EXPECT_EQ(back, std::string(explore_figure_number(session, 0)));
    EXPECT_EQ(explore_run_flips(session, 99, 5, 1), -1);
    explore_close(session);
}
