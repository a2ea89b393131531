#include "diamond.h"
#include "pager.h"

const OrderRange order_range = diamond::orders;
const char* const family_name = "diamond";

extern "C" int SDL_main(int /*argc*/, char* /*argv*/[]) {
    open_display();
    diamond::draw_all_arrangements();
    finish_display();
    return 0;
}
