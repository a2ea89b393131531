// The window pager on SDL's dummy video driver: a real SDL screen and event
// queue, with no display needed.
#include <gtest/gtest.h>

#include <cstdlib>

#include "canvas.h"
#include "pager.h"
#include "raster.h"
#include "run.h"
#include "window_pager.h"

namespace {

SDL_Event event_of_type(Uint8 type) {
    SDL_Event event{};
    event.type = type;
    if (type == SDL_KEYDOWN || type == SDL_KEYUP) {
        event.key.type = type;
        event.key.keysym.sym = SDLK_SPACE;
    }
    return event;
}

void push(Uint8 type) {
    SDL_Event event = event_of_type(type);
    ASSERT_EQ(SDL_PushEvent(&event), 0);
}

// The events still queued, oldest first, without taking them.
std::vector<Uint8> queued_types() {
    SDL_Event events[16];
    const int count = SDL_PeepEvents(events, 16, SDL_PEEKEVENT, SDL_ALLEVENTS);
    std::vector<Uint8> types;
    types.reserve(16);
    for (int i = 0; i < count; ++i) types.push_back(events[i].type);
    return types;
}

class WindowPager : public ::testing::Test {
protected:
    void SetUp() override {
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        run.pager = &pager;
        open_display(run);
    }
    void TearDown() override {
        SDL_Quit();
        screen = nullptr;
        unsetenv("SDL_VIDEODRIVER");
    }
    PagerState pager;
    ::Run run;
};

TEST_F(WindowPager, OpensAWhite800By600Canvas) {
    ASSERT_NE(screen, nullptr);
    EXPECT_EQ(screen->w, 800);
    EXPECT_EQ(screen->h, 600);
    EXPECT_EQ(screen->format->BitsPerPixel, 32);
    EXPECT_EQ(get_pixel(0, 0), palette.background);
    EXPECT_EQ(get_pixel(799, 599), palette.background);
}

TEST_F(WindowPager, OnlyAKeyPressOrAQuitEndsTheWait) {
    push(SDL_KEYUP);
    push(SDL_MOUSEBUTTONDOWN);
    push(SDL_MOUSEBUTTONUP);
    push(SDL_MOUSEMOTION);
    push(SDL_ACTIVEEVENT);
    push(SDL_VIDEOEXPOSE);  // repaints the page, and waits on
    push(SDL_KEYDOWN);
    push(SDL_KEYDOWN);
    wait_key_or_quit(pager);
    // Everything up to the first key press is consumed; the second stays
    // queued for the next page.
    EXPECT_EQ(queued_types(), std::vector<Uint8>{SDL_KEYDOWN});
    push(SDL_MOUSEBUTTONDOWN);
    push(SDL_QUIT);
    push(SDL_KEYUP);
    wait_key_or_quit(pager);  // the queued key press
    wait_key_or_quit(pager);  // the close of the window
    EXPECT_EQ(queued_types(), std::vector<Uint8>{SDL_KEYUP});
}

TEST_F(WindowPager, ShowPageClearsThePageOnlyAfterTheWait) {
    draw_box(10, 10, 30, 20, palette.border, palette.rise_fill);
    push(SDL_KEYDOWN);
    show_page(run);
    EXPECT_EQ(get_pixel(10, 10), palette.background);
    EXPECT_EQ(get_pixel(20, 15), palette.background);
    draw_box(10, 10, 30, 20, palette.border, palette.rise_fill);
    push(SDL_QUIT);
    finish_display(run);
    EXPECT_EQ(get_pixel(20, 15), palette.rise_fill);  // the last page is left as shown
}

TEST(WindowPagerFailure, AnEventErrorEndsTheWaitWithAMessageAndStatusOne) {
    // Without video the event queue is not running, and SDL reports an error.
    PagerState pager;
    EXPECT_EXIT(wait_key_or_quit(pager), ::testing::ExitedWithCode(1), "waiting for events failed");
}

TEST(WindowPagerFailure, ANamedDriverThatCannotStartIsReported) {
    setenv("SDL_VIDEODRIVER", "no-such-driver", 1);
    PagerState pager;
    ::Run run;
    run.pager = &pager;
    EXPECT_EXIT(open_display(run), ::testing::ExitedWithCode(1), "cannot start SDL video");
    unsetenv("SDL_VIDEODRIVER");
}

}  // namespace
