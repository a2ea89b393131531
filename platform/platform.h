// The seam between the programs and the system they run on: one file a
// platform (platform_posix.cpp for Linux, platform_windows.cpp, and
// platform_web.cpp for a browser), plus SDL's own wait (sdl_wait.cpp) where
// SDL has one. Every call to the operating system, its files, terminals,
// signals and window system, is made behind these functions and nowhere
// else.
#pragma once

#include <cstdio>

union SDL_Event;

// The longest file name the exporters build, with its terminating zero.
constexpr int max_path_length = 4200;

// ---- The process --------------------------------------------------------

// Called first by every entry point of ours: reopens any closed standard
// stream on the null device, so that no file or display connection can take
// its number; makes SIGINT, SIGTERM and SIGHUP end the process at once,
// before and after SDL starts, unless they are already ignored or handled;
// and turns a write to a closed pipe into an EPIPE error instead of a
// SIGPIPE.
void prepare_process();
// Where SDL's own entry shim starts the program (Windows), no entry of ours
// sees its arguments: this names it from the system's record of the running
// program. Elsewhere the entry has named it, and this does nothing.
void name_program_from_system();
// Sets an environment variable, or removes it when `value` is nullptr.
void set_environment(const char* name, const char* value);
// Whether `stream` is a terminal, where progress is rewritten in place.
bool is_terminal(std::FILE* stream);

// ---- The window ---------------------------------------------------------

// The i-th video driver (from 0) that shows a real window on this platform,
// in SDL's own order of preference; nullptr past the last.
const char* window_driver(int i);
// Once the window is open (X11 only): a lost display connection, or the
// window destroyed by another client, ends the process at once with one
// line on standard error and status 1.
void watch_the_window();
// Whether `key` (an SDLKey) was already down when the window was first
// watched (X11 only; false elsewhere, and for keys not told apart here):
// the Return that started the program from a terminal, say. Once the window
// has the keyboard, SDL may report such a key as pressed (SDL2 reconciles
// the keyboard's state, a held key repeats), though it was not pressed for
// the window.
bool key_was_down_before_the_window(int key);
// The display's depth in bits a pixel, asked of the window system itself
// (X11 only, once SDL has connected); 0 where unknown.
int display_depth();
// Hands each event the wait takes to the window watcher (a window-system
// event may tell that the window was destroyed).
void check_window_system_event(const SDL_Event& event);
// With SDL's own queue empty: blocks until the user or the window system
// acts, with no timer where the platform allows (on X11, sleeping on the
// display connection; in a browser, until the page gets input). Returns
// false when input may now be queued (poll again), or true with `event`
// taken by SDL's own wait, where that is the only way to block.
bool wait_for_input(SDL_Event& event);
// SDL's own blocking wait for the next event. On an SDL error, or a
// "success" that leaves the record empty (which would make a loop spin),
// prints one line and exits with status 1.
void take_event_from_sdl_wait(SDL_Event& event);

// ---- Files (the exporters; the browser has none) ------------------------

// Makes a folder: 0, or the errno value (EEXIST when the name is taken).
int make_folder(const char* path);
// nullptr when `path` names a folder, else why not: "it exists and is not a
// folder", a link to nothing or one that loops, or the system's reason.
const char* why_not_a_folder(const char* path);
// Hands `each` the name of every entry of the folder (none if it cannot
// be read).
void list_folder(const char* path, void (*each)(const char* name));
// Removes a file: 0, or the errno value.
int remove_file(const char* path);
// Makes and opens for binary writing a new file in the folder of
// `name_template`; never an existing file or a link. Where the system can,
// the file has no name until replace_file gives it one (Linux's O_TMPFILE),
// so that no signal can leave it behind; elsewhere it is named from the
// template, whose trailing XXXXXX it fills in, and until replace_file or
// remove_unfinished_file is called on it a stop signal removes it. The file
// gets the mode the user's files usually get. nullptr and errno set on
// failure, leaving nothing behind.
std::FILE* create_unique_file(char* name_template);
// Renames `from` to `to`, replacing any file there: 0, or an errno value.
int replace_file(const char* from, const char* to);
// Removes a file made by create_unique_file that will not be finished.
void remove_unfinished_file(const char* path);
