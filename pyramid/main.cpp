#include <cstring>

#include "pyramid.h"

const OrderRange order_range{pyramid::max_order, pyramid::default_order};

extern "C" int SDL_main(int argc, char* argv[]) {
    // SDL's Windows entry shim does not name the program; the title needs it.
    if (argc > 0) name_program(argv[0]);
    open_display();
    pyramid::draw_all_paths();
    finish_display();
    if (pyramid::count_write_error != 0) {
        fail("cannot write the count to standard output",
             std::strerror(pyramid::count_write_error));
    }
    return 0;
}
