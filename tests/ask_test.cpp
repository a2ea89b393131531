// What a user can ask of every family, checked against the family as it is
// drawn and against independent counts: figures found by number and by
// steps, random figures, statistics counted, pages kept by a filter.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "exported_pages.h"
#include "family_cases.h"
#include "recording_pager.h"

namespace {

// Every figure of the family's whole run at `order`, in its order, as the
// run places them; pages not kept.
std::vector<std::pair<BigCount, FigurePath>> every_figure(const Family& family, int order) {
    PagerState recorded;
    recorded.keep_pages = false;
    recorded.announce = true;
    record_whole_run(recorded, family, order);
    close_test_canvas(recorded.canvas);
    return recorded.announced;
}

class Ask : public ::testing::TestWithParam<FamilyCase> {
protected:
    const Family& family() const { return family_of(GetParam()); }
    std::string exporter() const { return exporter_of(GetParam()); }
};

// At the largest order drawn page by page, figure K found by counting is
// the K-th drawn, and its steps count back to K; and at the largest order
// of one figure alone, the two still undo each other.
TEST_P(Ask, FiguresFoundByNumberAndByStepsAreTheOnesDrawn) {
    const int order = family().orders.largest;
    const auto announced = every_figure(family(), order);
    ASSERT_EQ(BigCount(announced.size()), family().counting.figure_total(order));
    for (std::size_t i = 0; i < announced.size(); ++i) {
        const BigCount number = static_cast<unsigned>(i + 1);
        ASSERT_EQ(announced[i].first, number);
        FigurePath path;
        ASSERT_TRUE(family().counting.unrank_figure(order, number, path)) << i + 1;
        ASSERT_EQ(path, announced[i].second) << "figure " << i + 1;
        ASSERT_EQ(family().counting.rank_figure(order, path), number) << "figure " << i + 1;
    }
    FigurePath none;
    EXPECT_FALSE(family().counting.unrank_figure(order, family().counting.figure_total(order) + 1, none));
    EXPECT_EQ(family().counting.rank_figure(order, steps("rise rise")), 0);
    const int largest = family().counting.largest_order;
    const BigCount total = family().counting.figure_total(largest);
    for (const BigCount& number : {BigCount(1), BigCount(total / 3), BigCount(total - 1), total}) {
        FigurePath path;
        ASSERT_TRUE(family().counting.unrank_figure(largest, number, path));
        EXPECT_EQ(family().counting.rank_figure(largest, path), number);
    }
}

// Drawn uniformly: at order 3, a seed each for 100 draws a figure, the
// counts pass a chi-square test (p > 0.001), and a seed draws the same
// figure again.
TEST_P(Ask, RandomFiguresAreUniformAndTheSameForTheSameSeed) {
    const int order = 3;
    // Order 3 has 63, 22 or 64 figures: held to that, for the compiler too.
    const int figures = std::clamp(static_cast<int>(family().counting.figure_total(order)), 1, 64);
    std::vector<int> drawn(static_cast<std::size_t>(figures) + 1, 0);
    const int draws = 100 * figures;
    for (int seed = 0; seed < draws; ++seed) {
        const ChosenFigure chosen =
            random_figure(family(), order, static_cast<std::uint64_t>(seed), true);
        ASSERT_GE(chosen.number, 1);
        ASSERT_LE(chosen.number, figures);
        ++drawn[static_cast<int>(chosen.number)];
        ASSERT_EQ(family().counting.rank_figure(order, chosen.path), chosen.number);
    }
    double chi_square = 0;
    for (int number = 1; number <= figures; ++number) {
        chi_square += (drawn[number] - 100.0) * (drawn[number] - 100.0) / 100.0;
    }
    // The 99.9th percentile of chi-square with d = figures - 1 degrees of
    // freedom, by the Wilson-Hilferty approximation.
    const double d = figures - 1;
    const double z = 3.09;
    const double limit = d * std::pow(1 - 2 / (9 * d) + z * std::sqrt(2 / (9 * d)), 3);
    EXPECT_LT(chi_square, limit) << figures << " figures";
    const ChosenFigure once = random_figure(family(), 28, 12345, true);
    const ChosenFigure again = random_figure(family(), 28, 12345, true);
    EXPECT_EQ(once.number, again.number);
}

// Counted without listing, as the figures drawn count them at small
// orders; at order 100, flats as their closed forms have them.
TEST_P(Ask, CountsByStatisticAreThoseOfTheFiguresDrawn) {
    const FigureCounting& counting = family().counting;
    if (counting.count_by == nullptr) GTEST_SKIP() << "no counts for this family";
    for (int order = 1; order <= family().orders.usual + 1; ++order) {
        const auto announced = every_figure(family(), order);
        for (const Statistic statistic : statistics) {
            std::map<int, BigCount> tally;
            for (const auto& [number, path] : announced) {
                tally[statistics_of(path)[static_cast<int>(statistic)]] += 1;
            }
            CountTable counts;
            ASSERT_TRUE(counting.count_by(order, statistic, counts));
            std::map<int, BigCount> counted;
            for (std::size_t value = 0; value < counts.size(); ++value) {
                if (counts[value] != 0) counted[static_cast<int>(value)] = counts[value];
            }
            EXPECT_EQ(counted, tally) << statistic_name(statistic) << " at order " << order;
        }
    }
    if (GetParam().with_flats == nullptr) return;
    const int n = 100;
    CountTable flats;
    ASSERT_TRUE(counting.count_by(n, Statistic::flats, flats));
    for (int k = 0; k <= n; ++k) {
        EXPECT_EQ(flats[static_cast<std::size_t>(k)], GetParam().with_flats(n, k)) << "k = " << k;
    }
}

INSTANTIATE_TEST_SUITE_P(Families, Ask, ::testing::ValuesIn(family_cases),
                         [](const ::testing::TestParamInfo<FamilyCase>& info) {
                             return std::string(info.param.name);
                         });

int shell_status(const std::string& command) {
    const int raw = std::system(command.c_str());
    return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
}

// --where keeps the figures a filter holds, each with its number, on pages
// laid out as ever: the pages are those figures, read back from the
// pixels; a filter that keeps a page's worth leaves no empty page after
// it; one that keeps none writes nothing, with status 2.
TEST(AskTheExporter, FilteredPagesHoldTheFiguresTheFilterKeeps) {
    const FamilyCase& pyramid = family_cases[1];
    const std::string exporter = exporter_of(pyramid);
    const std::string where = "flats=1,height=2-3";
    std::vector<ListedFigure> kept = listed_figures(exporter, 5, "--where " + where);
    std::vector<ListedFigure> all = listed_figures(exporter, 5);
    std::vector<ListedFigure> expected;
    for (const ListedFigure& figure : all) {
        if (figure.stats[0] == 1 && figure.stats[3] >= 2 && figure.stats[3] <= 3) {
            expected.push_back(figure);
        }
    }
    ASSERT_EQ(kept.size(), expected.size());
    ASSERT_GT(kept.size(), 64u);  // more than a page
    const ExportRun run = run_exporter(exporter, {}, "/dev/null", "--where " + where);
    ASSERT_EQ(run.status, 0) << run.errors;
    std::vector<std::vector<Colour>> pages;
    TestSurface canvas;
    open_test_canvas(canvas);
    for (const std::string& name : files_in(run.folder)) {
        std::vector<Uint32> rgb;
        int width = 0;
        int height = 0;
        ASSERT_EQ(read_png(run.folder + "/" + name, rgb, width, height), "");
        std::vector<Colour> page;
        page.reserve(rgb.size());
        for (const Uint32 pixel : rgb) {
            page.push_back(SDL_MapRGB(canvas.surface->format, pixel >> 16, (pixel >> 8) & 0xFF,
                                      pixel & 0xFF));
        }
        pages.push_back(page);
    }
    std::vector<int> xs;
    std::vector<int> ys;
    slots_of(family_of(pyramid).page_grid_of(5), xs, ys);
    std::vector<std::string> problems;
    const std::vector<Figure> figures = decode_pages(pages, pyramid.region_of(5), xs, ys, problems);
    EXPECT_EQ(problems, std::vector<std::string>{});
    ASSERT_EQ(figures.size(), expected.size());
    for (std::size_t i = 0; i < figures.size(); ++i) {
        EXPECT_EQ(figures[i].path, expected[i].path) << i;
        EXPECT_EQ(kept[i].number, expected[i].number) << i;
        EXPECT_EQ(kept[i].page, figures[i].page + 1) << i;
    }
    close_test_canvas(canvas);
    remove_temporary_folder(run.temporary);
    // 64 figures return 4 times: one full page, and no empty one after it.
    const ExportRun full = run_exporter(exporter, {}, "/dev/null", "--where returns=4");
    EXPECT_EQ(files_in(full.folder), std::vector<std::string>{"page-1.png"});
    remove_temporary_folder(full.temporary);
    const ExportRun none = run_exporter(exporter, {}, "/dev/null", "--where flats=9");
    EXPECT_EQ(none.status, 2);
    EXPECT_EQ(none.errors, "pyramid_export: no figure of order 5 has: flats=9\n");
    EXPECT_EQ(files_in(none.temporary), std::vector<std::string>{});
    remove_temporary_folder(none.temporary);
}

// One figure at any order up to the largest that fits, and every other
// request told what is wrong with it, with status 2 and nothing written.
TEST(AskTheExporter, OneFigureCountsAndTheirLimits) {
    const std::string diamond = PROGRAMS "/diamond_export";
    const std::string folder = make_temporary_folder();
    const std::string in = "cd '" + folder + "' && '" + diamond + "' ";
    EXPECT_EQ(shell_status(in + "--order 28 --random 18446744073709551615 r 2>err"), 0);
    EXPECT_EQ(files_in(folder + "/r"), std::vector<std::string>{"random-18446744073709551615.png"});
    EXPECT_EQ(shell_status(in + "--order 28 --list --figure 293733710358893793729 >one"), 0);
    std::ifstream one(folder + "/one");
    std::string header, line;
    std::getline(one, header);
    std::getline(one, line);
    // The last figure of order 28: 28 falls, then 28 rises.
    std::string words = "fall";
    for (int i = 1; i < 56; ++i) words += i < 28 ? " fall" : " rise";
    // Past the orders drawn page by page a figure is on no page.
    EXPECT_EQ(line, "293733710358893793729\t\t" + words + "\t0\t0\t1\t0");
    for (const char* arguments :
         {"--order 29 --figure 1 f", "--order 8 p", "--figure 3 --where flats=1 f",
          "--counts flats --where flats=1", "--counts depth", "--order 101 --counts flats",
          "--random 18446744073709551616 f", "--figure 1 --random 1 f", "--order 28 --list"}) {
        EXPECT_EQ(shell_status(in + arguments + " >out 2>err"), 2) << arguments;
    }
    EXPECT_EQ(files_in(folder), (std::vector<std::string>{"err", "one", "out", "r"}));
    EXPECT_EQ(shell_status(in + "--order 100 --counts peaks >counts"), 0);
    std::ifstream counts(folder + "/counts");
    std::string first;
    std::getline(counts, first);
    EXPECT_EQ(first, "peaks\tfigures");
    remove_temporary_folder(folder);
}

}  // namespace
