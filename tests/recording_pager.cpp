#include "recording_pager.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <set>

#include "exported_pages.h"
#include "page_record.h"
#include "pager.h"

namespace {

void keep_page(PagerState& recorded) {
    ++recorded.pages_shown;
    if (recorded.keep_pages) recorded.pages.push_back(snapshot_canvas());
    if (!guards_intact(recorded.canvas)) recorded.guards_intact_at_every_page = false;
}

// A figure listener: its type takes the run as it is.
// cppcheck-suppress constParameterCallback
void announce_figure(Run& run, const BigCount& number, const FigurePath& path) {
    run.pager->announced.emplace_back(number, path);
}

}  // namespace

void open_display(Run& run) {
    PagerState& recorded = *run.pager;
    recorded.pages.clear();
    recorded.pages_shown = 0;
    recorded.finish_calls = 0;
    recorded.guards_intact_at_every_page = true;
    recorded.announced.clear();
    if (recorded.announce) run.figure_listener = announce_figure;
    open_test_canvas(recorded.canvas);
}

void show_page(Run& run) {
    keep_page(*run.pager);
    clear_canvas();
    run.figures_on_page = 0;
}

void finish_display(Run& run) {
    keep_page(*run.pager);
    ++run.pager->finish_calls;
}

std::string record_whole_run(PagerState& recorded, const Family& family, int order) {
    Run run = run_of(family, order);
    run.pager = &recorded;
    testing::internal::CaptureStdout();
    run_family(run);
    std::fflush(stdout);
    return testing::internal::GetCapturedStdout();
}

namespace {

// What the program prints at an order with `figures` figures.
std::string what_is_printed(const FamilyCase& test_case, std::size_t figures) {
    if (!test_case.prints_count) return "";
    std::array<char, 16> text{};
    std::snprintf(text.data(), text.size(), "%3.d", static_cast<int>(figures));
    return text.data();
}

void expect_listed(const FamilyCase& test_case, int order, const std::vector<Figure>& figures) {
    const std::vector<ListedFigure> listed = listed_figures(exporter_of(test_case), order);
    ASSERT_EQ(listed.size(), figures.size()) << "order " << order;
    for (std::size_t i = 0; i < listed.size(); ++i) {
        EXPECT_EQ(listed[i].number, static_cast<int>(i) + 1) << "order " << order;
        EXPECT_EQ(listed[i].page, figures[i].page + 1) << "order " << order << " " << i;
        EXPECT_EQ(listed[i].path, figures[i].path) << "order " << order << " " << i;
        EXPECT_EQ(listed[i].stats, statistics_of(figures[i].path)) << "order " << order << " " << i;
    }
}

// Whether every domino of every figure of the run lies wholly on its page,
// at the family's own cell: the layout of a page past the usual order.
std::size_t dominoes_off_the_page(const Family& family, int order,
                                  const std::vector<std::pair<BigCount, FigurePath>>& figures) {
    std::size_t off = 0;
    const PageGrid grid = family.page_grid_of(order);
    int x = grid.first_x;
    int y = grid.first_y;
    for (const auto& figure : figures) {
        const FigureGeometry geometry = family.geometry_of(order, figure.second);
        const Placement placement =
            placement_on_page(geometry, x, y, family.cell, family.cell);
        for (const Domino& domino : geometry.dominoes) {
            const Box box = domino_box(domino, placement);
            off += box.left >= 0 && box.top >= 0 && box.right < canvas_width &&
                           box.bottom < canvas_height
                       ? 0
                       : 1;
        }
        next_slot(grid, x, y);
    }
    return off;
}

}  // namespace

void expect_each_order_draws_every_tiling(const FamilyCase& test_case) {
    const Family& family = family_of(test_case);
    for (int order = 1; order <= static_cast<int>(test_case.figures.size()); ++order) {
        const std::size_t count = test_case.figures[static_cast<std::size_t>(order) - 1];
        PagerState recorded;
        if (order <= family.orders.usual) {
            EXPECT_EQ(record_whole_run(recorded, family, order), what_is_printed(test_case, count));
            std::vector<int> xs;
            std::vector<int> ys;
            slots_of(family.page_grid_of(order), xs, ys);
            const Region region = test_case.region_of(order);
            std::vector<std::string> problems;
            const std::vector<Figure> figures =
                decode_pages(recorded.pages, region, xs, ys, problems);
            EXPECT_EQ(problems, std::vector<std::string>{}) << "order " << order;
            expect_tilings_once(figures, region, test_case.every_tiling);
            EXPECT_EQ(figures.size(), count) << "order " << order;
            expect_pages_match_reference(recorded.pages, figures, region, xs, ys);
            EXPECT_TRUE(recorded.guards_intact_at_every_page) << "order " << order;
            expect_listed(test_case, order, figures);
            close_test_canvas(recorded.canvas);
            continue;
        }
        recorded.keep_pages = false;
        recorded.announce = true;
        EXPECT_EQ(record_whole_run(recorded, family, order), what_is_printed(test_case, count));
        std::set<FigurePath> paths;
        for (const auto& figure : recorded.announced) paths.insert(figure.second);
        EXPECT_EQ(recorded.announced.size(), count) << "order " << order;
        EXPECT_EQ(paths.size(), count) << "order " << order;
        // Only a full-page layout's slots: a page's last figure ends a row.
        EXPECT_EQ(dominoes_off_the_page(family, order, recorded.announced), 0u)
            << "order " << order;
        EXPECT_EQ(listed_figures(exporter_of(test_case), order).size(), count);
        close_test_canvas(recorded.canvas);
    }
}
