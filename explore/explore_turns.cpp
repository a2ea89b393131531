// Flips by hand in the large view: a 2 x 2 block of two parallel dominoes
// turned, the figure it makes found by its family's ranking, Undo, and
// runs of random turns (Glauber dynamics).
#include <string>
#include <utility>

#include "explore.h"
#include "explore_session.h"
#include "path_stats.h"
#include "turns.h"

namespace {

// The family's figure whose dominoes `turned` has (their cells' owners
// `owners`), its paths read off them
// from where those of `from` run: false when no figure of the family has
// those dominoes.
bool figure_of_dominoes(const ExploreSession& session, const FigureGeometry& turned, const CellOwners& owners,
                        const FigureGeometry& from, PlacedFigure& figure) {
    FigurePath path;
    if (!read_paths(turned, owners, from.paths, path)) return false;
    const BigCount number = session.family->counting.rank_figure(session.order, path);
    if (number == 0) return false;
    FigureGeometry geometry = session.family->geometry_of(session.order, path);
    if (!same_dominoes(geometry, turned, owners)) return false;
    figure.number = number;
    figure.path = std::move(path);
    figure.geometry = std::move(geometry);
    return true;
}

// Figure `index` is turned from now on: `figure`, the one before it kept
// for Undo.
void adopt_turned(ExploreSession& session, int index, PlacedFigure figure) {
    session.before_turns.push_back(*large_figure(session, index));
    session.turned = std::move(figure);
    session.turned_from = index;
}

}  // namespace

extern "C" {

int explore_large_origin(ExploreSession* session, int axis) {
    const Placement& placement = session->large_placement;
    return axis == 0 ? placement.left : axis == 1 ? placement.top : placement.cell;
}

int explore_turn_block(ExploreSession* session, int index, int column, int row) {
    const PlacedFigure* figure = large_figure(*session, index);
    if (figure == nullptr) return fail_with(*session, "there is no such figure");
    FigureGeometry turned = figure->geometry;
    CellOwners owners = owners_of(turned);
    if (!turn_block(turned, owners, column, row)) {
        return fail_with(*session, "two parallel dominoes do not fill the 2 × 2 block there");
    }
    PlacedFigure made;
    if (!figure_of_dominoes(*session, turned, owners, figure->geometry, made)) {
        return fail_with(*session, "turned, that block would leave the family: no figure of it has those "
                                   "dominoes");
    }
    adopt_turned(*session, index, std::move(made));
    return 0;
}

int explore_undo_turn(ExploreSession* session) {
    if (session->before_turns.empty() || session->turned_from == -2) {
        return fail_with(*session, "there is no turn to undo");
    }
    session->turned = std::move(session->before_turns.back());
    session->before_turns.pop_back();
    return 0;
}

void explore_drop_turns(ExploreSession* session) {
    session->turned_from = -2;
    session->before_turns.clear();
}

int explore_run_flips(ExploreSession* session, int index, int tries, int undoable) {
    const PlacedFigure* figure = large_figure(*session, index);
    if (figure == nullptr) return fail_with(*session, "there is no such figure");
    // Each try takes a corner inside the figure's frame and a fair coin,
    // and on heads turns the block there when the turn keeps the figure in
    // its family: each turn as likely as the one that undoes it, so the
    // run keeps every figure as likely as any other.
    FigureGeometry cells = figure->geometry;
    CellOwners owners = owners_of(cells);
    const FigureGeometry& from = figure->geometry;
    PlacedFigure made;
    bool any = false;
    int turned = 0;
    std::uniform_int_distribution<int> column(1, std::max(1, cells.columns - 1));
    std::uniform_int_distribution<int> row(1, std::max(1, cells.rows - 1));
    for (int i = 0; i < tries; ++i) {
        const int c = column(session->flips_random);
        const int r = row(session->flips_random);
        if ((session->flips_random() & 1U) == 0 || !turn_block(cells, owners, c, r)) continue;
        if (figure_of_dominoes(*session, cells, owners, from, made)) {
            any = true;
            ++turned;
        } else {
            turn_block(cells, owners, c, r);
        }
    }
    if (!any) return 0;
    if (undoable != 0 || session->turned_from != index) {
        adopt_turned(*session, index, std::move(made));
    } else {
        session->turned = std::move(made);
    }
    return turned;
}

const char* explore_large_number(ExploreSession* session) {
    const PlacedFigure* figure = large_figure(*session, session->large_index);
    session->count_text = figure != nullptr ? decimal_text(figure->number) : "0";
    return session->count_text.c_str();
}

const char* explore_large_steps_text(ExploreSession* session) {
    const PlacedFigure* figure = large_figure(*session, session->large_index);
    session->steps_text = figure != nullptr ? steps_text(figure->path) : "";
    return session->steps_text.c_str();
}

int explore_large_stat(ExploreSession* session, int statistic) {
    const PlacedFigure* figure = large_figure(*session, session->large_index);
    if (figure == nullptr || statistic < 0 || statistic >= statistic_count) return 0;
    return stats_of(figure->path)[static_cast<std::size_t>(statistic)];
}

}  // extern "C"
