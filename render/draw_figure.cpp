#include "draw_figure.h"

#include "canvas.h"
#include "paper_pixels.h"
#include "raster.h"
#include "screen_arctic.h"

namespace {

Colour mapped(const PaletteRow& palette, Ink ink) {
    const Rgb colour = rgb_of(palette, ink);
    return SDL_MapRGB(screen->format, colour.red, colour.green, colour.blue);
}

void draw_screen_figure(const FigureGeometry& geometry, const Placement& placement,
                        const Drawing& drawing) {
    const PaletteRow& colours = *drawing.palette;
    const Colour border = mapped(colours, Ink::border);
    const bool framed = placement.framed;
    for (const Domino& domino : geometry.dominoes) {
        const Colour fill = mapped(colours, fill_of(colours, domino));
        const Box box = domino_box(domino, placement);
        if (framed) {
            draw_box(box.left, box.top, box.right, box.bottom, border, fill);
        } else {
            fill_box(box.left, box.top, box.right, box.bottom, fill);
        }
    }
    if (drawing.paths) {
        const Colour line = mapped(colours, Ink::path);
        for (const std::vector<LatticePoint>& path : geometry.paths) {
            for (std::size_t i = 1; i < path.size(); ++i) {
                const Point from = point_at(path[i - 1], placement);
                const Point to = point_at(path[i], placement);
                draw_line(from.x, from.y, to.x, to.y, line);
            }
        }
    }
    if (!drawing.arctic) return;
    const Colour arctic = mapped(colours, Ink::arctic);
    for (const Pixel& pixel : arctic_pixels(geometry, placement)) put_pixel(pixel.x, pixel.y, arctic);
}

}  // namespace

void draw_figure_pixels(const FigureGeometry& geometry, const Placement& placement,
                        const Drawing& drawing) {
    if (screen == nullptr) return;
    if (drawing.style == Style::paper) {
        draw_paper_figure(geometry, placement, drawing);
        return;
    }
    draw_screen_figure(geometry, placement, drawing);
}
