// What the explorer's web page asks of the figures, through plain C calls
// on numbers and strings: run a family at an order to draw one of its pages,
// find the figure under a point, and write a page or a figure as a file,
// byte for byte what the exporters write. Everything the explorer keeps
// between calls is in one session, which the page opens once and hands to
// every call.
#pragma once

struct ExploreSession;

extern "C" {

// The session every other call takes; it lasts as long as the page, or
// until closed.
ExploreSession* explore_open();
void explore_close(ExploreSession* session);

// Families by number, from 0, in the family table's order: how many, and
// each one's name ("" for no such family).
int explore_family_count();
const char* explore_family_name(int family);
// The largest order of `family` drawn page by page, and its usual one; the
// largest of one figure alone, and of a random one; whether its figures
// are counted by statistic; 0 for no such family.
int explore_largest_order(int family);
int explore_usual_order(int family);
int explore_largest_figure_order(int family);
int explore_largest_random_order(int family);
int explore_has_counts(int family);

// Where the page writes the text it hands over, UTF-8, `size` bytes and a
// closing zero (65,536 bytes at most, else nullptr): a filter, a figure's
// number or steps, or a seed. Numbers of any size pass
// as decimal text, both ways: a figure of order 1,000 has a number of 764
// digits and up to 2,000 steps, 10,000 bytes as words. When a call
// returns -1, why is in explore_failure().
char* explore_input(ExploreSession* session, int size);
const char* explore_failure(ExploreSession* session);

// The statistics of a figure's paths, by number: how many, and each one's
// name ("flats", "peaks", "returns", "height").
int explore_statistic_count();
const char* explore_statistic_name(int statistic);
// Sets the filter every later run keeps its figures by, from the input
// ("flats=2,height=1-3", as the exporters' --where; "" for none): 0, or -1;
// and gives it back as it reads.
int explore_set_filter(ExploreSession* session);
const char* explore_filter(ExploreSession* session);
// The figures of `family` at `order` counted by the statistic, only those
// the filter keeps when `filtered` is not 0: the largest value that has
// figures (-1 when none has, or they are not counted so); then each
// value's count.
int explore_counts(ExploreSession* session, int family, int order, int statistic, int filtered);
const char* explore_count_of(ExploreSession* session, int value);
// The same figures counted by two statistics at once: the largest value
// of the first that has figures (-1 when none has, or they are not
// counted so), and of the second; then each pair's count.
int explore_joint_counts(ExploreSession* session, int family, int order, int first, int second,
                         int filtered);
int explore_joint_columns(ExploreSession* session);
const char* explore_joint_count_of(ExploreSession* session, int row, int column);
// The figures of `family` at `order`, how many (decimal; "0" past the
// orders of one figure alone).
const char* explore_figure_total(ExploreSession* session, int family, int order);

// Chooses one figure of `family` at `order`: by the input's number or
// steps, or at random by the input's seed (0 ... 2^64 - 1), as the
// exporters' --figure and --random choose it; with a filter set, at the
// orders drawn page by page, uniformly among the figures it keeps (a
// figure's number drawn below their count, as random_below draws it, is
// the index of the one taken). 0, or -1.
int explore_choose_figure(ExploreSession* session, int family, int order);
int explore_choose_random(ExploreSession* session, int family, int order);
// How many figures the filter kept when the random one was drawn among
// them, in decimal; "" when it was drawn among all.
const char* explore_kept_total(ExploreSession* session);
// Its number ("0" for a random tiling past the numbered orders).
const char* explore_chosen_number(ExploreSession* session);
// At the orders drawn page by page: the page of the run (with its filter
// and paths) the chosen figure is on, 0 when the filter does not keep it;
// and, once that page is drawn, the figure's index on it, or -1.
int explore_page_of_chosen(ExploreSession* session, int family, int order, int paths);
int explore_chosen_index(ExploreSession* session);
// Draws the chosen figure alone in the middle of the canvas (from its top
// left where it does not fit), the rest white, as the exporters write it
// (--figure K, --random SEED): 0, or -1. Until the next run its file is
// what explore_write_file writes for `index` -1.
int explore_run_chosen(ExploreSession* session, int family, int order, int paths);
// Draws the figure drawn alone whole, as the exporter's PNG has it with
// no cell asked for (a tiling larger than the canvas at a pixel a cell),
// whatever cell the downloads take: into the file's pixels, for the page
// to show when it does not fit the canvas. 0, or -1 when no figure is
// drawn alone.
int explore_draw_whole(ExploreSession* session);
// Draws the figure drawn alone onto the canvas as the exporter's PNG has
// it at cells of `cell` pixels (--cell, 1 ... 100), the canvas's top left
// at the PNG's pixel (x, y): a window on it at any zoom, only what the
// window shows drawn. 0, or -1 when no figure is drawn alone or there is
// no such cell.
int explore_draw_view(ExploreSession* session, int cell, int x, int y);
// Draws figure `index` of the page, or with -1 the figure drawn alone, in
// the paper style, the palette chosen and with its paths, at the largest
// whole cell (1 ... 100 pixels) whose picture is at most `largest_width` x
// `largest_height` pixels: as the exporter's PNG has it with --style
// paper --path --cell of that size, into pixels of its own (red, green,
// blue, alpha bytes). The cell, or -1 when there is no such figure or it
// does not fit at a pixel a cell.
int explore_draw_large(ExploreSession* session, int index, int largest_width, int largest_height);
// The same figure with its paths read step by step: only their first
// `steps` steps drawn (those of the first path, then of the next; -1 for
// all), the paths' steps in all (explore_large_steps), and the box of the
// domino the last step drawn lies on in the picture's pixels (left, top,
// right, bottom by `side` 0 ... 3, all four included; -1 for none). The
// cell, or -1.
int explore_draw_large_steps(ExploreSession* session, int index, int steps, int largest_width,
                             int largest_height);
int explore_large_steps(ExploreSession* session);
int explore_large_step_edge(ExploreSession* session, int side);
const unsigned char* explore_large_pixels(ExploreSession* session);
int explore_large_width(ExploreSession* session);
int explore_large_height(ExploreSession* session);
// Flips by hand in the large view (explore_turns.cpp). Where the last
// large picture has the top left corner of cell (0, 0), by `axis` x (0)
// and y (1), and its cell (2): the corner between four cells nearest a
// point of it is then a block's middle.
int explore_large_origin(ExploreSession* session, int axis);
// Turns the 2 x 2 block of the large figure `index` (as explore_draw_large
// takes it) whose middle is the corner (column, row), cells column - 1 ...
// column and row - 1 ... row, when two parallel dominoes fill it and the
// tiling it makes is a figure of the family: 0, and the large figure is
// that one (found by the family's ranking) until the page changes or the
// turns are dropped; else -1, and why.
int explore_turn_block(ExploreSession* session, int index, int column, int row);
// Back to the figure before the last turn, or run of turns: 0, or -1 when
// there is none.
int explore_undo_turn(ExploreSession* session);
// Every turn forgotten: the figure as the page has it again.
void explore_drop_turns(ExploreSession* session);
// Random turns (Glauber dynamics, which keeps every figure of the family
// as likely as any other): `tries` corners of the figure drawn at random,
// each block turned on a fair coin's heads where it can turn and stay in
// the family. How many turned, or -1. The figure before them is kept for
// Undo when `undoable` is not 0 (the first tries of a run).
int explore_run_flips(ExploreSession* session, int index, int tries, int undoable);
// The figure drawn large last, turned or not: its number, steps and each
// statistic.
const char* explore_large_number(ExploreSession* session);
const char* explore_large_steps_text(ExploreSession* session);
int explore_large_stat(ExploreSession* session, int statistic);
// Random moves on a random tiling drawn alone past the numbered orders
// (explore_glauber.cpp): whether `family` gives them (every tiling of its
// region a figure: 1, else 0). Then as many more moves of Glauber dynamics
// on the tiling as the input says (in decimal), drawn from its seed's own
// stream as the exporter's --glauber draws them, however many calls they
// come in: 0, or -1 (10^10 moves at most in all); how many blocks they
// turned, and how many moves it has had, in decimal. Until
// explore_lay_moves lays its dominoes after them, every other call but
// explore_write_file, which lays them first, sees it as it was: once laid
// after N in all, it is the exporter's --random SEED --glauber N, and its
// files are that one's. 0, or -1.
int explore_moves_offered(int family);
int explore_glauber(ExploreSession* session);
const char* explore_moves_turned(ExploreSession* session);
const char* explore_moves_done(ExploreSession* session);
int explore_lay_moves(ExploreSession* session);
// Draws the figure drawn alone on the canvas again, where
// explore_run_chosen drew it, as it is now (after a window on it, or its
// moves): 0, or -1 when none is drawn alone.
int explore_draw_alone(ExploreSession* session);
// Domino shuffling shown a stage at a time, for a family that shuffles:
// the largest order it is shown to (0 for a family that does not).
int explore_largest_shuffling_order(int family);
// Draws stage `stage` (0 ... 3 x order: each step from order k to k + 1
// takes out the bad blocks, slides the dominoes one cell their way and
// fills the new 2 x 2 blocks) of shuffling to `order` for the input's seed,
// in the palette "four" and the style chosen, without paths, the diamond of
// order k in the middle of that of `order`: at the largest whole cell (1
// ... 100 pixels) whose picture is at most `largest_width` x
// `largest_height`, into the large figure's pixels. The last stage is the
// exporter's PNG of --random SEED --palette four --cell (that cell). The
// cell, or -1.
int explore_draw_shuffling(ExploreSession* session, int family, int order, int stage,
                           int largest_width, int largest_height);
// Runs `family` at `order` and draws its page `page` (from 1), with each
// figure's path over it when `paths` is not 0. Returns the run's number of
// pages, or 0 for no such family or order; a page past the last is not
// drawn (explore_page_drawn).
int explore_run(ExploreSession* session, int family, int order, int page, int paths);
int explore_page_drawn(ExploreSession* session);
int explore_figures(ExploreSession* session);
// The drawn page's pixels: red, green, blue and alpha bytes, 3,200 a row.
const unsigned char* explore_pixels(ExploreSession* session);

// A figure of the drawn page's value of a statistic (0 for no such figure).
int explore_figure_stat(ExploreSession* session, int index, int statistic);
// The figures on the drawn page: how many, the one whose outline holds
// (x, y) (an index from 0, or -1), each one's number in its family (in
// decimal, "0" for no such figure), its steps ("rise flat fall"), and its
// outline's edges (side 0 left, 1 top, 2 right, 3 bottom, all included).
int explore_page_figure_count(ExploreSession* session);
int explore_figure_at(ExploreSession* session, int x, int y);
const char* explore_figure_number(ExploreSession* session, int index);
const char* explore_figure_steps(ExploreSession* session, int index);
int explore_figure_edge(ExploreSession* session, int index, int side);

// The formats a page or figure is written in, by number from 0: how many,
// and each one's label ("SVG"), extension ("svg") and MIME type; and
// whether it is an image of the pixels (PNG), which the browser encodes.
int explore_format_count();
const char* explore_format_label(int format);
const char* explore_format_extension(int format);
const char* explore_format_mime_type(int format);
int explore_format_is_image(int format);

// The styles and palettes figures are drawn in, by number from 0: how
// many, and each one's name ("screen", "paper"; "seed", "four", ...).
int explore_style_count();
const char* explore_style_name(int style);
int explore_palette_count();
const char* explore_palette_name(int palette);
// How every later run draws its figures, on the canvas and in files: a
// style, a palette, and for the files a cell's size (1 ... 100 pixels, bp
// in TikZ and PDF; 0 for the family's own). 0, or -1 for no such choice.
int explore_set_drawing(ExploreSession* session, int style, int palette, int cell);

// Whether later runs draw the arctic circle over an Aztec diamond's random
// tiling (not 0), as the exporters' --arctic does, on the canvas and in
// files.
void explore_set_arctic(ExploreSession* session, int arctic);

// Writes the drawn page (`index` -1) or its figure `index` alone in
// `format`, as the exporters write it with the same options, and returns
// 0, or -1 when it cannot (the reason in explore_file_failure): a file
// larger than the format's readers take is refused so. For an image the
// pixels are drawn, explore_file_width() x explore_file_height() of them
// at explore_file_pixels() (red, green, blue and alpha bytes), for the
// browser to encode.
int explore_write_file(ExploreSession* session, int format, int index);
const char* explore_file_data(ExploreSession* session);
int explore_file_size(ExploreSession* session);
int explore_file_width(ExploreSession* session);
const unsigned char* explore_file_pixels(ExploreSession* session);
int explore_file_height(ExploreSession* session);
// "page-2" or "figure-394".
const char* explore_file_stem(ExploreSession* session);
const char* explore_file_failure(ExploreSession* session);
}
