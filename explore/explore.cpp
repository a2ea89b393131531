#include "explore.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <optional>
#include <string>

#include "canvas.h"
#include "draw_figure.h"
#include "explore_pager.h"
#include "explore_session.h"
#include "family_table.h"
#include "page_formats.h"
#include "random_draw.h"
#include "where_filter.h"

namespace {

// The family numbered `family` in the table, or nullptr.
const Family* family_numbered(int family) {
    return family >= 0 && family < family_count ? family_table[static_cast<std::size_t>(family)]
                                                : nullptr;
}


// How a file is drawn: as the canvas, at the cell asked for.
Drawing drawing_of(const ExploreSession& session) {
    Drawing drawing = session.drawing;
    drawing.paths = session.paths;
    return drawing;
}

// How the canvas is drawn: as the files, at the family's own cell.
Drawing canvas_drawing(const ExploreSession& session) {
    Drawing drawing = drawing_of(session);
    drawing.cell = 0;
    return drawing;
}

// A run's settings: the family, the order asked for, the paths, the filter,
// and the exporter's name in the files (so that they are its files byte
// for byte).
Run prepare_run(ExploreSession& session, const Family& family, int order, int paths) {
    session.family = &family;
    session.order = order;
    session.paths = paths != 0;
    session.writer = std::string(family.name) + "_export";
    session.shown.clear();
    session.chosen_alone = false;
    session.large_index = session.turned_from = -2;
    session.before_turns.clear();
    Run run = run_of(family, order);
    run.drawing = canvas_drawing(session);
    run.filter = session.where;
    run.file_writer = session.writer.c_str();
    run.pager = &session.pager;
    return run;
}

bool is_figure_on_page(const ExploreSession& session, int index) {
    return index >= 0 && index < static_cast<int>(session.shown.size());
}

const PlacedFigure& figure_on_page(const ExploreSession& session, int index) {
    return *session.shown[static_cast<std::size_t>(index)].figure;
}

// Where figure `index` of the canvas stands.
Box edges_on_page(const ExploreSession& session, int index) {
    const FileFigure& shown = session.shown[static_cast<std::size_t>(index)];
    return figure_box(shown.figure->geometry, shown.placement);
}

// The page drawn, its figures where they stand.
void show_drawn_page(ExploreSession& session) {
    session.shown.clear();
    if (!session.pager.drawn) return;
    const int cell = session.family->cell;
    for (const PlacedFigure& figure : session.pager.record.figures) {
        session.shown.push_back(
            {&figure, placement_on_page(figure.geometry, figure.x, figure.y, cell, cell)});
    }
}

// The placement of a figure alone in its file: at the cell asked for, or
// as the canvas shows it.
Placement file_placement(const ExploreSession& session, const Placement& shown) {
    const int cell = session.drawing.cell;
    return cell == 0 ? placement_alone(shown.cell, shown.framed)
                     : placement_alone(cell, outlined(cell));
}

// Draws a page or figure's pixels as its file has them, into memory of
// their own, in the canvas's pixel format (red in the lowest byte: a
// browser's ImageData); the canvas is selected again after.
void draw_file_pixels(ExploreSession& session, const FilePage& page,
                      std::vector<Colour>& pixels) {
    SDL_Surface surface = memory_surface(pixels, page.written.width,
                                         page.written.height,
                                         explorer_surface(session.pager)->format);
    SDL_Surface* canvas = screen;
    select_canvas(&surface);
    clear_canvas();
    for (const FileFigure& figure : page.figures) {
        draw_figure_pixels(figure.figure->geometry, figure.placement, page.drawing);
    }
    select_canvas(canvas);
}

// The chosen figure replaced: the one alone on the canvas, if it was, is
// no longer there to find, write or turn.
void replace_chosen(ExploreSession& session, ChosenFigure chosen) {
    if (session.chosen_alone) {
        session.shown.clear();
        session.turned_from = -2;
        session.before_turns.clear();
    }
    session.chosen = std::move(chosen);
    session.chosen_number = decimal_text(session.chosen.number);
}

}  // namespace

void draw_alone(ExploreSession& session, const PlacedFigure& figure, const Placement& placement,
                int dx, int dy) {
    select_explorer_canvas(session.pager);
    Placement moved = placement;
    moved.left += dx;
    moved.top += dy;
    draw_figure_pixels(figure.geometry, moved, canvas_drawing(session));
}

int fail_with(ExploreSession& session, const char* why) {
    session.failure = why;
    return -1;
}

const PlacedFigure* large_figure(const ExploreSession& session, int index) {
    const bool alone = index == -1 && session.chosen_alone && !session.shown.empty();
    if (!alone && (session.chosen_alone || !is_figure_on_page(session, index))) return nullptr;
    if (session.turned_from == index) return &session.turned;
    return alone ? session.shown[0].figure : &figure_on_page(session, index);
}

namespace {

// `whole` with its paths cut after their first `steps` steps: those of the
// first path, then of the next.
PlacedFigure with_paths_cut(const PlacedFigure& whole, int steps) {
    PlacedFigure cut;
    cut.geometry.columns = whole.geometry.columns;
    cut.geometry.rows = whole.geometry.rows;
    cut.geometry.anchor_column = whole.geometry.anchor_column;
    cut.geometry.anchor_row = whole.geometry.anchor_row;
    cut.geometry.dominoes = whole.geometry.dominoes;
    int left = steps;
    for (const std::vector<LatticePoint>& points : whole.geometry.paths) {
        if (left == 0) break;
        const int taken = std::min(left, static_cast<int>(points.size()) - 1);
        cut.geometry.paths.emplace_back(points.begin(), points.begin() + taken + 1);
        left -= taken;
    }
    return cut;
}

// Figure `index` drawn large, its paths to their first `steps` steps (-1
// for all): explore_draw_large_steps.
int draw_large(ExploreSession* session, int index, int steps, int largest_width, int largest_height) {
    if (large_figure(*session, index) == nullptr) return fail_with(*session, "there is no such figure");
    const PlacedFigure& whole = *large_figure(*session, index);
    session->large_index = index;
    session->large_steps = 0;
    for (const std::vector<LatticePoint>& points : whole.geometry.paths) {
        session->large_steps += static_cast<int>(points.size()) - 1;
    }
    if (steps < -1 || steps > session->large_steps) return fail_with(*session, "there is no such step");
    const PlacedFigure cut = steps >= 0 ? with_paths_cut(whole, steps) : PlacedFigure{};
    const PlacedFigure& figure = steps >= 0 ? cut : whole;
    Drawing drawing = session->drawing;
    drawing.style = Style::paper;
    drawing.paths = true;
    drawing.arctic = false;
    for (int cell = largest_cell; cell >= smallest_cell; --cell) {
        const Placement placement = placement_alone(cell, outlined(cell));
        if (alone_width(figure.geometry, placement) > largest_width ||
            alone_height(figure.geometry, placement) > largest_height) {
            continue;
        }
        drawing.cell = cell;
        const FilePage page = figure_file(figure, placement, drawing, session->writer.c_str(),
                                          session->family->name, session->order);
        draw_file_pixels(*session, page, session->large_pixels);
        session->large_width = page.written.width;
        session->large_height = page.written.height;
        session->large_placement = placement;
        session->large_step_box = {-1, -1, -1, -1};
        if (steps > 0) {
            const std::vector<LatticePoint>& last = cut.geometry.paths.back();
            session->large_step_box = domino_box(step_domino(last, last.size() - 2), placement);
        }
        return cell;
    }
    return fail_with(*session, "the figure does not fit there");
}

}  // namespace

extern "C" {

ExploreSession* explore_open() { return new ExploreSession(); }

void explore_close(ExploreSession* session) {
    if (session->pager.page_surface != nullptr) {
        if (screen == session->pager.page_surface) select_canvas(nullptr);
        SDL_FreeSurface(session->pager.page_surface);
    }
    delete session;
}

int explore_family_count() { return family_count; }

const char* explore_family_name(int family) {
    return family_numbered(family) != nullptr ? family_numbered(family)->name : "";
}

int explore_format_count() { return static_cast<int>(page_formats().size()); }

namespace {
const PageFormat* format_numbered(int format) {
    const std::vector<const PageFormat*> formats = page_formats();
    return format >= 0 && format < static_cast<int>(formats.size())
               ? formats[static_cast<std::size_t>(format)]
               : nullptr;
}
}  // namespace

const char* explore_format_label(int format) {
    return format_numbered(format) != nullptr ? format_numbered(format)->label : "";
}

const char* explore_format_extension(int format) {
    return format_numbered(format) != nullptr ? format_numbered(format)->extension : "";
}

const char* explore_format_mime_type(int format) {
    return format_numbered(format) != nullptr ? format_numbered(format)->mime_type : "";
}

int explore_format_is_image(int format) {
    return format_numbered(format) != nullptr && format_numbered(format)->write == nullptr ? 1
                                                                                           : 0;
}

int explore_largest_order(int family) {
    return family_numbered(family) != nullptr ? family_numbered(family)->orders.largest : 0;
}

int explore_usual_order(int family) {
    return family_numbered(family) != nullptr ? family_numbered(family)->orders.usual : 0;
}

int explore_largest_figure_order(int family) {
    return family_numbered(family) != nullptr ? family_numbered(family)->counting.largest_order
                                              : 0;
}

int explore_largest_random_order(int family) {
    return family_numbered(family) != nullptr ? family_numbered(family)->random.largest_order
                                              : 0;
}

int explore_has_counts(int family) {
    return family_numbered(family) != nullptr && family_numbered(family)->counting.count != nullptr
               ? 1
               : 0;
}

namespace {
// Far more than a figure of order 1,000 needs, and a bound on the memory
// a page can ask for.
constexpr int input_limit = 65536;
}  // namespace

char* explore_input(ExploreSession* session, int size) {
    if (size < 0 || size > input_limit) return nullptr;
    session->input.assign(static_cast<std::size_t>(size) + 1, '\0');
    return session->input.data();
}

int explore_style_count() { return 2; }

const char* explore_style_name(int style) {
    return style == 0 ? "screen" : style == 1 ? "paper" : "";
}

int explore_palette_count() { return palette_count; }

const char* explore_palette_name(int palette) {
    return palette >= 0 && palette < palette_count ? palette_rows[palette]->name : "";
}

int explore_set_drawing(ExploreSession* session, int style, int palette, int cell) {
    if (style < 0 || style >= explore_style_count() || palette < 0 || palette >= palette_count ||
        (cell != 0 && (cell < smallest_cell || cell > largest_cell))) {
        return fail_with(*session, "there is no such style, palette or cell");
    }
    session->drawing.style = style == 0 ? Style::screen : Style::paper;
    session->drawing.palette = palette_rows[palette];
    session->drawing.cell = cell;
    return 0;
}

void explore_set_arctic(ExploreSession* session, int arctic) {
    session->drawing.arctic = arctic != 0;
}

const char* explore_failure(ExploreSession* session) { return session->failure; }

int explore_statistic_count() { return statistic_count; }

const char* explore_statistic_name(int statistic) {
    return statistic >= 0 && statistic < statistic_count
               ? statistic_name(statistics[static_cast<std::size_t>(statistic)])
               : "";
}

int explore_set_filter(ExploreSession* session) {
    session->input.back() = '\0';
    if (session->input[0] == '\0') {
        session->where.reset();
        session->where_given = {};
        return 0;
    }
    WhereFilter filter{};
    if (const char* why = read_where(session->input.data(), filter)) {
        return fail_with(*session, why);
    }
    session->where = filter;
    session->where_given = where_text(filter);
    return 0;
}

const char* explore_filter(ExploreSession* session) { return session->where_given.data(); }

namespace {

// The figures of `family` at `order`, those the session's filter keeps
// when `filtered`, counted by `first` and, unless it is -1, `second`, into
// `grid`: false when they are not counted so.
bool count_asked(const ExploreSession& session, int family, int order, int first, int second,
                 bool filtered, CountGrid& grid) {
    grid = CountGrid{};
    const Family* counted = family_numbered(family);
    const auto is_statistic = [](int statistic) {
        return statistic >= 0 && statistic < statistic_count;
    };
    if (counted == nullptr || counted->counting.count == nullptr || !is_statistic(first) ||
        (second != -1 && (!is_statistic(second) || second == first))) {
        return false;
    }
    CountQuestion question;
    question.order = order;
    question.by = {statistics[static_cast<std::size_t>(first)],
                   statistics[static_cast<std::size_t>(second == -1 ? first : second)]};
    question.counted = second == -1 ? 1 : 2;
    if (filtered && session.where) question.filter = *session.where;
    return order >= 1 && counted->counting.count(question, grid);
}

// The largest row (or with `by_column`, column) of the grid that has
// figures, or -1.
int largest_with_figures(const CountGrid& grid, bool by_column) {
    int largest = -1;
    for (int row = 0; row < grid.rows; ++row) {
        for (int column = 0; column < grid.columns; ++column) {
            if (grid_cell(grid, row, column) != 0) largest = std::max(largest, by_column ? column : row);
        }
    }
    return largest;
}

const char* count_text(ExploreSession& session, const CountGrid& grid, int row, int column) {
    session.count_text = decimal_text(row >= 0 && row < grid.rows && column >= 0 && column < grid.columns
                                          ? grid_cell(grid, row, column)
                                          : BigCount(0));
    return session.count_text.c_str();
}

}  // namespace

int explore_counts(ExploreSession* session, int family, int order, int statistic, int filtered) {
    if (!count_asked(*session, family, order, statistic, -1, filtered != 0, session->counts)) {
        return -1;
    }
    return largest_with_figures(session->counts, false);
}

const char* explore_count_of(ExploreSession* session, int value) {
    return count_text(*session, session->counts, value, 0);
}

int explore_joint_counts(ExploreSession* session, int family, int order, int first, int second,
                         int filtered) {
    session->joint_columns = -1;
    if (second == -1 ||
        !count_asked(*session, family, order, first, second, filtered != 0, session->joint)) {
        return -1;
    }
    session->joint_columns = largest_with_figures(session->joint, true);
    return largest_with_figures(session->joint, false);
}

int explore_joint_columns(ExploreSession* session) { return session->joint_columns; }

const char* explore_joint_count_of(ExploreSession* session, int row, int column) {
    return count_text(*session, session->joint, row, column);
}

const char* explore_figure_total(ExploreSession* session, int family, int order) {
    const Family* counted = family_numbered(family);
    session->total_text =
        decimal_text(counted != nullptr && order >= 1 && order <= counted->counting.largest_order
                         ? counted->counting.figure_total(order)
                         : BigCount(0));
    return session->total_text.c_str();
}

int explore_choose_figure(ExploreSession* session, int family, int order) {
    session->input.back() = '\0';
    const Family* chosen_family = family_numbered(family);
    if (chosen_family == nullptr || order < 1 || order > chosen_family->counting.largest_order) {
        return fail_with(*session, "there is no such family or order for one figure");
    }
    ChosenFigure chosen;
    const char* text = session->input.data() + std::strspn(session->input.data(), " ");
    if (text[0] != '\0' && std::strspn(text, "0123456789") == std::strlen(text)) {
        if (!read_decimal(text, chosen.number) || chosen.number < 1 ||
            chosen.number > chosen_family->counting.figure_total(order)) {
            return fail_with(*session, "there is no figure of that number");
        }
        chosen_family->counting.unrank_figure(order, chosen.number, chosen.path);
    } else {
        if (!read_steps(text, chosen.path) && text[0] != '\0') {
            return fail_with(*session, "that is no figure's number, nor its steps");
        }
        chosen.number = chosen_family->counting.rank_figure(order, chosen.path);
        if (chosen.number == 0) return fail_with(*session, "no figure has those steps");
    }
    chosen.geometry = chosen_family->geometry_of(order, chosen.path);
    replace_chosen(*session, std::move(chosen));
    session->chosen_shuffled = false;
    return 0;
}

int explore_choose_random(ExploreSession* session, int family, int order) {
    session->input.back() = '\0';
    const Family* chosen_family = family_numbered(family);
    if (chosen_family == nullptr || order < 1 || order > chosen_family->random.largest_order) {
        return fail_with(*session, "there is no such family or order for a random figure");
    }
    std::uint64_t seed = 0;
    if (!read_seed(session->input.data(), seed)) {
        return fail_with(*session, "a seed is a whole number from 0 to 18446744073709551615");
    }
    session->chosen_seed = seed;
    session->chosen_shuffled = order > chosen_family->counting.largest_order;
    session->kept_total.clear();
    if (session->where && order <= chosen_family->orders.largest) {
        // Uniformly among the figures the filter keeps: their numbers
        // listed in one pass over the pages, one of them drawn.
        std::vector<BigCount> kept;
        Run run = prepare_run(*session, *chosen_family, order, 0);
        session->pager.page_aimed_at = 0;
        session->pager.placed = &kept;
        run_family(run);
        session->pager.placed = nullptr;
        // The run fills `kept` through the pager, out of the checker's sight.
        // cppcheck-suppress knownConditionTrueFalse
        if (kept.empty()) return fail_with(*session, "the filter keeps no figure");
        RandomDraws draws = random_draws_from(session->chosen_seed);
        ChosenFigure chosen;
        chosen.number =
            kept[static_cast<std::size_t>(random_below(draws, BigCount(kept.size())))];
        chosen_family->counting.unrank_figure(order, chosen.number, chosen.path);
        chosen.geometry = chosen_family->geometry_of(order, chosen.path);
        replace_chosen(*session, std::move(chosen));
        session->kept_total = std::to_string(kept.size());
    } else {
        replace_chosen(*session, session->chosen_shuffled
                                     ? ChosenFigure{}
                                     : random_figure(*chosen_family, order, session->chosen_seed, true));
    }
    return 0;
}

const char* explore_kept_total(ExploreSession* session) { return session->kept_total.c_str(); }

const char* explore_chosen_number(ExploreSession* session) {
    return session->chosen_number.c_str();
}

int explore_page_of_chosen(ExploreSession* session, int family, int order, int paths) {
    if (order < 1 || order > explore_largest_order(family) || session->chosen.number == 0) {
        return 0;
    }
    Run run = prepare_run(*session, *family_numbered(family), order, paths);
    session->pager.page_aimed_at = 0;
    session->pager.looking = true;
    session->pager.looked_for = session->chosen.number;
    run_family(run);
    return session->pager.page_found;
}

int explore_chosen_index(ExploreSession* session) {
    for (int i = 0; i < explore_page_figure_count(session); ++i) {
        if (session->chosen_number == explore_figure_number(session, i)) return i;
    }
    return -1;
}

int explore_run_chosen(ExploreSession* session, int family, int order, int paths) {
    const Family* chosen_family = family_numbered(family);
    if (chosen_family == nullptr || order < 1 || order > chosen_family->random.largest_order) {
        return fail_with(*session, "there is no such family or order");
    }
    prepare_run(*session, *chosen_family, order, paths);
    session->pager.drawn = false;
    std::string stem;
    std::string title;
    if (session->chosen_shuffled) {
        session->chosen = random_figure(*chosen_family, order, session->chosen_seed, paths != 0);
        const std::string seed = decimal_text(BigCount(session->chosen_seed));
        stem = "random-" + seed;
        title = std::string(chosen_family->name) + " order " + std::to_string(order) +
                ", seed " + seed;
    } else if (session->chosen.number == 0) {
        return fail_with(*session, "no figure is chosen");
    }
    Placement placement = placement_alone_fitting(session->chosen.geometry, chosen_family->cell,
                                                  canvas_width, canvas_height);
    if (session->paths && placement.cell < smallest_outlined_cell) {
        placement = placement_alone(smallest_outlined_cell, true);
    }
    // In the middle of the canvas, where it fits; from its top left where
    // it does not.
    const int dx = std::max(0, (canvas_width - alone_width(session->chosen.geometry, placement)) / 2);
    const int dy =
        std::max(0, (canvas_height - alone_height(session->chosen.geometry, placement)) / 2);
    draw_alone(*session, session->chosen, placement, dx, dy);
    session->alone_file = figure_file(session->chosen, placement, drawing_of(*session),
                                      session->writer.c_str(), chosen_family->name, order);
    if (session->chosen_shuffled) {
        session->alone_file.written.stem = stem;
        retitle(session->alone_file.written, title);
    }
    session->chosen_alone = true;
    session->moves_done = session->moves_laid = 0;
    session->moved = PartnerGrid{};
    session->chosen_by_rows =
        std::is_sorted(session->chosen.geometry.dominoes.begin(), session->chosen.geometry.dominoes.end(),
                       [](const Domino& a, const Domino& b) { return a.row < b.row; });
    Placement shown = placement;
    shown.left += dx;
    shown.top += dy;
    session->shown = {{&session->chosen, shown}};
    return 0;
}

int explore_draw_whole(ExploreSession* session) {
    if (!session->chosen_alone) return fail_with(*session, "no figure is drawn alone");
    // As the exporter places it: the paths of a large one at cells of up
    // to 4 pixels while it fits 4,096 of them, never larger than that.
    Placement placement = placement_alone_fitting(session->chosen.geometry, session->family->cell,
                                                  canvas_width, canvas_height);
    if (session->paths && placement.cell < smallest_outlined_cell) {
        const Placement larger =
            placement_alone_fitting(session->chosen.geometry, smallest_outlined_cell, 4096, 4096);
        if (larger.cell > placement.cell) placement = larger;
    }
    const FilePage page = figure_file(session->chosen, placement, canvas_drawing(*session),
                                      session->writer.c_str(),
                                      session->family->name, session->order);
    session->file_written = page.written;
    draw_file_pixels(*session, page, session->file_pixels);
    return 0;
}

int explore_draw_view(ExploreSession* session, int cell, int x, int y) {
    if (!session->chosen_alone) return fail_with(*session, "no figure is drawn alone");
    if (cell < smallest_cell || cell > largest_cell) return fail_with(*session, "there is no such cell");
    // Drawn with a margin of a domino all round, cut off after: a domino
    // the window's edge cuts is drawn whole, its outline where the
    // exporter has it, not along the edge.
    const int margin = 2 * cell + 1;
    SDL_Surface* page = explorer_surface(session->pager);
    SDL_Surface wider = memory_surface(session->file_pixels, canvas_width + 2 * margin,
                                       canvas_height + 2 * margin, page->format);
    select_canvas(&wider);
    clear_canvas();
    Drawing drawing = canvas_drawing(*session);
    drawing.cell = cell;
    Placement placement = placement_alone(cell, outlined(cell));
    placement.left += margin - x;
    placement.top += margin - y;
    // Only the dominoes the window shows, each a few comparisons where a
    // drawing clips them pixel by pixel: a window on order 4,000 drew its
    // 32 million in some 0.7 s. Paths, which cross the window, whole.
    const FigureGeometry& whole = session->chosen.geometry;
    if (!whole.paths.empty()) {
        draw_figure_pixels(whole, placement, drawing);
    } else {
        FigureGeometry part;
        part.columns = whole.columns;
        part.rows = whole.rows;
        part.anchor_column = whole.anchor_column;
        part.anchor_row = whole.anchor_row;
        // The cells the wider canvas holds, with a cell to spare each side.
        const int first_column = -placement.left / cell - 2;
        const int first_row = -placement.top / cell - 2;
        const int last_column = first_column + (canvas_width + 2 * margin) / cell + 4;
        const int last_row = first_row + (canvas_height + 2 * margin) / cell + 4;
        auto from = whole.dominoes.begin();
        auto to = whole.dominoes.end();
        if (session->chosen_by_rows) {
            from = std::partition_point(from, to, [first_row](const Domino& d) { return d.row < first_row; });
            to = std::partition_point(from, to, [last_row](const Domino& d) { return d.row <= last_row; });
        }
        std::copy_if(from, to, std::back_inserter(part.dominoes), [&](const Domino& domino) {
            return domino.column >= first_column && domino.column <= last_column &&
                   domino.row >= first_row && domino.row <= last_row;
        });
        draw_figure_pixels(part, placement, drawing);
    }
    for (int row = 0; row < canvas_height; ++row) {
        const Colour* from = session->file_pixels.data() +
                             static_cast<std::size_t>(row + margin) * (canvas_width + 2 * margin) +
                             margin;
        std::memcpy(static_cast<unsigned char*>(page->pixels) + static_cast<std::size_t>(row) * page->pitch,
                    from, sizeof(Colour) * canvas_width);
    }
    select_canvas(page);
    // The file pixels hold the view now, not a file.
    session->file_written = {};
    return 0;
}


int explore_draw_large(ExploreSession* session, int index, int largest_width, int largest_height) {
    return draw_large(session, index, -1, largest_width, largest_height);
}

int explore_draw_large_steps(ExploreSession* session, int index, int steps, int largest_width,
                             int largest_height) {
    return draw_large(session, index, steps, largest_width, largest_height);
}

int explore_large_steps(ExploreSession* session) { return session->large_steps; }

int explore_large_step_edge(ExploreSession* session, int side) {
    const Box& box = session->large_step_box;
    return side == 0 ? box.left : side == 1 ? box.top : side == 2 ? box.right : side == 3 ? box.bottom : -1;
}

const unsigned char* explore_large_pixels(ExploreSession* session) {
    return reinterpret_cast<const unsigned char*>(session->large_pixels.data());
}

int explore_large_width(ExploreSession* session) { return session->large_width; }

int explore_large_height(ExploreSession* session) { return session->large_height; }

// Its 600 stages each drawn in a frame or two, and the diamond's cells
// still some pixels wide on a page.
constexpr int largest_shuffling_order = 200;

int explore_largest_shuffling_order(int family) {
    const Family* shuffling = family_numbered(family);
    return shuffling != nullptr && shuffling->random.shuffling_stage != nullptr
               ? std::min(largest_shuffling_order, shuffling->random.largest_order)
               : 0;
}

int explore_draw_shuffling(ExploreSession* session, int family, int order, int stage,
                           int largest_width, int largest_height) {
    session->input.back() = '\0';
    const Family* shuffling = family_numbered(family);
    if (order < 1 || order > explore_largest_shuffling_order(family) || stage < 0 || stage > 3 * order) {
        return fail_with(*session, "there is no such family, order or stage to shuffle");
    }
    std::uint64_t seed = 0;
    if (!read_seed(session->input.data(), seed)) {
        return fail_with(*session, "a seed is a whole number from 0 to 18446744073709551615");
    }
    PlacedFigure figure;
    figure.geometry = shuffling->random.shuffling_stage(order, seed, stage);
    Drawing drawing = session->drawing;
    drawing.palette = find_palette("four");
    if (drawing.palette == nullptr) return fail_with(*session, "there is no palette four");
    drawing.paths = false;
    drawing.arctic = false;
    for (int cell = largest_cell; cell >= smallest_cell; --cell) {
        const Placement placement = placement_alone(cell, outlined(cell));
        if (alone_width(figure.geometry, placement) > largest_width ||
            alone_height(figure.geometry, placement) > largest_height) {
            continue;
        }
        drawing.cell = cell;
        const std::string writer = std::string(shuffling->name) + "_export";
        const FilePage page = figure_file(figure, placement, drawing, writer.c_str(), shuffling->name, order);
        draw_file_pixels(*session, page, session->large_pixels);
        session->large_width = page.written.width;
        session->large_height = page.written.height;
        return cell;
    }
    return fail_with(*session, "the tiling does not fit there");
}

int explore_run(ExploreSession* session, int family, int order, int page, int paths) {
    if (order < 1 || order > explore_largest_order(family)) return 0;
    Run run = prepare_run(*session, *family_numbered(family), order, paths);
    session->pager.page_aimed_at = page;
    run_family(run);
    show_drawn_page(*session);
    return session->pager.page_now;
}

int explore_page_drawn(ExploreSession* session) { return session->pager.drawn ? 1 : 0; }

int explore_figures(ExploreSession* session) { return session->pager.figures_counted; }

const unsigned char* explore_pixels(ExploreSession* session) {
    return page_pixels(session->pager);
}

int explore_page_figure_count(ExploreSession* session) {
    return static_cast<int>(session->shown.size());
}

int explore_figure_stat(ExploreSession* session, int index, int statistic) {
    if (!is_figure_on_page(*session, index) || statistic < 0 || statistic >= statistic_count) {
        return 0;
    }
    return stats_of(figure_on_page(*session, index).path)[static_cast<std::size_t>(statistic)];
}

int explore_figure_at(ExploreSession* session, int x, int y) {
    for (int i = 0; i < explore_page_figure_count(session); ++i) {
        const Box edges = edges_on_page(*session, i);
        if (x >= edges.left && x <= edges.right && y >= edges.top && y <= edges.bottom) return i;
    }
    return -1;
}

const char* explore_figure_number(ExploreSession* session, int index) {
    if (!is_figure_on_page(*session, index)) return "0";
    session->count_text = decimal_text(figure_on_page(*session, index).number);
    return session->count_text.c_str();
}

const char* explore_figure_steps(ExploreSession* session, int index) {
    if (!is_figure_on_page(*session, index)) return "";
    // The steps as the titles give them, after "figure N: ".
    const std::string title = figure_title(figure_on_page(*session, index));
    const std::size_t colon = title.find(':');
    session->steps_text =
        colon == std::string::npos ? "" : title.substr(title.find_first_not_of(": ", colon));
    return session->steps_text.c_str();
}

int explore_figure_edge(ExploreSession* session, int index, int side) {
    if (!is_figure_on_page(*session, index)) return 0;
    const Box edges = edges_on_page(*session, index);
    const std::array<int, 4> sides = {edges.left, edges.top, edges.right, edges.bottom};
    return side >= 0 && side < 4 ? sides[static_cast<std::size_t>(side)] : 0;
}

int explore_write_file(ExploreSession* session, int format, int index) {
    session->file_bytes.clear();
    session->file_failure = "";
    const PageFormat* format_asked = format_numbered(format);
    if (format_asked == nullptr || session->shown.empty() ||
        (index != -1 && (!is_figure_on_page(*session, index) || session->chosen_alone))) {
        session->file_failure = "there is no such page or figure";
        return -1;
    }
    FilePage page;
    const Drawing drawing = drawing_of(*session);
    const char* writer = session->writer.c_str();
    const char* family = session->family->name;
    // The data holds a figure's steps and paths, drawn or not, as the
    // exporter's does: a shuffled tiling drawn without them is drawn again
    // from its seed with them, and moved as it has been.
    PlacedFigure with_paths;
    const bool data = std::strcmp(format_asked->extension, "json") == 0;
    if (session->chosen_alone) explore_lay_moves(session);
    if (session->chosen_alone && data && session->chosen_shuffled && session->chosen.geometry.paths.empty()) {
        with_paths = random_figure(*session->family, session->order, session->chosen_seed, true);
        if (session->moves_done > 0) remake_moved(*session->family, session->order, session->moved, with_paths);
    }
    if (session->chosen_alone) {
        const Written written = session->alone_file.written;
        page = figure_file(with_paths.geometry.paths.empty() ? session->chosen : with_paths,
                           file_placement(*session, session->shown[0].placement), drawing, writer, family,
                           session->order);
        page.written.stem = written.stem;
        retitle(page.written, written.title);
    } else if (index == -1) {
        page = page_file(session->pager.record, std::to_string(session->pager.page_aimed_at),
                         session->family->cell, drawing, writer, family, session->order);
    } else {
        const int cell = session->family->cell;
        page = figure_file(figure_on_page(*session, index),
                           file_placement(*session, placement_alone(cell, outlined(cell))), drawing,
                           writer, family, session->order);
    }
    session->file_written = page.written;
    long long dominoes = 0;
    for (const FileFigure& figure : page.figures) {
        dominoes += static_cast<long long>(figure.figure->geometry.dominoes.size());
    }
    std::string too_large = size_refused(*format_asked, page.written.width, page.written.height);
    if (too_large.empty()) too_large = dominoes_refused(*format_asked, dominoes);
    if (!too_large.empty()) {
        session->failure_text = too_large;
        session->file_failure = session->failure_text.c_str();
        return -1;
    }
    // An image's pixels are the browser's to encode.
    if (format_asked->write == nullptr) {
        draw_file_pixels(*session, page, session->file_pixels);
        return 0;
    }
    // A stream into memory that grows with the file.
    char* bytes = nullptr;
    std::size_t size = 0;
    std::FILE* file = open_memstream(&bytes, &size);
    const char* why =
        file == nullptr ? std::strerror(errno) : write_page_file(*format_asked, file, page);
    if (file != nullptr && std::fclose(file) != 0 && why == nullptr) why = std::strerror(errno);
    if (why == nullptr) session->file_bytes.assign(bytes, size);
    std::free(bytes);
    if (why != nullptr) {
        session->file_failure = why;
        return -1;
    }
    return 0;
}

const char* explore_file_data(ExploreSession* session) { return session->file_bytes.data(); }
int explore_file_size(ExploreSession* session) {
    return static_cast<int>(session->file_bytes.size());
}
int explore_file_width(ExploreSession* session) { return session->file_written.width; }
const unsigned char* explore_file_pixels(ExploreSession* session) {
    return reinterpret_cast<const unsigned char*>(session->file_pixels.data());
}
int explore_file_height(ExploreSession* session) { return session->file_written.height; }
const char* explore_file_stem(ExploreSession* session) {
    return session->file_written.stem.c_str();
}
const char* explore_file_failure(ExploreSession* session) { return session->file_failure; }
}
