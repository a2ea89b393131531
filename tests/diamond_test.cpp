// The diamond family's figure and enumeration on their own, without a pager.
#include <gtest/gtest.h>

#include <algorithm>

#include "diamond.h"
#include "draw_figure.h"
#include "test_surface.h"
#include "tilings.h"

namespace {

// The path over its dominoes: from the middle of the figure's left edge on
// row 0, one pixel a column plus ten a rise or fall, back to row 0 at the
// right edge; nothing of it without the paths drawn.
TEST(DiamondParts, ThePathRunsEdgeToEdgeOverItsDominoes) {
    TestSurface canvas;
    open_test_canvas(canvas);
    const FigureGeometry geometry = diamond::geometry_of(4, steps("flat rise flat fall flat"));
    const Placement placement = placement_on_page(geometry, 400, 300, 10, 10);
    Drawing drawing;
    draw_figure_pixels(geometry, placement, drawing);
    const std::vector<Colour> plain = snapshot_canvas();
    EXPECT_EQ(std::count(plain.begin(), plain.end(), palette.path), 0);
    drawing.paths = true;
    draw_figure_pixels(geometry, placement, drawing);
    const std::vector<Colour> drawn = snapshot_canvas();
    EXPECT_EQ(std::count(drawn.begin(), drawn.end(), palette.path), 1 + 80 + 2 * 10);
    EXPECT_EQ(get_pixel(395, 300), palette.path);
    EXPECT_EQ(get_pixel(475, 300), palette.path);
    EXPECT_EQ(get_pixel(425, 290), palette.path);  // where the rise ends
    for (std::size_t i = 0; i < drawn.size(); ++i) {
        EXPECT_TRUE(drawn[i] == plain[i] || drawn[i] == palette.path) << i;
    }
    close_test_canvas(canvas);
}

// Two rises, two falls and two flats: the 90 arrangements, each once, in
// increasing lexicographic order, the last one falls, rises, flats.
TEST(DiamondParts, ArrangementsComeOnceEachInIncreasingOrder) {
    FigurePath arrangement = steps("rise rise fall fall flat flat");
    std::vector<FigurePath> seen = {arrangement};
    while (diamond::next_arrangement(arrangement, 6)) seen.push_back(arrangement);
    EXPECT_EQ(seen.size(), 90u);
    EXPECT_TRUE(std::is_sorted(seen.begin(), seen.end()));
    EXPECT_EQ(std::adjacent_find(seen.begin(), seen.end()), seen.end());
    EXPECT_EQ(seen.back(), steps("flat flat fall fall rise rise"));
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
