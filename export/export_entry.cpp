// Entry of the exporting programs: reads the options and hands the work to
// the export pager (every page, one figure, the list) or prints what is
// asked of the family (one figure's line, counts). Nothing of SDL's is
// included here, so SDL's Windows renaming of main does not reach this
// entry of our own.
#include <getopt.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "export_list.h"
#include "export_pager.h"
#include "export_usage.h"
#include "family.h"
#include "figure_choice.h"
#include "messages.h"
#include "page_formats.h"
#include "pager.h"
#include "run.h"
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
    const bool closed = closed_at_start(stdout);
    if (!closed && std::fflush(stdout) == 0 && std::ferror(stdout) == 0) return 0;
    const int error = errno;
    std::fprintf(stderr, "%s: cannot write %s to standard output: %s\n", program_name, what,
                 closed ? "it is closed" : std::strerror(error));
    return 1;
}

// What the options ask for.
struct Request {
    const char* folder = nullptr;
    const PageFormat* format = nullptr;
    // How figures are drawn: a cell's size, a style, a palette.
    const char* cell = nullptr;
    const char* style = nullptr;
    const char* palette = nullptr;
    const char* order = nullptr;
    const char* figure = nullptr;
    const char* random = nullptr;
    const char* glauber = nullptr;
    const char* where = nullptr;
    const char* counts = nullptr;
    bool list = false;
    bool path = false;
    bool arctic = false;
};

bool one_figure(const Request& request) {
    return request.figure != nullptr || request.random != nullptr;
}

// Why options cannot be given together, or nullptr.
const char* contradiction(const Request& request) {
    if (request.figure != nullptr && request.random != nullptr) {
        return "--figure and --random cannot be given together";
    }
    if (request.glauber != nullptr && request.random == nullptr) {
        return "--glauber moves a random tiling's dominoes: it takes --random SEED";
    }
    if (request.where != nullptr && one_figure(request)) {
        return "--where filters the pages, the list and the counts, not one figure";
    }
    if (request.counts != nullptr && (request.list || one_figure(request) ||
                                      request.format != nullptr || request.path ||
                                      request.arctic || request.folder != nullptr)) {
        return "--counts writes no file and draws nothing: it takes only --order and --where";
    }
    const bool drawing_asked =
        request.cell != nullptr || request.style != nullptr || request.palette != nullptr;
    if (request.counts != nullptr && drawing_asked) {
        return "--counts writes no file and draws nothing: it takes only --order and --where";
    }
    if (!request.list) return nullptr;
    if (request.format != nullptr) return "--list writes no page, so takes no format";
    if (request.path) return "--list draws nothing, so takes no --path";
    if (request.arctic) return "--list draws nothing, so takes no --arctic";
    if (drawing_asked) return "--list draws nothing, so takes no --cell, --style or --palette";
    if (request.folder != nullptr) return "--list writes no file, so takes no folder";
    return nullptr;
}

// getopt_long's values for the options without a letter; a format's is
// format_option + its index in page_formats.
enum OptionValue : int {
    order_option = 256,
    figure_option,
    random_option,
    glauber_option,
    where_option,
    counts_option,
    list_option,
    path_option,
    arctic_option,
    cell_option,
    style_option,
    palette_option,
    format_option
};

// The long options: the fixed ones, then one a format, then the end.
using OptionTable = std::vector<option>;
OptionTable long_options(const std::vector<const PageFormat*>& formats) {
    OptionTable options = {{"help", no_argument, nullptr, 'h'},
                           {"order", required_argument, nullptr, order_option},
                           {"figure", required_argument, nullptr, figure_option},
                           {"random", required_argument, nullptr, random_option},
                           {"glauber", required_argument, nullptr, glauber_option},
                           {"where", required_argument, nullptr, where_option},
                           {"counts", required_argument, nullptr, counts_option},
                           {"list", no_argument, nullptr, list_option},
                           {"path", no_argument, nullptr, path_option},
                           {"arctic", no_argument, nullptr, arctic_option},
                           {"cell", required_argument, nullptr, cell_option},
                           {"style", required_argument, nullptr, style_option},
                           {"palette", required_argument, nullptr, palette_option}};
    for (std::size_t i = 0; i < formats.size(); ++i) {
        options.push_back({formats[i]->option + 2, no_argument, nullptr,
                           format_option + static_cast<int>(i)});
    }
    options.push_back({nullptr, 0, nullptr, 0});
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
    const std::vector<const PageFormat*> formats = page_formats();
    const OptionTable options = long_options(formats);
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
                                : value == glauber_option ? &request.glauber
                                : value == where_option  ? &request.where
                                : value == counts_option ? &request.counts
                                : value == cell_option   ? &request.cell
                                : value == style_option  ? &request.style
                                : value == palette_option ? &request.palette
                                                         : nullptr;
        if (value_of != nullptr) {
            if (*value_of != nullptr) return usage_error("given twice:", option_given(argv, true));
            *value_of = optarg;
        } else if (value == list_option || value == path_option || value == arctic_option) {
            bool& given = value == list_option   ? request.list
                          : value == path_option ? request.path
                                                 : request.arctic;
            if (given) return usage_error("given twice:", option_given(argv, false));
            given = true;
        } else {
            if (request.format != nullptr) {
                return usage_error("one format at most; it was also given",
                                   option_given(argv, false));
            }
            request.format = formats[static_cast<std::size_t>(value - format_option)];
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

// An order past what is asked of it: one line that gives the limit.
[[noreturn]] void fail_on_order(int order, const char* what, int largest) {
    std::array<char, 160> problem{};
    std::snprintf(problem.data(), problem.size(), "order %d is past the largest for %s", order,
                  what);
    std::array<char, 64> detail{};
    std::snprintf(detail.data(), detail.size(), "orders 1 to %d", largest);
    fail_usage(problem.data(), detail.data());
}

// The largest order the family draws anything at: pages, one figure, a
// random one or counts.
int largest_order_of_all(const Family& family) {
    const CountLimits& limits = family.counting.limits;
    return std::max({family.orders.largest, family.counting.largest_order,
                     family.random.largest_order, limits.jointly,
                     *std::max_element(limits.alone.begin(), limits.alone.end())});
}

// The order asked for, in plain digits: the order, or 0 for anything else
// (a usage error, told). An order past any the family draws is told so.
int read_order(const Request& request) {
    if (request.order == nullptr) return program_family.orders.usual;
    const std::size_t digits = std::strspn(request.order, "0123456789");
    const std::size_t length = std::strlen(request.order);
    const std::size_t zeros = std::strspn(request.order, "0");
    if (length == 0 || digits != length || zeros == length) {
        usage_error("--order needs a whole number from 1; it was given", request.order);
        return 0;
    }
    const int largest = largest_order_of_all(program_family);
    if (length - zeros > 9 || std::atoi(request.order) > largest) {
        std::array<char, 160> problem{};
        std::snprintf(problem.data(), problem.size(),
                      "order %.40s is past the largest this family draws", request.order);
        fail_usage(problem.data(), ("orders 1 to " + std::to_string(largest)).c_str());
    }
    return std::atoi(request.order);
}

// How figures are drawn, from --cell, --style and --palette: 0, or the
// status of a usage error, told.
int read_drawing(const Request& request, Drawing& drawing) {
    if (request.cell != nullptr) {
        const std::size_t length = std::strlen(request.cell);
        const int cell = length > 0 && length <= 3 &&
                                 std::strspn(request.cell, "0123456789") == length
                             ? std::atoi(request.cell)
                             : 0;
        if (cell < smallest_cell || cell > largest_cell) {
            return usage_error("--cell takes a whole number of pixels (bp in TikZ and PDF) from "
                               "1 to 100; it was given",
                               request.cell);
        }
        drawing.cell = cell;
    }
    if (request.style != nullptr) {
        if (std::strcmp(request.style, "screen") == 0) {
            drawing.style = Style::screen;
        } else if (std::strcmp(request.style, "paper") == 0) {
            drawing.style = Style::paper;
        } else {
            return usage_error("--style takes screen or paper; it was given", request.style);
        }
    }
    if (request.palette != nullptr) {
        drawing.palette = find_palette(request.palette);
        if (drawing.palette == nullptr) {
            std::string names;
            for (int i = 0; i < palette_count; ++i) {
                names += std::string(i == 0 ? "" : i + 1 == palette_count ? " or " : ", ") +
                         palette_rows[i]->name;
            }
            return usage_error(("--palette takes " + names + "; it was given").c_str(),
                               request.palette);
        }
    }
    return 0;
}

// A --where filter read into `filter`: 0, or the status of a usage error.
int read_filter(const char* where, WhereFilter& filter) {
    if (const char* why = read_where(where, filter)) {
        std::array<char, 200> problem{};
        std::snprintf(problem.data(), problem.size(), "--where: %s; it was given", why);
        return usage_error(problem.data(), where);
    }
    return 0;
}

// A file too large for its format's readers: one line, status 2.
void refuse_if_too_large(const PageFormat& format, const char* what, int width, int height) {
    const std::string why = size_refused(format, width, height);
    if (!why.empty()) fail_usage((std::string("cannot write ") + what).c_str(), why.c_str());
}

// What goes past the orders drawn page by page, for a message about them:
// " (--figure goes to 28, --random to 4000)", or nothing.
std::string going_further(const Family& family) {
    std::string further;
    const int paged = family.orders.largest;
    const auto add = [&further](const char* option, int largest) {
        further += (further.empty() ? " (" : ", ") + std::string(option) +
                   (further.empty() ? " goes to " : " to ") + std::to_string(largest);
    };
    if (family.counting.largest_order > paged) add("--figure", family.counting.largest_order);
    if (family.random.largest_order > paged) add("--random", family.random.largest_order);
    return further.empty() ? further : further + ")";
}

// --counts STAT or STAT,STAT, under --where if given: the counts, or a
// usage error. Past the largest order for the question, one line names it.
int print_counts_asked(const Request& request, int order) {
    const FigureCounting& counting = program_family.counting;
    if (counting.count == nullptr) {
        return usage_error("this family's figures are not counted by", "--counts");
    }
    CountQuestion question;
    question.order = order;
    if (const char* why = read_counted(request.counts, question)) {
        const std::string problem = std::string("--counts: ") + why + "; it was given";
        return usage_error(problem.c_str(), request.counts);
    }
    if (request.where != nullptr) {
        if (const int status = read_filter(request.where, question.filter); status != 0) {
            return status;
        }
    }
    const int largest = largest_order_for(counting.limits, question);
    if (order > largest) {
        const std::string what =
            counted_alone(question)
                ? std::string("counts by ") + statistic_name(question.by[0])
                : std::string("counts by two statistics, or under a filter on another one");
        fail_on_order(order, what.c_str(), largest);
    }
    CountGrid grid;
    counting.count(question, grid);
    TextOutput out;
    print_counts(out, question, grid);
    return finish_text(out, "the counts");
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

// The moves --glauber gives, 0 ... largest_moves, for a family whose every
// tiling is a figure (others' turns would need each checked).
std::uint64_t moves_given(const Request& request) {
    if (program_family.random.domino_laid == nullptr) {
        fail_usage("--glauber moves a family whose every tiling of its region is a figure",
                   (std::string(program_family.name) + "'s figures are only some of its region's tilings").c_str());
    }
    BigCount moves = 0;
    if (!read_decimal(request.glauber, moves) || moves > largest_moves) {
        fail_usage(("--glauber needs a number of moves from 0 to " + decimal_text(BigCount(largest_moves)) +
                    "; it was given")
                       .c_str(),
                   request.glauber);
    }
    return static_cast<std::uint64_t>(moves);
}

// The figure --figure or --random (with --glauber) asks for at `order`,
// with its paths when `with_paths` (a shuffled figure's are many).
ChosenFigure one_figure_asked(const Request& request, int order, bool with_paths) {
    const int largest = request.random != nullptr ? program_family.random.largest_order
                                                  : program_family.counting.largest_order;
    if (order > largest) {
        fail_on_order(order, request.random != nullptr ? "a random figure (--random)"
                                                       : "one figure alone (--figure)",
                      largest);
    }
    if (request.figure != nullptr) return figure_asked_for(program_family, order, request.figure);
    if (request.glauber != nullptr) {
        return random_figure_moved(program_family, order, seed_given(request), moves_given(request), with_paths);
    }
    return random_figure(program_family, order, seed_given(request), with_paths);
}

// Writes the figure asked for alone, cropped to its outline and a margin of
// a cell: as figure-K titled "figure K", or as random-SEED titled with its
// number and steps, or (shuffled past the numbered orders, with no number)
// with the family, the order and the seed.
int export_chosen_figure(PagerState& pager, const Request& request, const Run& run) {
    // The data (JSON) holds the steps, their statistics and the paths,
    // drawn or not.
    const bool data = std::strcmp(pager.format->extension, "json") == 0;
    const ChosenFigure chosen = one_figure_asked(request, run.order, run.drawing.paths || data);
    std::string stem = "figure-" + number_in_name(chosen.number);
    std::string title = "figure " + decimal_text(chosen.number);
    if (request.random != nullptr) {
        const std::string seed = std::to_string(seed_given(request));
        stem = "random-" + seed;
        title = chosen.number != 0 ? figure_title(chosen)
                                   : std::string(program_family.name) + " order " +
                                         std::to_string(run.order) + ", seed " + seed;
        if (request.glauber != nullptr) {
            const std::string moves = std::to_string(moves_given(request));
            stem += "-glauber-" + moves;
            if (chosen.number == 0) title += ", then " + moves + " Glauber moves";
        }
    }
    // At the cell asked for; else as large as fits the window's page, at
    // most the family's own cell, and with a path over cells too small to
    // show it, cells of 4 pixels (where the figure then fits 4,096).
    Placement placement = placement_alone_fitting(chosen.geometry, program_family.cell,
                                                  canvas_width, canvas_height);
    if (run.drawing.cell != 0) {
        placement = placement_alone(run.drawing.cell, outlined(run.drawing.cell));
    } else if (run.drawing.paths && placement.cell < smallest_outlined_cell) {
        const Placement larger = placement_alone_fitting(
            chosen.geometry, smallest_outlined_cell, 4096, 4096);
        if (larger.cell > placement.cell) placement = larger;
    }
    refuse_if_too_large(*pager.format, "the figure", alone_width(chosen.geometry, placement),
                        alone_height(chosen.geometry, placement));
    const std::string too_many = dominoes_refused(
        *pager.format, static_cast<long long>(chosen.geometry.dominoes.size()));
    if (!too_many.empty()) {
        const std::string what =
            std::string(program_family.name) + " order " + std::to_string(run.order);
        fail_usage(("cannot write " + what).c_str(),
                   (too_many + "; --png and --pdf have no such limit").c_str());
    }
    write_figure_alone(pager, run, chosen, placement, stem, title);
    return 0;
}

}  // namespace

int main(int argc, char* argv[]) {
    prepare_process();
    if (argc > 0) name_program(argv[0]);
    // Its files name the exporter as it is installed, whatever it is run as.
    const std::string writer = std::string(program_family.name) + "_export";
    Request request;
    if (const int status = read_options(argc, argv, request); status != 0) {
        return status == help_given ? 0 : status;
    }
    if (const char* why = contradiction(request)) return usage_error(why, nullptr);
    // Text for standard output, with nowhere to go: said before any work.
    if ((request.list || request.counts != nullptr) && closed_at_start(stdout)) {
        fail(request.list ? "cannot write the list to standard output"
                          : "cannot write the counts to standard output",
             "it is closed");
    }
    const int order = read_order(request);
    if (order == 0) return 2;
    if (request.counts != nullptr) return print_counts_asked(request, order);
    if (request.list && one_figure(request)) {
        const ChosenFigure chosen = one_figure_asked(request, order, true);
        TextOutput out;
        print_list_header(out);
        print_list_line(out, chosen.number, page_of_figure(program_family, order, chosen.number),
                        chosen.path);
        return finish_text(out, "the list");
    }
    if (!request.list && request.folder == nullptr) return usage_error("no folder given", nullptr);
    if (!request.list && request.folder[0] == '\0') {
        return usage_error("the folder's name is empty", nullptr);
    }
    if (!one_figure(request) && order > program_family.orders.largest) {
        fail_on_order(order, ("pages and the whole list" + going_further(program_family)).c_str(),
                      program_family.orders.largest);
    }
    Run run = run_of(program_family, order);
    // A figure alone is drawn at the order asked for, past the paged ones too.
    run.order = order;
    run.file_writer = writer.c_str();
    run.drawing.paths = request.path;
    if (request.arctic && !family_has_arctic_circle(program_family)) {
        return usage_error("--arctic draws the Aztec diamond's arctic circle, and this family's "
                           "figures have none",
                           nullptr);
    }
    run.drawing.arctic = request.arctic;
    if (const int status = read_drawing(request, run.drawing); status != 0) return status;
    if (request.where != nullptr) {
        WhereFilter filter{};
        if (const int status = read_filter(request.where, filter); status != 0) return status;
        run.filter = filter;
    }
    if (request.list) {
        PagerState pager = list_pager();
        run.pager = &pager;
        return run_family(run);
    }
    PagerState pager = export_pager(
        request.folder, request.format != nullptr ? *request.format : default_page_format());
    run.pager = &pager;
    if (one_figure(request)) return export_chosen_figure(pager, request, run);
    const int cell = run.drawing.cell != 0 ? run.drawing.cell : program_family.cell;
    refuse_if_too_large(*pager.format, "the pages",
                        scaled_page_side(canvas_width, program_family.cell, cell),
                        scaled_page_side(canvas_height, program_family.cell, cell));
    run_family(run);
    // What the family prints (pyramid's count) went nowhere.
    if (program_family.printed != nullptr && run.count_printed && closed_at_start(stdout)) {
        fail((std::string("cannot write ") + program_family.printed + " to standard output").c_str(),
             "it is closed");
    }
    return 0;
}
