// The diamond program run headlessly to the end: its pages are read back
// pixel by pixel and checked against tilings found independently.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

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

std::string text_of(const std::string& path) {
    std::ifstream in(path);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Runs the exporter with `arguments` in `folder`; its exit status.
int export_in(const std::string& folder, const std::string& arguments) {
    const int raw =
        std::system(("cd '" + folder + "' && '" EXPORTER "' " + arguments + " >out 2>err").c_str());
    return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
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

// A second export into a folder that another is still writing into once
// removed half of the first one's pages as "pages of an earlier export".
// Now it is refused at once, touching nothing, and the first finishes whole.
TEST(DiamondExport, ASecondExportIntoAFolderBeingWrittenIsRefused) {
    const std::string folder = make_temporary_folder();
    const std::string big = "'" EXPORTER "' --order 7 '" + folder + "/same' 2>/dev/null";
    const std::string small = "'" EXPORTER "' --order 1 '" + folder + "/same' 2>'" + folder +
                              "/err'; echo \\$? >'" + folder + "/status'";
    // The small one starts once the big one has written its first page.
    const std::string both = big + " & a=\\$!; while [ ! -e '" + folder +
                             "/same/page-1.png' ]; do sleep 0.01; done; " + small +
                             "; wait \\$a";
    const int raw = std::system(("bash -c \"" + both + "\"").c_str());
    EXPECT_TRUE(WIFEXITED(raw) && WEXITSTATUS(raw) == 0);
    EXPECT_EQ(text_of(folder + "/status"), "1\n");
    EXPECT_EQ(text_of(folder + "/err"), "diamond_export: cannot write into the folder " + folder +
                                            "/same: another export is writing into it\n");
    EXPECT_EQ(files_in(folder + "/same").size(), 3243u);
    // Once the first is done, the folder is free again.
    EXPECT_EQ(export_in(folder, "--order 1 same"), 0);
    EXPECT_EQ(files_in(folder + "/same"), std::vector<std::string>{"page-1.png"});
    remove_temporary_folder(folder);
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
    // A number or steps that no figure has is told what is wrong with it.
    EXPECT_EQ(export_in(folder, "--figure 1073741825 f"), 2);
    EXPECT_EQ(text_of(folder + "/err"), "diamond_export: there is no figure 1073741825: the "
                                        "figures of order 4 are 1 to 321\n");
    EXPECT_EQ(export_in(folder, "--figure 000000000000000000000000000000000000000321 f"), 0);
    EXPECT_EQ(files_in(folder + "/f"), std::vector<std::string>{"figure-321.png"});
    std::string seventeen = "rise";
    for (int i = 1; i < 17; ++i) seventeen += " flat";
    EXPECT_EQ(export_in(folder, "--figure '" + seventeen + "' g"), 2);
    EXPECT_EQ(text_of(folder + "/err"),
              "diamond_export: no figure has 17 steps: the figures of order 4 have 4 to 8\n");
    // The list read only in part, by `head`: no complaint.
    EXPECT_EQ(run_with_an_unread_pipe("'" EXPORTER "' --order 7 --list 2>'" + folder + "/err'", 1),
              0);
    EXPECT_EQ(text_of(folder + "/err"), "");
    remove_temporary_folder(folder);
}

// A stop signal during the export used to leave the page being written
// behind as a hidden temporary file; so did any signal that kills at once.
TEST(DiamondExport, AStopSignalLeavesNoUnfinishedPage) {
    const std::string folder = make_temporary_folder();
    for (const char* signal_name : {"INT", "TERM", "HUP", "QUIT", "USR1", "ALRM", "KILL"}) {
        for (const char* delay : {"0.01", "0.03", "0.05", "0.08"}) {
            // Job control on: a background job would otherwise ignore INT and
            // QUIT. With few descriptors the page once fell back to a named file.
            const std::string command = "set -m; ulimit -n 5; '" EXPORTER "' --svg --order 6 '" + folder +
                                        "/pages' 2>/dev/null 3>&- 4>&- & sleep " + delay + "; kill -" +
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
    // With no descriptor left for a page beside the folder's lock: refused,
    // and nothing left.
    const int raw = std::system(("bash -c \"exec 2>'" + folder + "/err'; ulimit -n 4; '" EXPORTER
                                 "' '" + folder + "/few' 3>&- 4>&-\"").c_str());
    EXPECT_TRUE(WIFEXITED(raw) && WEXITSTATUS(raw) == 1);
    EXPECT_EQ(text_of(folder + "/err"),
              "diamond_export: cannot write " + folder + "/few/page-1.png: Too many open files\n");
    EXPECT_EQ(files_in(folder + "/few"), std::vector<std::string>{});
    remove_temporary_folder(folder);
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
    // Only pages it wrote itself: a user's file, a link and a folder named
    // like later pages stay, each said so; one named like a page it writes
    // is replaced. A folder's name ending in slashes gives one in its pages'.
    EXPECT_EQ(export_in(folder, "--order 5 u//"), 0);
    EXPECT_NE(text_of(folder + "/err").find("wrote page 71 to u/page-71.png\n"), std::string::npos);
    std::filesystem::remove(folder + "/u/page-13.png");
    std::filesystem::create_directories(folder + "/u/page-13.png");
    std::ofstream(folder + "/u/page-10.png") << "scan";
    std::ofstream(folder + "/notes.txt") << "notes";
    std::filesystem::remove(folder + "/u/page-14.png");
    std::filesystem::create_symlink("../notes.txt", folder + "/u/page-14.png");
    std::ofstream(folder + "/u/page-2.png") << "old";
    EXPECT_EQ(export_in(folder, "u"), 0);
    const std::string told = text_of(folder + "/err");
    for (const char* kept : {"u/page-10.png, named like a page past the last one: diamond_export "
                             "did not write it\n",
                             "u/page-13.png, named like a page past the last one: it is a folder\n",
                             "u/page-14.png, named like a page past the last one: it is a "
                             "symbolic link\n",
                             "removed 59 pages of an earlier export, numbered 11 to 71\n"}) {
        EXPECT_NE(told.find(kept), std::string::npos) << kept << " not in " << told;
    }
    // Each format carries the mark: SVG and TikZ pages of its own go too.
    for (const char* format : {"--svg", "--tikz"}) {
        EXPECT_EQ(export_in(folder, std::string(format) + " --order 5 v"), 0);
        EXPECT_EQ(export_in(folder, std::string(format) + " v"), 0);
        EXPECT_NE(text_of(folder + "/err").find("removed 62 pages"), std::string::npos) << format;
    }
    EXPECT_EQ(text_of(folder + "/u/page-10.png"), "scan");
    EXPECT_EQ(text_of(folder + "/notes.txt"), "notes");
    EXPECT_EQ(files_in(folder + "/u").size(), 12u);
    remove_temporary_folder(folder);
}

// A folder that cannot be read still takes its pages, but earlier pages in
// it cannot be found: a warning says so, and the export succeeds.
TEST(DiamondExport, AFolderThatCannotBeListedKeepsEarlierPagesWithAWarning) {
    const std::string folder = make_temporary_folder();
    ASSERT_EQ(export_in(folder, "--order 5 p"), 0);
    std::filesystem::permissions(folder, std::filesystem::perms::all);
    std::filesystem::permissions(folder + "/p", static_cast<std::filesystem::perms>(0333));
    // Root reads any folder: the exporter runs as nobody there.
    const std::string as = geteuid() == 0 ? "setpriv --reuid=65534 --regid=65534 --clear-groups " : "";
    const int raw = std::system((as + "'" EXPORTER "' '" + folder + "/p' 2>'" + folder +
                                 "/err.txt' >/dev/null").c_str());
    EXPECT_TRUE(WIFEXITED(raw) && WEXITSTATUS(raw) == 0);
    const std::string told = text_of(folder + "/err.txt");
    EXPECT_EQ(told.find("diamond_export: warning: cannot lock the folder " + folder +
                        "/p (Permission denied): another export into it at the same time would "
                        "not be refused\n"),
              0u) << told;
    EXPECT_NE(told.find("\ndiamond_export: warning: could not look for pages of an earlier "
                        "export past page 9 in " + folder +
                        "/p (Permission denied); any there were kept\n"),
              std::string::npos) << told;
    std::filesystem::permissions(folder + "/p", std::filesystem::perms::all);
    EXPECT_EQ(files_in(folder + "/p").size(), 71u);
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
