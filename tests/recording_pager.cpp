#include "recording_pager.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <set>

#include "exported_pages.h"

RecordedRun recorded_run;

namespace {
void keep_page() {
    ++recorded_run.pages_shown;
    if (recorded_run.keep_pages) recorded_run.pages.push_back(snapshot_canvas());
    if (!guards_intact(recorded_run.canvas)) recorded_run.guards_intact_at_every_page = false;
}
}  // namespace

void open_display() {
    recorded_run.pages.clear();
    recorded_run.pages_shown = 0;
    recorded_run.finish_calls = 0;
    recorded_run.guards_intact_at_every_page = true;
    open_test_canvas(recorded_run.canvas);
}

void show_page() {
    keep_page();
    clear_canvas();
}

void finish_display() {
    keep_page();
    ++recorded_run.finish_calls;
}

std::string record_whole_run(const Family& family) {
    testing::internal::CaptureStdout();
    run_family(family);
    std::fflush(stdout);
    return testing::internal::GetCapturedStdout();
}

namespace {
std::set<std::vector<StepKind>> paths_drawn;
std::size_t figures_drawn = 0;
void keep_path(const BigCount& /*number*/, const StepKind* steps, int count, int /*x*/, int /*y*/,
               int /*cell*/) {
    ++figures_drawn;
    paths_drawn.emplace(steps, steps + count);
}
std::size_t boxes_off_the_page = 0;
void check_box(int x1, int y1, int x2, int y2, Colour /*border*/, Colour /*fill*/) {
    const bool on_page = std::min(x1, x2) >= 0 && std::max(x1, x2) < canvas_width &&
                         std::min(y1, y2) >= 0 && std::max(y1, y2) < canvas_height;
    boxes_off_the_page += on_page ? 0 : 1;
}

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
}  // namespace

void expect_each_order_draws_every_tiling(const FamilyCase& test_case) {
    const Family& family = family_of(test_case);
    for (int order = 1; order <= static_cast<int>(test_case.tilings.size()); ++order) {
        const std::size_t tilings = test_case.tilings[order - 1];
        requested_order = order;
        if (order <= family.orders.usual) {
            EXPECT_EQ(record_whole_run(family), what_is_printed(test_case, tilings));
            std::vector<int> xs;
            std::vector<int> ys;
            slots_of(family.page_grid_of(order), xs, ys);
            const Region region = test_case.region_of(order);
            std::vector<std::string> problems;
            const std::vector<Figure> figures =
                decode_pages(recorded_run.pages, region, xs, ys, problems);
            EXPECT_EQ(problems, std::vector<std::string>{}) << "order " << order;
            expect_every_tiling_once(figures, region, tilings);
            expect_pages_match_reference(recorded_run.pages, figures, region, xs, ys);
            EXPECT_TRUE(recorded_run.guards_intact_at_every_page) << "order " << order;
            expect_listed(test_case, order, figures);
            continue;
        }
        recorded_run.keep_pages = false;
        figure_listener = keep_path;
        box_listener = check_box;
        paths_drawn.clear();
        figures_drawn = 0;
        boxes_off_the_page = 0;
        EXPECT_EQ(record_whole_run(family), what_is_printed(test_case, tilings));
        EXPECT_EQ(figures_drawn, tilings) << "order " << order;
        EXPECT_EQ(paths_drawn.size(), figures_drawn) << "order " << order;
        EXPECT_EQ(boxes_off_the_page, 0u) << "order " << order;
        EXPECT_EQ(listed_figures(exporter_of(test_case), order).size(), tilings);
        recorded_run.keep_pages = true;
        figure_listener = nullptr;
        box_listener = nullptr;
    }
    requested_order = 0;
}
