// How long a page takes to draw, against a baseline that paints the same
// boxes with bulk fills, and how long each program's whole run takes.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>

#include "diamond.h"
#include "pyramid.h"
#include "test_surface.h"
#include "tilings.h"

// A pager that shows nothing: pages are counted and cleared.
namespace {
TestSurface page;
int pages_shown = 0;
std::vector<Colour> first_page;
}  // namespace

void open_display() {
    open_test_canvas(page);
    pages_shown = 0;
}
void show_page() {
    if (pages_shown++ == 0) first_page = snapshot_canvas();
    clear_canvas();
}
void finish_display() { ++pages_shown; }

namespace {

struct PageFigure {
    int x;
    int y;
    std::vector<StepKind> path;  // a flat is one entry
};

struct BenchPage {
    std::vector<PageFigure> figures;
    std::vector<DominoRect> boxes;
    std::vector<Colour> pixels;  // the page as the program showed it
};

// Every benchmark reports the same counters, which some output formats
// (CSV) require.
void report(benchmark::State& state, std::size_t boxes, int pages) {
    state.counters["boxes"] = static_cast<double>(boxes);
    state.counters["pages"] = pages;
}

std::size_t boxes_drawn = 0;
void count_box(int /*x1*/, int /*y1*/, int /*x2*/, int /*y2*/, Colour /*border*/,
               Colour /*fill*/) {
    ++boxes_drawn;
}

// Runs a whole program once more, untimed, counting its boxes.
std::size_t boxes_in_run(void (*whole_run)()) {
    boxes_drawn = 0;
    box_listener = count_box;
    open_display();
    whole_run();
    finish_display();
    box_listener = nullptr;
    return boxes_drawn;
}

// Every benchmark must leave the page exactly as the program drew it.
void check_page(benchmark::State& state, const BenchPage& expected) {
    if (snapshot_canvas() != expected.pixels) state.SkipWithError("the page drawn differs");
}

// The first page a program shows, read back from its pixels.
BenchPage first_page_of(void (*whole_run)(), const Region& region, const std::vector<int>& xs,
                        const std::vector<int>& ys) {
    open_display();
    whole_run();
    std::vector<std::string> problems;
    const std::vector<Figure> figures = decode_pages({first_page}, region, xs, ys, problems);
    BenchPage result;
    result.pixels = first_page;
    for (const Figure& figure : figures) {
        const int x = xs[figure.slot % xs.size()];
        const int y = ys[figure.slot / xs.size()];
        result.figures.push_back({x, y, figure.path});
        for (const DominoRect& rect : domino_rects(region, x, y, figure.tiling))
            result.boxes.push_back(rect);
    }
    return result;
}

// Pyramid's count goes to standard output; keep it out of the report.
void run_pyramid_quietly() {
    std::fflush(stdout);
    const int saved = dup(STDOUT_FILENO);
    if (saved < 0) return;
    if (std::freopen("/dev/null", "w", stdout) == nullptr) {
        close(saved);
        return;
    }
    pyramid::draw_every_figure();
    std::fflush(stdout);
    dup2(saved, STDOUT_FILENO);
    close(saved);
}

const BenchPage& diamond_page() {
    static const BenchPage page_one = first_page_of(diamond::draw_every_figure, diamond_region,
                                                    diamond_slot_xs, diamond_slot_ys);
    return page_one;
}

const BenchPage& pyramid_page() {
    static const BenchPage page_one = first_page_of(run_pyramid_quietly, pyramid_region,
                                                    pyramid_slot_xs, pyramid_slot_ys);
    return page_one;
}

void paint_boxes_with_bulk_fills(const std::vector<DominoRect>& boxes) {
    for (const DominoRect& box : boxes) {
        SDL_Rect outline{static_cast<Sint16>(box.left), static_cast<Sint16>(box.top),
                         static_cast<Uint16>(box.right - box.left + 1),
                         static_cast<Uint16>(box.bottom - box.top + 1)};
        SDL_Rect inside{static_cast<Sint16>(box.left + 1), static_cast<Sint16>(box.top + 1),
                        static_cast<Uint16>(box.right - box.left - 1),
                        static_cast<Uint16>(box.bottom - box.top - 1)};
        SDL_FillRect(screen, &outline, palette.border);
        SDL_FillRect(screen, &inside, box.fill);
    }
}

void diamond_page_drawn(benchmark::State& state) {
    const BenchPage& page_one = diamond_page();
    while (state.KeepRunning()) {
        clear_canvas();
        for (const PageFigure& figure : page_one.figures) {
            int a = 0;
            for (std::size_t i = 0; i < figure.path.size(); ++i) {
                diamond::arrangement[i] = figure.path[i];
                a += figure.path[i] == StepKind::rise;
            }
            diamond::draw_diamond_figure(a, figure.x, figure.y);
        }
        benchmark::ClobberMemory();
    }
    check_page(state, page_one);
    report(state, page_one.boxes.size(), 1);
}

void pyramid_page_drawn(benchmark::State& state) {
    const BenchPage& page_one = pyramid_page();
    pyramid::path_order = 5;
    while (state.KeepRunning()) {
        clear_canvas();
        for (const PageFigure& figure : page_one.figures) {
            int k = 0;
            for (const StepKind step : figure.path) {
                pyramid::figure_steps[k++] = step;
                if (step == StepKind::flat) pyramid::figure_steps[k++] = step;
            }
            pyramid::cursor_x = figure.x;
            pyramid::cursor_y = figure.y;
            pyramid::draw_pyramid_figure();
        }
        benchmark::ClobberMemory();
    }
    check_page(state, page_one);
    report(state, page_one.boxes.size(), 1);
}

void bulk_fill_baseline(benchmark::State& state, const BenchPage& (*which)()) {
    const BenchPage& page_one = which();
    while (state.KeepRunning()) {
        clear_canvas();
        paint_boxes_with_bulk_fills(page_one.boxes);
        benchmark::ClobberMemory();
    }
    check_page(state, page_one);
    report(state, page_one.boxes.size(), 1);
}

void diamond_whole_run(benchmark::State& state) {
    while (state.KeepRunning()) {
        open_display();
        diamond::draw_every_figure();
        finish_display();
    }
    const int pages = pages_shown;
    report(state, boxes_in_run(diamond::draw_every_figure), pages);
}

void pyramid_whole_run(benchmark::State& state) {
    while (state.KeepRunning()) {
        open_display();
        run_pyramid_quietly();
        finish_display();
    }
    const int pages = pages_shown;
    report(state, boxes_in_run(run_pyramid_quietly), pages);
}

}  // namespace

BENCHMARK(diamond_page_drawn)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(bulk_fill_baseline, diamond_page, diamond_page)->Unit(benchmark::kMicrosecond);
BENCHMARK(pyramid_page_drawn)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(bulk_fill_baseline, pyramid_page, pyramid_page)->Unit(benchmark::kMicrosecond);
BENCHMARK(diamond_whole_run)->Unit(benchmark::kMillisecond);
BENCHMARK(pyramid_whole_run)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
