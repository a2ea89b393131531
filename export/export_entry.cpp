// Entry of the exporting programs: reads the options and hands the work to
// the export pager (every page, one figure, the list) or prints what is
// asked of the family (one figure's line, counts). Nothing of SDL's is
// included here, so SDL's Windows renaming of main does not reach this
// entry of our own.
#include <getopt.h>

#include <array>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "export_list.h"
#include "export_pager.h"
#include "export_usage.h"
#include "family.h"
#include "figure_choice.h"
#include "messages.h"
#include "page_file.h"
#include "page_formats.h"
#include "pager.h"
#include "process.h"
#include "random_draw.h"

namespace {

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

// What the options ask for.
struct Request {
    const char* folder = nullptr;
    const PageFormat* format = nullptr;
    const char* order = nullptr;
    const char* figure = nullptr;
    const char* random = nullptr;
    const char* where = nullptr;
    const char* counts = nullptr;
    bool list = false;
    bool path = false;
};

bool one_figure(const Request& request) {
    return request.figure != nullptr || request.random != nullptr;
}

// Why options cannot be given together, or nullptr.
const char* contradiction(const Request& request) {
    if (request.figure != nullptr && request.random != nullptr) {
        return "--figure and --random cannot be given together";
    }
    if (request.where != nullptr && (one_figure(request) || request.counts != nullptr)) {
        return "--where filters the pages and the list, not one figure or counts";
    }
    if (request.counts != nullptr && (request.list || one_figure(request) ||
                                      request.format != nullptr || request.path ||
                                      request.folder != nullptr)) {
        return "--counts writes no file and draws nothing: it takes only --order";
    }
    if (!request.list) return nullptr;
    if (request.format != nullptr) return "--list writes no page, so takes no format";
    if (request.path) return "--list draws nothing, so takes no --path";
    if (request.folder != nullptr) return "--list writes no file, so takes no folder";
    return nullptr;
}

// getopt_long's values for the options without a letter; a format's is
// format_option + its index in page_formats.
enum OptionValue : int {
    order_option = 256,
    figure_option,
    random_option,
    where_option,
    counts_option,
    list_option,
    path_option,
    format_option
};

// The long options: the fixed ones, then one a format, then the end.
constexpr std::size_t fixed_options = 8;
using OptionTable = std::array<option, fixed_options + page_format_count + 1>;
OptionTable long_options() {
    OptionTable options{{{"help", no_argument, nullptr, 'h'},
                         {"order", required_argument, nullptr, order_option},
                         {"figure", required_argument, nullptr, figure_option},
                         {"random", required_argument, nullptr, random_option},
                         {"where", required_argument, nullptr, where_option},
                         {"counts", required_argument, nullptr, counts_option},
                         {"list", no_argument, nullptr, list_option},
                         {"path", no_argument, nullptr, path_option}}};
    for (std::size_t i = 0; i < page_formats.size(); ++i) {
        options[fixed_options + i] = {page_formats[i]->option + 2, no_argument, nullptr,
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
                                : value == random_option ? &request.random
                                : value == where_option  ? &request.where
                                : value == counts_option ? &request.counts
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

// The order asked for, in plain digits, into requested_order: the order,
// or 0 for anything else (a usage error, told).
int read_order(const Request& request) {
    if (request.order == nullptr) return program_family.orders.usual;
    const char* at = request.order;
    int order = 0;
    while (*at >= '0' && *at <= '9' && order < 1000) order = order * 10 + (*at++ - '0');
    if (*at != '\0' || order < 1 || order >= 1000) {
        usage_error("--order needs a whole number from 1; it was given", request.order);
        return 0;
    }
    requested_order = order;
    return order;
}

// An order past what is asked of it: one line that gives the limit.
[[noreturn]] void fail_on_order(int order, const char* what, int largest) {
    std::array<char, 160> problem{};
    std::snprintf(problem.data(), problem.size(), "order %d is past the largest for %s", order,
                  what);
    std::array<char, 64> detail{};
    std::snprintf(detail.data(), detail.size(), "orders 1 to %d", largest);
    fail_usage(problem.data(), detail.data());
}

// --counts STAT: the table, or a usage error.
int print_counts_asked(const char* name, int order) {
    Statistic statistic{};
    if (!figures_counted(program_family)) {
        return usage_error("this family's figures are not counted by", "--counts");
    }
    if (!statistic_named(name, static_cast<int>(std::strlen(name)), statistic)) {
        return usage_error("--counts takes flats, peaks, returns or height; it was given", name);
    }
    if (order > largest_counted_order) {
        fail_on_order(order, "counts", largest_counted_order);
    }
    print_counts(program_family, order, statistic);
    return finish_text("the counts");
}

// The seed --random gives.
std::uint64_t seed_given(const Request& request) {
    std::uint64_t seed = 0;
    if (!read_seed(request.random, seed)) {
        fail_usage("--random needs a seed from 0 to 18446744073709551615; it was given",
                   request.random);
    }
    return seed;
}

// Whether --random asks for a figure shuffled past the orders of one
// figure alone, which has no number.
bool shuffled_past_numbers(const Request& request, int order) {
    return request.random != nullptr && program_family.random.shuffle_figure != nullptr &&
           order > program_family.counting.largest_order;
}

// The figure --figure or --random asks for at `order`.
ChosenFigure one_figure_asked(const Request& request, int order) {
    const int largest = request.random != nullptr ? program_family.random.largest_order
                                                  : program_family.counting.largest_order;
    if (order > largest) {
        fail_on_order(order, request.random != nullptr ? "a random figure (--random)"
                                                       : "one figure alone (--figure)",
                      largest);
    }
    if (request.figure != nullptr) return figure_asked_for(program_family, order, request.figure);
    return random_figure(program_family, order, seed_given(request));
}

// A figure shuffled past the orders of numbered figures, written alone as
// random-SEED, titled with the family, the order and the seed.
int export_shuffled_figure(const Request& request, int order) {
    if (order > program_family.random.largest_order) {
        fail_on_order(order, "a random figure (--random)", program_family.random.largest_order);
    }
    const std::uint64_t seed = seed_given(request);
    std::array<char, 128> stem{};
    std::snprintf(stem.data(), stem.size(), "random-%s", request.random);
    export_drawn_alone(stem.data());
    int width = 0;
    int height = 0;
    run_shuffled_figure(program_family, order, seed, width, height);
    std::array<char, 120> title{};
    std::snprintf(title.data(), title.size(), "%s order %d, seed %s", program_family.name, order,
                  request.random);
    write_drawn_alone(title.data(), width, height);
    return 0;
}

// Writes the figure asked for alone, as figure-K or random-SEED.
int export_chosen_figure(const Request& request, int order) {
    const ChosenFigure chosen = one_figure_asked(request, order);
    std::array<char, 128> stem{};
    if (request.random != nullptr) {
        std::snprintf(stem.data(), stem.size(), "random-%s", request.random);
    } else {
        std::snprintf(stem.data(), stem.size(), "figure-%s", decimal_text(chosen.number).data());
    }
    // A random figure's name gives neither its number nor its steps: its
    // title does.
    export_one_figure(stem.data(), request.random != nullptr);
    run_one_figure(program_family, order, chosen.number, chosen.path);
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
    const int order = read_order(request);
    if (order == 0) return 2;
    if (request.counts != nullptr) return print_counts_asked(request.counts, order);
    if (request.list && shuffled_past_numbers(request, order)) {
        fail_on_order(order, "numbered figures, and so for --list with --random",
                      program_family.counting.largest_order);
    }
    if (request.list && one_figure(request)) {
        const ChosenFigure chosen = one_figure_asked(request, order);
        print_list_header();
        print_list_line(chosen.number, page_of_figure(program_family, order, chosen.number),
                        chosen.path.steps.data(), chosen.path.count);
        return finish_text("the list");
    }
    if (!request.list && request.folder == nullptr) return usage_error("no folder given", nullptr);
    if (!request.list && request.folder[0] == '\0') {
        return usage_error("the folder's name is empty", nullptr);
    }
    if (!one_figure(request) && order > program_family.orders.largest) {
        fail_on_order(order, "pages and the whole list (--figure and --random go further)",
                      program_family.orders.largest);
    }
    if (request.where != nullptr) {
        WhereFilter filter{};
        if (const char* why = read_where(request.where, filter)) {
            std::array<char, 200> problem{};
            std::snprintf(problem.data(), problem.size(), "--where: %s; it was given", why);
            return usage_error(problem.data(), request.where);
        }
        keep_only(filter);
    }
    if (request.list) {
        list_figures();
        return SDL_main(argc, argv);
    }
    set_export_folder(request.folder,
                      request.format != nullptr ? *request.format : *page_formats.front());
    if (request.path) draw_paths();
    if (shuffled_past_numbers(request, order)) return export_shuffled_figure(request, order);
    return one_figure(request) ? export_chosen_figure(request, order) : SDL_main(argc, argv);
}
