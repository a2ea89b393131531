// Entry of the exporting programs: PROGRAM FOLDER writes every page that the
// interactive program would show as FOLDER/page-1.png, page-2.png, ...
#include <cstdio>

#include "canvas.h"

int main(int argc, char* argv[]) {
    prepare_process();
    if (argc > 0) name_program(argv[0]);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FOLDER\nwrites every page as FOLDER/page-N.png\n",
                     program_name);
        return 2;
    }
    set_export_folder(argv[1]);
    return SDL_main(argc, argv);
}
