// What a user can ask of every family, checked against the family as it is
// drawn and against independent counts: figures found by number and by
// steps, random figures, statistics counted, pages kept by a filter.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "exported_pages.h"
#include "family_cases.h"
#include "recording_pager.h"

namespace {

// Every figure of the family's whole run at `order`, in its order, as the
// run places them; pages not kept.
std::vector<std::pair<BigCount, FigurePath>> every_figure(const Family& family, int order) {
    PagerState recorded;
    recorded.keep_pages = false;
    recorded.announce = true;
    record_whole_run(recorded, family, order);
    close_test_canvas(recorded.canvas);
    return recorded.announced;
}

class Ask : public ::testing::TestWithParam<FamilyCase> {
protected:
    const Family& family() const { return family_of(GetParam()); }
    std::string exporter() const { return exporter_of(GetParam()); }
};

// At the largest order drawn page by page, figure K found by counting is
// the K-th drawn, and its steps count back to K; and at the largest order
// of one figure alone, the two still undo each other.
TEST_P(Ask, FiguresFoundByNumberAndByStepsAreTheOnesDrawn) {
    const int order = family().orders.largest;
    const auto announced = every_figure(family(), order);
    ASSERT_EQ(BigCount(announced.size()), family().counting.figure_total(order));
    // Every figure's number; found by number and by steps, about 4,000 of
    // them spread over the whole run and the last (every one of the
    // Aztec diamond's 32,768 takes minutes under the sanitizers).
    const std::size_t stride = std::max<std::size_t>(1, announced.size() / 4096);
    for (std::size_t i = 0; i < announced.size(); ++i) {
        const BigCount number = static_cast<unsigned>(i + 1);
        ASSERT_EQ(announced[i].first, number);
        if (i % stride != 0 && i + 1 != announced.size()) continue;
        FigurePath path;
        ASSERT_TRUE(family().counting.unrank_figure(order, number, path)) << i + 1;
        ASSERT_EQ(path, announced[i].second) << "figure " << i + 1;
        ASSERT_EQ(family().counting.rank_figure(order, path), number) << "figure " << i + 1;
    }
    FigurePath none;
    EXPECT_FALSE(family().counting.unrank_figure(order, family().counting.figure_total(order) + 1, none));
    EXPECT_EQ(family().counting.rank_figure(order, steps("rise rise")), 0);
    // At the largest (order 1,000: 764 digits), in the family's order too.
    const int largest = family().counting.largest_order;
    const BigCount total = family().counting.figure_total(largest);
    FigurePath before;
    for (const BigCount& number : {BigCount(1), BigCount(total / 3), BigCount(total / 3 + 1), total}) {
        FigurePath path;
        ASSERT_TRUE(family().counting.unrank_figure(largest, number, path));
        EXPECT_EQ(family().counting.rank_figure(largest, path), number);
        if (!before.empty()) {
            EXPECT_TRUE(GetParam().comes_before(before, path)) << number;
        }
        before = path;
    }
}

// Drawn uniformly: at order 3, a seed each for 100 draws a figure, the
// counts pass a chi-square test (p > 0.001), and a seed draws the same
// figure again.
TEST_P(Ask, RandomFiguresAreUniformAndTheSameForTheSameSeed) {
    const int order = 3;
    // Order 3 has 63, 22 or 64 figures: held to that, for the compiler too.
    const int figures = std::clamp(static_cast<int>(family().counting.figure_total(order)), 1, 64);
    std::vector<int> drawn(static_cast<std::size_t>(figures) + 1, 0);
    const int draws = 100 * figures;
    for (int seed = 0; seed < draws; ++seed) {
        const ChosenFigure chosen =
            random_figure(family(), order, static_cast<std::uint64_t>(seed), true);
        ASSERT_GE(chosen.number, 1);
        ASSERT_LE(chosen.number, figures);
        ++drawn[static_cast<int>(chosen.number)];
        ASSERT_EQ(family().counting.rank_figure(order, chosen.path), chosen.number);
    }
    double chi_square = 0;
    for (int number = 1; number <= figures; ++number) {
        chi_square += (drawn[number] - 100.0) * (drawn[number] - 100.0) / 100.0;
    }
    // The 99.9th percentile of chi-square with d = figures - 1 degrees of
    // freedom, by the Wilson-Hilferty approximation.
    const double d = figures - 1;
    const double z = 3.09;
    const double limit = d * std::pow(1 - 2 / (9 * d) + z * std::sqrt(2 / (9 * d)), 3);
    EXPECT_LT(chi_square, limit) << figures << " figures";
    const ChosenFigure once = random_figure(family(), 28, 12345, true);
    const ChosenFigure again = random_figure(family(), 28, 12345, true);
    EXPECT_EQ(once.number, again.number);
}

// A question of counts: the statistics named, and a filter.
CountQuestion question_of(int order, const char* counted, const char* where) {
    CountQuestion question;
    question.order = order;
    EXPECT_EQ(read_counted(counted, question), nullptr) << counted;
    if (where[0] != '\0') {
        EXPECT_EQ(read_where(where, question.filter), nullptr) << where;
    }
    return question;
}

// The grid's counts that are not 0, by (row, column).
using Tally = std::map<std::pair<int, int>, BigCount>;
Tally tally_of(const CountGrid& grid) {
    Tally tally;
    for (int row = 0; row < grid.rows; ++row) {
        for (int column = 0; column < grid.columns; ++column) {
            if (grid_cell(grid, row, column) != 0) tally[{row, column}] = grid_cell(grid, row, column);
        }
    }
    return tally;
}

// Counted without listing, whatever is asked (each statistic, each pair
// of them both ways round, filters on the counted statistics and on
// others, a filter that keeps nothing), as the figures drawn count them,
// at every order up to one past the usual (the Aztec diamond's: the paged
// ones).
TEST_P(Ask, CountsAreThoseOfTheFiguresDrawn) {
    const FigureCounting& counting = family().counting;
    ASSERT_NE(counting.count, nullptr);
    const char* const wheres[] = {"", "flats=1-2", "height=2", "returns=2-3,peaks=0-1", "peaks=9"};
    const int last = std::min(family().orders.usual + 1, family().orders.largest);
    for (int order = 1; order <= last; ++order) {
        const auto announced = every_figure(family(), order);
        for (const char* where : wheres) {
            for (int first = 0; first < statistic_count; ++first) {
                for (int second = -1; second < statistic_count; ++second) {
                    if (second == first) continue;
                    std::string counted = statistic_name(statistics[static_cast<std::size_t>(first)]);
                    if (second >= 0) counted += std::string(",") + statistic_name(statistics[static_cast<std::size_t>(second)]);
                    const CountQuestion question = question_of(order, counted.c_str(), where);
                    Tally expected;
                    for (const auto& [number, path] : announced) {
                        const std::array<int, 4> values = statistics_of(path);
                        bool kept = true;
                        for (int i = 0; i < question.filter.count; ++i) {
                            const Condition& c = question.filter.conditions[static_cast<std::size_t>(i)];
                            const int value = values[static_cast<std::size_t>(c.statistic)];
                            kept = kept && value >= c.low && value <= c.high;
                        }
                        if (kept) expected[{values[static_cast<std::size_t>(first)], second < 0 ? 0 : values[static_cast<std::size_t>(second)]}] += 1;
                    }
                    CountGrid grid;
                    ASSERT_TRUE(counting.count(question, grid)) << counted << " at order " << order;
                    EXPECT_EQ(tally_of(grid), expected) << counted << " where " << where << " at order " << order;
                }
            }
        }
    }
}

// The figures of order n, counted step by step, each path with its value
// of a statistic so far: a check on the counts at order 100 that shares
// nothing with how the families count.
CountTable counted_step_by_step(int n, bool never_below, Statistic statistic) {
    const int side = 2 * n + 1;
    // ways[width % 3][after a rise][row + n][value]
    using Column = std::vector<std::vector<std::vector<BigCount>>>;
    std::array<Column, 3> ways;
    for (Column& column : ways) column.assign(2, std::vector<std::vector<BigCount>>(side, std::vector<BigCount>(side, 0)));
    ways[0][0][n][0] = 1;
    for (int width = 0; width < 2 * n; ++width) {
        Column& here = ways[width % 3];
        for (int rise = 0; rise < 2; ++rise) {
            for (int row = -n; row <= n; ++row) {
                for (int value = 0; value < side; ++value) {
                    BigCount& count = here[rise][row + n][value];
                    if (count == 0) continue;
                    const auto step = [&](int to_width, int to_row, bool is_rise, int to_value) {
                        if (to_width > 2 * n || std::abs(to_row) > 2 * n - to_width || (never_below && to_row < 0)) return;
                        ways[to_width % 3][is_rise ? 1 : 0][to_row + n][to_value] += count;
                    };
                    const auto after = [&](int to_row, int flat, int peak) {
                        switch (statistic) {
                        case Statistic::flats: return value + flat;
                        case Statistic::peaks: return value + peak;
                        case Statistic::returns: return value + (to_row == 0 ? 1 : 0);
                        case Statistic::height: return std::max(value, to_row);
                        }
                        return value;
                    };
                    step(width + 1, row + 1, true, after(row + 1, 0, 0));
                    step(width + 1, row - 1, false, after(row - 1, 0, rise));
                    step(width + 2, row, false, after(row, 1, 0));
                    count = 0;
                }
            }
        }
    }
    CountTable counts(static_cast<std::size_t>(side), 0);
    for (int value = 0; value < side; ++value) {
        counts[static_cast<std::size_t>(value)] = ways[2 * n % 3][0][n][value] + ways[2 * n % 3][1][n][value];
    }
    return counts;
}

// At order 100, by each statistic as a count step by step has them, and
// by flats as their closed form (the Aztec diamond's, which is not counted
// so by anything else past order 5).
TEST_P(Ask, CountsAtOrder100AreThoseCountedStepByStep) {
    const int n = 100;
    for (const Statistic statistic : statistics) {
        CountQuestion question = question_of(n, statistic_name(statistic), "");
        CountGrid grid;
        if (!family().counting.count(question, grid)) continue;
        const Tally counted = tally_of(grid);
        if (GetParam().name != std::string("aztec")) {
            const CountTable expected = counted_step_by_step(n, GetParam().name == std::string("pyramid"), statistic);
            Tally tally;
            for (std::size_t value = 0; value < expected.size(); ++value) {
                if (expected[value] != 0) tally[{static_cast<int>(value), 0}] = expected[value];
            }
            EXPECT_EQ(counted, tally) << statistic_name(statistic);
        }
        if (statistic != Statistic::flats || GetParam().with_flats == nullptr) continue;
        // The Aztec diamond's 5,051 values, each of up to 5,000 bits: some.
        for (int k = 0; k < grid.rows; k += grid.rows > 1000 ? 97 : 1) {
            EXPECT_EQ(grid_cell(grid, k, 0), GetParam().with_flats(n, k)) << "k = " << k;
        }
    }
    CountGrid refused;
    EXPECT_FALSE(family().counting.count(question_of(n, "peaks,height", ""), refused));
}

// The paths' families at order 1,000: each statistic's counts add up to
// the family's count, which its recurrence gives (the central Delannoy
// numbers, n D(n) = 3(2n - 1) D(n-1) - (n - 1) D(n-2); the large Schröder
// numbers, (n + 1) S(n) = 3(2n - 1) S(n-1) - (n - 2) S(n-2)); by flats and
// by peaks they are the closed form's terms.
TEST_P(Ask, CountsAtOrder1000AddUpToTheRecurrences) {
    const bool never_below = GetParam().name == std::string("pyramid");
    if (GetParam().name != std::string("diamond") && !never_below) GTEST_SKIP() << "counted to order 100";
    const int n = 1000;
    std::array<BigCount, 2> last = {1, never_below ? 2 : 3};
    for (int m = 2; m <= n; ++m) {
        BigCount next = never_below ? (3 * (2 * m - 1) * last[1] - (m - 2) * last[0]) / (m + 1)
                                    : (3 * (2 * m - 1) * last[1] - (m - 1) * last[0]) / m;
        last = {last[1], next};
    }
    const BigCount& total = last[1];
    EXPECT_EQ(family().counting.figure_total(n), total);
    for (const Statistic statistic : statistics) {
        CountGrid grid;
        ASSERT_TRUE(family().counting.count(question_of(n, statistic_name(statistic), ""), grid));
        BigCount sum = 0;
        for (const BigCount& count : grid.cells) sum += count;
        EXPECT_EQ(sum, total) << statistic_name(statistic);
        if (statistic != Statistic::flats && statistic != Statistic::peaks) continue;
        for (int k = 0; k <= n; ++k) {
            ASSERT_EQ(grid_cell(grid, k, 0), GetParam().with_flats(n, k)) << statistic_name(statistic) << " " << k;
        }
    }
}

// Two statistics at once, and one under a filter on another, at the
// largest order counted so: the table's rows add up to the first
// statistic's counts and its columns to the second's, as their formulas
// have them; the figures of each value of the second, counted under a
// filter on it, are the table's column.
TEST_P(Ask, TwoStatisticsAtTheLargestOrderAddUpToEachAlone) {
    const FigureCounting& counting = family().counting;
    const int n = counting.limits.jointly;
    for (const char* pair : {"flats,height", "returns,peaks"}) {
        const CountQuestion question = question_of(n, pair, "");
        CountGrid grid;
        ASSERT_TRUE(counting.count(question, grid)) << pair;
        CountGrid first;
        CountGrid second;
        ASSERT_TRUE(counting.count(question_of(n, statistic_name(question.by[0]), ""), first));
        ASSERT_TRUE(counting.count(question_of(n, statistic_name(question.by[1]), ""), second));
        for (int row = 0; row < grid.rows; ++row) {
            BigCount sum = 0;
            for (int column = 0; column < grid.columns; ++column) sum += grid_cell(grid, row, column);
            EXPECT_EQ(sum, grid_cell(first, row, 0)) << pair << " row " << row;
        }
        for (int column = 0; column < grid.columns; ++column) {
            BigCount sum = 0;
            for (int row = 0; row < grid.rows; ++row) sum += grid_cell(grid, row, column);
            EXPECT_EQ(sum, grid_cell(second, column, 0)) << pair << " column " << column;
            if (column % 7 != 3) continue;
            const std::string where = std::string(statistic_name(question.by[1])) + "=" + std::to_string(column);
            CountGrid filtered;
            ASSERT_TRUE(counting.count(question_of(n, statistic_name(question.by[0]), where.c_str()), filtered));
            for (int row = 0; row < grid.rows; ++row) {
                EXPECT_EQ(grid_cell(filtered, row, 0), grid_cell(grid, row, column)) << where << " row " << row;
            }
        }
    }
    CountGrid refused;
    EXPECT_FALSE(counting.count(question_of(n + 1, "flats", "height=2"), refused));
}

INSTANTIATE_TEST_SUITE_P(Families, Ask, ::testing::ValuesIn(family_cases),
                         [](const ::testing::TestParamInfo<FamilyCase>& info) {
                             return std::string(info.param.name);
                         });

// A polynomial in t, by its coefficients.
using Polynomial = std::vector<BigCount>;

void add_times(Polynomial& to, const Polynomial& a, const Polynomial& b, int shift) {
    for (std::size_t i = 0; i < a.size(); ++i) {
        for (std::size_t j = 0; j < b.size(); ++j) {
            if (i + j + static_cast<std::size_t>(shift) >= to.size()) to.resize(i + j + static_cast<std::size_t>(shift) + 1, 0);
            to[i + j + static_cast<std::size_t>(shift)] += a[i] * b[j];
        }
    }
}

// The counts by one statistic at `order`, value by value to the last that
// has figures.
Polynomial counts_of(const FamilyCase& family_case, int order, Statistic statistic) {
    CountGrid grid;
    EXPECT_TRUE(family_of(family_case).counting.count(question_of(order, statistic_name(statistic), ""), grid));
    Polynomial counts;
    for (int row = 0; row < grid.rows; ++row) {
        if (grid_cell(grid, row, 0) != 0) counts.resize(static_cast<std::size_t>(row) + 1, 0);
    }
    for (std::size_t row = 0; row < counts.size(); ++row) counts[row] = grid_cell(grid, static_cast<int>(row), 0);
    return counts;
}

// The tables the documentation names in the literature, against their
// terms made here by recurrences of their own, to order 40: diamond's by
// flats and by peaks, the paths (0,0) to (n,n) of steps E, N and D by
// their D steps (OEIS A104684), P(i,j) = P(i-1,j) + P(i,j-1) + t P(i-1,j-1);
// pyramid's by flats and by peaks, the Schröder paths by peaks (A060693),
// S_n = t S_(n-1) + sum of S_i S_(n-1-i); pyramid's by returns, those by
// returns (A108891), the k-fold products of 2x + the sum over n >= 2 of
// S(n-1) x^n; the Aztec diamond's by flats, Pascal's triangle's row
// N(N+1)/2, and their count 2^(N(N+1)/2) (A006125(N+1)).
TEST(KnownSequences, CountsAreTheTrianglesOfTheLiterature) {
    const int most = 40;
    std::vector<std::vector<Polynomial>> paths(most + 1, std::vector<Polynomial>(most + 1));
    std::vector<Polynomial> schroeder(most + 1);
    std::vector<BigCount> large(most + 1, 0);
    for (int i = 0; i <= most; ++i) {
        for (int j = 0; j <= most; ++j) {
            Polynomial& here = paths[i][j];
            if (i == 0 && j == 0) here = {1};
            if (i > 0) add_times(here, paths[i - 1][j], {1}, 0);
            if (j > 0) add_times(here, paths[i][j - 1], {1}, 0);
            if (i > 0 && j > 0) add_times(here, paths[i - 1][j - 1], {1}, 1);
        }
    }
    schroeder[0] = {1};
    for (int n = 1; n <= most; ++n) {
        add_times(schroeder[n], schroeder[n - 1], {1}, 1);
        for (int i = 0; i < n; ++i) add_times(schroeder[n], schroeder[i], schroeder[n - 1 - i], 0);
    }
    for (int n = 0; n <= most; ++n) {
        for (const BigCount& term : schroeder[n]) large[n] += term;
    }
    Polynomial returns_piece(most + 1, 0);  // 2x + S(1) x^2 + S(2) x^3 + ...
    returns_piece[1] = 2;
    for (int n = 2; n <= most; ++n) returns_piece[n] = large[n - 1];
    const FamilyCase& diamond = family_cases[0];
    const FamilyCase& pyramid = family_cases[1];
    const FamilyCase& aztec = family_cases[2];
    for (int n = 1; n <= most; ++n) {
        // A104684 is by D steps from 0; diamond's flats are those steps.
        Polynomial by_steps = paths[n][n];
        EXPECT_EQ(counts_of(diamond, n, Statistic::flats), by_steps) << n;
        EXPECT_EQ(counts_of(diamond, n, Statistic::peaks), by_steps) << n;
        EXPECT_EQ(counts_of(pyramid, n, Statistic::flats), schroeder[n]) << n;
        EXPECT_EQ(counts_of(pyramid, n, Statistic::peaks), schroeder[n]) << n;
        // [x^n] of the k-th power of the piece, k = 0 ... n.
        Polynomial power = {1};
        Polynomial by_returns(static_cast<std::size_t>(n) + 1, 0);
        for (int k = 1; k <= n; ++k) {
            Polynomial next;
            add_times(next, power, returns_piece, 0);
            next.resize(static_cast<std::size_t>(n) + 1, 0);
            power = next;
            by_returns[static_cast<std::size_t>(k)] = power[static_cast<std::size_t>(n)];
        }
        EXPECT_EQ(counts_of(pyramid, n, Statistic::returns), by_returns) << n;
    }
    Polynomial pascal = {1};
    for (int order = 1; order <= 12; ++order) {
        while (static_cast<int>(pascal.size()) <= order * (order + 1) / 2) {
            Polynomial next(pascal.size() + 1, 0);
            for (std::size_t k = 0; k < pascal.size(); ++k) {
                next[k] += pascal[k];
                next[k + 1] += pascal[k];
            }
            pascal = next;
        }
        EXPECT_EQ(counts_of(aztec, order, Statistic::flats), pascal) << order;
        BigCount total = 1;
        total <<= static_cast<unsigned>(order * (order + 1) / 2);
        EXPECT_EQ(family_of(aztec).counting.figure_total(order), total) << order;
    }
}

int shell_status(const std::string& command) {
    const int raw = std::system(command.c_str());
    return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
}

// --where keeps the figures a filter holds, each with its number, on pages
// laid out as ever: the pages are those figures, read back from the
// pixels; a filter that keeps a page's worth leaves no empty page after
// it; one that keeps none writes nothing, with status 2.
TEST(AskTheExporter, FilteredPagesHoldTheFiguresTheFilterKeeps) {
    const FamilyCase& pyramid = family_cases[1];
    const std::string exporter = exporter_of(pyramid);
    const std::string where = "flats=1,height=2-3";
    std::vector<ListedFigure> kept = listed_figures(exporter, 5, "--where " + where);
    std::vector<ListedFigure> all = listed_figures(exporter, 5);
    std::vector<ListedFigure> expected;
    for (const ListedFigure& figure : all) {
        if (figure.stats[0] == 1 && figure.stats[3] >= 2 && figure.stats[3] <= 3) {
            expected.push_back(figure);
        }
    }
    ASSERT_EQ(kept.size(), expected.size());
    ASSERT_GT(kept.size(), 64u);  // more than a page
    const ExportRun run = run_exporter(exporter, {}, "/dev/null", "--where " + where);
    ASSERT_EQ(run.status, 0) << run.errors;
    std::vector<std::vector<Colour>> pages;
    TestSurface canvas;
    open_test_canvas(canvas);
    for (const std::string& name : files_in(run.folder)) {
        std::vector<Uint32> rgb;
        int width = 0;
        int height = 0;
        ASSERT_EQ(read_png(run.folder + "/" + name, rgb, width, height), "");
        std::vector<Colour> page;
        page.reserve(rgb.size());
        for (const Uint32 pixel : rgb) {
            page.push_back(SDL_MapRGB(canvas.surface->format, pixel >> 16, (pixel >> 8) & 0xFF,
                                      pixel & 0xFF));
        }
        pages.push_back(page);
    }
    std::vector<int> xs;
    std::vector<int> ys;
    slots_of(family_of(pyramid).page_grid_of(5), xs, ys);
    std::vector<std::string> problems;
    const std::vector<Figure> figures = decode_pages(pages, pyramid.region_of(5), xs, ys, problems);
    EXPECT_EQ(problems, std::vector<std::string>{});
    ASSERT_EQ(figures.size(), expected.size());
    for (std::size_t i = 0; i < figures.size(); ++i) {
        EXPECT_EQ(figures[i].path, expected[i].path) << i;
        EXPECT_EQ(kept[i].number, expected[i].number) << i;
        EXPECT_EQ(kept[i].page, figures[i].page + 1) << i;
    }
    close_test_canvas(canvas);
    remove_temporary_folder(run.temporary);
    // 64 figures return 4 times: one full page, and no empty one after it.
    const ExportRun full = run_exporter(exporter, {}, "/dev/null", "--where returns=4");
    EXPECT_EQ(files_in(full.folder), std::vector<std::string>{"page-1.png"});
    remove_temporary_folder(full.temporary);
    const ExportRun none = run_exporter(exporter, {}, "/dev/null", "--where flats=9");
    EXPECT_EQ(none.status, 2);
    EXPECT_EQ(none.errors, "pyramid_export: no figure of order 5 has: flats=9\n");
    EXPECT_EQ(files_in(none.temporary), std::vector<std::string>{});
    remove_temporary_folder(none.temporary);
}

// One figure at any order up to the largest that fits, and every other
// request told what is wrong with it, with status 2 and nothing written.
TEST(AskTheExporter, OneFigureCountsAndTheirLimits) {
    const std::string diamond = PROGRAMS "/diamond_export";
    const std::string folder = make_temporary_folder();
    const std::string in = "cd '" + folder + "' && '" + diamond + "' ";
    EXPECT_EQ(shell_status(in + "--order 28 --random 18446744073709551615 r 2>err"), 0);
    EXPECT_EQ(files_in(folder + "/r"), std::vector<std::string>{"random-18446744073709551615.png"});
    EXPECT_EQ(shell_status(in + "--order 28 --list --figure 293733710358893793729 >one"), 0);
    std::ifstream one(folder + "/one");
    std::string header, line;
    std::getline(one, header);
    std::getline(one, line);
    // The last figure of order 28: 28 falls, then 28 rises.
    std::string words = "fall";
    for (int i = 1; i < 56; ++i) words += i < 28 ? " fall" : " rise";
    // Past the orders drawn page by page a figure is on no page.
    EXPECT_EQ(line, "293733710358893793729\t\t" + words + "\t0\t0\t1\t0");
    for (const char* arguments :
         {"--order 1001 --figure 1 f", "--order 8 p", "--figure 3 --where flats=1 f",
          "--counts depth", "--order 1001 --counts flats", "--counts flats,flats",
          "--order 31 --counts flats --where peaks=1", "--random 18446744073709551616 f",
          "--figure 1 --random 1 f", "--order 28 --list"}) {
        EXPECT_EQ(shell_status(in + arguments + " >out 2>err"), 2) << arguments;
    }
    EXPECT_EQ(files_in(folder), (std::vector<std::string>{"err", "one", "out", "r"}));
    remove_temporary_folder(folder);
}

// The lines a command prints.
std::vector<std::string> lines_of(const std::string& command) {
    const std::string folder = make_temporary_folder();
    EXPECT_EQ(shell_status(command + " >'" + folder + "/out' 2>&1"), 0) << command;
    std::ifstream in(folder + "/out");
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    remove_temporary_folder(folder);
    return lines;
}

// Counts as a user asks for them: a table of two statistics under a
// filter, its rows, columns and totals those of the figures listed; each
// family's limits told in one line that names them; and at order 1,000 the
// last figure by its 764-digit number, written under the shorter name.
TEST(AskTheExporter, CountsTablesAndFiguresAtTheirLimits) {
    const std::string diamond = PROGRAMS "/diamond_export";
    const std::vector<std::string> table = lines_of(diamond + " --order 4 --counts peaks,flats --where returns=2-3");
    std::map<std::pair<int, int>, int> listed;
    int kept = 0;
    for (const ListedFigure& figure : listed_figures(diamond, 4, "--where returns=2-3")) {
        ++listed[{figure.stats[1], figure.stats[0]}];
        ++kept;
    }
    ASSERT_GE(table.size(), 3u);
    std::istringstream head(table[0]);
    std::string corner;
    head >> corner;
    EXPECT_EQ(corner, "peaks\\flats");
    std::vector<int> columns;
    for (std::string word; head >> word && word != "all";) columns.push_back(std::stoi(word));
    int counted = 0;
    for (std::size_t i = 1; i + 1 < table.size(); ++i) {
        std::istringstream fields(table[i]);
        int peaks = 0;
        fields >> peaks;
        int sum = 0;
        for (const int flats : columns) {
            int count = 0;
            fields >> count;
            EXPECT_EQ(count, (listed[{peaks, flats}])) << peaks << ", " << flats;
            sum += count;
        }
        int total = 0;
        fields >> total;
        EXPECT_EQ(total, sum) << table[i];
        counted += sum;
    }
    EXPECT_EQ(counted, kept);
    EXPECT_EQ(table.back().substr(table.back().rfind('\t') + 1), std::to_string(kept));
    const std::string aztec = PROGRAMS "/aztec_export";
    EXPECT_EQ(lines_of("('" + aztec + "' --order 101 --counts flats; test $? = 2)"),
              std::vector<std::string>{"aztec_export: order 101 is past the largest for counts by flats: orders 1 to 100"});
    EXPECT_EQ(lines_of("('" + aztec + "' --order 6 --counts flats --where height=3; test $? = 2)"),
              std::vector<std::string>{"aztec_export: order 6 is past the largest for counts by two statistics, "
                                       "or under a filter on another one: orders 1 to 5"});
    const std::string total = lines_of(diamond + " --order 1000 --counts flats").back().substr(4);
    ASSERT_EQ(total.size(), 764u);
    const std::string folder = make_temporary_folder();
    EXPECT_EQ(shell_status("cd '" + folder + "' && '" + diamond + "' --order 1000 --figure " + total + " f >out 2>&1"), 0);
    EXPECT_EQ(files_in(folder + "/f"),
              std::vector<std::string>{"figure-" + total.substr(0, 100) + "-" + total.substr(664) + ".png"});
    remove_temporary_folder(folder);
    // The last figure: 1,000 falls, then 1,000 rises.
    const std::vector<std::string> line = lines_of(diamond + " --order 1000 --list --figure " + total);
    ASSERT_EQ(line.size(), 2u);
    EXPECT_EQ(line[1].substr(0, total.size() + 12), total + "\t\tfall fall ");
    EXPECT_EQ(line[1].substr(line[1].size() - 12), "rise\t0\t0\t1\t0");
}

}  // namespace
