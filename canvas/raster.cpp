// Pixels, lines, flood fill and framed boxes, written straight into the
// selected canvas surface.
#include "raster.h"

#include <algorithm>
#include <cstddef>
#include <cstdlib>
#include <vector>

namespace {

// Wide enough for any difference of two ints.
using Wide = long long;
// Wide enough for any product of two such differences that a line needs:
// both are below 2^32, so the product is below 2^64.
using Product = unsigned long long;

// The selected canvas's size; a page may be larger than the window's.
int width() { return screen->w; }
int height() { return screen->h; }

bool on_canvas(Wide x, Wide y) {
    return screen != nullptr && x >= 0 && x < width() && y >= 0 && y < height();
}

// Rows are addressed through the surface's pitch, which may exceed 4 * w.
Colour* pixel_row(int y) {
    return reinterpret_cast<Colour*>(static_cast<Uint8*>(screen->pixels) +
                                     static_cast<std::ptrdiff_t>(y) * screen->pitch);
}

void unlock_canvas() {
    if (canvas_needs_lock()) SDL_UnlockSurface(screen);
}

// Makes the pixel memory addressable; false when there is nothing to draw on.
// SDL counts nested locks, so primitives may call one another freely.
bool lock_canvas() {
    if (screen == nullptr) return false;
    if (canvas_needs_lock() && SDL_LockSurface(screen) != 0) return false;
    if (screen->pixels == nullptr) {
        unlock_canvas();
        return false;
    }
    return true;
}

void plot_clipped(Wide x, Wide y, Colour colour) {
    if (on_canvas(x, y)) pixel_row(static_cast<int>(y))[x] = colour;
}

// The steps k in 1 ... steps whose coordinate start + sign * k lies in
// [0, limit). Every pixel a line plots at step k shares that step's
// coordinate on the line's major axis, so only these steps can draw.
bool steps_on_canvas(Wide start, int sign, Wide steps, int limit, Wide& first, Wide& last) {
    const Wide lo = sign > 0 ? -start : start - (limit - 1);
    const Wide hi = sign > 0 ? limit - 1 - start : start;
    first = lo > 1 ? lo : 1;
    last = hi < steps ? hi : steps;
    return first <= last;
}

// A line whose major axis moves `major` pixels and minor axis `minor`
// (0 < minor < major). After k steps the error term is k * minor mod major
// and the minor axis has moved floor(k * minor / major) pixels; this lets a
// line that starts far off the canvas begin at its first visible step.
void draw_sloped_line(Wide major_start, int major_sign, Wide major, Wide minor_start,
                      int minor_sign, Wide minor, int major_limit, bool x_major,
                      Colour colour) {
    Wide first = 0;
    Wide last = 0;
    if (!steps_on_canvas(major_start, major_sign, major, major_limit, first, last)) return;
    const Product before = static_cast<Product>(first - 1) * static_cast<Product>(minor);
    Wide err = static_cast<Wide>(before % static_cast<Product>(major));
    Wide m = minor_start + minor_sign * static_cast<Wide>(before / static_cast<Product>(major));
    for (Wide k = first; k <= last; ++k) {
        const Wide a = major_start + major_sign * k;
        if (x_major) plot_clipped(a, m, colour); else plot_clipped(m, a, colour);
        err += minor;
        if (err >= major) {
            err -= major;
            m += minor_sign;
            if (x_major) plot_clipped(a, m, colour); else plot_clipped(m, a, colour);
        }
    }
}

// ---- flood fill ----
//
// The fill paints exactly what this recursive scanline fill paints, on a
// canvas W pixels wide and H high (800 and 600 for the window):
//
//   fill(x, y): stop on border or fill; paint (x, y); scan left painting
//   until l <= 0 or border; scan right until r >= W or border; then for
//   i = l ... r - 1: if y > 1 fill(i, y - 1); if y < H - 1 fill(i, y + 1).
//
// Which spans that fill enters does not depend on the order it visits them
// in: an entry fails only on border pixels, which never change, or on fill
// pixels, which are either there from the start or belong to a span already
// entered (whose neighbours are then visited anyway). So the spans are kept
// on an explicit stack and each is looked along in one sweep per
// neighbouring row, skipping whole spans once entered, and skipping the part
// of the row it was entered from that its parent span covers: that part was
// painted with the parent and holds no span to enter, but for column 0,
// which a scan never paints.
//
// The one change: a seed in column 0 would look along from column -1, off
// the canvas; it starts at column 0 instead.

struct FillSpan {
    int y;
    int left;    // the left scan's stop column, included
    int right;   // the right scan's stop column, excluded
    int from;    // the row it was entered from: -1 above, +1 below, 0 the seed
    int parent_left;   // the part of that row painted with the parent
    int parent_right;  // span, columns parent_left ... parent_right - 1
};

// The spans entered and not yet looked beside. A span is pushed only when
// it is entered, and an entered span is all fill but possibly for column
// 0, so it can be entered once more there at most: the stack never holds
// more spans than the canvas has.
using FillStack = std::vector<FillSpan>;

// Paints the span through (x, y), whose pixel is neither border nor fill,
// pushes it, and returns the right scan's stop column.
int enter_span(FillStack& stack, Colour* row, int x, int y, const FillSpan& parent, Colour fill,
               Colour border) {
    row[x] = fill;
    int l = x - 1;
    while (l > 0 && row[l] != border) row[l--] = fill;
    int r = x + 1;
    while (r < width() && row[r] != border) row[r++] = fill;
    if (l < 0) l = 0;
    const int from = parent.y == y ? 0 : parent.y - y;
    const int painted_left = parent.left > 1 ? parent.left + 1 : 1;
    stack.push_back({y, l, r, from, painted_left, parent.right});
    return r;
}

// Enters every span of row y that columns left ... right - 1 touch.
void look_along(FillStack& stack, const FillSpan& span, int y, int left, int right, Colour fill,
                Colour border) {
    Colour* row = pixel_row(y);
    for (int i = left; i < right; ++i) {
        if (row[i] != border && row[i] != fill) {
            i = enter_span(stack, row, i, y, span, fill, border);
        }
    }
}

// Looks along the row at span.y + offset, less what the parent span painted.
void look_beside(FillStack& stack, const FillSpan& span, int offset, Colour fill, Colour border) {
    const int y = span.y + offset;
    if (offset != span.from) {
        look_along(stack, span, y, span.left, span.right, fill, border);
        return;
    }
    look_along(stack, span, y, span.left, std::min(span.right, span.parent_left), fill, border);
    look_along(stack, span, y, std::max(span.left, span.parent_right), span.right, fill, border);
}

}  // namespace

void put_pixel(int x, int y, Colour colour) {
    if (!on_canvas(x, y) || !lock_canvas()) return;
    pixel_row(y)[x] = colour;
    unlock_canvas();
}

Colour get_pixel(int x, int y) {
    if (!on_canvas(x, y) || !lock_canvas()) return 0;
    const Colour colour = pixel_row(y)[x];
    unlock_canvas();
    return colour;
}

void draw_line(int x0, int y0, int x1, int y1, Colour colour) {
    if (!lock_canvas()) return;
    plot_clipped(x0, y0, colour);
    const Wide dx = static_cast<Wide>(x1) - x0;
    const Wide dy = static_cast<Wide>(y1) - y0;
    const int sx = dx > 0 ? 1 : -1;
    const int sy = dy > 0 ? 1 : -1;
    const Wide ax = std::llabs(dx);
    const Wide ay = std::llabs(dy);
    Wide first = 0;
    Wide last = 0;
    if (dx == 0) {
        if (steps_on_canvas(y0, sy, ay, height(), first, last))
            for (Wide k = first; k <= last; ++k) plot_clipped(x0, y0 + sy * k, colour);
    } else if (dy == 0) {
        if (steps_on_canvas(x0, sx, ax, width(), first, last))
            for (Wide k = first; k <= last; ++k) plot_clipped(x0 + sx * k, y0, colour);
    } else if (ax == ay) {
        // Step k plots (x0 + sx k, y0 + sy (k - 1)), then (x0 + sx k, y0 + sy k).
        if (steps_on_canvas(x0, sx, ax, width(), first, last)) {
            for (Wide k = first; k <= last; ++k) {
                plot_clipped(x0 + sx * k, y0 + sy * (k - 1), colour);
                plot_clipped(x0 + sx * k, y0 + sy * k, colour);
            }
        }
    } else if (ax > ay) {
        draw_sloped_line(x0, sx, ax, y0, sy, ay, width(), true, colour);
    } else {
        draw_sloped_line(y0, sy, ay, x0, sx, ax, height(), false, colour);
    }
    unlock_canvas();
}

std::vector<Pixel> line_pixels(int x0, int y0, int x1, int y1) {
    std::vector<Pixel> pixels;
    int x = x0;
    int y = y0;
    pixels.push_back({x, y});
    const int sx = x1 > x0 ? 1 : -1;
    const int sy = y1 > y0 ? 1 : -1;
    const int ax = std::abs(x1 - x0);
    const int ay = std::abs(y1 - y0);
    // The major axis steps every time; the minor one when its error is due.
    const bool x_major = ax >= ay;
    const int major = x_major ? ax : ay;
    const int minor = x_major ? ay : ax;
    int err = 0;
    for (int k = 0; k < major; ++k) {
        if (x_major) x += sx; else y += sy;
        pixels.push_back({x, y});
        err += minor;
        if (minor > 0 && err >= major) {
            err -= major;
            if (x_major) y += sy; else x += sx;
            pixels.push_back({x, y});
        }
    }
    return pixels;
}

void flood_fill(int x, int y, Colour fill, Colour border) {
    if (!on_canvas(x, y) || !lock_canvas()) return;
    Colour* row = pixel_row(y);
    if (row[x] != border && row[x] != fill) {
        FillStack stack;
        const FillSpan seed{y, 0, 0, 0, 0, 0};
        enter_span(stack, row, x, y, seed, fill, border);
        while (!stack.empty()) {
            const FillSpan span = stack.back();
            stack.pop_back();
            if (span.y > 1) look_beside(stack, span, -1, fill, border);
            if (span.y < height() - 1) look_beside(stack, span, +1, fill, border);
        }
    }
    unlock_canvas();
}

namespace {

// A box wholly on the canvas whose inside holds neither colour yet is what
// every figure draws: there the lines plot exactly its outline and the fill,
// entered at the centre and stopped only by that complete outline, paints
// exactly its inside (no border pixel inside to stop it short, no fill pixel
// to refuse an entry; the fill's edge rules only bite at row 0 and column
// 0, which an inside never reaches). Painted directly, row by row. False,
// with nothing drawn, when the box is not such a box.
bool draw_plain_box(int x1, int y1, int x2, int y2, Colour border, Colour fill) {
    const int left = std::min(x1, x2);
    const int right = std::max(x1, x2);
    const int top = std::min(y1, y2);
    const int bottom = std::max(y1, y2);
    if (left < 0 || top < 0 || right >= width() || bottom >= height() ||
        right - left < 2 || bottom - top < 2) {
        return false;
    }
    for (int y = top + 1; y < bottom; ++y) {
        const Colour* row = pixel_row(y);
        for (int x = left + 1; x < right; ++x) {
            if (row[x] == border || row[x] == fill) return false;
        }
    }
    std::fill(pixel_row(top) + left, pixel_row(top) + right + 1, border);
    for (int y = top + 1; y < bottom; ++y) {
        Colour* row = pixel_row(y);
        row[left] = border;
        std::fill(row + left + 1, row + right, fill);
        row[right] = border;
    }
    std::fill(pixel_row(bottom) + left, pixel_row(bottom) + right + 1, border);
    return true;
}

}  // namespace

void clear_canvas() {
    if (!lock_canvas()) return;
    for (int y = 0; y < height(); ++y) std::fill(pixel_row(y), pixel_row(y) + width(), palette.background);
    unlock_canvas();
}

void fill_box(int x1, int y1, int x2, int y2, Colour fill) {
    if (!lock_canvas()) return;
    const int left = std::max(std::min(x1, x2), 0);
    const int right = std::min(std::max(x1, x2), width() - 1);
    const int top = std::max(std::min(y1, y2), 0);
    const int bottom = std::min(std::max(y1, y2), height() - 1);
    for (int y = top; y <= bottom && left <= right; ++y) {
        std::fill(pixel_row(y) + left, pixel_row(y) + right + 1, fill);
    }
    unlock_canvas();
}

void draw_box(int x1, int y1, int x2, int y2, Colour border, Colour fill) {
    if (!lock_canvas()) return;
    if (draw_plain_box(x1, y1, x2, y2, border, fill)) {
        unlock_canvas();
        return;
    }
    draw_line(x1, y1, x2, y1, border);
    draw_line(x1, y2, x2, y2, border);
    draw_line(x1, y1, x1, y2, border);
    draw_line(x2, y2, x2, y1, border);
    // Halving truncates toward zero; a centre off the canvas fills nothing.
    const Wide cx = (static_cast<Wide>(x1) + x2) / 2;
    const Wide cy = (static_cast<Wide>(y1) + y2) / 2;
    if (on_canvas(cx, cy)) flood_fill(static_cast<int>(cx), static_cast<int>(cy), fill, border);
    unlock_canvas();
}
