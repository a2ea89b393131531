// How long a page takes to draw, against a baseline that paints the same
// boxes with bulk fills, and how long each family's whole run takes, for
// every family of the table at its usual order.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <vector>

#include "family_table.h"
#include "page_record.h"
#include "pager.h"
#include "raster.h"
#include "test_surface.h"

using Clock = std::chrono::steady_clock;

// A pager that shows nothing: pages are counted and cleared, and the first
// one is timed; when asked, it is kept, with its figures as placed.
struct PagerState {
    TestSurface page;
    int pages_shown = 0;
    Clock::time_point run_started;
    double first_page_seconds = 0;
    bool keep_first_page = false;
    std::vector<Colour> first_page;
    PageRecord first_page_figures;
};

void open_display(Run& run) {
    PagerState& pager = *run.pager;
    open_test_canvas(pager.page);
    pager.pages_shown = 0;
    run.count_printed = false;  // a count printed would only clutter the report
    pager.first_page_figures.figures.clear();
    run.record = pager.keep_first_page ? &pager.first_page_figures : nullptr;
    // The page's time counts its clearing, as the baseline's does.
    pager.run_started = Clock::now();
    clear_canvas();
}

void show_page(Run& run) {
    PagerState& pager = *run.pager;
    if (pager.pages_shown++ == 0) {
        pager.first_page_seconds =
            std::chrono::duration<double>(Clock::now() - pager.run_started).count();
        if (pager.keep_first_page) pager.first_page = snapshot_canvas();
        run.record = nullptr;
    }
    clear_canvas();
}

void finish_display(Run& run) {
    PagerState& pager = *run.pager;
    if (pager.pages_shown++ == 0) {
        pager.first_page_seconds =
            std::chrono::duration<double>(Clock::now() - pager.run_started).count();
    }
}

namespace {

// Every benchmark reports the same counters, which some output formats
// (CSV) require.
void report(benchmark::State& state, std::size_t boxes, int pages) {
    state.counters["boxes"] = static_cast<double>(boxes);
    state.counters["pages"] = pages;
}

void run_once(PagerState& pager, const Family& family) {
    Run run = run_of(family, 0);
    run.pager = &pager;
    run_family(run);
}

// The first page of a family's run as drawn, and every domino's box on it.
std::vector<Box> record_first_page(PagerState& pager, const Family& family) {
    pager.keep_first_page = true;
    run_once(pager, family);
    pager.keep_first_page = false;
    std::vector<Box> boxes;
    for (const PlacedFigure& figure : pager.first_page_figures.figures) {
        const Placement placement =
            placement_on_page(figure.geometry, figure.x, figure.y, family.cell, family.cell);
        for (const Domino& domino : figure.geometry.dominoes) {
            boxes.push_back(domino_box(domino, placement));
        }
    }
    return boxes;
}

// Drawing the first page: each iteration runs the whole family and is timed
// until that page is done.
void page_drawn(benchmark::State& state, const Family* family) {
    PagerState pager;
    const std::size_t boxes = record_first_page(pager, *family).size();
    const std::vector<Colour> expected = pager.first_page;
    for ([[maybe_unused]] auto _ : state) {
        run_once(pager, *family);
        state.SetIterationTime(pager.first_page_seconds);
    }
    record_first_page(pager, *family);
    if (pager.first_page != expected) state.SkipWithError("the page drawn differs");
    report(state, boxes, 1);
    close_test_canvas(pager.page);
}

// The same boxes painted with SDL's bulk fills, the canvas cleared first as
// the pagers clear it; it must leave the page exactly as the family drew it.
void bulk_fill_baseline(benchmark::State& state, const Family* family) {
    PagerState pager;
    const std::vector<Box> boxes = record_first_page(pager, *family);
    const Colour border = palette.border;
    std::vector<Colour> fills;
    for (const PlacedFigure& figure : pager.first_page_figures.figures) {
        for (const Domino& domino : figure.geometry.dominoes) {
            fills.push_back(domino.role == DominoRole::rise   ? palette.rise_fill
                            : domino.role == DominoRole::fall ? palette.fall_fill
                                                              : palette.flat_fill);
        }
    }
    for ([[maybe_unused]] auto _ : state) {
        clear_canvas();
        for (std::size_t i = 0; i < boxes.size(); ++i) {
            const Box& box = boxes[i];
            SDL_Rect outline{static_cast<Sint16>(box.left), static_cast<Sint16>(box.top),
                             static_cast<Uint16>(box.right - box.left + 1),
                             static_cast<Uint16>(box.bottom - box.top + 1)};
            SDL_Rect inside{static_cast<Sint16>(box.left + 1), static_cast<Sint16>(box.top + 1),
                            static_cast<Uint16>(box.right - box.left - 1),
                            static_cast<Uint16>(box.bottom - box.top - 1)};
            SDL_FillRect(screen, &outline, border);
            SDL_FillRect(screen, &inside, fills[i]);
        }
        benchmark::ClobberMemory();
    }
    if (snapshot_canvas() != pager.first_page) state.SkipWithError("the page drawn differs");
    report(state, boxes.size(), 1);
    close_test_canvas(pager.page);
}

void whole_run(benchmark::State& state, const Family* family) {
    PagerState pager;
    const std::size_t boxes = record_first_page(pager, *family).size();
    for ([[maybe_unused]] auto _ : state) run_once(pager, *family);
    report(state, boxes, pager.pages_shown);
    close_test_canvas(pager.page);
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
