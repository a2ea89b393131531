// How long a page takes to draw, against a baseline that paints the same
// boxes with bulk fills, and how long each family's whole run takes, for
// every family of the table at its usual order.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <vector>

#include "family_table.h"
#include "raster.h"
#include "test_surface.h"

// A pager that shows nothing: pages are counted and cleared, and the first
// one is kept, with the time it took and every box drawn on it.
namespace {

using Clock = std::chrono::steady_clock;

struct Box {
    int x1, y1, x2, y2;
    Colour border, fill;
};

TestSurface page;
int pages_shown = 0;
Clock::time_point run_started;
double first_page_seconds = 0;
std::vector<Colour> first_page;
std::vector<Box> first_page_boxes;
bool keep_first_page = false;

void keep_box(int x1, int y1, int x2, int y2, Colour border, Colour fill) {
    first_page_boxes.push_back({x1, y1, x2, y2, border, fill});
}

}  // namespace

void open_display() {
    open_test_canvas(page);
    pages_shown = 0;
    count_printed = false;  // a count printed would only clutter the report
    first_page_boxes.clear();
    box_listener = keep_first_page ? keep_box : nullptr;
    // The page's time counts its clearing, as the baseline's does.
    run_started = Clock::now();
    clear_canvas();
}

void show_page() {
    if (pages_shown++ == 0) {
        first_page_seconds = std::chrono::duration<double>(Clock::now() - run_started).count();
        if (keep_first_page) first_page = snapshot_canvas();
        box_listener = nullptr;
    }
    clear_canvas();
}

void finish_display() {
    if (pages_shown++ == 0) {
        first_page_seconds = std::chrono::duration<double>(Clock::now() - run_started).count();
    }
}

namespace {

// Every benchmark reports the same counters, which some output formats
// (CSV) require.
void report(benchmark::State& state, std::size_t boxes, int pages) {
    state.counters["boxes"] = static_cast<double>(boxes);
    state.counters["pages"] = pages;
}

// The first page of a family's run as drawn, and its boxes.
void record_first_page(const Family& family) {
    keep_first_page = true;
    run_family(family);
    keep_first_page = false;
}

// Every benchmark must leave the page exactly as the family drew it.
void check_page(benchmark::State& state) {
    if (snapshot_canvas() != first_page) state.SkipWithError("the page drawn differs");
}

// Drawing the first page: each iteration runs the whole family and is timed
// until that page is done.
void page_drawn(benchmark::State& state, const Family* family) {
    record_first_page(*family);
    const std::vector<Colour> expected = first_page;
    const std::size_t boxes = first_page_boxes.size();
    for ([[maybe_unused]] auto _ : state) {
        run_family(*family);
        state.SetIterationTime(first_page_seconds);
    }
    keep_first_page = true;
    run_family(*family);
    keep_first_page = false;
    if (first_page != expected) state.SkipWithError("the page drawn differs");
    report(state, boxes, 1);
}

// The same boxes painted with SDL's bulk fills, the canvas cleared first as
// the pagers clear it.
void bulk_fill_baseline(benchmark::State& state, const Family* family) {
    record_first_page(*family);
    for ([[maybe_unused]] auto _ : state) {
        clear_canvas();
        for (const Box& box : first_page_boxes) {
            const int left = std::min(box.x1, box.x2);
            const int top = std::min(box.y1, box.y2);
            const int width = std::max(box.x1, box.x2) - left + 1;
            const int height = std::max(box.y1, box.y2) - top + 1;
            SDL_Rect outline{static_cast<Sint16>(left), static_cast<Sint16>(top),
                             static_cast<Uint16>(width), static_cast<Uint16>(height)};
            SDL_Rect inside{static_cast<Sint16>(left + 1), static_cast<Sint16>(top + 1),
                            static_cast<Uint16>(width - 2), static_cast<Uint16>(height - 2)};
            SDL_FillRect(screen, &outline, box.border);
            SDL_FillRect(screen, &inside, box.fill);
        }
        benchmark::ClobberMemory();
    }
    check_page(state);
    report(state, first_page_boxes.size(), 1);
}

void whole_run(benchmark::State& state, const Family* family) {
    record_first_page(*family);
    const std::size_t boxes = first_page_boxes.size();
    for ([[maybe_unused]] auto _ : state) run_family(*family);
    report(state, boxes, pages_shown);
}

}  // namespace

int main(int argc, char** argv) {
    // Google Benchmark takes a name as std::string from 1.8 on (Debian 13),
    // as const char* before (Debian 12): c_str() suits both.
    // NOLINTBEGIN(readability-redundant-string-cstr)
    for (const Family* family : family_table) {
        const std::string name = family->name;
        benchmark::RegisterBenchmark((name + "_page_drawn").c_str(), page_drawn, family)
            ->UseManualTime()
            ->Unit(benchmark::kMicrosecond);
        benchmark::RegisterBenchmark(("bulk_fill_baseline/" + name + "_page").c_str(),
                                     bulk_fill_baseline, family)
            ->Unit(benchmark::kMicrosecond);
        benchmark::RegisterBenchmark((name + "_whole_run").c_str(), whole_run, family)
            ->Unit(benchmark::kMillisecond);
    }
    // NOLINTEND(readability-redundant-string-cstr)
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
