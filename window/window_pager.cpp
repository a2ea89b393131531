// The window pager: one 800 x 600 window, shown a page at a time.
#include "window_pager.h"

#include <array>
#include <cstdio>
#include <cstdlib>

#include "canvas.h"
#include "messages.h"
#include "pager.h"
#include "run.h"
#include "process.h"
#include "window_system.h"

namespace {

// Left to itself, SDL falls back to a driver that shows nothing: classic SDL
// to text mode (escape codes on standard output, waiting for keys that
// never come), SDL over SDL2 to an off-screen framebuffer that nobody can
// see. Only the platform's window drivers are tried, unless the user names
// another in SDL_VIDEODRIVER.
bool shows_a_window(const char* driver) {
    for (int i = 0; window_driver(i) != nullptr; ++i) {
        if (same_name(driver, window_driver(i))) return true;
    }
    return false;
}

// The screen as it was before the mode was set (SDL reports the window's
// mode afterwards); 0 where the driver does not say.
struct ScreenBefore {
    int width = 0;
    int height = 0;
    int depth = 0;
};

SDL_Surface* set_video_mode(ScreenBefore& before) {
    const SDL_VideoInfo* info = SDL_GetVideoInfo();
    if (info != nullptr) {
        before.width = info->current_w;
        before.height = info->current_h;
        before.depth = info->vfmt != nullptr ? info->vfmt->BitsPerPixel : 0;
    }
    return SDL_SetVideoMode(canvas_width, canvas_height, canvas_depth,
                            SDL_HWSURFACE | SDL_DOUBLEBUF);
}

// The depth to tell the user: the window system's own where it says (SDL
// reports a 24-bit or 30-bit screen as the 32 bits a pixel it stores), else
// SDL's. Asked only for a message, since it takes a connection of its own.
int told_depth(const ScreenBefore& before) {
    const int depth = display_depth();
    return depth > 0 ? depth : before.depth;
}

[[noreturn]] void fail_video_mode(const ScreenBefore& before, const char* why) {
    std::array<char, 300> detail{};
    const int depth = told_depth(before);
    if (depth > 0) {
        std::snprintf(detail.data(), detail.size(), "%s (the screen has %d bits a pixel)", why,
                      depth);
        why = detail.data();
    }
    fail("cannot set the 800x600 32-bit video mode", why);
}

// A screen smaller than the window still shows it, cut off; one of fewer
// than 8 bits a channel shows the pages in the nearest colours it has (SDL
// converts them). Either is said once.
void warn_of_a_lesser_screen(const ScreenBefore& before) {
    if (before.width > 0 && before.height > 0 &&
        (before.width < canvas_width || before.height < canvas_height)) {
        std::fprintf(stderr,
                     "%s: the screen is %dx%d, smaller than the 800x600 window: part of each "
                     "page is cut off\n",
                     program_name, before.width, before.height);
    }
    if (before.depth > 0 && before.depth < 24) {
        std::fprintf(stderr,
                     "%s: the screen has %d bits a pixel: the colours are shown only "
                     "approximately\n",
                     program_name, told_depth(before));
    }
}

// Settings the user has not made. Classic SDL reports the second press of
// Caps Lock or Num Lock as a key release unless lock keys are plain keys.
// SDL 1.2 over SDL2 shows the page through SDL2's framebuffer and renderer,
// OpenGL by default, which without a GPU is Mesa's software OpenGL: slow to
// start and to flip, and more threads. A software framebuffer and renderer
// show the same pixels; each of the two alone still brings OpenGL in.
// Classic SDL ignores both.
void prefer_defaults() {
    constexpr std::array<std::array<const char*, 2>, 3> defaults = {{
        {"SDL_DISABLE_LOCK_KEYS", "1"},
        {"SDL_FRAMEBUFFER_ACCELERATION", "0"},
        {"SDL_RENDER_DRIVER", "software"},
    }};
    for (const auto& [name, value] : defaults) {
        if (std::getenv(name) == nullptr) set_environment(name, value);
    }
}

// Opens the window on the first driver that shows one. A driver is judged
// by the name SDL reports once the mode is set, not by SDL_Init's result:
// SDL over SDL2 can report success and then fall back to its off-screen
// driver. SDL_VIDEODRIVER stays set until the mode is, since that is when
// such a library may start its video for real.
SDL_Surface* open_window(ScreenBefore& before) {
    // The first driver's complaint is the telling one (x11: no DISPLAY, say).
    std::array<char, 200> first_error{};
    for (int i = 0; window_driver(i) != nullptr; ++i) {
        const char* driver = window_driver(i);
        set_environment("SDL_VIDEODRIVER", driver);
        SDL_Surface* surface = nullptr;
        std::array<char, 32> in_use{};
        if (SDL_InitSubSystem(SDL_INIT_VIDEO) == 0) {
            surface = set_video_mode(before);
            if (SDL_VideoDriverName(in_use.data(), static_cast<int>(in_use.size())) == nullptr) {
                in_use[0] = '\0';
            }
        }
        set_environment("SDL_VIDEODRIVER", nullptr);
        if (surface != nullptr && shows_a_window(in_use.data())) return surface;
        // A window driver that started but refused the mode is no missing display.
        if (surface == nullptr && shows_a_window(in_use.data())) {
            fail_video_mode(before, SDL_GetError());
        }
        if (first_error[0] == '\0') {
            if (surface != nullptr) {
                std::snprintf(first_error.data(), first_error.size(),
                              "%s: SDL used the windowless driver '%s'", driver, in_use.data());
            } else {
                std::snprintf(first_error.data(), first_error.size(), "%s: %s", driver,
                              SDL_GetError());
            }
        }
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
    }
    const char* display = std::getenv("DISPLAY");
    std::array<char, 600> detail{};
    if (display != nullptr && display[0] != '\0') {
        std::snprintf(detail.data(), detail.size(), "cannot use the display %s", display);
        fail(detail.data(), first_error.data());
    }
    // What works with no display at all: the exporter, and the explorer
    // in a browser.
    std::snprintf(detail.data(), detail.size(),
                  "no graphical video driver could start (%s); set DISPLAY, or name a driver "
                  "in SDL_VIDEODRIVER. Without a display, %s_export writes the pages as files, "
                  "and the explorer (build-web/explore.html) shows them in a browser",
                  first_error.data(), program_name);
    fail("no display", detail.data());
}

// Whatever driver the user names is used as it is.
SDL_Surface* open_named_driver(ScreenBefore& before) {
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) fail("cannot start SDL video", SDL_GetError());
    SDL_Surface* surface = set_video_mode(before);
    if (surface == nullptr) fail_video_mode(before, SDL_GetError());
    return surface;
}

// 8 bits a channel, so that every colour of the palette is stored exactly.
bool holds_true_colour(const SDL_PixelFormat* format) {
    return format->BytesPerPixel == 4 && format->Rloss == 0 && format->Gloss == 0 &&
           format->Bloss == 0;
}

// Whether the event turns the page: a key pressed for the window, or a close.
bool turns_the_page(PagerState& pager, const SDL_Event& event) {
    if (event.type != SDL_KEYDOWN && event.type != SDL_KEYUP) return event.type == SDL_QUIT;
    const int key = event.key.keysym.sym;
    const bool known = key >= 0 && key < static_cast<int>(pager.released.size());
    if (event.type == SDL_KEYUP) {
        if (known) pager.released[static_cast<std::size_t>(key)] = true;
        return false;
    }
    return !known || pager.released[static_cast<std::size_t>(key)] ||
           !key_was_down_before_the_window(key);
}

// The surface is locked once for the whole drawing of a page: where a lock
// copies the whole surface (in a browser, say), a lock for every primitive
// would cost seconds a page. The primitives' own locks then only count.
void start_page() {
    if (SDL_MUSTLOCK(screen) && SDL_LockSurface(screen) != 0) {
        fail("cannot draw on the page", SDL_GetError());
    }
    clear_canvas();
}

// Shows the page drawn so far, with its number in the window's title.
void flip_page(const PagerState& pager) {
    if (SDL_MUSTLOCK(screen)) SDL_UnlockSurface(screen);
    std::array<char, 128> title{};
    std::snprintf(title.data(), title.size(), "%s - page %d", program_name, pager.page_number);
    SDL_WM_SetCaption(title.data(), title.data());
    if (SDL_Flip(screen) != 0) fail("cannot show the page", SDL_GetError());
}

}  // namespace

void open_display(Run& run) {
    PagerState& pager = *run.pager;
    name_program_from_system();
    prefer_defaults();
    const char* named = std::getenv("SDL_VIDEODRIVER");
    ScreenBefore before;
    SDL_Surface* surface = named != nullptr && named[0] != '\0' ? open_named_driver(before)
                                                                 : open_window(before);
    if (!holds_true_colour(surface->format) || !select_canvas(surface)) {
        // A 30-bit screen, say: its 10-bit channels are not what is drawn for.
        const SDL_PixelFormat* format = surface->format;
        std::array<char, 120> gave{};
        std::snprintf(gave.data(), gave.size(),
                      "the display gave %dx%d at %d bits a pixel, red mask 0x%08X", surface->w,
                      surface->h, format->BitsPerPixel, static_cast<unsigned>(format->Rmask));
        fail_video_mode(before, gave.data());
    }
    std::array<char, 32> in_use{};
    pager.windowless =
        SDL_VideoDriverName(in_use.data(), static_cast<int>(in_use.size())) != nullptr &&
        same_name(in_use.data(), "dummy");
    if (!pager.windowless) warn_of_a_lesser_screen(before);
    watch_the_window();
    pager.page_number = 1;
    SDL_WM_SetCaption(program_name, program_name);
    start_page();
}

void wait_key_or_quit(PagerState& pager) {
    // The queue only runs while video does; waiting on it otherwise could
    // block for ever, or return at once for ever.
    if (screen == nullptr || SDL_WasInit(SDL_INIT_VIDEO) == 0) {
        fail("waiting for events failed", "video is not running");
    }
    for (;;) {
        SDL_Event event{};
        const bool polled = SDL_PollEvent(&event) != 0;
        if (!polled && pager.windowless) {
            fail("the dummy video driver shows nothing and takes no keys",
                 "unset SDL_VIDEODRIVER, or name a driver that opens a window");
        }
        if (!polled && !wait_for_input(event)) continue;
        if (turns_the_page(pager, event)) return;
        check_window_system_event(event);
        // Uncovered again: the page as shown is still in the surface, since
        // it is cleared only after the wait.
        if (event.type == SDL_VIDEOEXPOSE) SDL_UpdateRect(screen, 0, 0, 0, 0);
    }
}

void show_page(Run& run) {
    flip_page(*run.pager);
    wait_key_or_quit(*run.pager);
    start_page();
    ++run.pager->page_number;
    run.figures_on_page = 0;
}

void finish_display(Run& run) {
    flip_page(*run.pager);
    wait_key_or_quit(*run.pager);
}
