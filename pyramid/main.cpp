#include "pyramid.h"

extern "C" int SDL_main(int /*argc*/, char* /*argv*/[]) {
    open_display();
    pyramid::draw_all_paths();
    finish_display();
    return 0;
}
