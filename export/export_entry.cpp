// Entry of the exporting programs: PROGRAM [--svg | --tikz] [--order N]
// FOLDER writes every page that the interactive program would show as
// FOLDER/page-1.png, page-2.png, ... (page-1.svg, ... with --svg,
// page-1.tex, ... with --tikz), at its own order or N.
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "export_pager.h"
#include "messages.h"
#include "pager.h"
#include "platform.h"

namespace {

void print_usage(FILE* to) {
    std::fprintf(to,
                 "usage: %s [--svg | --tikz] [--order N] [--] FOLDER\n"
                 "writes every page as FOLDER/page-N.png, with --svg as FOLDER/page-N.svg and\n"
                 "with --tikz as FOLDER/page-N.tex (800 x 600 vector drawings, pixel for pixel\n"
                 "the PNG pages at 100 %% or 72 dpi)\n"
                 "  --svg       SVG pages, each figure a group titled with its number and steps\n"
                 "  --tikz      TikZ pictures for LaTeX, each figure a scope with that comment\n"
                 "  --order N   draw the family of order N, 1 ... %d (the program's own: %d)\n"
                 "  -h, --help  show this and exit\n"
                 "  --          what follows is the folder, even if it begins with a dash\n",
                 program_name, order_range.largest, order_range.usual);
}

int usage_error(const char* problem, const char* argument) {
    std::fprintf(stderr, "%s: %s", program_name, problem);
    if (argument != nullptr) {
        std::fputs(" '", stderr);
        print_escaped(stderr, argument);
        std::fputc('\'', stderr);
    }
    std::fputc('\n', stderr);
    print_usage(stderr);
    return 2;
}

// The order given to --order: a whole number in range, else 0.
int parse_order(const char* text) {
    if (text == nullptr) return 0;
    char* end = nullptr;
    errno = 0;
    const long order = std::strtol(text, &end, 10);
    if (errno != 0 || end == text || *end != '\0' || order < 1 || order > order_range.largest) {
        return 0;
    }
    return static_cast<int>(order);
}

}  // namespace

int main(int argc, char* argv[]) {
    prepare_process();
    if (argc > 0) name_program(argv[0]);
    const char* folder = nullptr;
    PageFormat format = PageFormat::png;
    bool options_ended = false;
    for (int i = 1; i < argc; ++i) {
        const char* argument = argv[i];
        if (!options_ended && argument[0] == '-' && argument[1] != '\0') {
            if (std::strcmp(argument, "--") == 0) {
                options_ended = true;
            } else if (std::strcmp(argument, "--help") == 0 || std::strcmp(argument, "-h") == 0) {
                print_usage(stdout);
                return 0;
            } else if (std::strcmp(argument, "--svg") == 0) {
                format = PageFormat::svg;
            } else if (std::strcmp(argument, "--tikz") == 0) {
                format = PageFormat::tikz;
            } else if (std::strcmp(argument, "--order") == 0) {
                const char* value = i + 1 < argc ? argv[++i] : nullptr;
                requested_order = parse_order(value);
                if (requested_order == 0) {
                    return usage_error("--order needs a whole number from 1 to the largest below; "
                                       "it was given",
                                       value != nullptr ? value : "nothing");
                }
            } else {
                return usage_error("unknown option", argument);
            }
        } else if (folder != nullptr) {
            return usage_error("more than one folder given; the second is", argument);
        } else {
            folder = argument;
        }
    }
    if (folder == nullptr) return usage_error("no folder given", nullptr);
    set_export_folder(folder, format);
    return SDL_main(argc, argv);
}
