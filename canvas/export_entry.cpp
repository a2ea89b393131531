// Entry of the exporting programs: PROGRAM [--svg] FOLDER writes every page
// that the interactive program would show as FOLDER/page-1.png, page-2.png,
// ... (page-1.svg, ... with --svg).
#include <cstdio>
#include <cstring>

#include "canvas.h"

// On Windows SDL.h renames main to SDL_main, for SDL's own entry shim; the
// exporters are console programs with an entry of their own.
#ifdef main
#undef main
#endif

namespace {

void print_usage(FILE* to) {
    std::fprintf(to,
                 "usage: %s [--svg] FOLDER\n"
                 "writes every page as FOLDER/page-N.png, or with --svg as FOLDER/page-N.svg\n"
                 "(800 x 600 vector drawings, pixel for pixel the PNG pages at 100 %%)\n",
                 program_name);
}

}  // namespace

int main(int argc, char* argv[]) {
    prepare_process();
    if (argc > 0) name_program(argv[0]);
    if (argc == 2 && std::strcmp(argv[1], "--help") == 0) {
        print_usage(stdout);
        return 0;
    }
    const bool svg = argc == 3 && std::strcmp(argv[1], "--svg") == 0;
    if (argc != 2 && !svg) {
        print_usage(stderr);
        return 2;
    }
    set_export_folder(argv[argc - 1], svg ? PageFormat::svg : PageFormat::png);
    return SDL_main(argc, argv);
}
