// The pyramid family's figure and enumerations on their own, without a
// pager.
#include <gtest/gtest.h>

#include <map>

#include "pyramid.h"
#include "test_surface.h"
#include "tilings.h"

namespace {

// The figure and enumerations on their own, without the pager.
class PyramidParts : public ::testing::Test {
protected:
    void SetUp() override {
        open_test_canvas(canvas);
        pyramid::path_order = 5;
        pyramid::cursor_x = 400;
        pyramid::cursor_y = 300;
    }
    void TearDown() override { close_test_canvas(canvas); }
    TestSurface canvas;
};

std::map<Colour, int> colour_counts() {
    std::map<Colour, int> counts;
    for (const Colour c : snapshot_canvas()) ++counts[c];
    return counts;
}

TEST_F(PyramidParts, DyckWordsOfLengthSixComeInIncreasingOrder) {
    pyramid::flat_mask = {2, 2, 2, 2, 0, 0, 0, 0, 0, 0};
    pyramid::cursor_x = 20;
    pyramid::cursor_y = 48;
    pyramid::enumerate_dyck_words(3);
    std::vector<std::string> problems;
    const std::vector<Figure> drawn =
        decode_pages({snapshot_canvas()}, pyramid_region, pyramid_slot_xs, pyramid_slot_ys, problems);
    ASSERT_EQ(problems, std::vector<std::string>{});
    ASSERT_EQ(drawn.size(), 5u);
    // 000111, 001011, 001101, 010011, 010101 after the two flats.
    const char* words[] = {"rise rise rise fall fall fall", "rise rise fall rise fall fall",
                           "rise rise fall fall rise fall", "rise fall rise rise fall fall",
                           "rise fall rise fall rise fall"};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(drawn[i].slot, i);
        EXPECT_EQ(drawn[i].path, steps(std::string("flat flat ") + words[i])) << "word " << i;
    }
    EXPECT_EQ(pyramid::cursor_x, 20 + 5 * 95);
}

TEST_F(PyramidParts, InnerEnumerationDrawsCatalanManyFiguresAndNoneForZero) {
    const int expected[] = {0, 1, 2, 5, 14, 42};
    for (int m = 0; m <= 5; ++m) {
        pyramid::flat_mask.fill(2);
        for (int k = 0; k < 2 * m; ++k) pyramid::flat_mask[k] = 0;
        pyramid::figure_count = 0;
        pyramid::cursor_x = 20;
        pyramid::cursor_y = 48;
        pyramid::enumerate_dyck_words(m);
        EXPECT_EQ(pyramid::figure_count, expected[m]) << "m = " << m;
    }
}

TEST_F(PyramidParts, FiveFlatsAreAllYellowWithShrinkingStacks) {
    pyramid::figure_steps.fill(StepKind::flat);
    pyramid::draw_pyramid_figure();
    const auto counts = colour_counts();
    EXPECT_EQ(counts.count(palette.rise_fill), 0u);
    EXPECT_EQ(counts.count(palette.fall_fill), 0u);
    // Upper stacks of 5, 4, 3, 2, 1 above the five base dominoes.
    for (int f = 0; f < 5; ++f) {
        for (int j = 0; j < 5 - f; ++j) {
            EXPECT_EQ(get_pixel(400 + 16 * f + 8 * j + 4, 300 - 8 - 8 * j), palette.flat_fill);
        }
    }
}

// The page grid of order 5 lays the figures out as the program always has.
TEST(PyramidLayout, TheUsualOrdersSlotsAreTheListedAnchors) {
    std::vector<int> xs;
    std::vector<int> ys;
    slots_of(pyramid::page_grid_of(5), xs, ys);
    EXPECT_EQ(xs, pyramid_slot_xs);
    EXPECT_EQ(ys, pyramid_slot_ys);
}

}  // namespace
