#include "explore.h"

#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "canvas.h"
#include "explore_pager.h"
#include "family_table.h"
#include "messages.h"
#include "page_file.h"
#include "page_formats.h"
#include "page_record.h"
#include "pager.h"
#include "path_overlay.h"
#include "random_draw.h"
#include "where_filter.h"

namespace {

// The family numbered `family` in the table, or nullptr.
const Family* family_numbered(int family) {
    return family >= 0 && family < family_count ? family_table[family] : nullptr;
}

// The last file written. The largest pages are some 440 kB (pyramid order 7
// with its paths, as SVG); the largest random tiling (89,700 dominoes, at
// order 299) takes some 5 MB, and 16 MB with its paths.
std::array<char, 24 << 20> file_bytes{};
int file_size = 0;
Written file_written{};
const char* file_failure = "";
// The title of one figure, "figure 17: rise fall flat ...", whose steps
// explore_figure_steps hands out.
FigureTitle steps_title{};

// A figure drawn alone for its file takes the page's place on the canvas
// and in the record, until the page is run again.
bool figure_alone = false;

// Text the page hands over (a filter, a figure's number or steps, a seed).
std::array<char, 1024> input{};

// --where as the page set it; none when `filtering` is false.
WhereFilter where{};
bool filtering = false;
WhereText where_given{};
bool passes_where(const StepKind* steps, int count) {
    return filter_holds(where, stats_of(steps, count));
}

// The figure chosen by number, steps or seed; a shuffled one past the
// numbered orders has number 0 and is drawn from its seed.
ChosenFigure chosen{};
DecimalText chosen_number{};
std::uint64_t chosen_seed = 0;
bool chosen_shuffled = false;
// A figure drawn alone by explore_run_chosen: the canvas is its file.
bool chosen_alone = false;
Written alone_written{};

// The counts of the last explore_counts call.
CountTable counts{};
DecimalText count_text{};

// A run's settings: the order asked for, the paths, the filter, and the
// exporter's name in the files (so that they are its files byte for byte).
void prepare_run(int family, int order, int paths) {
    requested_order = order;
    path_overlay = paths != 0;
    figure_filter = filtering ? passes_where : nullptr;
    static std::array<char, 64> writer{};
    std::snprintf(writer.data(), writer.size(), "%s_export", family_table[family]->name);
    file_writer = writer.data();
    figure_alone = false;
    chosen_alone = false;
}

const char* failure_text = "";
int fail_with(const char* why) {
    failure_text = why;
    return -1;
}

bool page_on_canvas() { return page_drawn() && !figure_alone; }

bool is_figure_on_page(int index) {
    return page_on_canvas() && index >= 0 && index < static_cast<int>(recorded_figure_count());
}

}  // namespace

extern "C" {

int explore_family_count() { return family_count; }

const char* explore_family_name(int family) {
    return family_numbered(family) != nullptr ? family_table[family]->name : "";
}

int explore_format_count() { return static_cast<int>(page_formats.size()); }

const char* explore_format_label(int format) {
    return format >= 0 && format < explore_format_count() ? page_formats[format]->label : "";
}

const char* explore_format_extension(int format) {
    return format >= 0 && format < explore_format_count() ? page_formats[format]->extension : "";
}

const char* explore_format_mime_type(int format) {
    return format >= 0 && format < explore_format_count() ? page_formats[format]->mime_type : "";
}

int explore_format_is_image(int format) {
    return format >= 0 && format < explore_format_count() && page_formats[format]->write == nullptr
               ? 1
               : 0;
}

int explore_largest_order(int family) {
    return family_numbered(family) != nullptr ? family_table[family]->orders.largest : 0;
}

int explore_usual_order(int family) {
    return family_numbered(family) != nullptr ? family_table[family]->orders.usual : 0;
}

int explore_largest_figure_order(int family) {
    return family_numbered(family) != nullptr ? family_table[family]->counting.largest_order : 0;
}

int explore_largest_random_order(int family) {
    return family_numbered(family) != nullptr ? family_table[family]->random.largest_order : 0;
}

int explore_has_counts(int family) {
    return family_numbered(family) != nullptr && figures_counted(*family_table[family])
               ? 1
               : 0;
}

char* explore_input() { return input.data(); }

const char* explore_failure() { return failure_text; }

int explore_statistic_count() { return statistic_count; }

const char* explore_statistic_name(int statistic) {
    return statistic >= 0 && statistic < statistic_count
               ? statistic_name(statistics[statistic])
               : "";
}

int explore_set_filter() {
    input.back() = '\0';
    if (input[0] == '\0') {
        filtering = false;
        where_given = {};
        return 0;
    }
    WhereFilter filter{};
    if (const char* why = read_where(input.data(), filter)) return fail_with(why);
    where = filter;
    where_given = where_text(where);
    filtering = true;
    return 0;
}

const char* explore_filter() { return where_given.data(); }

int explore_counts(int family, int order, int statistic) {
    if (explore_has_counts(family) == 0 || order < 1 || order > largest_counted_order ||
        statistic < 0 || statistic >= statistic_count) {
        return -1;
    }
    count_figures_by(*family_table[family], order, statistics[statistic], counts);
    int largest = -1;
    for (int value = 0; value < static_cast<int>(counts.size()); ++value) {
        if (counts[value] != 0) largest = value;
    }
    return largest;
}

const char* explore_count_of(int value) {
    count_text = decimal_text(value >= 0 && value < static_cast<int>(counts.size())
                                  ? counts[value]
                                  : BigCount(0));
    return count_text.data();
}

int explore_figure_stat(int index, int statistic) {
    if (!is_figure_on_page(index) || statistic < 0 || statistic >= statistic_count) return 0;
    const RecordedFigure& figure = recorded_figure(static_cast<std::size_t>(index));
    return stats_of(figure.steps.data(), figure.step_count)[statistic];
}

const char* explore_figure_total(int family, int order) {
    static DecimalText total{};
    total = decimal_text(family_numbered(family) != nullptr &&
                                 order <= family_table[family]->random.largest_order
                             ? family_table[family]->counting.figure_total(order)
                             : BigCount(0));
    return total.data();
}

int explore_choose_figure(int family, int order) {
    input.back() = '\0';
    const Family* chosen_family = family_numbered(family);
    if (chosen_family == nullptr || order < 1 || order > chosen_family->counting.largest_order) {
        return fail_with("there is no such family or order for one figure");
    }
    chosen = {};
    const char* text = input.data() + std::strspn(input.data(), " ");
    if (text[0] != '\0' && std::strspn(text, "0123456789") == std::strlen(text)) {
        if (!read_decimal(text, chosen.number) || chosen.number < 1 ||
            chosen.number > chosen_family->counting.figure_total(order)) {
            return fail_with("there is no figure of that number");
        }
        chosen_family->counting.unrank_figure(order, chosen.number, chosen.path);
    } else {
        FigurePath& path = chosen.path;
        path.count = 0;
        const char* at = text;
        while (*at != '\0') {
            const char* end = at + std::strcspn(at, " ");
            bool known = false;
            for (const StepKind kind :
                 {StepKind::rise, StepKind::fall, StepKind::flat, StepKind::next_path}) {
                const char* word = step_name(kind);
                if (!known && path.count < max_figure_steps &&
                    static_cast<std::size_t>(end - at) == std::strlen(word) &&
                    std::strncmp(at, word, end - at) == 0) {
                    path.steps[path.count++] = kind;
                    known = true;
                }
            }
            if (!known) return fail_with("that is no figure's number, nor its steps");
            at = end + std::strspn(end, " ");
        }
        chosen.number = chosen_family->counting.rank_figure(order, path);
        if (chosen.number == 0) return fail_with("no figure has those steps");
    }
    chosen_number = decimal_text(chosen.number);
    chosen_shuffled = false;
    return 0;
}

int explore_choose_random(int family, int order) {
    input.back() = '\0';
    const Family* chosen_family = family_numbered(family);
    if (chosen_family == nullptr || order < 1 || order > chosen_family->random.largest_order) {
        return fail_with("there is no such family or order for a random figure");
    }
    if (!read_seed(input.data(), chosen_seed)) {
        return fail_with("a seed is a whole number from 0 to 18446744073709551615");
    }
    chosen_shuffled = order > chosen_family->counting.largest_order;
    chosen = chosen_shuffled ? ChosenFigure{} : random_figure(*chosen_family, order, chosen_seed);
    chosen_number = decimal_text(chosen.number);
    return 0;
}

const char* explore_chosen_number() { return chosen_number.data(); }

int explore_page_of_chosen(int family, int order, int paths) {
    if (order < 1 || order > explore_largest_order(family) || chosen.number == 0) return 0;
    prepare_run(family, order, paths);
    aim_at_page(0);
    look_for_figure(chosen.number);
    const Family& chosen_row = *family_table[family];
    run_family(chosen_row);
    return page_of_figure_looked_for();
}

int explore_chosen_index() {
    for (int i = 0; i < explore_page_figure_count(); ++i) {
        if (std::strcmp(explore_figure_number(i), chosen_number.data()) == 0) return i;
    }
    return -1;
}

int explore_run_chosen(int family, int order, int paths) {
    const Family* chosen_family = family_numbered(family);
    if (chosen_family == nullptr || order < 1 || order > chosen_family->random.largest_order) {
        return fail_with("there is no such family or order");
    }
    prepare_run(family, order, paths);
    figure_filter = nullptr;
    aim_at_page(1);
    if (chosen_shuffled) {
        int width = 0;
        int height = 0;
        run_shuffled_figure(*chosen_family, order, chosen_seed, width, height);
        alone_written = written_as("figure", "0", width, height);
        std::snprintf(alone_written.stem.data(), alone_written.stem.size(), "random-%s",
                      decimal_text(BigCount(chosen_seed)).data());
        std::array<char, 120> title{};
        std::snprintf(title.data(), title.size(), "%s order %d, seed %s", chosen_family->name,
                      order, decimal_text(BigCount(chosen_seed)).data());
        retitle(alone_written, title.data());
    } else {
        if (chosen.number == 0) return fail_with("no figure is chosen");
        run_one_figure(*chosen_family, order, chosen.number, chosen.path);
        if (!set_figure_aside(0)) return fail_with("the figure has more boxes than can be kept");
        alone_written = draw_figure_aside_alone();
    }
    chosen_alone = true;
    return 0;
}

int explore_run(int family, int order, int page, int paths) {
    if (order < 1 || order > explore_largest_order(family)) return 0;
    prepare_run(family, order, paths);
    aim_at_page(page);
    const Family& chosen_row = *family_table[family];
    run_family(chosen_row);
    return pages_in_run();
}

int explore_page_drawn() { return page_drawn() ? 1 : 0; }

int explore_figures() { return figures_in_run(); }

const unsigned char* explore_pixels() { return page_pixels(); }

int explore_page_figure_count() {
    return page_on_canvas() ? static_cast<int>(recorded_figure_count()) : 0;
}

int explore_figure_at(int x, int y) {
    for (int i = 0; i < explore_page_figure_count(); ++i) {
        const Edges edges = recorded_figure_edges(static_cast<std::size_t>(i));
        if (x >= edges.left && x <= edges.right && y >= edges.top && y <= edges.bottom) return i;
    }
    return -1;
}

const char* explore_figure_number(int index) {
    return is_figure_on_page(index) ? recorded_figure(static_cast<std::size_t>(index)).number.data()
                                    : "0";
}

const char* explore_figure_steps(int index) {
    if (!is_figure_on_page(index)) return "";
    steps_title = figure_title(recorded_figure(static_cast<std::size_t>(index)));
    // What follows "figure N: ", the steps as the titles name them.
    const char* steps = std::strchr(steps_title.data(), ':');
    return steps == nullptr ? "" : steps + std::strspn(steps, ": ");
}

int explore_figure_edge(int index, int side) {
    if (!is_figure_on_page(index)) return 0;
    const Edges edges = recorded_figure_edges(static_cast<std::size_t>(index));
    const std::array<int, 4> sides = {edges.left, edges.top, edges.right, edges.bottom};
    return side >= 0 && side < 4 ? sides[side] : 0;
}

int explore_write_file(int format, int index) {
    file_size = 0;
    file_failure = "";
    if (format < 0 || format >= static_cast<int>(page_formats.size()) || !page_on_canvas() ||
        (index != -1 && !is_figure_on_page(index))) {
        file_failure = "there is no such page or figure";
        return -1;
    }
    if (index == -1 && chosen_alone) {
        file_written = alone_written;
    } else if (index == -1) {
        file_written = written_as("page", decimal_text(aimed_page()).data(), canvas_width,
                                  canvas_height);
    } else if (set_figure_aside(static_cast<std::size_t>(index))) {
        figure_alone = true;
        file_written = draw_figure_aside_alone();
    } else {
        file_failure = "the figure has more boxes than can be kept";
        return -1;
    }
    const PageFormat& format_asked = *page_formats[format];
    // An image of the pixels is the browser's to encode.
    if (format_asked.write == nullptr) return 0;
    std::FILE* file = fmemopen(file_bytes.data(), file_bytes.size(), "w");
    if (file == nullptr) {
        file_failure = std::strerror(errno);
        return -1;
    }
    const char* why = write_recorded_file(format_asked, file, file_written);
    const long size = std::ftell(file);
    std::fclose(file);
    // The stream keeps its last byte for a terminating zero.
    if (why == nullptr && (size < 0 || size >= static_cast<long>(file_bytes.size()) - 1)) {
        why = "the file is larger than the explorer can hold";
    }
    if (why != nullptr) {
        file_failure = why;
        return -1;
    }
    file_size = static_cast<int>(size);
    return 0;
}

const char* explore_file_data() { return file_bytes.data(); }
int explore_file_size() { return file_size; }
int explore_file_width() { return file_written.width; }
int explore_file_height() { return file_written.height; }
const char* explore_file_stem() { return file_written.stem.data(); }
const char* explore_file_failure() { return file_failure; }
}
