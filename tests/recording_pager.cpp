#include "recording_pager.h"

RecordedRun recorded_run;

namespace {
void keep_page() {
    ++recorded_run.pages_shown;
    if (recorded_run.keep_pages) recorded_run.pages.push_back(snapshot_canvas());
    if (!guards_intact(recorded_run.canvas)) recorded_run.guards_intact_at_every_page = false;
}
}  // namespace

void open_display() {
    recorded_run.pages.clear();
    recorded_run.pages_shown = 0;
    recorded_run.finish_calls = 0;
    recorded_run.guards_intact_at_every_page = true;
    open_test_canvas(recorded_run.canvas);
}

void show_page() {
    keep_page();
    clear_canvas();
}

void finish_display() {
    keep_page();
    ++recorded_run.finish_calls;
}

void record_whole_run() {
    char name[] = "test";
    char* argv[] = {name, nullptr};
    SDL_main(1, argv);
}
