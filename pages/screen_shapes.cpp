#include "screen_shapes.h"

#include <algorithm>

#include "raster.h"
#include "screen_arctic.h"

namespace {

// The runs of one segment's pixels as draw_line plots them: a pixel that
// carries the last run on along its row or its column joins it.
struct Runs {
    std::vector<ScreenShape>* shapes;
    bool open;
    Box run;
};

bool carries_on(const Box& run, int x, int y) {
    const bool in_row =
        run.top == run.bottom && y == run.top && (x == run.left - 1 || x == run.right + 1);
    const bool in_column =
        run.left == run.right && x == run.left && (y == run.top - 1 || y == run.bottom + 1);
    return in_row || in_column;
}

void add_pixel(Runs& runs, int x, int y) {
    if (runs.open && carries_on(runs.run, x, y)) {
        runs.run = {std::min(runs.run.left, x), std::min(runs.run.top, y),
                    std::max(runs.run.right, x), std::max(runs.run.bottom, y)};
        return;
    }
    if (runs.open) runs.shapes->push_back({runs.run, false, Ink::path});
    runs.run = {x, y, x, y};
    runs.open = true;
}

void add_segment(std::vector<ScreenShape>& shapes, Point from, Point to) {
    Runs runs{&shapes, false, {0, 0, 0, 0}};
    for (const Pixel& pixel : line_pixels(from.x, from.y, to.x, to.y)) {
        add_pixel(runs, pixel.x, pixel.y);
    }
    if (runs.open) shapes.push_back({runs.run, false, Ink::path});
}

}  // namespace

std::vector<ScreenShape> screen_shapes(const FileFigure& figure, const Drawing& drawing) {
    const PaletteRow& colours = *drawing.palette;
    const FigureGeometry& geometry = figure.figure->geometry;
    const bool framed = figure.placement.framed;
    std::vector<ScreenShape> shapes;
    shapes.reserve(geometry.dominoes.size());
    for (const Domino& domino : geometry.dominoes) {
        shapes.push_back({domino_box(domino, figure.placement), framed, fill_of(colours, domino)});
    }
    if (drawing.paths) {
        for (const std::vector<LatticePoint>& path : geometry.paths) {
            for (std::size_t i = 1; i < path.size(); ++i) {
                add_segment(shapes, point_at(path[i - 1], figure.placement),
                            point_at(path[i], figure.placement));
            }
        }
    }
    if (!drawing.arctic) return shapes;
    const std::vector<Pixel> ring = arctic_pixels(geometry, figure.placement);
    for (std::size_t i = 0; i < ring.size();) {
        // A run: the pixels next to each other along one row.
        std::size_t end = i + 1;
        while (end < ring.size() && ring[end].y == ring[i].y &&
               ring[end].x == ring[end - 1].x + 1) {
            ++end;
        }
        shapes.push_back({{ring[i].x, ring[i].y, ring[end - 1].x, ring[i].y}, false, Ink::arctic});
        i = end;
    }
    return shapes;
}
