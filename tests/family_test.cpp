// Every family run headlessly to the end, as its program runs it: its pages
// are read back pixel by pixel and checked against tilings found
// independently, page by page against a reference rendering, and against
// what its exporter writes.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <tuple>

#include "exported_pages.h"
#include "family_cases.h"
#include "recording_pager.h"

namespace {

// One whole run of each family at its usual order, decoded once.
struct UsualRun {
    std::string printed;
    PagerState recorded;
    std::vector<Figure> figures;
    std::vector<std::string> problems;
    std::vector<int> xs, ys;
};

class FamilyRun : public ::testing::TestWithParam<FamilyCase> {
protected:
    const FamilyCase& test_case() const { return GetParam(); }
    const Family& family() const { return family_of(GetParam()); }
    Region region() const { return GetParam().region_of(family().orders.usual); }
    // Recorded on first use, kept for the family's other tests.
    const UsualRun& usual_run() {
        static std::map<std::string, UsualRun> runs;
        UsualRun& run = runs[GetParam().name];
        if (run.recorded.pages.empty()) {
            run.printed = record_whole_run(run.recorded, family(), family().orders.usual);
            slots_of(family().page_grid_of(family().orders.usual), run.xs, run.ys);
            run.figures =
                decode_pages(run.recorded.pages, region(), run.xs, run.ys, run.problems);
        }
        return run;
    }
};

TEST_P(FamilyRun, DrawsEveryTilingOfItsRegionOnceAndPrintsWhatItShould) {
    const UsualRun& run = usual_run();
    ASSERT_EQ(run.problems, std::vector<std::string>{});
    const std::size_t count =
        test_case().figures[static_cast<std::size_t>(family().orders.usual) - 1];
    EXPECT_EQ(run.figures.size(), count);
    expect_tilings_once(run.figures, region(), test_case().every_tiling);
    EXPECT_EQ(run.printed, test_case().prints_count ? std::to_string(count) : "");
}

TEST_P(FamilyRun, EveryPageMatchesItsReferenceRenderingPixelForPixel) {
    const UsualRun& run = usual_run();
    ASSERT_EQ(run.problems, std::vector<std::string>{});
    EXPECT_TRUE(run.recorded.guards_intact_at_every_page);
    expect_pages_match_reference(run.recorded.pages, run.figures, region(), run.xs, run.ys);
}

// Slot after slot with no gap, every page full but the last, which
// finish_display shows.
TEST_P(FamilyRun, PagesAreFilledSlotBySlotAndOnlyTheLastIsShort) {
    const UsualRun& run = usual_run();
    EXPECT_EQ(run.recorded.finish_calls, 1);
    const int per_page = static_cast<int>(run.xs.size() * run.ys.size());
    std::vector<int> on_page(run.recorded.pages.size(), 0);
    for (const Figure& figure : run.figures) {
        EXPECT_EQ(figure.slot, on_page[figure.page]) << "page " << figure.page + 1;
        ++on_page[figure.page];
    }
    for (std::size_t page = 0; page + 1 < on_page.size(); ++page) {
        EXPECT_EQ(on_page[page], per_page) << "page " << page + 1;
    }
    ASSERT_FALSE(on_page.empty());
    EXPECT_GT(on_page.back(), 0);
}

TEST_P(FamilyRun, FiguresComeInTheFamilysOrder) {
    const UsualRun& run = usual_run();
    ASSERT_FALSE(run.figures.empty());
    for (std::size_t i = 1; i < run.figures.size(); ++i) {
        EXPECT_TRUE(test_case().comes_before(run.figures[i - 1].path, run.figures[i].path))
            << "figure " << i + 1;
    }
    for (const auto& [number, words] : test_case().examples) {
        ASSERT_LE(number, static_cast<int>(run.figures.size()));
        EXPECT_EQ(run.figures[number - 1].path, steps(words)) << "figure " << number;
    }
}

TEST_P(FamilyRun, ExportedPagesAreTheHeadlessPagesPixelForPixel) {
    const UsualRun& run = usual_run();
    // The pages' pixels are in the format of the canvas they were drawn on,
    // which stays open (and selected) for the process's other tests.
    ASSERT_NE(run.recorded.canvas.surface, nullptr);
    expect_exported_pages_match(exporter_of(test_case()), run.recorded.pages,
                                run.recorded.canvas.surface->format);
}

// Every order, through the same figure, enumeration and layout: up to the
// usual one read back from the pixels, the larger ones counted.
TEST_P(FamilyRun, EachOrderDrawsEveryTilingOfItsRegionOnceWhollyOnThePage) {
    expect_each_order_draws_every_tiling(test_case());
}

// Vector pages at 72 dpi or 100 %, with and without the paths, are the PNG
// pages, each figure a group or scope titled with its number and steps.
// Each step of a figure's paths lies on a domino of its own kind (the
// large view highlights it as the path is read), and each domino on a path
// has one step.
TEST_P(FamilyRun, EachStepOfAPathLiesOnADominoOfItsKind) {
    for (int order = 1; order <= 3; ++order) {
        const int total = static_cast<int>(family().counting.figure_total(order));
        for (int number = 1; number <= std::min(total, 300); ++number) {
            FigurePath path;
            ASSERT_TRUE(family().counting.unrank_figure(order, number, path));
            const FigureGeometry geometry = family().geometry_of(order, path);
            std::map<std::tuple<int, int, bool>, int> stepped;
            for (const std::vector<LatticePoint>& points : geometry.paths) {
                for (std::size_t step = 0; step + 1 < points.size(); ++step) {
                    const Domino under = step_domino(points, step);
                    ++stepped[{under.column, under.row, under.upright}];
                    const auto found = std::find_if(
                        geometry.dominoes.begin(), geometry.dominoes.end(), [&under](const Domino& d) {
                            return d.column == under.column && d.row == under.row && d.upright == under.upright;
                        });
                    ASSERT_NE(found, geometry.dominoes.end()) << "order " << order << ", figure " << number;
                    EXPECT_EQ(found->role, under.role) << "order " << order << ", figure " << number;
                }
            }
            for (const Domino& domino : geometry.dominoes) {
                const int on_it = stepped[std::make_tuple(domino.column, domino.row, domino.upright)];
                EXPECT_EQ(on_it, domino.role == DominoRole::off_path ? 0 : 1)
                    << "order " << order << ", figure " << number;
            }
        }
    }
}

TEST_P(FamilyRun, VectorPagesAreThePngPagesWithEachFigureTitled) {
    const std::string exporter = exporter_of(test_case());
    const std::string usual = std::to_string(family().orders.usual);
    const std::string tikz = expect_vector_file_matches_png(exporter, "--tikz", {}, "page-1");
    expect_vector_file_matches_png(exporter, "--svg", {"--order", "2", "--path"}, "page-1");
    expect_vector_file_matches_png(exporter, "--pdf", {"--order", "2", "--path"}, "page-1");
    const std::string svg =
        expect_vector_file_matches_png(exporter, "--svg", {"--order", usual}, "page-1");
    const auto& [number, words] = test_case().examples.front();
    const std::string title = "figure " + std::to_string(number) + ": " + words;
    EXPECT_NE(svg.find("<g><title>" + title + "</title>"), std::string::npos) << title;
    EXPECT_NE(tikz.find("\\begin{scope} % " + title + "\n"), std::string::npos) << title;
}

INSTANTIATE_TEST_SUITE_P(Families, FamilyRun, ::testing::ValuesIn(family_cases),
                         [](const ::testing::TestParamInfo<FamilyCase>& info) {
                             return std::string(info.param.name);
                         });

}  // namespace
