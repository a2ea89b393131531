// The window program's own entry, called once SDL has started (by our
// entry.cpp, or on Windows by SDL's shim): the program's family drawn page
// by page in the window. Its arguments are ignored.
#include "family.h"
#include "window_pager.h"

extern "C" int SDL_main(int /*argc*/, char* /*argv*/[]) {
    PagerState pager;
    Run run = run_of(program_family, 0);
    run.pager = &pager;
    return run_family(run);
}
