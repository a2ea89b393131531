#include <cstring>

#include "messages.h"
#include "pager.h"
#include "pyramid.h"

const OrderRange order_range = pyramid::orders;
const char* const family_name = "pyramid";

extern "C" int SDL_main(int /*argc*/, char* /*argv*/[]) {
    open_display();
    pyramid::draw_all_paths();
    finish_display();
    if (pyramid::count_write_error != 0) {
        fail("cannot write the count to standard output",
             std::strerror(pyramid::count_write_error));
    }
    return 0;
}
