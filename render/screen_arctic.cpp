#include "screen_arctic.h"

#include <algorithm>

#include "paper_style.h"

std::vector<Pixel> arctic_pixels(const FigureGeometry& geometry, const Placement& placement) {
    std::vector<Pixel> pixels;
    if (!has_arctic_circle(geometry)) return pixels;
    // In half pixels from the centre, so that an outlined figure (whose
    // side is an odd number of pixels, its centre a pixel) and one without
    // outlines (an even number, its centre a corner) are measured alike.
    // The diamond's side D pixels across gives a radius D / (2 sqrt 2): a
    // point (u, v) in half pixels lies on it when 2 (u^2 + v^2) = D^2.
    const long long side = static_cast<long long>(geometry.columns) * placement.cell;
    const long long shift = placement.framed ? side : side - 1;
    const long long target = side * side;
    const auto add = [&pixels, &placement, shift](long long u, long long v) {
        pixels.push_back({placement.left + static_cast<int>((u + shift) / 2),
                          placement.top + static_cast<int>((v + shift) / 2)});
    };
    // One eighth, where v falls by at most a pixel a step, then its mirrors.
    for (long long u = placement.framed ? 0 : 1;; u += 2) {
        const long long wanted = target - 2 * u * u;
        if (wanted < 0) break;
        long long v = static_cast<long long>(square_root(static_cast<unsigned long long>(wanted / 2)));
        if ((v - u) % 2 != 0) --v;
        if (v < 0) v += 2;
        const auto miss = [wanted](long long w) {
            const long long d = 2 * w * w - wanted;
            return d < 0 ? -d : d;
        };
        if (miss(v + 2) < miss(v)) v += 2;
        if (u > v) break;
        for (const long long a : {u, -u}) {
            for (const long long b : {v, -v}) {
                add(a, b);
                add(b, a);
            }
        }
    }
    std::sort(pixels.begin(), pixels.end(), [](const Pixel& a, const Pixel& b) {
        return a.y != b.y ? a.y < b.y : a.x < b.x;
    });
    pixels.erase(std::unique(pixels.begin(), pixels.end(),
                             [](const Pixel& a, const Pixel& b) { return a.x == b.x && a.y == b.y; }),
                 pixels.end());
    return pixels;
}
