// Entry of the exporting programs: PROGRAM [--svg | --tikz] [--order N]
// [--path] [--figure K | STEPS] FOLDER writes every page that the
// interactive program would show as FOLDER/page-1.png, page-2.png, ...
// (page-1.svg, ... with --svg, page-1.tex, ... with --tikz), at its own
// order or N, or one figure alone; PROGRAM [--order N] --list lists the
// figures. Nothing of SDL's is included here, so SDL's Windows renaming of
// main does not reach this entry of our own.
#include <array>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <initializer_list>

#include "export_pager.h"
#include "messages.h"
#include "pager.h"
#include "process.h"
#include "steps.h"

namespace {

void print_usage(FILE* to) {
    std::fprintf(to,
                 "usage: %s [--svg | --tikz] [--order N] [--path] [--figure K | --figure STEPS]\n"
                 "           [--] FOLDER\n"
                 "       %s [--order N] --list\n"
                 "writes every page as FOLDER/page-N.png, with --svg as FOLDER/page-N.svg and\n"
                 "with --tikz as FOLDER/page-N.tex (800 x 600 vector drawings, pixel for pixel\n"
                 "the PNG pages at 100 %% or 72 dpi)\n"
                 "  --svg       SVG pages, each figure a group titled with its number and steps\n"
                 "  --tikz      TikZ pictures for LaTeX, each figure a scope with that comment\n"
                 "  --order N   draw the family of order N, 1 ... %d (the program's own: %d)\n"
                 "  --path      draw each figure's lattice path over its dominoes, in black\n"
                 "  --figure K  write only figure K (from 1), alone, cropped to its outline and\n"
                 "              a margin of one cell, as FOLDER/figure-K.png (.svg, .tex)\n"
                 "  --figure STEPS  the same for the figure whose steps are STEPS, as in the\n"
                 "              titles: \"rise flat fall flat flat\"\n"
                 "  --list      write no file: print \"figure<TAB>page<TAB>steps\", then a line a\n"
                 "              figure in drawing order\n"
                 "  -h, --help  show this and exit\n"
                 "  --          what follows is the folder, even if it begins with a dash\n"
                 "A page or figure replaces any file of its name in FOLDER. Pages numbered\n"
                 "past the last one are removed only when this program wrote them (they carry\n"
                 "its name); anything else is kept and named. An export into a folder that\n"
                 "another export is still writing into is refused (status 1).\n",
                 program_name, program_name, order_range.largest, order_range.usual);
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
    // A usage that could not be told is a failure of its own.
    return std::fflush(stderr) == 0 && std::ferror(stderr) == 0 ? 2 : 1;
}

// 0 once standard output has taken `what` whole; else, with the reason on
// standard error, 1.
int written_out(const char* what) {
    if (std::fflush(stdout) == 0 && std::ferror(stdout) == 0) return 0;
    const int error = errno;
    std::fprintf(stderr, "%s: cannot write %s to standard output: %s\n", program_name, what,
                 std::strerror(error));
    return 1;
}

// A whole number written in plain digits, at most `largest`; else 0.
int parse_number(const char* text, int largest) {
    if (text == nullptr || text[0] == '\0') return 0;
    long number = 0;
    for (const char* at = text; *at != '\0'; ++at) {
        if (*at < '0' || *at > '9') return 0;
        number = number * 10 + (*at - '0');
        if (number > largest) return 0;
    }
    return static_cast<int>(number);
}

// A path's steps, "rise flat fall", into `steps`; their count, or -1 when
// a word is not a step or there are more than `steps` holds.
int parse_steps(const char* text, std::array<StepKind, 64>& steps) {
    int count = 0;
    const char* at = text;
    for (;;) {
        while (*at == ' ') ++at;
        if (*at == '\0') return count;
        const char* end = at;
        while (*end != ' ' && *end != '\0') ++end;
        const auto is = [at, end](const char* word) {
            return static_cast<std::size_t>(end - at) == std::strlen(word) &&
                   std::strncmp(at, word, end - at) == 0;
        };
        if (count == static_cast<int>(steps.size())) return -1;
        // The words are the titles' own, from step_name.
        const int matched = count;
        for (const StepKind kind : {StepKind::rise, StepKind::fall, StepKind::flat}) {
            if (matched == count && is(step_name(kind))) steps[count++] = kind;
        }
        if (matched == count) return -1;
        at = end;
    }
}

// Whether `text` is a figure's number: plain digits, not all zeros.
bool is_figure_number(const char* text) {
    bool nonzero = false;
    for (const char* at = text; *at != '\0'; ++at) {
        if (*at < '0' || *at > '9') return false;
        nonzero = nonzero || *at != '0';
    }
    return nonzero;
}

// What the options ask for.
struct Request {
    const char* folder = nullptr;
    const char* format_option = nullptr;  // --svg or --tikz, as given
    const char* order = nullptr;
    const char* figure = nullptr;
    bool list = false;
    bool path = false;
};

// Why two options cannot be given together, or nullptr.
const char* contradiction(const Request& request) {
    if (!request.list) return nullptr;
    if (request.format_option != nullptr) return "--list writes no page, so takes no format";
    if (request.figure != nullptr) return "--list and --figure cannot be given together";
    if (request.path) return "--list draws nothing, so takes no --path";
    if (request.folder != nullptr) return "--list writes no file, so takes no folder";
    return nullptr;
}

}  // namespace

int main(int argc, char* argv[]) {
    prepare_process();
    if (argc > 0) name_program(argv[0]);
    // Its files name the exporter as it is installed, whatever it is run as.
    static std::array<char, 64> writer{};
    std::snprintf(writer.data(), writer.size(), "%s_export", family_name);
    file_writer = writer.data();
    Request request;
    bool options_ended = false;
    for (int i = 1; i < argc; ++i) {
        const char* argument = argv[i];
        if (!options_ended && argument[0] == '-' && argument[1] != '\0') {
            const char** value_of = std::strcmp(argument, "--order") == 0    ? &request.order
                                    : std::strcmp(argument, "--figure") == 0 ? &request.figure
                                                                             : nullptr;
            if (std::strcmp(argument, "--") == 0) {
                options_ended = true;
            } else if (std::strcmp(argument, "--help") == 0 || std::strcmp(argument, "-h") == 0) {
                print_usage(stdout);
                return written_out("the help");
            } else if (std::strcmp(argument, "--svg") == 0 || std::strcmp(argument, "--tikz") == 0) {
                if (request.format_option != nullptr) {
                    return usage_error("one format at most; it was also given", argument);
                }
                request.format_option = argument;
            } else if (std::strcmp(argument, "--list") == 0) {
                request.list = true;
            } else if (std::strcmp(argument, "--path") == 0) {
                request.path = true;
            } else if (value_of != nullptr) {
                if (*value_of != nullptr) return usage_error("given twice:", argument);
                if (i + 1 == argc) return usage_error("a value must follow", argument);
                *value_of = argv[++i];
            } else {
                return usage_error("unknown option", argument);
            }
        } else if (request.folder != nullptr) {
            return usage_error("more than one folder given; the second is", argument);
        } else {
            request.folder = argument;
        }
    }
    if (const char* why = contradiction(request)) return usage_error(why, nullptr);
    if (request.order != nullptr) {
        requested_order = parse_number(request.order, order_range.largest);
        if (requested_order == 0) {
            return usage_error("--order needs a whole number from 1 to the largest below; "
                               "it was given",
                               request.order);
        }
    }
    if (request.list) {
        list_figures();
        return SDL_main(argc, argv);
    }
    if (request.folder == nullptr) return usage_error("no folder given", nullptr);
    if (request.folder[0] == '\0') return usage_error("the folder's name is empty", nullptr);
    const PageFormat format = request.format_option == nullptr ? PageFormat::png
                              : std::strcmp(request.format_option, "--svg") == 0
                                  ? PageFormat::svg
                                  : PageFormat::tikz;
    set_export_folder(request.folder, format);
    if (request.path) draw_paths();
    if (request.figure != nullptr) {
        std::array<StepKind, 64> steps{};
        const bool numbered = is_figure_number(request.figure);
        const int count = numbered ? 0 : parse_steps(request.figure, steps);
        if (!numbered && count <= 0) {
            return usage_error("--figure needs a figure's number, from 1, or its steps, as "
                               "\"rise flat fall\"; it was given",
                               request.figure);
        }
        choose_figure(numbered ? request.figure : nullptr, steps.data(), count);
    }
    return SDL_main(argc, argv);
}
