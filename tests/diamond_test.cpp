// The diamond program run headlessly to the end: its pages are read back
// pixel by pixel and checked against tilings found independently.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>

#include "diamond.h"
#include "path_overlay.h"
#include "exported_pages.h"
#include "recording_pager.h"
#include "tilings.h"

namespace {

const std::vector<int>& slot_xs = diamond_slot_xs;
const std::vector<int>& slot_ys = diamond_slot_ys;

class DiamondRun : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        record_whole_run();
        figures = decode_pages(recorded_run.pages, diamond_region, slot_xs, slot_ys, problems);
    }
    static std::vector<Figure> figures;
    static std::vector<std::string> problems;
};
std::vector<Figure> DiamondRun::figures;
std::vector<std::string> DiamondRun::problems;

int rises_in(const std::vector<StepKind>& path) {
    return static_cast<int>(std::count(path.begin(), path.end(), StepKind::rise));
}

TEST_F(DiamondRun, DrawsEveryTilingOfTheDiamondExactlyOnce) {
    ASSERT_EQ(problems, std::vector<std::string>{});
    EXPECT_EQ(cell_count(diamond_region), 48);
    expect_every_tiling_once(figures, diamond_region, 321);
}

TEST_F(DiamondRun, EveryPageMatchesItsReferenceRenderingPixelForPixel) {
    ASSERT_EQ(problems, std::vector<std::string>{});
    EXPECT_TRUE(recorded_run.guards_intact_at_every_page);
    expect_pages_match_reference(recorded_run.pages, figures, diamond_region, slot_xs, slot_ys);
}

TEST_F(DiamondRun, NinePagesOfFortyFiguresFilledRowByRowThenOneFigure) {
    ASSERT_EQ(recorded_run.pages.size(), 9u);
    EXPECT_EQ(recorded_run.finish_calls, 1);
    std::vector<int> per_page(9, 0);
    for (const Figure& figure : figures) {
        // Slots are taken in order with no gap.
        EXPECT_EQ(figure.slot, per_page[figure.page]) << "page " << figure.page + 1;
        ++per_page[figure.page];
    }
    EXPECT_EQ(per_page, (std::vector<int>{40, 40, 40, 40, 40, 40, 40, 40, 1}));
}

TEST_F(DiamondRun, FiguresComeInTheListedOrder) {
    ASSERT_EQ(figures.size(), 321u);
    const std::vector<std::string> first = {
        "flat flat flat flat",           "rise fall flat flat flat", "rise flat fall flat flat",
        "rise flat flat fall flat",      "rise flat flat flat fall", "fall rise flat flat flat",
        "fall flat rise flat flat"};
    for (std::size_t i = 0; i < first.size(); ++i)
        EXPECT_EQ(figures[i].path, steps(first[i])) << "figure " << i + 1;
    EXPECT_EQ(figures[20].path, steps("flat flat flat fall rise"));
    EXPECT_EQ(figures[21].path, steps("rise rise fall fall flat flat"));
    EXPECT_EQ(figures[320].path, steps("fall fall fall fall rise rise rise rise"));

    // Grouped by a, and strictly increasing within each group.
    std::map<int, int> per_a;
    for (std::size_t i = 0; i < figures.size(); ++i) {
        const int a = rises_in(figures[i].path);
        ++per_a[a];
        if (i == 0) continue;
        const int previous_a = rises_in(figures[i - 1].path);
        EXPECT_LE(previous_a, a) << "figure " << i + 1;
        if (previous_a == a) {
            EXPECT_LT(figures[i - 1].path, figures[i].path) << "figure " << i + 1;
        }
    }
    EXPECT_EQ(per_a, (std::map<int, int>{{0, 1}, {1, 20}, {2, 90}, {3, 140}, {4, 70}}));
}

TEST_F(DiamondRun, ExportedPagesAreTheHeadlessPagesPixelForPixel) {
    expect_exported_pages_match(EXPORTER, recorded_run.pages, recorded_run.canvas.surface->format);
}

TEST_F(DiamondRun, SvgPagesRenderedAt100PercentAreTheHeadlessPages) {
    expect_exported_pages_match(EXPORTER, recorded_run.pages, recorded_run.canvas.surface->format,
                                "--svg");
}

// The exporter's other orders, through the same figure, enumeration and
// layout: up to today's read back from the pixels, which at order 4 are
// laid out as ever.
TEST(DiamondOrders, EachOrderDrawsEveryTilingOfItsDiamondOnceWhollyOnThePage) {
    expect_each_order_draws_every_tiling(EXPORTER, diamond_region_of, diamond::page_grid_of,
                                         {3, 13, 63, 321});
    expect_larger_orders_draw_distinct_figures(EXPORTER, 5, {1683, 8989, 48639}, false);
    std::vector<int> xs;
    std::vector<int> ys;
    slots_of(diamond::page_grid_of(4), xs, ys);
    EXPECT_EQ(std::make_pair(xs, ys), std::make_pair(slot_xs, slot_ys));
}

// The exporter's failures: a clear message, status 1, and no page file that
// is not complete.
TEST(DiamondExport, AFolderThatCannotBeMadeIsReported) {
    const ExportRun run = run_exporter(EXPORTER, "/dev/null/pages");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.errors, "diamond_export: cannot use the folder /dev/null/pages: Not a directory\n");
}

TEST(DiamondExport, APageThatCannotBeWrittenStopsTheExportWithNoPartialFile) {
    ExportRun first = run_exporter(EXPORTER);
    ASSERT_EQ(first.status, 0);
    // A non-empty folder named page-3.png cannot be replaced by a file.
    std::filesystem::remove(first.folder + "/page-3.png");
    std::filesystem::create_directories(first.folder + "/page-3.png/in-the-way");
    std::filesystem::remove(first.folder + "/page-4.png");
    const ExportRun again = run_exporter(EXPORTER, first.folder);
    EXPECT_EQ(again.status, 1);
    EXPECT_NE(again.errors.find("cannot write " + first.folder + "/page-3.png"), std::string::npos)
        << again.errors;
    EXPECT_EQ(files_in(first.folder),
              (std::vector<std::string>{"page-1.png", "page-2.png", "page-3.png", "page-5.png",
                                        "page-6.png", "page-7.png", "page-8.png", "page-9.png"}));
    remove_temporary_folder(first.temporary);
}

// Each writes its own temporary files; whichever renames last, every page
// left is complete and no temporary file is left behind.
TEST(DiamondExport, TwoExportersIntoOneFolderAtOnceBothSucceed) {
    const ExportRun first = run_exporter(EXPORTER);
    ASSERT_EQ(first.status, 0);
    const std::string one = "'" EXPORTER "' '" + first.folder + "' >/dev/null 2>&1";
    const int raw = std::system((one + " & a=$!; " + one + " || exit 1; wait $a").c_str());
    EXPECT_TRUE(WIFEXITED(raw) && WEXITSTATUS(raw) == 0);
    EXPECT_EQ(files_in(first.folder).size(), 9u);
    for (const std::string& name : files_in(first.folder)) {
        std::vector<Uint32> rgb;
        int width = 0;
        int height = 0;
        EXPECT_EQ(read_png(first.folder + "/" + name, rgb, width, height), "") << name;
    }
    remove_temporary_folder(first.temporary);
}

std::size_t occurrences(const std::string& text, const std::string& part) {
    std::size_t count = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
        ++count;
    }
    return count;
}

// Vector pages at 72 dpi or 100 % are the PNG pages, at today's order and
// another, and each figure is a group (SVG) or scope (TikZ) named with its
// number and steps, for an author to lift.
TEST(DiamondExport, VectorPagesAreThePngPagesWithEachFigureNamed) {
    expect_vector_file_matches_png(EXPORTER, "--tikz", {"--order", "4"}, "page-1");
    const std::string tikz =
        expect_vector_file_matches_png(EXPORTER, "--tikz", {"--order", "2"}, "page-1");
    const std::string svg =
        expect_vector_file_matches_png(EXPORTER, "--svg", {"--order", "2"}, "page-1");
    EXPECT_EQ(occurrences(svg, "<g>"), 13u);
    EXPECT_NE(svg.find("<g><title>figure 13: fall fall rise rise</title>"), std::string::npos);
    EXPECT_EQ(occurrences(tikz, "\\begin{scope}"), 13u);
    EXPECT_NE(tikz.find("\\begin{scope} % figure 2: rise fall flat\n"), std::string::npos);
}

// With their paths drawn, too; and one figure alone is its own pixels on its
// page, cropped to its outline and a margin of one cell, in every format.
TEST(DiamondExport, PathsAndSingleFiguresAreThePngPixelsInEveryFormat) {
    for (const char* format : {"--svg", "--tikz"}) {
        expect_vector_file_matches_png(EXPORTER, format, {"--order", "2", "--path"}, "page-1");
    }
    // Figure 17: page 1, slot 16, anchor (10, 250); the diamond spans x - 5
    // ... x + 75 and y - 45 ... y + 45. The last of order 2, by its steps:
    // slot 12, anchor (730, 30).
    expect_figure_cut_from_its_page(EXPORTER, {"--path"}, "17", 1, 5, 205, 10);
    expect_figure_cut_from_its_page(EXPORTER, {"--order", "2"}, "fall fall rise rise", 1, 725, 5,
                                    10);
}

// Runs the exporter with `arguments` in `folder`; its exit status.
int export_in(const std::string& folder, const std::string& arguments) {
    const int raw =
        std::system(("cd '" + folder + "' && '" EXPORTER "' " + arguments + " >out 2>err").c_str());
    return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
}

// Options were once taken for folder names and filled with pages.
TEST(DiamondExport, AnythingButOptionsAndOneFolderGivesUsageAndWritesNothing) {
    const std::string folder = make_temporary_folder();
    for (const char* arguments :
         {"", "--svg", "--frobnicate pages", "one two", "--order ' 3' p", "--order +3 p",
          "--svg --tikz p", "--order 2 --order 3 p", "--list p", "--list --svg",
          "--figure 0 p", "--figure 'rise up' p", "--figure 400 p"}) {
        EXPECT_EQ(export_in(folder, arguments), 2) << arguments;
        EXPECT_EQ(files_in(folder), (std::vector<std::string>{"err", "out"})) << arguments;
    }
    EXPECT_EQ(export_in(folder, "-h"), 0);
    EXPECT_EQ(files_in(folder), (std::vector<std::string>{"err", "out"}));
    EXPECT_EQ(std::system("'" EXPORTER "' --help >/dev/full 2>/dev/null"), 1 << 8);
    EXPECT_EQ(export_in(folder, "-- -pages"), 0);
    EXPECT_EQ(files_in(folder + "/-pages").size(), 9u);
    remove_temporary_folder(folder);
}

// A stop signal during the export used to leave the page being written
// behind as a hidden temporary file; so did any signal that kills at once.
TEST(DiamondExport, AStopSignalLeavesNoUnfinishedPage) {
    const std::string folder = make_temporary_folder();
    for (const char* signal_name : {"INT", "TERM", "HUP", "QUIT", "USR1", "ALRM", "KILL"}) {
        for (const char* delay : {"0.01", "0.03", "0.05", "0.08"}) {
            // Job control on: a background job would otherwise ignore INT and QUIT.
            const std::string command = "set -m; '" EXPORTER "' --svg --order 6 '" + folder +
                                        "/pages' 2>/dev/null & sleep " + delay + "; kill -" +
                                        signal_name + " \\$!; wait \\$!";
            const int raw = std::system(("bash -c \"" + command + "\"").c_str());
            ASSERT_TRUE(WIFEXITED(raw));
            const int status = WEXITSTATUS(raw);
            EXPECT_GT(status, 128) << signal_name << " after " << delay;  // stopped mid-export
            for (const std::string& name : files_in(folder + "/pages")) {
                EXPECT_NE(name[0], '.') << signal_name << " after " << delay << " left " << name;
            }
        }
    }
    remove_temporary_folder(folder);
}

std::string text_of(const std::string& path) {
    std::ifstream in(path);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// libpng said only "Write Error", and a file size limit killed the export
// with no word, leaving its temporary file; names went raw to the terminal,
// escape sequences, C1 controls and the program's own name alike; and on a
// terminal the failure was glued to the progress line.
TEST(DiamondExport, AFailedWriteGivesTheSystemsReasonAndNamesAreEscaped) {
    const std::string folder = make_temporary_folder();
    const std::string command = "cd '" + folder + "' && ln -s '" EXPORTER
                                "' $'ex\\x9bport' && ulimit -f 2 && ./$'ex\\x9bport' "
                                "$'red\\e[31m\\xc2\\x9b\\xc3\\xa9' 2>err";
    const int raw = std::system(("bash -c \"" + command + "\"").c_str());
    EXPECT_TRUE(WIFEXITED(raw) && WEXITSTATUS(raw) == 1);
    EXPECT_EQ(text_of(folder + "/err"), "ex\\x9Bport: cannot write red\\x1B[31m\\xC2\\x9B\xc3\xa9/"
                                        "page-1.png: File too large\n");
    EXPECT_EQ(files_in(folder + "/red\x1b[31m\xc2\x9b\xc3\xa9"), std::vector<std::string>{});
    // The same on a terminal, where the progress line is rewritten in place.
    std::filesystem::create_directories(folder + "/in-the-way/page-2.png/x");
    EXPECT_NE(std::system(("script -qec \"'" EXPORTER "' '" + folder + "/in-the-way'\" '" +
                           folder + "/typescript' >/dev/null")
                              .c_str()),
              0);
    EXPECT_NE(text_of(folder + "/typescript").find("page-1.png\r\ndiamond_export: cannot write"),
              std::string::npos)
        << text_of(folder + "/typescript");
    remove_temporary_folder(folder);
}

// A folder is made with any folders it is in; one that cannot be is named
// for what it is, and a name that leaves no room for its pages makes none.
// A smaller export into a used folder removes the larger one's last pages.
TEST(DiamondExport, FoldersAreMadeWholeOrRefusedForWhatTheyAre) {
    const std::string folder = make_temporary_folder();
    EXPECT_EQ(export_in(folder, "''"), 2);
    std::filesystem::create_symlink("nowhere", folder + "/dangling");
    std::filesystem::create_symlink("loop", folder + "/loop");
    EXPECT_EQ(export_in(folder, "dangling"), 1);
    EXPECT_NE(text_of(folder + "/err").find("dangling: it is a symbolic link to nothing"),
              std::string::npos);
    EXPECT_EQ(export_in(folder, "loop"), 1);
    EXPECT_NE(text_of(folder + "/err").find("loop: it is a symbolic link that loops"),
              std::string::npos);
    EXPECT_EQ(export_in(folder, std::string(4070, 'x')), 1);
    EXPECT_NE(text_of(folder + "/err").find("4070 bytes long"), std::string::npos);
    EXPECT_EQ(files_in(folder), (std::vector<std::string>{"dangling", "err", "loop", "out"}));
    EXPECT_EQ(export_in(folder, "--order 5 a/b/c"), 0);
    EXPECT_EQ(files_in(folder + "/a/b/c").size(), 71u);
    EXPECT_EQ(export_in(folder, "a/b/c"), 0);
    EXPECT_EQ(files_in(folder + "/a/b/c").size(), 9u);
    EXPECT_NE(text_of(folder + "/err").find("removed 62 pages of an earlier export, numbered 10 to 71"),
              std::string::npos);
    remove_temporary_folder(folder);
}

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

TEST_F(DiamondParts, StackCountersEndAtZeroForEveryArrangement) {
    for (int a = 0; a <= 4; ++a) {
        const int n = a + 4;
        for (int i = 0; i < n; ++i)
            diamond::arrangement[i] = i < a ? StepKind::rise : i < 2 * a ? StepKind::fall : StepKind::flat;
        int count = 0;
        // Each figure starts its own counters: they are 0 from the last one.
        do {
            diamond::draw_diamond_figure(a, 400, 300);
            EXPECT_EQ(diamond::upper_stack, 0);
            EXPECT_EQ(diamond::lower_stack, 0);
            ++count;
        } while (diamond::next_arrangement(n));
        EXPECT_EQ(count, (std::vector<int>{1, 20, 90, 140, 70})[a]) << "a = " << a;
    }
}

TEST_F(DiamondParts, FourRisesThenFourFallsClimbToTheTopAndBack) {
    const std::vector<StepKind> path = steps("rise rise rise rise fall fall fall fall");
    std::copy(path.begin(), path.end(), diamond::arrangement.begin());
    diamond::draw_diamond_figure(4, 400, 300);
    // Rise c covers rows -c and -c-1 of column c; fall c (from 4) comes down.
    for (int c = 0; c < 4; ++c) {
        EXPECT_EQ(get_pixel(400 + 10 * c, 300 - 10 * c), palette.rise_fill) << c;
        EXPECT_EQ(get_pixel(400 + 10 * c, 300 - 10 * c - 10), palette.rise_fill) << c;
        EXPECT_EQ(get_pixel(440 + 10 * c, 260 + 10 * c), palette.fall_fill) << c;
        EXPECT_EQ(get_pixel(440 + 10 * c, 270 + 10 * c), palette.fall_fill) << c;
    }
    // Outside the figure's span nothing is drawn.
    EXPECT_EQ(get_pixel(394, 300), palette.background);
    EXPECT_EQ(get_pixel(476, 300), palette.background);
    EXPECT_EQ(get_pixel(435, 254), palette.background);
    EXPECT_EQ(get_pixel(435, 346), palette.background);
}

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

}  // namespace
