// What the explorer keeps between the page's calls, for the files that
// answer them (explore.cpp, explore_turns.cpp).
#pragma once

#include <cstdint>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "canvas.h"
#include "explore_pager.h"
#include "family_table.h"
#include "glauber.h"
#include "page_record.h"
#include "placement.h"
#include "where_filter.h"

// Everything the explorer keeps between the page's calls: one a page, its
// fields grouped by what they are for rather than packed.
struct ExploreSession {  // NOLINT(clang-analyzer-optin.performance.Padding)
    // Text the page hands over (a filter, a figure's number or steps, a
    // seed), as long as the page asks, and its closing zero.
    std::vector<char> input = std::vector<char>(1, '\0');
    const char* failure = "";
    // The filter every run keeps its figures by, if any, as it reads back.
    std::optional<WhereFilter> where;
    WhereText where_given{};
    // The counts of the last explore_counts and explore_joint_counts calls,
    // and one as text.
    CountGrid counts;
    CountGrid joint;
    int joint_columns = -1;
    std::string count_text;
    std::string total_text;
    // The figure chosen by number, steps or seed; a shuffled one past the
    // numbered orders has number 0 and is drawn from its seed.
    ChosenFigure chosen;
    std::string chosen_number;
    std::uint64_t chosen_seed = 0;
    bool chosen_shuffled = false;
    // How many figures a filter kept when the random one was drawn among
    // them ("" when it was drawn among all).
    std::string kept_total;
    // The last run: its family, order and whether it drew paths, and the
    // exporter's name its files carry.
    const Family* family = nullptr;
    int order = 0;
    bool paths = false;
    std::string writer;
    PagerState pager;
    // The figures on the canvas, each where it stands: the page's, or the
    // chosen figure alone (whose file is then the canvas). A figure of the
    // page drawn alone for its file takes the page's place, and leaves none
    // to find or write until the page is run again.
    std::vector<FileFigure> shown;
    bool chosen_alone = false;
    // The figure alone's dominoes lie row by row (a shuffled tiling's do),
    // so that a window finds its rows by bisection.
    bool chosen_by_rows = false;
    FilePage alone_file;
    // How figures are drawn on the canvas and in files (a cell's size for
    // the files alone; the canvas keeps the family's).
    Drawing drawing;
    // The last file written; an image's pixels in memory of their own.
    std::vector<Colour> file_pixels;
    // The selected figure drawn large, beside the page.
    std::vector<Colour> large_pixels;
    int large_width = 0, large_height = 0;
    // Its paths' steps, and the box of the domino of the last step drawn
    // when it is read step by step (-1 all round for none).
    int large_steps = 0;
    Box large_step_box = {-1, -1, -1, -1};
    // Where its cell (0, 0) is in its pixels, and its cell.
    Placement large_placement = {0, 0, 0, false};
    // Flips by hand in the large view: the figure drawn large last (its
    // index, -2 for none); the figure as turned since it was drawn from
    // index `turned_from` (-2 while none is turned); the figures before
    // each turn, or run of turns, for Undo; and the random source of the
    // runs of random turns.
    int large_index = -2;
    int turned_from = -2;
    PlacedFigure turned;
    std::vector<PlacedFigure> before_turns;
    std::mt19937_64 flips_random;
    // Random moves on the random tiling drawn alone (explore_glauber.cpp):
    // its cells' partners, the moves' draws from its seed, how many it has
    // had (none while `moved` is empty), how many blocks the last moves
    // turned, and after how many moves its dominoes were laid.
    PartnerGrid moved;
    std::mt19937_64 moves_random;
    std::uint64_t moves_done = 0;
    std::uint64_t moves_turned = 0;
    std::uint64_t moves_laid = 0;
    std::string moves_text;
    std::string file_bytes;
    Written file_written;
    const char* file_failure = "";
    std::string steps_text;
    std::string failure_text;
};

// Draws `figure` alone on the canvas, as its file has it at `placement`,
// moved by (dx, dy), the rest of the canvas white.
void draw_alone(ExploreSession& session, const PlacedFigure& figure, const Placement& placement,
                int dx, int dy);
// Says why a call fails (explore_failure): -1.
int fail_with(ExploreSession& session, const char* why);
// The figure explore_draw_large draws for `index` (a figure of the page,
// or -1 the figure drawn alone), as turned where it has been; nullptr for
// no such figure.
const PlacedFigure* large_figure(const ExploreSession& session, int index);
