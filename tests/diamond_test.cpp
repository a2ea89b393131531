// The diamond family's figure on its own, without a pager.
#include <gtest/gtest.h>

#include <algorithm>

#include "diamond.h"
#include "path_overlay.h"
#include "test_surface.h"
#include "tilings.h"

namespace {

// The figure and enumeration on their own, without the pager.
class DiamondParts : public ::testing::Test {
protected:
    // Whatever order a whole run left behind, these parts are order 4's.
    void SetUp() override {
        open_test_canvas(canvas);
        diamond::diamond_order = 4;
    }
    void TearDown() override { close_test_canvas(canvas); }
    TestSurface canvas;
};

// The path over its dominoes: from the middle of the figure's left edge on
// row 0, one pixel a column plus ten a rise or fall, back to row 0 at the
// right edge; nothing of it without the overlay.
TEST_F(DiamondParts, ThePathRunsEdgeToEdgeOverItsDominoes) {
    const std::vector<StepKind> path = steps("flat rise flat fall flat");
    std::copy(path.begin(), path.end(), diamond::arrangement.begin());
    diamond::draw_diamond_figure(1, 400, 300);
    const std::vector<Colour> plain = snapshot_canvas();
    EXPECT_EQ(std::count(plain.begin(), plain.end(), palette.path), 0);
    path_overlay = true;
    diamond::draw_diamond_figure(1, 400, 300);
    path_overlay = false;
    const std::vector<Colour> drawn = snapshot_canvas();
    EXPECT_EQ(std::count(drawn.begin(), drawn.end(), palette.path), 1 + 80 + 2 * 10);
    EXPECT_EQ(get_pixel(395, 300), palette.path);
    EXPECT_EQ(get_pixel(475, 300), palette.path);
    EXPECT_EQ(get_pixel(425, 290), palette.path);  // where the rise ends
    for (std::size_t i = 0; i < drawn.size(); ++i) {
        EXPECT_TRUE(drawn[i] == plain[i] || drawn[i] == palette.path) << i;
    }
}

TEST_F(DiamondParts, OutOfRangeCountOfRisesDrawsNothing) {
    diamond::arrangement.fill(StepKind::flat);
    diamond::draw_diamond_figure(5, 400, 300);
    diamond::draw_diamond_figure(-1, 400, 300);
    const std::vector<Colour> pixels = snapshot_canvas();
    EXPECT_TRUE(std::all_of(pixels.begin(), pixels.end(),
                            [](Colour c) { return c == palette.background; }));
}

// The page grid of order 4 lays the figures out as the program always has.
TEST(DiamondLayout, TheUsualOrdersSlotsAreTheListedAnchors) {
    std::vector<int> xs;
    std::vector<int> ys;
    slots_of(diamond::page_grid_of(4), xs, ys);
    EXPECT_EQ(xs, diamond_slot_xs);
    EXPECT_EQ(ys, diamond_slot_ys);
}

}  // namespace
