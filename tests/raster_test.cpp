// The raster primitives on a padded off-screen canvas, against references
// built pixel by pixel.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <climits>
#include <deque>
#include <random>
#include <set>
#include <vector>

#include "test_surface.h"

namespace {

using Point = std::pair<int, int>;
constexpr Colour ink = 0x00123456;
constexpr Colour fill = 0x00ABCDEF;
constexpr Colour wall = 0x00000099;

class Raster : public ::testing::Test {
protected:
    void SetUp() override { open_test_canvas(canvas); }
    void TearDown() override {
        EXPECT_TRUE(guards_intact(canvas)) << "a write landed outside the canvas";
        close_test_canvas(canvas);
    }
    TestSurface canvas;
};

std::set<Point> pixels_of(Colour colour) {
    std::set<Point> found;
    for (int y = 0; y < canvas_height; ++y) {
        for (int x = 0; x < canvas_width; ++x) {
            if (get_pixel(x, y) == colour) found.insert({x, y});
        }
    }
    return found;
}

// The 4-connected line stepped one pixel at a time, without clipping; only
// points on the canvas are kept.
std::set<Point> reference_line(long long x0, long long y0, long long x1, long long y1) {
    std::set<Point> points;
    auto plot = [&](long long x, long long y) {
        if (x >= 0 && x < canvas_width && y >= 0 && y < canvas_height)
            points.insert({static_cast<int>(x), static_cast<int>(y)});
    };
    long long x = x0;
    long long y = y0;
    plot(x, y);
    const long long dx = x1 - x0;
    const long long dy = y1 - y0;
    const int sx = dx > 0 ? 1 : -1;
    const int sy = dy > 0 ? 1 : -1;
    const long long ax = std::llabs(dx);
    const long long ay = std::llabs(dy);
    if (dx == 0) {
        for (long long k = 0; k < ay; ++k) plot(x, y += sy);
    } else if (dy == 0) {
        for (long long k = 0; k < ax; ++k) plot(x += sx, y);
    } else if (ax == ay) {
        for (long long k = 0; k < ax; ++k) {
            plot(x += sx, y);
            plot(x, y += sy);
        }
    } else if (ax > ay) {
        long long err = 0;
        for (long long k = 0; k < ax; ++k) {
            plot(x += sx, y);
            err += ay;
            if (err >= ax) {
                err -= ax;
                plot(x, y += sy);
            }
        }
    } else {
        long long err = 0;
        for (long long k = 0; k < ay; ++k) {
            plot(x, y += sy);
            err += ax;
            if (err >= ay) {
                err -= ay;
                plot(x += sx, y);
            }
        }
    }
    return points;
}

// The recursive scanline fill, transcribed directly but with its calls kept
// on a heap stack of frames, so that the reference itself cannot overflow
// the call stack on a deep region; the frames run in the recursion's order.
// Recursion into column -1 (only from a seed in column 0) is skipped: it
// would leave the canvas.
struct FillCall {
    int x, y;
    int l = 0, r = 0, i = 0;
    bool started = false;
    bool above_done = false;  // the call into row y - 1 for column i is made
};

void reference_fill(int x, int y, Colour with, Colour border) {
    std::vector<FillCall> calls{{x, y}};
    while (!calls.empty()) {
        FillCall& call = calls.back();
        if (!call.started) {
            call.started = true;
            const Colour c = get_pixel(call.x, call.y);
            if (c == border || c == with) {
                calls.pop_back();
                continue;
            }
            put_pixel(call.x, call.y, with);
            int l = call.x;
            for (;;) {
                --l;
                if (l <= 0 || get_pixel(l, call.y) == border) break;
                put_pixel(l, call.y, with);
            }
            int r = call.x;
            for (;;) {
                ++r;
                if (r >= canvas_width || get_pixel(r, call.y) == border) break;
                put_pixel(r, call.y, with);
            }
            call.l = l;
            call.r = r;
            call.i = std::max(l, 0);
        }
        if (call.i >= call.r) {
            calls.pop_back();
            continue;
        }
        const FillCall next_up{call.i, call.y - 1};
        const FillCall next_down{call.i, call.y + 1};
        if (!call.above_done) {
            call.above_done = true;
            if (call.y > 1) calls.push_back(next_up);  // `call` is not used after a push
            continue;
        }
        call.above_done = false;
        ++call.i;
        if (next_down.y < canvas_height) calls.push_back(next_down);
    }
}

TEST_F(Raster, StaircaseDiagonalAndShallowLineHitTheListedPixels) {
    draw_line(0, 0, 3, 3, ink);
    EXPECT_EQ(pixels_of(ink),
              (std::set<Point>{{0, 0}, {1, 0}, {1, 1}, {2, 1}, {2, 2}, {3, 2}, {3, 3}}));
    clear_canvas();
    draw_line(0, 0, 4, 1, ink);
    EXPECT_EQ(pixels_of(ink), (std::set<Point>{{0, 0}, {1, 0}, {2, 0}, {3, 0}, {4, 0}, {4, 1}}));
    clear_canvas();
    draw_line(7, 9, 7, 9, ink);
    EXPECT_EQ(pixels_of(ink), (std::set<Point>{{7, 9}}));
}


// Random lines, partly off the canvas, and axis-parallel ones either way
// round: each plots the stepped reference's pixels, and one wholly on the
// canvas hands trace_line (the vector pages' path) the very same pixels.
TEST_F(Raster, LinesMatchTheSteppedReferenceWhereverTheyRun) {
    std::mt19937 random(20261208);
    std::uniform_int_distribution<int> near(-400, 1200);
    std::vector<std::array<int, 4>> lines = {{30, 40, 90, 40}, {90, 40, 30, 40},
                                             {50, 10, 50, 70}, {50, 70, 50, 10}};
    for (int n = 0; n < 300; ++n) lines.push_back({near(random), near(random), near(random), near(random)});
    for (const auto& [x0, y0, x1, y1] : lines) {
        clear_canvas();
        draw_line(x0, y0, x1, y1, ink);
        const std::set<Point> drawn = pixels_of(ink);
        ASSERT_EQ(drawn, reference_line(x0, y0, x1, y1))
            << "(" << x0 << ", " << y0 << ") to (" << x1 << ", " << y1 << ")";
        const bool on_canvas = std::min({x0, x1, y0, y1}) >= 0 && std::max(x0, x1) < canvas_width &&
                               std::max(y0, y1) < canvas_height;
        if (!on_canvas) continue;
        std::set<Point> traced;
        for (const Pixel& pixel : line_pixels(x0, y0, x1, y1)) traced.insert({pixel.x, pixel.y});
        ASSERT_EQ(traced, drawn) << "(" << x0 << ", " << y0 << ") to (" << x1 << ", " << y1 << ")";
    }
}

TEST_F(Raster, LinesFromExtremeCoordinatesDrawOnlyTheirVisiblePart) {
    draw_line(INT_MIN, 300, INT_MAX, 300, ink);
    EXPECT_EQ(pixels_of(ink).size(), static_cast<std::size_t>(canvas_width));
    clear_canvas();
    draw_line(INT_MIN, INT_MIN, INT_MAX, INT_MAX, ink);
    // Its staircase runs through (x, x - 1) and (x, x), wherever on the canvas.
    std::set<Point> staircase;
    for (int x = 0; x < canvas_width; ++x) {
        if (x - 1 >= 0 && x - 1 < canvas_height) staircase.insert({x, x - 1});
        if (x < canvas_height) staircase.insert({x, x});
    }
    EXPECT_EQ(pixels_of(ink), staircase);
    clear_canvas();
    // Far from the canvas in every direction, and a long shallow line that
    // crosses it: compared with the reference, whose stepping is exact.
    draw_line(-2000000, 5, 2000000, 600, ink);
    EXPECT_EQ(pixels_of(ink), reference_line(-2000000, 5, 2000000, 600));
    clear_canvas();
    // Lines and pixels wholly off the canvas, however far their ends: the
    // anti-diagonal's staircase runs through x + y = -2 and -1.
    draw_line(INT_MAX, INT_MIN, INT_MIN, INT_MAX, ink);
    draw_line(INT_MIN, 0, INT_MIN, 599, ink);
    draw_line(-5, INT_MIN, -5, INT_MAX, ink);
    draw_line(INT_MAX, INT_MAX, INT_MAX - 3, INT_MAX - 9, ink);
    draw_line(900, -100, 1900, 700, ink);
    put_pixel(-1, 0, ink);
    put_pixel(800, 599, ink);
    put_pixel(0, 600, ink);
    EXPECT_EQ(pixels_of(ink), std::set<Point>{});
    EXPECT_EQ(get_pixel(-1, 0), 0u);
    EXPECT_EQ(get_pixel(0, INT_MIN), 0u);
}

TEST_F(Raster, BoxIsARingAroundItsInteriorWhicheverCornersAreGiven) {
    draw_box(0, 0, 20, 10, wall, fill);
    for (int y = 0; y < canvas_height; ++y) {
        for (int x = 0; x < canvas_width; ++x) {
            const bool inside_box = x <= 20 && y <= 10;
            const bool ring = inside_box && (x == 0 || x == 20 || y == 0 || y == 10);
            const Colour expected = ring ? wall : inside_box ? fill : palette.background;
            ASSERT_EQ(get_pixel(x, y), expected) << "(" << x << ", " << y << ")";
        }
    }
    EXPECT_EQ(pixels_of(fill).size(), 19u * 9u);

    clear_canvas();
    draw_box(395, 305, 405, 285, wall, fill);
    const std::vector<Colour> crossed = snapshot_canvas();
    clear_canvas();
    draw_box(395, 285, 405, 305, wall, fill);
    EXPECT_TRUE(snapshot_canvas() == crossed);
    // The second identical box finds its centre filled already and paints
    // exactly what is there.
    draw_box(395, 285, 405, 305, wall, fill);
    EXPECT_TRUE(snapshot_canvas() == crossed);
}

TEST_F(Raster, FillStartedOnItsOwnColourOrOnTheBorderChangesNothing) {
    draw_box(100, 100, 140, 120, wall, fill);
    const std::vector<Colour> before = snapshot_canvas();
    flood_fill(100, 110, ink, wall);  // on the border
    flood_fill(120, 110, fill, wall);  // already filled
    flood_fill(-1, 110, ink, wall);   // off the canvas
    flood_fill(120, 600, ink, wall);
    EXPECT_TRUE(snapshot_canvas() == before);
}

// Lays down a scene, then fills it both ways and compares every pixel.
struct FillCase {
    const char* name;
    void (*scene)(std::mt19937&);
    std::vector<Point> seeds;
};

void random_boxes(std::mt19937& random) {
    std::uniform_int_distribution<int> x(-20, 820), y(-20, 620);
    for (int n = 0; n < 40; ++n) draw_box(x(random), y(random), x(random), y(random), wall, ink);
}

void speckle(std::mt19937& random) {
    std::bernoulli_distribution wall_here(0.3);
    std::bernoulli_distribution odd_colour(0.05);
    for (int y = 0; y < canvas_height; ++y) {
        for (int x = 0; x < canvas_width; ++x) {
            if (wall_here(random)) put_pixel(x, y, wall);
            else if (odd_colour(random)) put_pixel(x, y, fill);  // pre-filled specks
        }
    }
}

// Teeth hanging from every edge, one and two pixels wide, with gaps.
void edge_combs(std::mt19937& random) {
    std::uniform_int_distribution<int> depth(0, 60);
    for (int x = 0; x < canvas_width; x += 3) {
        draw_line(x, 0, x, depth(random), wall);
        draw_line(x, canvas_height - 1, x, canvas_height - 1 - depth(random), wall);
    }
    for (int y = 0; y < canvas_height; y += 2) {
        draw_line(0, y, depth(random), y, wall);
        draw_line(canvas_width - 1, y, canvas_width - 1 - depth(random), y, wall);
    }
}

void maze(std::mt19937& random) {
    // Walls on a grid of 4-pixel cells with random openings.
    std::bernoulli_distribution open(0.55);
    for (int y = 0; y < canvas_height; y += 4) {
        for (int x = 0; x < canvas_width; x += 4) {
            if (!open(random)) draw_line(x, y, x + 4, y, wall);
            if (!open(random)) draw_line(x, y, x, y + 4, wall);
        }
    }
}

void nothing(std::mt19937&) {}

TEST_F(Raster, FillPaintsExactlyWhatTheRecursiveFillPaints) {
    const std::vector<FillCase> cases = {
        {"empty canvas", nothing, {{400, 300}, {0, 0}, {799, 599}, {0, 300}, {500, 0}}},
        {"random boxes", random_boxes, {{400, 300}, {1, 1}, {799, 0}, {0, 599}, {37, 512}}},
        {"speckle", speckle, {{400, 300}, {0, 0}, {3, 598}, {799, 1}, {250, 2}}},
        {"edge combs", edge_combs, {{400, 300}, {1, 0}, {2, 599}, {799, 300}, {0, 1}}},
        {"maze", maze, {{401, 301}, {2, 2}, {798, 598}, {0, 301}, {401, 0}}},
    };
    TestSurface twin;
    for (const FillCase& test : cases) {
        for (const Point& seed : test.seeds) {
            std::mt19937 random(7);
            open_test_canvas(twin);
            test.scene(random);
            reference_fill(seed.first, seed.second, fill, wall);
            const std::vector<Colour> expected = snapshot_canvas();

            random.seed(7);
            select_canvas(canvas.surface);
            clear_canvas();
            test.scene(random);
            flood_fill(seed.first, seed.second, fill, wall);
            const std::vector<Colour> drawn = snapshot_canvas();
            const auto mismatch = std::mismatch(drawn.begin(), drawn.end(), expected.begin());
            EXPECT_TRUE(mismatch.first == drawn.end())
                << test.name << ", seed (" << seed.first << ", " << seed.second
                << "): first difference at pixel " << mismatch.first - drawn.begin();
        }
    }
    close_test_canvas(twin);
}

// A single corridor one pixel wide that winds up and down the whole canvas
// holds the deepest chain of spans there can be; a recursive fill would need
// hundreds of thousands of frames for it.
TEST_F(Raster, FillOfAWholeCanvasSerpentineStaysBoundedAndComplete) {
    draw_line(0, 0, 799, 0, wall);
    draw_line(0, 0, 0, 599, wall);
    for (int x = 2; x < canvas_width; x += 2) {
        // Walls alternately hang from the top and stand on the bottom.
        if (x % 4 == 2) draw_line(x, 0, x, canvas_height - 3, wall);
        else draw_line(x, 2, x, canvas_height - 1, wall);
    }
    flood_fill(1, 1, fill, wall);
    // Reachability from the seed over non-wall pixels, breadth first.
    std::vector<char> reached(static_cast<std::size_t>(canvas_width) * canvas_height, 0);
    std::deque<Point> queue{{1, 1}};
    reached[canvas_width + 1] = 1;
    while (!queue.empty()) {
        const auto [x, y] = queue.front();
        queue.pop_front();
        const Point next[] = {{x + 1, y}, {x - 1, y}, {x, y + 1}, {x, y - 1}};
        for (const auto& [nx, ny] : next) {
            if (nx < 0 || nx >= canvas_width || ny < 0 || ny >= canvas_height) continue;
            char& seen = reached[static_cast<std::size_t>(ny) * canvas_width + nx];
            if (seen || get_pixel(nx, ny) == wall) continue;
            seen = 1;
            queue.push_back({nx, ny});
        }
    }
    std::size_t painted = 0;
    for (int y = 0; y < canvas_height; ++y) {
        for (int x = 0; x < canvas_width; ++x) {
            const bool should = reached[static_cast<std::size_t>(y) * canvas_width + x] != 0;
            painted += should;
            ASSERT_EQ(get_pixel(x, y) == fill, should) << "(" << x << ", " << y << ")";
        }
    }
    EXPECT_GT(painted, 230000u);
}

TEST_F(Raster, PrimitivesDoNothingWithoutACanvas) {
    SDL_Surface* selected = screen;
    screen = nullptr;
    draw_box(10, 10, 30, 20, wall, fill);
    put_pixel(5, 5, ink);
    EXPECT_EQ(get_pixel(5, 5), 0u);
    screen = selected;
    EXPECT_EQ(pixels_of(wall).size(), 0u);
    // A surface that is not 32-bit is refused; one of another size is a
    // canvas of that size, its lines clipped to it.
    SDL_Surface* shallow = SDL_CreateRGBSurface(SDL_SWSURFACE, 800, 600, 16, 0, 0, 0, 0);
    EXPECT_FALSE(select_canvas(shallow));
    EXPECT_EQ(screen, selected);
    SDL_FreeSurface(shallow);
    SDL_Surface* small = SDL_CreateRGBSurface(SDL_SWSURFACE, 64, 48, 32, 0, 0, 0, 0);
    ASSERT_TRUE(select_canvas(small));
    clear_canvas();
    draw_line(-10, 47, 100, 47, ink);
    int drawn = 0;
    for (int x = 0; x < 64; ++x) drawn += get_pixel(x, 47) == ink ? 1 : 0;
    EXPECT_EQ(drawn, 64);
    EXPECT_EQ(get_pixel(64, 47), 0u);
    select_canvas(selected);
    SDL_FreeSurface(small);
}

}  // namespace

namespace {

// Coordinates from everywhere: near the canvas, far from it, and at the
// ends of the int range.
int hostile_coordinate(std::mt19937& random) {
    static const int extremes[] = {INT_MIN, INT_MIN + 1, -1000000, -801, -1, 0, 1,
                                   598,     599,         600,      799,  800, 1000000, INT_MAX};
    switch (random() % 3) {
    case 0: return extremes[random() % (sizeof extremes / sizeof extremes[0])];
    case 1: return static_cast<int>(random() % 1800) - 500;
    default: return static_cast<int>(random());
    }
}

TEST_F(Raster, HostileCoordinatesNeverReachOutsideTheCanvas) {
    std::mt19937 random(4242);
    for (int n = 0; n < 3000; ++n) {
        const int x0 = hostile_coordinate(random), y0 = hostile_coordinate(random);
        const int x1 = hostile_coordinate(random), y1 = hostile_coordinate(random);
        switch (n % 4) {
        case 0: draw_line(x0, y0, x1, y1, ink); break;
        case 1: draw_box(x0, y0, x1, y1, wall, fill); break;
        case 2: flood_fill(x0, y0, n % 8 == 2 ? fill : ink, wall); break;
        default:
            put_pixel(x0, y0, ink);
            (void)get_pixel(x1, y1);
            break;
        }
        ASSERT_TRUE(guards_intact(canvas)) << "step " << n << ": (" << x0 << ", " << y0
                                           << ") to (" << x1 << ", " << y1 << ")";
    }
    // Lines whose ends are within a few thousand pixels are checked in full.
    std::uniform_int_distribution<int> wide(-5000, 5000);
    for (int n = 0; n < 60; ++n) {
        const int x0 = wide(random), y0 = wide(random), x1 = wide(random), y1 = wide(random);
        clear_canvas();
        draw_line(x0, y0, x1, y1, ink);
        ASSERT_EQ(pixels_of(ink), reference_line(x0, y0, x1, y1))
            << "(" << x0 << ", " << y0 << ") to (" << x1 << ", " << y1 << ")";
    }
}

}  // namespace
