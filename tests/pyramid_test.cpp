// The pyramid family's figure and enumerations on their own, without a
// pager.
#include <gtest/gtest.h>

#include <map>

#include "draw_figure.h"
#include "pyramid.h"
#include "test_surface.h"
#include "tilings.h"

namespace {

std::map<Colour, int> colour_counts() {
    std::map<Colour, int> counts;
    for (const Colour c : snapshot_canvas()) ++counts[c];
    return counts;
}

std::string word_steps(const std::vector<int>& word) {
    std::string text;
    for (const int symbol : word) text += symbol == 0 ? "rise " : "fall ";
    return text.substr(0, text.size() - 1);
}

// 000111, 001011, 001101, 010011, 010101; and 1, 2, 5, 14, 42 words for
// m = 1 ... 5, m = 1's one word, 01, being the last at once.
TEST(PyramidParts, DyckWordsComeInIncreasingOrderCatalanManyOfThem) {
    std::vector<int> word = {0, 0, 0, 1, 1, 1};
    std::vector<std::string> seen = {word_steps(word)};
    while (pyramid::next_dyck_word(word, 3)) seen.push_back(word_steps(word));
    EXPECT_EQ(seen, (std::vector<std::string>{
                        "rise rise rise fall fall fall", "rise rise fall rise fall fall",
                        "rise rise fall fall rise fall", "rise fall rise rise fall fall",
                        "rise fall rise fall rise fall"}));
    const int catalans[] = {1, 2, 5, 14, 42};
    for (int m = 1; m <= 5; ++m) {
        std::vector<int> first(2 * static_cast<std::size_t>(m), 1);
        std::fill(first.begin(), first.begin() + m, 0);
        int words = 1;
        while (pyramid::next_dyck_word(first, m)) ++words;
        EXPECT_EQ(words, catalans[m - 1]) << "m = " << m;
    }
}

// 89 placements of flats at order 5, the last 0101010101, all flats.
TEST(PyramidParts, FlatPlacementsEndWithEveryFlat) {
    std::vector<int> starts(10, 0);
    int placements = 1;
    while (pyramid::next_flat_placement(starts)) ++placements;
    EXPECT_EQ(placements, 89);
    EXPECT_EQ(starts, (std::vector<int>{0, 1, 0, 1, 0, 1, 0, 1, 0, 1}));
}

TEST(PyramidParts, FiveFlatsAreAllYellowWithShrinkingStacks) {
    TestSurface canvas;
    open_test_canvas(canvas);
    const FigureGeometry geometry = pyramid::geometry_of(5, steps("flat flat flat flat flat"));
    draw_figure_pixels(geometry, placement_on_page(geometry, 400, 300, 8, 8), Drawing{});
    const auto counts = colour_counts();
    EXPECT_EQ(counts.count(palette.rise_fill), 0u);
    EXPECT_EQ(counts.count(palette.fall_fill), 0u);
    // Upper stacks of 5, 4, 3, 2, 1 above the five base dominoes.
    for (int f = 0; f < 5; ++f) {
        for (int j = 0; j < 5 - f; ++j) {
            EXPECT_EQ(get_pixel(400 + 16 * f + 8 * j + 4, 300 - 8 - 8 * j), palette.flat_fill);
        }
    }
    close_test_canvas(canvas);
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
