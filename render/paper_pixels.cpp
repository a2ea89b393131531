// Figures in paper style as pixels: every pixel the average of 4 x 4
// samples, each sample the ink of what covers it (the arctic circle over
// the paths over the outlines over the dominoes' fills), so that edges and
// lines are anti-aliased. All of it in integers, in sixteenths of an
// output unit, so that every platform and the browser draw the same pixels.
#include "paper_pixels.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

#include "canvas.h"
#include "paper_style.h"

namespace {

using Wide = std::int64_t;

// A figure made ready to be sampled, in sixteenths of an output unit, its
// cell (0, 0)'s top left corner at 0.
struct Sampled {
    const FigureGeometry& geometry;
    const PaletteRow& palette;
    Wide cell;              // a cell's side
    Wide outline, line;     // widths of an outline (-1 for none) and of a path
    std::vector<std::int32_t> domino_at;   // each cell's domino, or -1
    // The path segments near each cell: their first point, a chain a cell.
    std::vector<std::int32_t> first_segment;
    std::vector<std::int32_t> next_segment;
    std::vector<std::array<Wide, 4>> segments;
    std::vector<std::int32_t> segment_cells;
    bool arctic;
    Wide centre_x, centre_y, inner, outer;  // the circle's ring, as squared distances
};

int cell_index(const FigureGeometry& geometry, Wide c, Wide r) {
    if (c < 0 || r < 0 || c >= geometry.columns || r >= geometry.rows) return -1;
    return static_cast<int>(r * geometry.columns + c);
}

void add_segment(Sampled& sampled, const LatticePoint& a, const LatticePoint& b) {
    const Wide half = sampled.cell / 2;
    const std::array<Wide, 4> segment = {a.x * sampled.cell, a.row * sampled.cell + half,
                                         b.x * sampled.cell, b.row * sampled.cell + half};
    const auto index = static_cast<std::int32_t>(sampled.segments.size());
    sampled.segments.push_back(segment);
    // Every cell within a cell of its two ends: the line is narrower than that.
    const int left = std::min(a.x, b.x) - 1;
    const int right = std::max(a.x, b.x);
    const int top = std::min(a.row, b.row) - 1;
    const int bottom = std::max(a.row, b.row) + 1;
    for (int r = top; r <= bottom; ++r) {
        for (int c = left; c <= right; ++c) {
            const int at = cell_index(sampled.geometry, c, r);
            if (at < 0) continue;
            sampled.next_segment.push_back(sampled.first_segment[static_cast<std::size_t>(at)]);
            sampled.segment_cells.push_back(index);
            sampled.first_segment[static_cast<std::size_t>(at)] =
                static_cast<std::int32_t>(sampled.segment_cells.size()) - 1;
        }
    }
}

Sampled sampled_figure(const FigureGeometry& geometry, const Drawing& drawing, int cell,
                       bool framed) {
    Sampled sampled{geometry, *drawing.palette, 16 * static_cast<Wide>(cell),
                    framed ? static_cast<Wide>(cell) * outline_sixteenths : -1,
                    static_cast<Wide>(cell) * path_sixteenths, {}, {}, {}, {}, {}, false,
                    0, 0, 0, 0};
    const std::size_t cells =
        static_cast<std::size_t>(geometry.columns) * static_cast<std::size_t>(geometry.rows);
    sampled.domino_at.assign(cells, -1);
    for (std::size_t i = 0; i < geometry.dominoes.size(); ++i) {
        const Domino& domino = geometry.dominoes[i];
        const auto at = static_cast<std::size_t>(cell_index(geometry, domino.column, domino.row));
        sampled.domino_at[at] = static_cast<std::int32_t>(i);
        sampled.domino_at[domino.upright ? at + static_cast<std::size_t>(geometry.columns)
                                         : at + 1] = static_cast<std::int32_t>(i);
    }
    if (drawing.paths) {
        sampled.first_segment.assign(cells, -1);
        for (const std::vector<LatticePoint>& path : geometry.paths) {
            for (std::size_t i = 1; i < path.size(); ++i) add_segment(sampled, path[i - 1], path[i]);
        }
    }
    sampled.arctic = drawing.arctic && has_arctic_circle(geometry);
    if (sampled.arctic) {
        // Centre at the middle of the square; radius squared half the
        // square's half side squared. The ring holds the points whose
        // distance d from the centre has |d - R| <= w / 2, that is
        // (R - w/2)^2 <= d^2 <= (R + w/2)^2, with 2 R w/2 = sqrt(R^2 w^2).
        const Wide half_side = sampled.cell * geometry.columns / 2;
        sampled.centre_x = half_side;
        sampled.centre_y = sampled.cell * geometry.rows / 2;
        const Wide radius_squared = half_side * half_side / 2;
        const Wide width = static_cast<Wide>(cell) * arctic_sixteenths;
        const Wide across = static_cast<Wide>(
            square_root(static_cast<unsigned long long>(radius_squared) *
                        static_cast<unsigned long long>(width * width)));
        sampled.inner = radius_squared - across + width * width / 4;
        sampled.outer = radius_squared + across + width * width / 4;
    }
    return sampled;
}

bool near_segment(const std::array<Wide, 4>& s, Wide x, Wide y, Wide width) {
    const Wide ax = x - s[0];
    const Wide ay = y - s[1];
    const Wide dx = s[2] - s[0];
    const Wide dy = s[3] - s[1];
    const Wide along = ax * dx + ay * dy;
    const Wide length = dx * dx + dy * dy;
    if (along <= 0) return 4 * (ax * ax + ay * ay) <= width * width;
    if (along >= length) {
        const Wide bx = x - s[2];
        const Wide by = y - s[3];
        return 4 * (bx * bx + by * by) <= width * width;
    }
    const Wide across = ax * dy - ay * dx;
    return 4 * across * across <= width * width * length;
}

// Whether (x, y) is within half an outline's width of `domino`'s edges:
// inside it, from within; outside, from beyond (the corners mitred).
bool on_outline(const Sampled& sampled, const Domino& domino, Wide x, Wide y, bool inside) {
    const Wide left = domino.column * sampled.cell;
    const Wide top = domino.row * sampled.cell;
    const Wide right = left + (domino.upright ? 1 : 2) * sampled.cell;
    const Wide bottom = top + (domino.upright ? 2 : 1) * sampled.cell;
    if (inside) {
        const Wide edge = std::min({x - left, right - x, y - top, bottom - y});
        return 2 * edge <= sampled.outline;
    }
    const Wide out = std::max({left - x, x - right, top - y, y - bottom, Wide{0}});
    return 2 * out <= sampled.outline;
}

// Whether `meets` holds for any path segment that crosses cell `at` (-1
// for a cell outside the figure, which none crosses).
template <typename Meets>
bool any_segment_of_cell(const Sampled& sampled, int at, Meets meets) {
    if (at < 0 || sampled.first_segment.empty()) return false;
    for (std::int32_t i = sampled.first_segment[static_cast<std::size_t>(at)]; i >= 0;
         i = sampled.next_segment[static_cast<std::size_t>(i)]) {
        const std::size_t segment = static_cast<std::size_t>(sampled.segment_cells[static_cast<std::size_t>(i)]);
        if (meets(sampled.segments[segment])) return true;
    }
    return false;
}

Ink ink_at(const Sampled& sampled, Wide x, Wide y) {
    const FigureGeometry& geometry = sampled.geometry;
    if (sampled.arctic) {
        const Wide dx = x - sampled.centre_x;
        const Wide dy = y - sampled.centre_y;
        const Wide d = dx * dx + dy * dy;
        if (d >= sampled.inner && d <= sampled.outer) return Ink::arctic;
    }
    const Wide c = x >= 0 ? x / sampled.cell : -1;
    const Wide r = y >= 0 ? y / sampled.cell : -1;
    const int at = cell_index(geometry, c, r);
    if (any_segment_of_cell(sampled, at, [&sampled, x, y](const std::array<Wide, 4>& segment) {
            return near_segment(segment, x, y, sampled.line);
        })) {
        return Ink::path;
    }
    const std::int32_t here = at >= 0 ? sampled.domino_at[static_cast<std::size_t>(at)] : -1;
    if (here >= 0) {
        const Domino& domino = geometry.dominoes[static_cast<std::size_t>(here)];
        return on_outline(sampled, domino, x, y, true) ? Ink::border
                                                       : fill_of(sampled.palette, domino);
    }
    // Outside every domino: on a neighbour's outline, or the page.
    for (Wide nr = r - 1; nr <= r + 1; ++nr) {
        for (Wide nc = c - 1; nc <= c + 1; ++nc) {
            const int near = cell_index(geometry, nc, nr);
            const std::int32_t other =
                near >= 0 ? sampled.domino_at[static_cast<std::size_t>(near)] : -1;
            if (other >= 0 &&
                on_outline(sampled, geometry.dominoes[static_cast<std::size_t>(other)], x, y,
                           false)) {
                return Ink::border;
            }
        }
    }
    return Ink::page;
}

// Whether no point of the box x0 ... x1, y0 ... y1 is within half `width`
// of segment `s`: the box beyond its bounds widened by that much, or all
// its corners on one side of its line and that far from it.
bool clear_of_segment(const std::array<Wide, 4>& s, Wide x0, Wide y0, Wide x1, Wide y1, Wide width) {
    const Wide half = width / 2 + 1;
    if (x1 < std::min(s[0], s[2]) - half || x0 > std::max(s[0], s[2]) + half ||
        y1 < std::min(s[1], s[3]) - half || y0 > std::max(s[1], s[3]) + half) {
        return true;
    }
    const Wide dx = s[2] - s[0];
    const Wide dy = s[3] - s[1];
    const Wide length = dx * dx + dy * dy;
    int below = 0;
    int above = 0;
    for (const Wide y : {y0, y1}) {
        for (const Wide x : {x0, x1}) {
            const Wide across = (x - s[0]) * dy - (y - s[1]) * dx;
            if (4 * across * across <= width * width * length) return false;
            (across < 0 ? below : above) += 1;
        }
    }
    return below == 0 || above == 0;
}

// The one ink of all 16 samples of the pixel whose samples span x0 ... x0
// + 12 and y0 ... y0 + 12, when they lie in one cell, clear of every path
// and of the circle, and either inside a domino clear of its outline or
// outside every domino clear of their outlines; otherwise -1, and each
// sample must be taken. Most pixels of a large figure are such, and so are
// found at a sixteenth of the cost, with the same result.
int one_ink(const Sampled& sampled, Wide x0, Wide y0) {
    if (sampled.arctic) return -1;
    const Wide x1 = x0 + 12;
    const Wide y1 = y0 + 12;
    // Cells as ink_at finds them: below 0, -1.
    const auto cell_of = [&sampled](Wide v) { return v >= 0 ? v / sampled.cell : -1; };
    const Wide c = cell_of(x0);
    const Wide r = cell_of(y0);
    if (cell_of(x1) != c || cell_of(y1) != r) return -1;
    const FigureGeometry& geometry = sampled.geometry;
    const int at = cell_index(geometry, c, r);
    if (any_segment_of_cell(sampled, at, [&sampled, x0, y0, x1, y1](const std::array<Wide, 4>& segment) {
            return !clear_of_segment(segment, x0, y0, x1, y1, sampled.line);
        })) {
        return -1;
    }
    const std::int32_t here = at >= 0 ? sampled.domino_at[static_cast<std::size_t>(at)] : -1;
    if (here >= 0) {
        const Domino& domino = geometry.dominoes[static_cast<std::size_t>(here)];
        // Its four corner samples clear of the outline: every sample between is.
        for (const Wide y : {y0, y1}) {
            for (const Wide x : {x0, x1}) {
                if (on_outline(sampled, domino, x, y, true)) return -1;
            }
        }
        return static_cast<int>(fill_of(sampled.palette, domino));
    }
    // Outside every domino: clear of each neighbour's outline, which lies
    // within half its width around the neighbour.
    const Wide reach = sampled.outline / 2 + 1;
    for (Wide nr = r - 1; nr <= r + 1; ++nr) {
        for (Wide nc = c - 1; nc <= c + 1; ++nc) {
            const int near = cell_index(geometry, nc, nr);
            const std::int32_t other = near >= 0 ? sampled.domino_at[static_cast<std::size_t>(near)] : -1;
            if (other < 0 || sampled.outline < 0) continue;
            const Domino& domino = geometry.dominoes[static_cast<std::size_t>(other)];
            const Wide left = domino.column * sampled.cell - reach;
            const Wide top = domino.row * sampled.cell - reach;
            const Wide right = (domino.column + (domino.upright ? 1 : 2)) * sampled.cell + reach;
            const Wide bottom = (domino.row + (domino.upright ? 2 : 1)) * sampled.cell + reach;
            if (x1 >= left && x0 <= right && y1 >= top && y0 <= bottom) return -1;
        }
    }
    return static_cast<int>(Ink::page);
}

}  // namespace

void draw_paper_figure(const FigureGeometry& geometry, const Placement& placement,
                       const Drawing& drawing) {
    if (screen == nullptr || geometry.columns == 0) return;
    const Sampled sampled = sampled_figure(geometry, drawing, placement.cell, placement.framed);
    const int margin = 1 + placement.cell / 8;
    const int left = std::max(0, placement.left - margin);
    const int top = std::max(0, placement.top - margin);
    const int right = std::min(screen->w - 1, placement.left + geometry.columns * placement.cell + margin);
    const int bottom = std::min(screen->h - 1, placement.top + geometry.rows * placement.cell + margin);
    if (canvas_needs_lock() && SDL_LockSurface(screen) != 0) return;
    std::array<Rgb, 11> inks{};
    for (int ink = 0; ink < 11; ++ink) inks[static_cast<std::size_t>(ink)] =
        rgb_of(*drawing.palette, static_cast<Ink>(ink));
    for (int py = top; py <= bottom; ++py) {
        auto* row = reinterpret_cast<Colour*>(static_cast<Uint8*>(screen->pixels) +
                                              static_cast<std::ptrdiff_t>(py) * screen->pitch);
        for (int px = left; px <= right; ++px) {
            const Wide x0 = 16 * static_cast<Wide>(px - placement.left) + 2;
            const Wide y0 = 16 * static_cast<Wide>(py - placement.top) + 2;
            const int one = one_ink(sampled, x0, y0);
            if (one >= 0) {
                const Rgb ink = inks[static_cast<std::size_t>(one)];
                row[px] = SDL_MapRGB(screen->format, ink.red, ink.green, ink.blue);
                continue;
            }
            int red = 0;
            int green = 0;
            int blue = 0;
            for (int sy = 0; sy < 4; ++sy) {
                const Wide y = 16 * static_cast<Wide>(py - placement.top) + 4 * static_cast<Wide>(sy) + 2;
                for (int sx = 0; sx < 4; ++sx) {
                    const Wide x = 16 * static_cast<Wide>(px - placement.left) + 4 * static_cast<Wide>(sx) + 2;
                    const Rgb ink = inks[static_cast<std::size_t>(ink_at(sampled, x, y))];
                    red += ink.red;
                    green += ink.green;
                    blue += ink.blue;
                }
            }
            row[px] = SDL_MapRGB(screen->format, static_cast<Uint8>((red + 8) / 16),
                                 static_cast<Uint8>((green + 8) / 16),
                                 static_cast<Uint8>((blue + 8) / 16));
        }
    }
    if (canvas_needs_lock()) SDL_UnlockSurface(screen);
}
