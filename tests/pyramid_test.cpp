// The pyramid program run headlessly to the end: its pages are read back
// pixel by pixel and checked against tilings found independently.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <map>

#include "exported_pages.h"
#include "pyramid.h"
#include "recording_pager.h"
#include "tilings.h"

namespace {

const std::vector<int>& slot_xs = pyramid_slot_xs;
const std::vector<int>& slot_ys = pyramid_slot_ys;

class PyramidRun : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        testing::internal::CaptureStdout();
        record_whole_run();
        printed = testing::internal::GetCapturedStdout();
        figures = decode_pages(recorded_run.pages, pyramid_region, slot_xs, slot_ys, problems);
    }
    static std::string printed;
    static std::vector<Figure> figures;
    static std::vector<std::string> problems;
};
std::string PyramidRun::printed;
std::vector<Figure> PyramidRun::figures;
std::vector<std::string> PyramidRun::problems;

int flats_in(const std::vector<StepKind>& path) {
    return static_cast<int>(std::count(path.begin(), path.end(), StepKind::flat));
}

TEST_F(PyramidRun, DrawsEveryTilingOfTheTriangleExactlyOnceAndPrintsTheCount) {
    ASSERT_EQ(problems, std::vector<std::string>{});
    EXPECT_EQ(cell_count(pyramid_region), 40);
    expect_every_tiling_once(figures, pyramid_region, 394);
    EXPECT_EQ(printed, "394");
}

TEST_F(PyramidRun, EveryPageMatchesItsReferenceRenderingPixelForPixel) {
    ASSERT_EQ(problems, std::vector<std::string>{});
    EXPECT_TRUE(recorded_run.guards_intact_at_every_page);
    expect_pages_match_reference(recorded_run.pages, figures, pyramid_region, slot_xs, slot_ys);
}

TEST_F(PyramidRun, SevenPagesOfSixtyFourFiguresFilledRowByRowThenTen) {
    ASSERT_EQ(recorded_run.pages.size(), 7u);
    EXPECT_EQ(recorded_run.finish_calls, 1);
    std::vector<int> per_page(7, 0);
    for (const Figure& figure : figures) {
        EXPECT_EQ(figure.slot, per_page[figure.page]) << "page " << figure.page + 1;
        ++per_page[figure.page];
    }
    EXPECT_EQ(per_page, (std::vector<int>{64, 64, 64, 64, 64, 64, 10}));
}

TEST_F(PyramidRun, FiguresComeInTheListedOrder) {
    ASSERT_EQ(figures.size(), 394u);
    EXPECT_EQ(figures[0].path, steps("rise rise rise rise rise fall fall fall fall fall"));
    EXPECT_EQ(figures[41].path, steps("rise fall rise fall rise fall rise fall rise fall"));
    EXPECT_EQ(figures[42].path, steps("rise rise rise rise fall fall fall fall flat"));
    EXPECT_EQ(figures[392].path, steps("flat flat flat flat rise fall"));
    EXPECT_EQ(figures[393].path, steps("flat flat flat flat flat"));
    std::map<int, int> per_flats;
    for (const Figure& figure : figures) ++per_flats[flats_in(figure.path)];
    EXPECT_EQ(per_flats,
              (std::map<int, int>{{0, 42}, {1, 126}, {2, 140}, {3, 70}, {4, 15}, {5, 1}}));
}

TEST_F(PyramidRun, ExportedPagesAreTheHeadlessPagesPixelForPixel) {
    expect_exported_pages_match(EXPORTER, recorded_run.pages, recorded_run.canvas.surface->format);
}

TEST_F(PyramidRun, SvgPagesRenderedAt100PercentAreTheHeadlessPages) {
    expect_exported_pages_match(EXPORTER, recorded_run.pages, recorded_run.canvas.surface->format,
                                "--svg");
}

// Every page is still written; the lost count is reported and fails the run.
TEST(PyramidExport, ACountThatCannotBeWrittenIsReportedAfterThePages) {
    const ExportRun run = run_exporter(EXPORTER, {}, "/dev/full");
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.errors.find("wrote page 7"), std::string::npos) << run.errors;
    EXPECT_NE(run.errors.find("pyramid_export: cannot write the count to standard output: No "
                              "space left on device\n"),
              std::string::npos)
        << run.errors;
    remove_temporary_folder(run.temporary);
}

// The exporter's other orders, through the same figure, enumerations and
// layout: up to today's read back from the pixels, which at order 5 are
// laid out as ever; each run prints its own count.
TEST(PyramidOrders, EachOrderDrawsEveryTilingOfItsTriangleOnceWhollyOnThePage) {
    expect_each_order_draws_every_tiling(EXPORTER, pyramid_region_of, pyramid::page_grid_of,
                                         {2, 6, 22, 90, 394}, {"  2", "  6", " 22", " 90", "394"});
    expect_larger_orders_draw_distinct_figures(EXPORTER, 6, {1806, 8558, 41586}, true);
    std::vector<int> xs;
    std::vector<int> ys;
    slots_of(pyramid::page_grid_of(5), xs, ys);
    EXPECT_EQ(std::make_pair(xs, ys), std::make_pair(slot_xs, slot_ys));
}

// Vector pages are the PNG pages at today's order and another, each figure
// named with its number and steps.
TEST(PyramidExport, VectorPagesAreThePngPagesWithEachFigureNamed) {
    expect_vector_file_matches_png(EXPORTER, "--tikz", {"--order", "5"}, "page-1");
    expect_vector_file_matches_png(EXPORTER, "--tikz", {"--order", "7"}, "page-204");
    expect_vector_file_matches_png(EXPORTER, "--tikz", {"--path"}, "page-7");
    const std::string svg =
        expect_vector_file_matches_png(EXPORTER, "--svg", {"--order", "7"}, "page-1");
    // Figure 394, alone with its path: page 7, slot 9, anchor (115, 120);
    // the triangle spans x - 4 ... x + 76 and y - 44 ... y + 4.
    expect_figure_cut_from_its_page(EXPORTER, {"--path"}, "394", 7, 111, 76, 8);
    EXPECT_NE(svg.find("<g><title>figure 1: rise rise rise rise rise rise rise fall fall fall "
                       "fall fall fall fall</title>"),
              std::string::npos);
}

// A closed pipe used to kill the export with SIGPIPE, leaving pages unwritten.
TEST(PyramidExport, APipeNobodyReadsStopsNoPage) {
    const std::string folder = make_temporary_folder();
    EXPECT_EQ(run_with_an_unread_pipe("'" EXPORTER "' '" + folder + "/counted' 2>'" + folder +
                                          "/err'",
                                      1),
              1);
    EXPECT_EQ(files_in(folder + "/counted").size(), 7u);
    EXPECT_EQ(run_with_an_unread_pipe("'" EXPORTER "' '" + folder + "/shown' >/dev/null", 2), 1);
    EXPECT_EQ(files_in(folder + "/shown").size(), 7u);
    std::ifstream in(folder + "/err");
    const std::string errors((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_NE(errors.find("pyramid_export: cannot write the count to standard output: Broken "
                          "pipe\n"),
              std::string::npos)
        << errors;
    remove_temporary_folder(folder);
}

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
        decode_pages({snapshot_canvas()}, pyramid_region, slot_xs, slot_ys, problems);
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

TEST_F(PyramidParts, FlatSecondSymbolIsNeverRead) {
    pyramid::figure_steps = {StepKind::flat, StepKind::rise, StepKind::rise, StepKind::fall,
                             StepKind::flat, StepKind::flat, StepKind::rise, StepKind::fall,
                             StepKind::flat, StepKind::flat};
    pyramid::draw_pyramid_figure();
    const std::vector<Colour> with_rise = snapshot_canvas();
    clear_canvas();
    pyramid::figure_steps[1] = StepKind::flat;
    pyramid::draw_pyramid_figure();
    EXPECT_TRUE(snapshot_canvas() == with_rise);
    EXPECT_EQ(pyramid::cursor_x, 400);
    EXPECT_EQ(pyramid::cursor_y, 300);
}

TEST_F(PyramidParts, RisesThenFallsHaveGrowingLowerRunsAndNoStacksOverTheFalls) {
    const std::vector<StepKind> path = steps("rise rise rise rise rise fall fall fall fall fall");
    std::copy(path.begin(), path.end(), pyramid::figure_steps.begin());
    pyramid::draw_pyramid_figure();
    EXPECT_EQ(pyramid::upper_stack, 0);
    // Each domino is outlined, so count interiors by their centre pixels.
    int red = 0;
    int blue = 0;
    int yellow = 0;
    for (int r = -5; r <= 0; ++r) {
        for (int c = 0; c < 10; ++c) {
            const Colour colour = get_pixel(400 + 8 * c, 300 + 8 * r);
            red += colour == palette.rise_fill;
            blue += colour == palette.fall_fill;
            yellow += colour == palette.flat_fill;
        }
    }
    EXPECT_EQ(red, 10);  // cells, two to a domino
    EXPECT_EQ(blue, 10);
    EXPECT_EQ(yellow, 20);
}

}  // namespace
