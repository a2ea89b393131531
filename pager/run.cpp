#include <cstring>

#include "canvas.h"
#include "draw_figure.h"
#include "family.h"
#include "messages.h"
#include "page_record.h"
#include "pager.h"
#include "random_draw.h"
#include "turns.h"

int chosen_order(const OrderRange& range, int asked) {
    return asked >= 1 && asked <= range.largest ? asked : range.usual;
}

Run run_of(const Family& family, int order) {
    Run run;
    run.family = &family;
    run.order = chosen_order(family.orders, order);
    return run;
}

bool place_figure(Run& run, const FigurePath& path, int x, int y) {
    const BigCount number = run.next_figure_number;
    ++run.next_figure_number;
    if (run.filter && !filter_holds(*run.filter, stats_of(path))) return false;
    ++run.figures_on_page;
    if (run.figure_listener != nullptr) run.figure_listener(run, number, path);
    // A page passed over (with no canvas and no record) costs no domino.
    if (screen == nullptr && run.record == nullptr) return true;
    const Family& family = *run.family;
    FigureGeometry geometry = family.geometry_of(run.order, path);
    if (screen != nullptr) {
        const int cell = run.drawing.cell != 0 ? run.drawing.cell : family.cell;
        draw_figure_pixels(geometry, placement_on_page(geometry, x, y, family.cell, cell),
                           run.drawing);
    }
    if (run.record != nullptr) {
        run.record->figures.push_back({number, path, std::move(geometry), x, y});
    }
    return true;
}

int run_family(Run& run) {
    run.next_figure_number = 1;
    open_display(run);
    const int unprinted = run.family->draw_every_figure(run);
    finish_display(run);
    if (unprinted != 0) {
        const std::string what =
            std::string("cannot write ") + run.family->printed + " to standard output";
        fail(what.c_str(), std::strerror(unprinted));
    }
    return 0;
}

ChosenFigure random_figure(const Family& family, int order, std::uint64_t seed, bool with_paths) {
    ChosenFigure chosen;
    if (family.random.shuffle != nullptr) {
        family.random.shuffle(order, seed, with_paths, chosen);
        return chosen;
    }
    RandomDraws draws = random_draws_from(seed);
    chosen.number = random_below(draws, family.counting.figure_total(order)) + 1;
    family.counting.unrank_figure(order, chosen.number, chosen.path);
    chosen.geometry = family.geometry_of(order, chosen.path);
    return chosen;
}

bool remake_moved(const Family& family, int order, const PartnerGrid& grid, ChosenFigure& chosen) {
    FigureGeometry& geometry = chosen.geometry;
    lay_dominoes(grid, order, family.random.domino_laid, geometry);
    if (geometry.paths.empty()) return true;
    // Each path from where it began, its steps those the dominoes now give.
    const LatticePoint start = geometry.paths.front().front();
    const bool read = read_paths(geometry, owners_of(geometry), geometry.paths, chosen.path);
    geometry.paths.clear();
    if (read) add_paths(geometry, chosen.path, start.x, start.row);
    if (!read) chosen.path.clear();
    chosen.number = read && order <= family.counting.largest_order ? family.counting.rank_figure(order, chosen.path)
                                                                  : BigCount(0);
    return read;
}

ChosenFigure random_figure_moved(const Family& family, int order, std::uint64_t seed, std::uint64_t moves,
                                 bool with_paths) {
    ChosenFigure chosen = random_figure(family, order, seed, with_paths);
    if (moves == 0 || family.random.domino_laid == nullptr) return chosen;
    PartnerGrid grid = partners_of(chosen.geometry);
    std::mt19937_64 random = moves_random(seed);
    glauber_moves(grid, random, moves);
    remake_moved(family, order, grid, chosen);
    return chosen;
}
