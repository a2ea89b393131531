#include "recording_pager.h"

#include <gtest/gtest.h>

#include <algorithm>
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

void record_whole_run() {
    char name[] = "test";
    char* argv[] = {name, nullptr};
    SDL_main(1, argv);
}

namespace {
std::set<std::vector<StepKind>> paths_drawn;
std::size_t figures_drawn = 0;
void keep_path(const StepKind* steps, int count, int /*x*/, int /*y*/, int /*half*/) {
    ++figures_drawn;
    paths_drawn.emplace(steps, steps + count);
}
std::size_t boxes_off_the_page = 0;
void check_box(int x1, int y1, int x2, int y2, Colour /*border*/, Colour /*fill*/) {
    const bool on_page = std::min(x1, x2) >= 0 && std::max(x1, x2) < canvas_width &&
                         std::min(y1, y2) >= 0 && std::max(y1, y2) < canvas_height;
    boxes_off_the_page += on_page ? 0 : 1;
}

// Records a whole run at `order`, with the program's standard output.
std::string record_run_at(int order) {
    requested_order = order;
    testing::internal::CaptureStdout();
    record_whole_run();
    requested_order = 0;
    return testing::internal::GetCapturedStdout();
}
}  // namespace

void expect_each_order_draws_every_tiling(const std::string& exporter,
                                          Region (*region_of)(int),
                                          PageGrid (*page_grid_of)(int),
                                          const std::vector<std::size_t>& tilings,
                                          const std::vector<std::string>& printed) {
    for (int order = 1; order <= static_cast<int>(tilings.size()); ++order) {
        const std::string output = record_run_at(order);
        if (!printed.empty()) {
            EXPECT_EQ(output, printed[order - 1]) << "order " << order;
        }
        std::vector<int> xs;
        std::vector<int> ys;
        slots_of(page_grid_of(order), xs, ys);
        const Region region = region_of(order);
        std::vector<std::string> problems;
        const std::vector<Figure> figures =
            decode_pages(recorded_run.pages, region, xs, ys, problems);
        EXPECT_EQ(problems, std::vector<std::string>{}) << "order " << order;
        expect_every_tiling_once(figures, region, tilings[order - 1]);
        expect_pages_match_reference(recorded_run.pages, figures, region, xs, ys);
        EXPECT_TRUE(recorded_run.guards_intact_at_every_page) << "order " << order;
        const std::vector<ListedFigure> listed = listed_figures(exporter, order);
        ASSERT_EQ(listed.size(), figures.size()) << "order " << order;
        for (std::size_t i = 0; i < listed.size(); ++i) {
            EXPECT_EQ(listed[i].number, static_cast<int>(i) + 1) << "order " << order;
            EXPECT_EQ(listed[i].page, figures[i].page + 1) << "order " << order << " " << i;
            EXPECT_EQ(listed[i].path, figures[i].path) << "order " << order << " " << i;
        }
    }
}

void expect_larger_orders_draw_distinct_figures(const std::string& exporter, int first,
                                                const std::vector<std::size_t>& counts,
                                                bool counts_printed) {
    recorded_run.keep_pages = false;
    figure_listener = keep_path;
    box_listener = check_box;
    for (std::size_t i = 0; i < counts.size(); ++i) {
        paths_drawn.clear();
        figures_drawn = 0;
        boxes_off_the_page = 0;
        const std::string output = record_run_at(first + static_cast<int>(i));
        if (counts_printed) {
            EXPECT_EQ(output, std::to_string(counts[i]));
        }
        EXPECT_EQ(figures_drawn, counts[i]) << "order " << first + i;
        EXPECT_EQ(paths_drawn.size(), figures_drawn) << "order " << first + i;
        EXPECT_EQ(boxes_off_the_page, 0u) << "order " << first + i;
        EXPECT_EQ(listed_figures(exporter, first + static_cast<int>(i)).size(), counts[i]);
    }
    recorded_run.keep_pages = true;
    figure_listener = nullptr;
    box_listener = nullptr;
}
