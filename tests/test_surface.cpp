#include "test_surface.h"

namespace {
constexpr int pitch_words = canvas_width + pad_columns;
}

void open_test_canvas(TestSurface& canvas) {
    close_test_canvas(canvas);
    const int rows = canvas_height + 2 * guard_rows;
    canvas.memory.assign(static_cast<std::size_t>(rows) * pitch_words, sentinel);
    canvas.surface = SDL_CreateRGBSurfaceFrom(
        canvas.memory.data() + static_cast<std::size_t>(guard_rows) * pitch_words, canvas_width,
        canvas_height, canvas_depth, pitch_words * 4, 0x00FF0000, 0x0000FF00, 0x000000FF, 0);
    select_canvas(canvas.surface);
    clear_canvas();
}

void close_test_canvas(TestSurface& canvas) {
    if (canvas.surface != nullptr) {
        if (screen == canvas.surface) screen = nullptr;
        SDL_FreeSurface(canvas.surface);
        canvas.surface = nullptr;
    }
}

bool guards_intact(const TestSurface& canvas) {
    const int rows = canvas_height + 2 * guard_rows;
    for (int row = 0; row < rows; ++row) {
        const bool on_canvas_row = row >= guard_rows && row < guard_rows + canvas_height;
        for (int column = on_canvas_row ? canvas_width : 0; column < pitch_words; ++column) {
            if (canvas.memory[static_cast<std::size_t>(row) * pitch_words + column] != sentinel) {
                return false;
            }
        }
    }
    return true;
}

std::vector<Colour> snapshot_canvas() {
    std::vector<Colour> pixels(static_cast<std::size_t>(canvas_width) * canvas_height);
    for (int y = 0; y < canvas_height; ++y) {
        for (int x = 0; x < canvas_width; ++x) {
            pixels[static_cast<std::size_t>(y) * canvas_width + x] = get_pixel(x, y);
        }
    }
    return pixels;
}
