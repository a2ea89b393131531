// The family table as the build makes it from the family folders: every
// row sound on its own (a unique name, orders that hold together, a test
// row of its own, every paged order's figures on the page), and every
// figure's geometry the tiling its region and paths say: each cell of the
// region covered once, each path's steps on the dominoes of their kind.
#include <gtest/gtest.h>

#include <map>
#include <set>

#include "family_cases.h"
#include "family_table.h"
#include "recording_pager.h"

namespace {

TEST(FamilyTable, EveryRowHoldsTogetherAndHasItsTestRow) {
    std::set<std::string> names;
    ASSERT_EQ(family_cases.size(), family_table.size());
    for (std::size_t i = 0; i < family_table.size(); ++i) {
        const Family& family = *family_table[i];
        SCOPED_TRACE(family.name);
        EXPECT_TRUE(names.insert(family.name).second) << "two families share a name";
        EXPECT_EQ(find_family(family.name), &family);
        EXPECT_STREQ(family_cases[i].name, family.name);
        EXPECT_GE(family.orders.usual, 1);
        EXPECT_LE(family.orders.usual, family.orders.largest);
        EXPECT_GE(family.counting.largest_order, family.orders.largest);
        EXPECT_GE(family.random.largest_order, family.counting.largest_order);
        EXPECT_GE(family.cell, 4);
        EXPECT_NE(family.summary[0], '\0');
        // A family that counts answers every question at its paged orders,
        // where the explorer's panel asks them.
        if (family.counting.count != nullptr) {
            for (const int largest : family.counting.limits.alone) {
                EXPECT_GE(largest, family.orders.largest);
            }
            EXPECT_GE(family.counting.limits.jointly, family.orders.largest);
        }
        // Its figures of every paged order, each where its page puts it.
        for (int order = 1; order <= family.orders.largest; ++order) {
            const PageGrid grid = family.page_grid_of(order);
            FigurePath path;
            ASSERT_TRUE(family.counting.unrank_figure(order, 1, path));
            const FigureGeometry geometry = family.geometry_of(order, path);
            for (const auto& [x, y] : {std::pair<int, int>{grid.first_x, grid.first_y},
                                       std::pair<int, int>{grid.last_x, grid.last_y}}) {
                const Box box = figure_box(
                    geometry, placement_on_page(geometry, x, y, family.cell, family.cell));
                EXPECT_TRUE(box.left >= 0 && box.top >= 0 && box.right < canvas_width &&
                            box.bottom < canvas_height)
                    << "order " << order << " at (" << x << ", " << y << ")";
            }
        }
    }
}

// The geometry's cells, each with the domino that covers it.
std::map<std::pair<int, int>, const Domino*> cover(const FigureGeometry& geometry,
                                                   bool& overlapping) {
    std::map<std::pair<int, int>, const Domino*> covering;
    overlapping = false;
    for (const Domino& domino : geometry.dominoes) {
        const std::pair<int, int> cells[2] = {
            {domino.column, domino.row},
            {domino.column + (domino.upright ? 0 : 1), domino.row + (domino.upright ? 1 : 0)}};
        for (const auto& cell : cells) overlapping |= !covering.emplace(cell, &domino).second;
    }
    return covering;
}

class FamilyGeometry : public ::testing::TestWithParam<FamilyCase> {};

TEST_P(FamilyGeometry, EveryFigureCoversItsRegionOnceItsPathsOnTheirDominoes) {
    const Family& family = family_of(GetParam());
    for (int order = 1; order <= family.orders.largest; ++order) {
        // Every figure up to the usual order, past it every 37th.
        const std::size_t stride = order <= family.orders.usual ? 1 : 37;
        const Region region = GetParam().region_of(order);
        PagerState recorded;
        recorded.keep_pages = false;
        recorded.announce = true;
        record_whole_run(recorded, family, order);
        close_test_canvas(recorded.canvas);
        for (std::size_t figure = 0; figure < recorded.announced.size(); figure += stride) {
            const auto& [number, path] = recorded.announced[figure];
            const FigureGeometry geometry = family.geometry_of(order, path);
            SCOPED_TRACE("order " + std::to_string(order) + ", figure " + decimal_text(number));
            bool overlapping = false;
            const auto covering = cover(geometry, overlapping);
            ASSERT_FALSE(overlapping);
            // The region's cells, round the anchor cell, are the geometry's.
            std::set<std::pair<int, int>> cells;
            for (int r = 0; r < static_cast<int>(region.rows.size()); ++r) {
                for (int c = region.rows[static_cast<std::size_t>(r)].first;
                     c <= region.rows[static_cast<std::size_t>(r)].second; ++c) {
                    cells.insert({c + geometry.anchor_column,
                                  r + region.top_row + geometry.anchor_row});
                }
            }
            std::set<std::pair<int, int>> covered;
            for (const auto& entry : covering) covered.insert(entry.first);
            ASSERT_EQ(covered, cells);
            // Each step from a lattice point crosses the cell to its right
            // (the cell above it for a rise), whose domino is that step's.
            std::size_t step = 0;
            for (const std::vector<LatticePoint>& points : geometry.paths) {
                for (std::size_t i = 1; i < points.size(); ++i, ++step) {
                    if (step < path.size() && path[step] == StepKind::next_path) ++step;
                    ASSERT_LT(step, path.size());
                    const LatticePoint from = points[i - 1];
                    const Domino* domino = covering.at({from.x, from.row});
                    const StepKind kind = path[step];
                    const DominoRole role = kind == StepKind::rise   ? DominoRole::rise
                                            : kind == StepKind::fall ? DominoRole::fall
                                                                     : DominoRole::flat;
                    EXPECT_EQ(domino->role, role) << "step " << step;
                    EXPECT_EQ(domino->upright, kind != StepKind::flat) << "step " << step;
                    EXPECT_EQ(points[i].x - from.x, kind == StepKind::flat ? 2 : 1);
                }
            }
            EXPECT_EQ(step, path.size());
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Families, FamilyGeometry, ::testing::ValuesIn(family_cases),
                         [](const ::testing::TestParamInfo<FamilyCase>& info) {
                             return std::string(info.param.name);
                         });

}  // namespace
