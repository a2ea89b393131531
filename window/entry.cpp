// The process entry of the interactive programs: starts SDL, arranges for
// SDL_Quit at exit and hands over to the program's SDL_main. On Windows
// SDL's own entry shim takes this place.
#include <SDL.h>

#include <cstdlib>

#include "messages.h"
#include "window_pager.h"
#include "process.h"

int main(int argc, char* argv[]) {
    prepare_process();
    if (argc > 0) name_program(argv[0]);
    // No parachute: a fault should reach the debugger or sanitizer as it is.
    if (SDL_Init(SDL_INIT_NOPARACHUTE) != 0) fail("cannot start SDL", SDL_GetError());
    std::atexit(SDL_Quit);
    // An explicit exit: in a web page, main's return value is lost once its
    // wait has slept.
    std::exit(SDL_main(argc, argv));
}
