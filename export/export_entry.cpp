// Entry of the exporting programs: PROGRAM [FORMAT] [--order N] [--path]
// [--figure K | STEPS] FOLDER writes every page that the interactive
// program would show as FOLDER/page-1.png, page-2.png, ... (or .svg, .tex),
// at its own order or N, or one figure alone; PROGRAM [--order N] --list
// lists the figures. Nothing of SDL's is included here, so SDL's Windows
// renaming of main does not reach this entry of our own.
#include <getopt.h>

#include <array>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <initializer_list>

#include "export_pager.h"
#include "family.h"
#include "messages.h"
#include "page_formats.h"
#include "pager.h"
#include "process.h"
#include "steps.h"

namespace {

// Prints `text` in lines of at most 78 columns, the first after `first`,
// the rest indented by `indent` spaces.
void print_wrapped(FILE* to, const char* first, int indent, const char* text) {
    int column = std::fprintf(to, "%s", first);
    while (*text != '\0') {
        const std::size_t word = std::strcspn(text, " ");
        if (column > indent && column + 1 + static_cast<int>(word) > 78) {
            column = std::fprintf(to, "\n%*s", indent, "") - 1;
        } else if (column > indent) {
            column += std::fprintf(to, " ");
        }
        column += std::fprintf(to, "%.*s", static_cast<int>(word), text);
        text += word + std::strspn(text + word, " ");
    }
    std::fputc('\n', to);
}

void print_usage(FILE* to) {
    std::fprintf(to, "usage: %s [", program_name);
    for (std::size_t i = 0; i < page_formats.size(); ++i) {
        std::fprintf(to, "%s%s", i == 0 ? "" : " | ", page_formats[i]->option);
    }
    std::fprintf(to,
                 "] [--order N] [--path]\n"
                 "           [--figure K | --figure STEPS] [--] FOLDER\n"
                 "       %s [--order N] --list\n",
                 program_name);
    std::array<char, 400> what{};
    std::snprintf(what.data(), what.size(),
                  "the pages of %s, which shows %s, and writes each as FOLDER/page-N.png, or "
                  "in another format:",
                  program_family.name, program_family.summary);
    print_wrapped(to, "Draws", 0, what.data());
    for (const PageFormat* format : page_formats) {
        std::array<char, 16> option{};
        std::snprintf(option.data(), option.size(), "  %-10s  ", format->option);
        print_wrapped(to, option.data(), 14, format->help);
    }
    std::fprintf(to,
                 "  --order N   draw the family of order N, 1 ... %d (the program's own: %d)\n"
                 "  --path      draw each figure's lattice path over its dominoes, in black\n"
                 "  --figure K  write only figure K (from 1), alone, cropped to its outline and\n"
                 "              a margin of one cell, as FOLDER/figure-K.png (.svg, .tex)\n"
                 "  --figure STEPS  the same for the figure whose steps are STEPS, as in the\n"
                 "              titles and the list: \"rise fall flat\"\n"
                 "  --list      write no file: print \"figure<TAB>page<TAB>steps\", then a line a\n"
                 "              figure in drawing order\n"
                 "  -h, --help  show this and exit\n"
                 "  --          what follows is the folder, even if it begins with a dash\n"
                 "A page or figure replaces any file of its name in FOLDER. Pages numbered\n"
                 "past the last one are removed only when this program wrote them (they carry\n"
                 "its name); anything else is kept and named. An export into a folder that\n"
                 "another export is still writing into is refused (status 1).\n",
                 program_family.orders.largest, program_family.orders.usual);
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
    const PageFormat* format = nullptr;
    const char* order = nullptr;
    const char* figure = nullptr;
    bool list = false;
    bool path = false;
};

// Why two options cannot be given together, or nullptr.
const char* contradiction(const Request& request) {
    if (!request.list) return nullptr;
    if (request.format != nullptr) return "--list writes no page, so takes no format";
    if (request.figure != nullptr) return "--list and --figure cannot be given together";
    if (request.path) return "--list draws nothing, so takes no --path";
    if (request.folder != nullptr) return "--list writes no file, so takes no folder";
    return nullptr;
}

// getopt_long's values for the options without a letter; a format's is
// format_option + its index in page_formats.
enum OptionValue : int { order_option = 256, figure_option, list_option, path_option,
                         format_option };

// The long options: the fixed ones, then one a format, then the end.
using OptionTable = std::array<option, 6 + page_format_count>;
OptionTable long_options() {
    OptionTable options{{{"help", no_argument, nullptr, 'h'},
                         {"order", required_argument, nullptr, order_option},
                         {"figure", required_argument, nullptr, figure_option},
                         {"list", no_argument, nullptr, list_option},
                         {"path", no_argument, nullptr, path_option}}};
    for (std::size_t i = 0; i < page_formats.size(); ++i) {
        options[5 + i] = {page_formats[i]->option + 2, no_argument, nullptr,
                          format_option + static_cast<int>(i)};
    }
    options.back() = {nullptr, 0, nullptr, 0};
    return options;
}

// The option just taken, as given: getopt_long leaves `optind` past it, and
// past its value when that came as the next argument.
const char* option_given(char* argv[], bool with_value) {
    return argv[optind - (with_value && optarg == argv[optind - 1] ? 2 : 1)];
}

// What read_options returns when the help was asked for, and given.
constexpr int help_given = -1;

// Reads the options into `request`: 0, help_given, or the status of a
// usage error.
int read_options(int argc, char* argv[], Request& request) {
    const OptionTable options = long_options();
    opterr = 0;  // our own messages
    for (;;) {
        const int value = getopt_long(argc, argv, ":h", options.data(), nullptr);
        if (value == -1) break;
        if (value == 'h') {
            print_usage(stdout);
            return written_out("the help") == 0 ? help_given : 1;
        }
        if (value == '?') return usage_error("unknown option", argv[optind - 1]);
        if (value == ':') return usage_error("a value must follow", argv[optind - 1]);
        const char** value_of = value == order_option    ? &request.order
                                : value == figure_option ? &request.figure
                                                         : nullptr;
        if (value_of != nullptr) {
            if (*value_of != nullptr) return usage_error("given twice:", option_given(argv, true));
            *value_of = optarg;
        } else if (value == list_option) {
            request.list = true;
        } else if (value == path_option) {
            request.path = true;
        } else {
            if (request.format != nullptr) {
                return usage_error("one format at most; it was also given",
                                   option_given(argv, false));
            }
            request.format = page_formats[value - format_option];
        }
    }
    for (int i = optind; i < argc; ++i) {
        if (request.folder != nullptr) {
            return usage_error("more than one folder given; the second is", argv[i]);
        }
        request.folder = argv[i];
    }
    return 0;
}

}  // namespace

int main(int argc, char* argv[]) {
    prepare_process();
    if (argc > 0) name_program(argv[0]);
    // Its files name the exporter as it is installed, whatever it is run as.
    static std::array<char, 64> writer{};
    std::snprintf(writer.data(), writer.size(), "%s_export", program_family.name);
    file_writer = writer.data();
    Request request;
    if (const int status = read_options(argc, argv, request); status != 0) {
        return status == help_given ? 0 : status;
    }
    if (const char* why = contradiction(request)) return usage_error(why, nullptr);
    if (request.order != nullptr) {
        requested_order = parse_number(request.order, program_family.orders.largest);
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
    set_export_folder(request.folder,
                      request.format != nullptr ? *request.format : *page_formats.front());
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
