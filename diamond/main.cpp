#include "diamond.h"

const OrderRange order_range{diamond::max_order, diamond::default_order};

extern "C" int SDL_main(int argc, char* argv[]) {
    // SDL's Windows entry shim does not name the program; the title needs it.
    if (argc > 0) name_program(argv[0]);
    open_display();
    diamond::draw_all_arrangements();
    finish_display();
    return 0;
}
