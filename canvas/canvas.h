// The shared drawing layer: the 800 x 600 page, its palette, the paging
// operations and the raster primitives that both programs draw with.
#pragma once

#include <SDL.h>

#include <cstdio>

// One step of a lattice path. The order rise < fall < flat is relied upon
// when arrangements are listed lexicographically.
enum class StepKind : int { rise = 0, fall = 1, flat = 2 };

// A 32-bit pixel value already mapped for the screen's pixel format.
using Colour = Uint32;

struct Palette {
    Colour background;  // white page
    Colour rise_fill;   // red
    Colour flat_fill;   // yellow
    Colour fall_fill;   // light blue
    Colour border;      // blue outline of every domino
};

constexpr int canvas_width = 800;
constexpr int canvas_height = 600;
constexpr int canvas_depth = 32;

// The surface every primitive draws into, and the palette mapped for it.
extern SDL_Surface* screen;
extern Palette palette;
// Name used in messages and the window title; set by the entry point.
extern const char* program_name;
// Sets program_name from argv[0]: its last path component.
void name_program(const char* argv0);
// Whether two names are the same, ignoring the case of ASCII letters.
bool same_name(const char* a, const char* b);

// ---- Canvas selection -----------------------------------------------------

// Makes `surface` the canvas and maps the palette for its pixel format.
// Returns false (and selects nothing) unless it is 32-bit and at least
// 800 x 600; rows are addressed through its pitch, whatever that is.
bool select_canvas(SDL_Surface* surface);
// Paints the whole canvas with palette.background.
void clear_canvas();

// ---- Paging ----------------------------------------------------------------
// Provided by the window pager (canvas_window) in the programs; headless
// builds link a pager of their own with the same three operations.

// Opens the page to draw on and clears it; on failure prints one line on
// standard error and exits with status 1.
void open_display();
// Shows the finished page, waits for the user, then clears the page.
void show_page();
// Shows the last page and waits once more.
void finish_display();

// Window pager only: blocks until a key is pressed or the window is closed.
// Key releases, mouse and window events are consumed and ignored. If SDL
// reports an event error it prints one line and exits with status 1.
void wait_key_or_quit();

// The order of the family to draw, when asked for (the exporters' --order);
// 0 leaves each program at its own. Each program's entry file states its
// range of orders, 1 ... largest, and the one it draws by default.
extern int requested_order;
struct OrderRange {
    int largest;
    int usual;
};
extern const OrderRange order_range;

// Export pager only: the folder that pages are written to, as page-N.png
// or, as vector drawings, page-N.svg or TikZ pictures page-N.tex.
enum class PageFormat { png, svg, tikz };
void set_export_folder(const char* folder, PageFormat format);

// Prints "<program>: <what>: <detail>" on standard error and exits with 1.
// Control characters (from a folder's name, say) are printed escaped.
[[noreturn]] void fail(const char* what, const char* detail);
// Prints `text` with each control character as \xNN, so that no name can
// move the cursor or recolour a terminal; negative when a write failed.
int print_escaped(std::FILE* to, const char* text);

// ---- The process and files around SDL -----------------------------------
// Each platform has its own (platform_posix.cpp, platform_windows.cpp).

// Called first by every entry point: reopens any closed standard stream on
// the null device, so that no file or display connection can take its
// number; makes SIGINT, SIGTERM and SIGHUP end the process at once, before
// and after SDL starts, unless they are already ignored or handled; and
// turns a write to a closed pipe into an EPIPE error instead of a SIGPIPE.
void prepare_process();
// The i-th video driver (from 0) that shows a real window on this platform,
// in SDL's own order of preference; nullptr past the last.
const char* window_driver(int i);
// Sets an environment variable, or removes it when `value` is nullptr.
void set_environment(const char* name, const char* value);
// Once the window is open (X11 only): a lost display connection, or the
// window destroyed by another client, ends the process at once with one
// line on standard error and status 1.
void watch_the_window();
// The display's depth in bits a pixel, asked of the window system itself
// (X11 only, once SDL has connected); 0 where unknown.
int display_depth();
// Hands each event the wait takes to the window watcher (a window-system
// event may tell that the window was destroyed).
void check_window_system_event(const SDL_Event& event);
// With SDL's own queue empty: blocks until the user or the window system
// acts, with no timer where the platform allows (on X11, sleeping on the
// display connection). Returns false when input may now be queued (poll
// again), or true with `event` taken by SDL's own wait, where that is the
// only way to block.
bool wait_for_input(SDL_Event& event);
// SDL's own blocking wait for the next event. On an SDL error, or a
// "success" that leaves the record empty (which would make a loop spin),
// prints one line and exits with status 1.
void take_event_from_sdl_wait(SDL_Event& event);
// Makes a folder: 0, or the errno value (EEXIST when the name is taken).
int make_folder(const char* path);
// Makes and opens for binary writing a new file named from `name_template`,
// whose trailing XXXXXX it fills in; never an existing file or a link. The
// file gets the mode the user's files usually get. nullptr and errno set on
// failure, leaving nothing behind. Until replace_file or
// remove_unfinished_file is called on it, a stop signal removes it.
std::FILE* create_unique_file(char* name_template);
// Renames `from` to `to`, replacing any file there: 0, or an errno value.
int replace_file(const char* from, const char* to);
// Removes a file made by create_unique_file that will not be finished.
void remove_unfinished_file(const char* path);

// ---- Raster primitives ----------------------------------------------------
// All coordinates are pixels, origin top left, x right, y down. Nothing
// outside the 800 x 600 canvas is ever read or written, and nothing is
// drawn while no canvas is selected.

// Stores `colour` at (x, y); points off the canvas are skipped.
void put_pixel(int x, int y, Colour colour);
// Reads (x, y); points off the canvas read as 0.
Colour get_pixel(int x, int y);

// 4-connected line from (x0, y0) to (x1, y1), both ends drawn: consecutive
// pixels share an edge, so a diagonal is a staircase of 2|dx| + 1 pixels.
// Pixels off the canvas are skipped; the rest are plotted exactly.
void draw_line(int x0, int y0, int x1, int y1, Colour colour);

// Paints the 4-connected region around (x, y) with `fill`, bounded by
// pixels of colour `border`. Nothing happens if the seed is off the canvas
// or already has either colour. The spans are found by scanning only for
// `border`, so other colours inside the region are painted over. Asymmetric
// edges: a scan never paints column 0 (only a seed there does) and the fill
// never spreads into row 0; column 799 and row 599 are reached normally.
// Uses a fixed explicit stack, so no region can exhaust the call stack.
void flood_fill(int x, int y, Colour fill, Colour border);

// Outlines the rectangle with corners (x1, y1) and (x2, y2), given in either
// order, in `border` (both corner rows and columns included, so it is
// |x2 - x1| + 1 pixels wide), then flood-fills from its centre with `fill`.
void draw_box(int x1, int y1, int x2, int y2, Colour border, Colour fill);
// When set, draw_box also hands each box, as given, to this function (the
// SVG export keeps every box of a page as one element).
using BoxListener = void (*)(int x1, int y1, int x2, int y2, Colour border, Colour fill);
extern BoxListener box_listener;
// When set, each figure's renderer hands it the figure's steps (one entry a
// step, a flat once) before drawing its first box (the SVG export makes
// each figure a group of its own).
using FigureListener = void (*)(const StepKind* steps, int count);
extern FigureListener figure_listener;

// ---- Dominoes -----------------------------------------------------------
// A domino covers two square cells of side 2 * half; (px, py) is the centre
// of its first cell. All are outlined in palette.border.

// Horizontal, yellow: the cell at (px, py) and the one to its right.
void draw_domino(int px, int py, int half);
// Upright, red: the cell at (px, py) and the one above it.
void draw_rise_domino(int px, int py, int half);
// Upright, light blue: the cell at (px, py) and the one below it.
void draw_fall_domino(int px, int py, int half);
// `count` horizontal dominoes on a diagonal: the j-th (from 0) at
// (px + 2 * half * j, py + rows * 2 * half * (j + 1)); rows = -1 climbs to
// the upper right, rows = +1 falls to the lower right.
void draw_domino_stack(int px, int py, int rows, int count, int half);

// Each program's own entry, called by the entry point after SDL starts.
extern "C" int SDL_main(int argc, char* argv[]);
