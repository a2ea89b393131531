// The explorer's calls, headless (and so under the sanitizers): a page
// drawn alone is the exporter's, its figures are found where they stand
// and cut out alone, and what is not there is refused. The browser test
// checks every page and download against the exporters' in Chromium.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <tuple>
#include <vector>

#include "explore.h"
#include "exported_pages.h"

TEST(Explorer, DrawsAPageAloneAndFindsItsFigures) {
    ExploreSession* session = explore_open();
    // The last page of 71, with the paths: every page before passed over.
    ASSERT_EQ(explore_run(session, 0, 5, 71, 1), 71);
    const ExportRun run = run_exporter(PROGRAMS "/diamond_export", {}, "/dev/null", "--order 5 --path");
    std::vector<Uint32> rgb;
    int width = 0;
    int height = 0;
    ASSERT_EQ(read_png(run.folder + "/page-71.png", rgb, width, height), "");
    remove_temporary_folder(run.temporary);
    const unsigned char* pixels = explore_pixels(session);
    int differing = 0;
    for (std::size_t i = 0; i < rgb.size(); ++i) {
        const Uint32 shown = pixels[4 * i] << 16 | pixels[4 * i + 1] << 8 | pixels[4 * i + 2];
        differing += shown != rgb[i] ? 1 : 0;
    }
    EXPECT_EQ(differing, 0);

    ASSERT_EQ(explore_run(session, 0, 3, 1, 0), 1);
    EXPECT_EQ(explore_figures(session), 63);
    const int x = (explore_figure_edge(session, 16, 0) + explore_figure_edge(session, 16, 2)) / 2;
    const int y = (explore_figure_edge(session, 16, 1) + explore_figure_edge(session, 16, 3)) / 2;
    EXPECT_EQ(explore_figure_at(session, x, y), 16);
    EXPECT_STREQ(explore_figure_number(session, 16), "17");
    EXPECT_STREQ(explore_figure_steps(session, 16), "rise fall rise fall flat");
    EXPECT_EQ(explore_figure_at(session, 799, 599), -1);
    // Alone, cropped to its outline and a margin of one cell (10 pixels).
    ASSERT_EQ(explore_write_file(session, 0, 16), 0) << explore_file_failure(session);
    EXPECT_STREQ(explore_file_stem(session), "figure-17");
    EXPECT_EQ(explore_file_width(session), 61 + 20);
    EXPECT_EQ(explore_file_height(session), 71 + 20);
    // Its pixels are drawn apart: the page stays on the canvas.
    EXPECT_EQ(explore_figure_at(session, x, y), 16);
    explore_close(session);
}

namespace {
std::string file_text(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}
}  // namespace

// In paper style, in another palette and at another cell, every download
// is the exporter's file for the same options: the same bytes, or for PNG
// the same pixels.
TEST(Explorer, DownloadsInEveryStyleAndFormatAreTheExportersFiles) {
    ExploreSession* session = explore_open();
    ASSERT_EQ(explore_set_drawing(session, 1, 1, 24), 0);
    EXPECT_EQ(explore_set_drawing(session, 2, 0, 0), -1);
    EXPECT_EQ(explore_set_drawing(session, 0, 0, 101), -1);
    ASSERT_EQ(explore_run(session, 2, 2, 1, 1), 1);
    const ExportRun run = run_exporter(PROGRAMS "/aztec_export", {}, "/dev/null",
                                       "--order 2 --path --style paper --palette four --cell 24");
    ASSERT_EQ(run.status, 0) << run.errors;
    std::vector<Uint32> rgb;
    int width = 0;
    int height = 0;
    ASSERT_EQ(read_png(run.folder + "/page-1.png", rgb, width, height), "");
    ASSERT_EQ(explore_write_file(session, 0, -1), 0) << explore_file_failure(session);
    ASSERT_EQ(explore_file_width(session), width);
    ASSERT_EQ(explore_file_height(session), height);
    const unsigned char* pixels = explore_file_pixels(session);
    int differing = 0;
    for (std::size_t i = 0; i < rgb.size(); ++i) {
        const Uint32 drawn = pixels[4 * i] << 16 | pixels[4 * i + 1] << 8 | pixels[4 * i + 2];
        differing += drawn != rgb[i] ? 1 : 0;
    }
    EXPECT_EQ(differing, 0);
    for (int format = 1; format < explore_format_count(); ++format) {
        const std::string option = std::string("--") + explore_format_extension(format);
        const ExportRun wrote = run_exporter(
            PROGRAMS "/aztec_export", {}, "/dev/null",
            (option == "--tex" ? std::string("--tikz") : option) +
                " --order 2 --path --style paper --palette four --cell 24");
        ASSERT_EQ(explore_write_file(session, format, -1), 0) << explore_file_failure(session);
        const std::string written(explore_file_data(session),
                                  static_cast<std::size_t>(explore_file_size(session)));
        EXPECT_EQ(written,
                  file_text(wrote.folder + "/page-1." + explore_format_extension(format)))
            << explore_format_label(format);
        remove_temporary_folder(wrote.temporary);
    }
    remove_temporary_folder(run.temporary);
    explore_close(session);
}

TEST(Explorer, RefusesWhatIsNotThere) {
    ExploreSession* session = explore_open();
    EXPECT_EQ(explore_run(session, explore_family_count(), 1, 1, 0), 0);
    EXPECT_EQ(explore_run(session, 0, 8, 1, 0), 0);
    EXPECT_EQ(explore_run(session, 1, 0, 1, 0), 0);
    EXPECT_EQ(explore_run(session, 0, 4, 10, 0), 9);
    EXPECT_EQ(explore_page_drawn(session), 0);
    EXPECT_EQ(explore_page_figure_count(session), 0);
    EXPECT_EQ(explore_figures(session), 321);
    EXPECT_EQ(explore_write_file(session, 1, -1), -1);
    ASSERT_EQ(explore_run(session, 0, 4, 9, 0), 9);
    EXPECT_EQ(explore_write_file(session, 1, explore_page_figure_count(session)), -1);
    EXPECT_STRNE(explore_file_failure(session), "");
    EXPECT_EQ(explore_write_file(session, explore_format_count(), -1), -1);
    explore_close(session);
}

namespace {
void hand_over(ExploreSession* session, const std::string& text) {
    char* input = explore_input(session, static_cast<int>(text.size()));
    ASSERT_NE(input, nullptr);
    text.copy(input, text.size());
}
}  // namespace

// What the page asks of a family, as the exporters answer it: a filter
// and its pages, counts, a figure by number or steps and its page, a
// random one for a seed, and figures past the orders drawn page by page.
TEST(Explorer, AnswersWhatTheExportersAnswer) {
    ExploreSession* session = explore_open();
    hand_over(session, "flats=2");
    ASSERT_EQ(explore_set_filter(session), 0);
    EXPECT_STREQ(explore_filter(session), "flats=2");
    EXPECT_EQ(explore_run(session, 0, 5, 1, 0), 24);  // 560 figures, 24 a page
    EXPECT_EQ(explore_figures(session), 560);
    hand_over(session, "flats=2,peaks=x");
    EXPECT_EQ(explore_set_filter(session), -1);
    EXPECT_STRNE(explore_failure(session), "");
    // The counts follow the filter: by flats only 2, by two statistics the
    // table of those figures; the Aztec diamond's too.
    EXPECT_EQ(explore_counts(session, 0, 5, 0, 1), 2);
    EXPECT_STREQ(explore_count_of(session, 2), "560");
    EXPECT_STREQ(explore_count_of(session, 1), "0");
    EXPECT_EQ(explore_counts(session, 0, 5, 0, 0), 5);
    EXPECT_STREQ(explore_count_of(session, 1), "630");
    ASSERT_EQ(explore_joint_counts(session, 0, 5, 3, 0, 1), 3);
    EXPECT_EQ(explore_joint_columns(session), 2);
    long long column = 0;
    for (int height = 0; height <= 3; ++height) {
        EXPECT_STREQ(explore_joint_count_of(session, height, 1), "0");
        column += std::stoll(explore_joint_count_of(session, height, 2));
    }
    EXPECT_EQ(column, 560);
    EXPECT_EQ(explore_joint_counts(session, 0, 5, 3, 3, 1), -1);
    EXPECT_EQ(explore_counts(session, 2, 3, 0, 1), 2);
    EXPECT_STREQ(explore_count_of(session, 2), "15");
    // A figure of three flats is not on the filtered pages, but on the others.
    hand_over(session, "rise fall rise fall flat flat flat");
    ASSERT_EQ(explore_choose_figure(session, 0, 5), 0);
    const std::string number = explore_chosen_number(session);
    const int page = explore_page_of_chosen(session, 0, 5, 0);
    EXPECT_EQ(page, 0);  // three flats: not kept by flats=2
    hand_over(session, "");
    ASSERT_EQ(explore_set_filter(session), 0);
    const int unfiltered = explore_page_of_chosen(session, 0, 5, 0);
    ASSERT_GT(unfiltered, 0);
    ASSERT_EQ(explore_run(session, 0, 5, unfiltered, 0), 71);
    ASSERT_GE(explore_chosen_index(session), 0);
    EXPECT_EQ(explore_figure_number(session, explore_chosen_index(session)), number);
    // The random figure of a seed is the exporter's.
    hand_over(session, "18446744073709551615");
    ASSERT_EQ(explore_choose_random(session, 1, 48), 0);
    const std::string listed = [] {
        const std::string folder = make_temporary_folder();
        const std::string out = folder + "/out";
        std::system(("'" PROGRAMS "/pyramid_export' --order 48 --list --random "
                     "18446744073709551615 >'" + out + "'").c_str());
        std::ifstream in(out);
        std::string header, line;
        std::getline(in, header);
        std::getline(in, line);
        remove_temporary_folder(folder);
        return line.substr(0, line.find('\t'));
    }();
    EXPECT_EQ(explore_chosen_number(session), listed);
    ASSERT_EQ(explore_run_chosen(session, 1, 48, 0), 0);
    EXPECT_EQ(explore_page_figure_count(session), 1);
    ASSERT_EQ(explore_write_file(session, 0, -1), 0);
    EXPECT_EQ(explore_file_width(session), 16 * 48 + 1 + 16);
    EXPECT_EQ(std::string(explore_file_stem(session)), "figure-" + listed);
    // A random tiling past the numbered orders: no number, its own file.
    hand_over(session, "42");
    ASSERT_EQ(explore_choose_random(session, 2, 299), 0);
    EXPECT_STREQ(explore_chosen_number(session), "0");
    ASSERT_EQ(explore_run_chosen(session, 2, 299, 0), 0);
    ASSERT_EQ(explore_write_file(session, 1, -1), 0);
    EXPECT_STREQ(explore_file_stem(session), "random-42");
    EXPECT_EQ(explore_file_width(session), 600);
    EXPECT_GT(explore_file_size(session), 1000000);
    explore_close(session);
}

namespace {
// The pixels of `pixels` (red, green, blue, alpha bytes, `shown_width` x
// `shown_height`) that the PNG `file` that `EXPORTER OPTIONS` writes does
// not have, or -1 when their sizes differ.
int differing_from_png(const unsigned char* pixels, int shown_width, int shown_height,
                       const std::string& exporter, const std::string& options,
                       const std::string& file) {
    const ExportRun run = run_exporter(exporter, {}, "/dev/null", options);
    std::vector<Uint32> rgb;
    int width = 0;
    int height = 0;
    const std::string failure = read_png(run.folder + "/" + file, rgb, width, height);
    remove_temporary_folder(run.temporary);
    if (!failure.empty() || shown_width != width || shown_height != height) return -1;
    int differing = 0;
    for (std::size_t i = 0; i < rgb.size(); ++i) {
        const Uint32 drawn = pixels[4 * i] << 16 | pixels[4 * i + 1] << 8 | pixels[4 * i + 2];
        differing += drawn != rgb[i] ? 1 : 0;
    }
    return differing;
}

// The pixels the last whole drawing has that the PNG `aztec_export
// OPTIONS` writes as random-SEED.png does not, or -1 when their sizes differ.
int differing_from_exported(ExploreSession* session, const std::string& options,
                            const std::string& seed) {
    return differing_from_png(explore_file_pixels(session), explore_file_width(session),
                              explore_file_height(session), PROGRAMS "/aztec_export", options,
                              "random-" + seed + ".png");
}

int palette_named(const std::string& name) {
    int numbered = 0;
    while (numbered < explore_palette_count() && explore_palette_name(numbered) != name) ++numbered;
    return numbered;
}
}  // namespace

// The selected figure drawn large, a figure of the page or the one drawn
// alone: at the largest whole cell that fits the room given, as the
// exporter's paper-style PNG of that figure with its paths at that cell,
// in the palette chosen, whether or not the page draws paths.
TEST(Explorer, DrawsTheSelectedFigureLarge) {
    ExploreSession* session = explore_open();
    ASSERT_EQ(explore_set_drawing(session, 0, palette_named("okabe-ito"), 0), 0);
    ASSERT_GT(explore_run(session, 0, 3, 1, 0), 0);
    const int cell = explore_draw_large(session, 2, 500, 400);
    ASSERT_GE(cell, 4);
    const std::string number = explore_figure_number(session, 2);
    EXPECT_EQ(differing_from_png(explore_large_pixels(session), explore_large_width(session),
                                 explore_large_height(session), PROGRAMS "/diamond_export",
                                 "--order 3 --figure " + number + " --path --style paper " +
                                     "--palette okabe-ito --cell " + std::to_string(cell),
                                 "figure-" + number + ".png"),
              0);
    // Read step by step: no step is the figure without its paths, every
    // step the figure with them; each step's domino lies in the picture.
    ASSERT_EQ(explore_draw_large_steps(session, 2, 0, 500, 400), cell);
    EXPECT_EQ(explore_large_step_edge(session, 0), -1);
    EXPECT_EQ(differing_from_png(explore_large_pixels(session), explore_large_width(session),
                                 explore_large_height(session), PROGRAMS "/diamond_export",
                                 "--order 3 --figure " + number + " --style paper " +
                                     "--palette okabe-ito --cell " + std::to_string(cell),
                                 "figure-" + number + ".png"),
              0);
    const int steps = explore_large_steps(session);
    const std::string words = explore_figure_steps(session, 2);
    EXPECT_EQ(steps, 1 + std::count(words.begin(), words.end(), ' ')) << words;
    for (int step = 1; step <= steps; ++step) {
        ASSERT_EQ(explore_draw_large_steps(session, 2, step, 500, 400), cell);
        const int left = explore_large_step_edge(session, 0);
        const int top = explore_large_step_edge(session, 1);
        const int right = explore_large_step_edge(session, 2);
        const int bottom = explore_large_step_edge(session, 3);
        EXPECT_TRUE(left >= 0 && top >= 0 && right < explore_large_width(session) &&
                    bottom < explore_large_height(session) &&
                    (right - left) + (bottom - top) == 3 * cell)
            << "step " << step << ": " << left << " " << top << " " << right << " " << bottom;
    }
    EXPECT_EQ(differing_from_png(explore_large_pixels(session), explore_large_width(session),
                                 explore_large_height(session), PROGRAMS "/diamond_export",
                                 "--order 3 --figure " + number + " --path --style paper " +
                                     "--palette okabe-ito --cell " + std::to_string(cell),
                                 "figure-" + number + ".png"),
              0);
    EXPECT_EQ(explore_draw_large_steps(session, 2, steps + 1, 500, 400), -1);
    // A pixel less room takes a cell less; no room, no figure.
    EXPECT_EQ(explore_draw_large(session, 2, explore_large_width(session) - 1, 400), cell - 1);
    EXPECT_EQ(explore_draw_large(session, 2, 4, 4), -1);
    EXPECT_EQ(explore_draw_large(session, 99, 500, 400), -1);
    EXPECT_EQ(explore_draw_large(session, -1, 500, 400), -1);
    hand_over(session, "12345");
    ASSERT_EQ(explore_choose_figure(session, 1, 30), 0);
    ASSERT_EQ(explore_run_chosen(session, 1, 30, 1), 0);
    const int alone = explore_draw_large(session, -1, 1600, 1200);
    ASSERT_GE(alone, 4);
    // A choice refused leaves the figure drawn alone where it was.
    hand_over(session, "0");
    EXPECT_EQ(explore_choose_figure(session, 1, 30), -1);
    hand_over(session, "x");
    EXPECT_EQ(explore_choose_random(session, 1, 30), -1);
    EXPECT_EQ(explore_draw_large(session, -1, 1600, 1200), alone);
    EXPECT_EQ(explore_draw_large(session, 0, 1600, 1200), -1);
    EXPECT_EQ(differing_from_png(explore_large_pixels(session), explore_large_width(session),
                                 explore_large_height(session), PROGRAMS "/pyramid_export",
                                 "--order 30 --figure 12345 --path --style paper --palette "
                                 "okabe-ito --cell " + std::to_string(alone),
                                 "figure-12345.png"),
              0);
    explore_close(session);
}

// Shuffling shown a stage at a time, in the palette "four" whatever the
// page's, in the page's style: its last stage is the exporter's tiling for
// the seed at the cell it was drawn at; the first, the empty frame.
TEST(Explorer, ShufflesStageByStageToTheExportersTiling) {
    ExploreSession* session = explore_open();
    EXPECT_EQ(explore_largest_shuffling_order(0), 0);
    EXPECT_EQ(explore_largest_shuffling_order(2), 200);
    ASSERT_EQ(explore_set_drawing(session, 1, palette_named("grey"), 0), 0);
    hand_over(session, "42");
    const int cell = explore_draw_shuffling(session, 2, 20, 60, 500, 400);
    ASSERT_GE(cell, 4);
    EXPECT_EQ(differing_from_png(explore_large_pixels(session), explore_large_width(session),
                                 explore_large_height(session), PROGRAMS "/aztec_export",
                                 "--order 20 --random 42 --palette four --style " +
                                     std::string(explore_style_name(1)) + " --cell " +
                                     std::to_string(cell),
                                 "random-42.png"),
              0);
    const auto inked = [session]() {
        const unsigned char* pixels = explore_large_pixels(session);
        const std::size_t size =
            static_cast<std::size_t>(explore_large_width(session)) * static_cast<std::size_t>(explore_large_height(session));
        int count = 0;
        for (std::size_t i = 0; i < size; ++i) {
            count += pixels[4 * i] != 255 || pixels[4 * i + 1] != 255 || pixels[4 * i + 2] != 255 ? 1 : 0;
        }
        return count;
    };
    const int whole = inked();
    hand_over(session, "42");
    ASSERT_EQ(explore_draw_shuffling(session, 2, 20, 30, 500, 400), cell);
    const int half = inked();
    EXPECT_TRUE(half > 0 && half < whole) << half << " of " << whole;
    hand_over(session, "42");
    ASSERT_EQ(explore_draw_shuffling(session, 2, 20, 0, 500, 400), cell);
    EXPECT_EQ(inked(), 0);
    for (const auto& [family, order, stage, seed] :
         std::vector<std::tuple<int, int, int, const char*>>{
             {0, 3, 1, "42"}, {2, 201, 1, "42"}, {2, 20, 61, "42"}, {2, 20, -1, "42"}, {2, 20, 1, "x"}}) {
        hand_over(session, seed);
        EXPECT_EQ(explore_draw_shuffling(session, family, order, stage, 500, 400), -1)
            << family << " " << order << " " << stage << " " << seed;
    }
    hand_over(session, "42");
    EXPECT_EQ(explore_draw_shuffling(session, 2, 200, 1, 100, 100), -1);
    explore_close(session);
}

// A random tiling larger than the canvas is drawn whole at a pixel a cell,
// in the palette chosen, whatever cell the downloads take, and with the
// arctic circle when asked: the exporter's PNG for the same seed and
// options, pixel for pixel.
TEST(Explorer, DrawsATilingLargerThanTheCanvasWhole) {
    ExploreSession* session = explore_open();
    EXPECT_EQ(explore_draw_whole(session), -1);
    ASSERT_EQ(explore_set_drawing(session, 0, palette_named("four"), 24), 0);
    hand_over(session, "42");
    ASSERT_EQ(explore_choose_random(session, 2, 1000), 0);
    ASSERT_EQ(explore_run_chosen(session, 2, 1000, 0), 0);
    ASSERT_EQ(explore_draw_whole(session), 0);
    EXPECT_EQ(explore_file_width(session), 2002);
    EXPECT_EQ(differing_from_exported(session, "--order 1000 --random 42 --palette four", "42"), 0);
    explore_set_arctic(session, 1);
    hand_over(session, "5");
    ASSERT_EQ(explore_choose_random(session, 2, 300), 0);
    ASSERT_EQ(explore_run_chosen(session, 2, 300, 0), 0);
    ASSERT_EQ(explore_draw_whole(session), 0);
    EXPECT_EQ(differing_from_exported(session, "--order 300 --random 5 --palette four --arctic", "5"),
              0);
    // Zoomed in, the canvas is the window of the exporter's --cell 16
    // picture that starts at (x, y), the circle over it too.
    ASSERT_EQ(explore_draw_view(session, 16, 2000, 3000), 0);
    EXPECT_EQ(explore_draw_view(session, 101, 0, 0), -1);
    const ExportRun run = run_exporter(PROGRAMS "/aztec_export", {}, "/dev/null",
                                       "--order 300 --random 5 --palette four --arctic --cell 16");
    std::vector<Uint32> rgb;
    int width = 0;
    int height = 0;
    ASSERT_EQ(read_png(run.folder + "/random-5.png", rgb, width, height), "");
    remove_temporary_folder(run.temporary);
    const unsigned char* pixels = explore_pixels(session);
    int differing = 0;
    for (std::size_t y = 0; y < 600; ++y) {
        for (std::size_t x = 0; x < 800; ++x) {
            const unsigned char* shown = pixels + 4 * (y * 800 + x);
            const Uint32 drawn = shown[0] << 16 | shown[1] << 8 | shown[2];
            differing += drawn != rgb[(3000 + y) * static_cast<std::size_t>(width) + 2000 + x] ? 1 : 0;
        }
    }
    EXPECT_EQ(differing, 0);
    explore_close(session);
}

// Random moves on a random tiling shown alone, a few calls at a time as
// Run makes them: the canvas, the whole picture and every file are the
// exporter's --glauber for as many moves in all, paths and circle drawn;
// a new tiling starts from none; and only a random tiling of a family
// whose every tiling is a figure moves.
TEST(Explorer, MovesARandomTilingAsTheExporterDoes) {
    ExploreSession* session = explore_open();
    EXPECT_EQ(explore_moves_offered(0) + explore_moves_offered(1), 0);
    ASSERT_EQ(explore_moves_offered(2), 1);
    hand_over(session, "10");
    EXPECT_EQ(explore_glauber(session), -1);
    ASSERT_EQ(explore_set_drawing(session, 0, palette_named("four"), 0), 0);
    explore_set_arctic(session, 1);
    hand_over(session, "42");
    ASSERT_EQ(explore_choose_random(session, 2, 40), 0);
    ASSERT_EQ(explore_run_chosen(session, 2, 40, 1), 0);
    int turned = 0;
    for (const char* moves : {"1", "10", "1000", "50000"}) {
        hand_over(session, moves);
        ASSERT_EQ(explore_glauber(session), 0) << explore_failure(session);
        turned += std::stoi(explore_moves_turned(session));
    }
    EXPECT_GT(turned, 500);
    EXPECT_STREQ(explore_moves_done(session), "51011");
    // Not laid yet: still the seed's tiling.
    ASSERT_EQ(explore_draw_whole(session), 0);
    EXPECT_EQ(differing_from_exported(session, "--order 40 --random 42 --palette four --arctic --path", "42"), 0);
    ASSERT_EQ(explore_lay_moves(session), 0);
    const std::string options = "--order 40 --random 42 --glauber 51011 --palette four --arctic --path";
    ASSERT_EQ(explore_draw_whole(session), 0);
    EXPECT_EQ(differing_from_exported(session, options, "42-glauber-51011"), 0);
    // Drawn alone again, after a window on it, the canvas holds that
    // picture in its middle.
    ASSERT_EQ(explore_draw_view(session, 16, 100, 100), 0);
    ASSERT_EQ(explore_draw_alone(session), 0);
    ASSERT_EQ(explore_draw_whole(session), 0);
    const int width = explore_file_width(session);
    const int height = explore_file_height(session);
    ASSERT_TRUE(width > 400 && width < 800 && height > 400 && height < 600) << width << " x " << height;
    const std::size_t row = 4 * static_cast<std::size_t>(width);
    const std::size_t left = 4 * static_cast<std::size_t>((800 - width) / 2);
    int differing = 0;
    for (std::size_t y = 0; y < static_cast<std::size_t>(height); ++y) {
        const std::size_t shown = std::size_t{3200} * (y + static_cast<std::size_t>((600 - height) / 2)) + left;
        differing += std::memcmp(explore_pixels(session) + shown, explore_file_pixels(session) + y * row, row) != 0;
    }
    EXPECT_EQ(differing, 0);
    for (int format = 1; format < explore_format_count(); ++format) {
        const std::string extension = explore_format_extension(format);
        const ExportRun wrote = run_exporter(PROGRAMS "/aztec_export", {}, "/dev/null",
                                             "--" + std::string(extension == "tex" ? "tikz" : extension) +
                                                 " " + options);
        ASSERT_EQ(explore_write_file(session, format, -1), 0) << explore_file_failure(session);
        EXPECT_STREQ(explore_file_stem(session), "random-42-glauber-51011");
        EXPECT_EQ(std::string(explore_file_data(session), static_cast<std::size_t>(explore_file_size(session))),
                  file_text(wrote.folder + "/random-42-glauber-51011." + extension))
            << extension;
        remove_temporary_folder(wrote.temporary);
    }
    for (const char* refused : {"-1", "x", "9999948990"}) {
        hand_over(session, refused);
        EXPECT_EQ(explore_glauber(session), -1) << refused;
    }
    ASSERT_EQ(explore_run_chosen(session, 2, 40, 0), 0);
    EXPECT_STREQ(explore_moves_done(session), "0");
    // Drawn without its paths, its data holds them still, as the
    // exporter's does; a file is written after the last moves.
    hand_over(session, "5000");
    ASSERT_EQ(explore_glauber(session), 0);
    for (int format = 1; format < explore_format_count(); ++format) {
        if (std::string(explore_format_extension(format)) != "json") continue;
        const ExportRun wrote = run_exporter(PROGRAMS "/aztec_export", {}, "/dev/null",
                                             "--json --order 40 --random 42 --glauber 5000 --palette four --arctic");
        ASSERT_EQ(explore_write_file(session, format, -1), 0) << explore_file_failure(session);
        EXPECT_EQ(std::string(explore_file_data(session), static_cast<std::size_t>(explore_file_size(session))),
                  file_text(wrote.folder + "/random-42-glauber-5000.json"));
        remove_temporary_folder(wrote.temporary);
    }
    hand_over(session, "12");
    ASSERT_EQ(explore_choose_figure(session, 0, 20), 0);
    ASSERT_EQ(explore_run_chosen(session, 0, 20, 0), 0);
    hand_over(session, "10");
    EXPECT_EQ(explore_glauber(session), -1);
    explore_close(session);
}
