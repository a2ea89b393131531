// aztec_export's own options as a user runs them: the arctic circle over a
// tiling in every format, where it has no meaning refused; and the list
// line of a random tiling past the numbered orders, which is its paths.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cmath>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "aztec.h"
#include "drawing.h"
#include "exported_pages.h"
#include "tilings.h"

#define AZTEC_EXPORTER PROGRAMS "/aztec_export"

namespace {

int shell_status(const std::string& command) {
    const int raw = std::system(command.c_str());
    return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
}

std::string text_of(const std::string& path) {
    std::ifstream in(path);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::vector<std::string> tab_fields(const std::string& line) {
    std::vector<std::string> fields;
    std::istringstream in(line);
    std::string field;
    while (std::getline(in, field, '\t')) fields.push_back(field);
    return fields;
}

// The second line of `aztec_export ARGUMENTS`'s list, split at its tabs,
// checked for the header above it.
std::vector<std::string> listed_line(const std::string& arguments) {
    const std::string folder = make_temporary_folder();
    EXPECT_EQ(shell_status("'" AZTEC_EXPORTER "' " + arguments + " >'" + folder + "/list'"), 0)
        << arguments;
    std::istringstream in(text_of(folder + "/list"));
    remove_temporary_folder(folder);
    std::string header;
    std::string line;
    std::string more;
    std::getline(in, header);
    std::getline(in, line);
    EXPECT_EQ(header, "figure\tpage\tsteps\tflats\tpeaks\treturns\theight");
    EXPECT_FALSE(std::getline(in, more)) << arguments << ": a line too many";
    return tab_fields(line);
}

// Screen style draws the circle as a ring of pixels in its own ink, and the
// vector pages copy the raster with it, outlined cells and bare ones alike.
TEST(AztecExport, TheArcticCircleIsARingOfPixelsInEveryFormat) {
    const std::vector<std::string> with_outlines = {"--order", "12", "--random", "3", "--arctic"};
    for (const char* format : {"--svg", "--pdf", "--tikz"}) {
        expect_vector_file_matches_png(AZTEC_EXPORTER, format, with_outlines, "random-3");
    }
    expect_vector_file_matches_png(AZTEC_EXPORTER, "--svg",
                                   {"--order", "40", "--cell", "3", "--random", "3", "--arctic"},
                                   "random-3");

    const std::string folder = make_temporary_folder();
    ASSERT_EQ(shell_status(export_command(AZTEC_EXPORTER, with_outlines, folder + "/with")), 0);
    ASSERT_EQ(shell_status(export_command(AZTEC_EXPORTER, {"--order", "12", "--random", "3"},
                                          folder + "/without")),
              0);
    std::vector<Uint32> with;
    std::vector<Uint32> without;
    int width = 0;
    int height = 0;
    ASSERT_EQ(read_png(folder + "/with/random-3.png", with, width, height), "");
    ASSERT_EQ(read_png(folder + "/without/random-3.png", without, width, height), "");
    remove_temporary_folder(folder);
    ASSERT_EQ(with.size(), without.size());
    const Rgb ink = rgb_of(*palette_rows[0], Ink::arctic);
    const Uint32 arctic = (Uint32{ink.red} << 16) | (Uint32{ink.green} << 8) | ink.blue;
    // Cells of 10 pixels, a cell in: the centre at 10 + 120, the radius
    // 12 cells / sqrt 2.
    const double radius = 120 / std::sqrt(2.0);
    int ring = 0;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const std::size_t at = static_cast<std::size_t>(y) * width + x;
            if (with[at] == without[at]) continue;
            EXPECT_EQ(with[at], arctic) << x << ", " << y;
            EXPECT_LE(std::fabs(std::hypot(x - 130, y - 130) - radius), 0.75) << x << ", " << y;
            ++ring;
        }
    }
    // An eight-connected ring has about 4 sqrt 2 pixels a unit of radius,
    // a few of them hidden where a pixel already had the ink's colour.
    EXPECT_GT(ring, static_cast<int>(0.9 * 4 * std::sqrt(2.0) * radius));
    EXPECT_LE(ring, static_cast<int>(4 * std::sqrt(2.0) * radius) + 8);
}

// A text format past the dominoes it holds is refused before any file is
// made, naming the limit; the picture formats go on.
TEST(AztecExport, ATilingPastWhatItsFormatHoldsIsRefused) {
    const std::string folder = make_temporary_folder();
    const std::string run = "cd '" + folder + "' && '" AZTEC_EXPORTER "' ";
    EXPECT_EQ(shell_status(run + "--tikz --order 316 --random 1 t 2>err"), 2);
    EXPECT_EQ(text_of(folder + "/err"),
              "aztec_export: cannot write aztec order 316: a TikZ file of 100172 dominoes passes "
              "the most it holds, 100000; --png and --pdf have no such limit\n");
    EXPECT_EQ(shell_status(run + "--json --order 1049 --random 1 j 2>err"), 2);
    EXPECT_NE(text_of(folder + "/err").find("a JSON file of 1101450 dominoes"), std::string::npos);
    EXPECT_EQ(files_in(folder), (std::vector<std::string>{"err"}));
    EXPECT_EQ(shell_status(run + "--json --order 1048 --random 1 j 2>err"), 0);
    EXPECT_EQ(files_in(folder + "/j"), (std::vector<std::string>{"random-1.json"}));
    remove_temporary_folder(folder);
}

TEST(AztecExport, TheArcticCircleIsRefusedWhereItMeansNothing) {
    const std::string folder = make_temporary_folder();
    const std::string run = "cd '" + folder + "' && ";
    EXPECT_EQ(shell_status(run + "'" PROGRAMS "/diamond_export' --arctic --random 1 d 2>err"), 2);
    EXPECT_EQ(text_of(folder + "/err").substr(0, text_of(folder + "/err").find('\n')),
              "diamond_export: --arctic draws the Aztec diamond's arctic circle, and this "
              "family's figures have none");
    EXPECT_EQ(shell_status(run + "'" AZTEC_EXPORTER "' --arctic --list --random 1 2>err"), 2);
    EXPECT_EQ(text_of(folder + "/err").substr(0, text_of(folder + "/err").find('\n')),
              "aztec_export: --list draws nothing, so takes no --arctic");
    EXPECT_EQ(files_in(folder), (std::vector<std::string>{"err"}));
    remove_temporary_folder(folder);
}

// Past the numbered orders the line has no number and no page; its steps
// make the tiling shuffled for the seed again, they are the JSON's, and the
// statistics are theirs.
TEST(AztecExport, ARandomTilingsListLineIsItsPathsAtAnyOrder) {
    const std::vector<std::string> line = listed_line("--order 300 --list --random 5");
    ASSERT_EQ(line.size(), 7u);
    EXPECT_EQ(line[0], "");
    EXPECT_EQ(line[1], "");
    const FigurePath path = steps(line[2]);
    aztec::Tiling remade;
    ASSERT_TRUE(aztec::tiling_of_paths(300, path, remade));
    EXPECT_TRUE(remade.cells == aztec::shuffled_tiling(300, 5).cells);
    const std::array<int, 4> stats = statistics_of(path);
    for (std::size_t i = 0; i < stats.size(); ++i) {
        EXPECT_EQ(line[3 + i], std::to_string(stats[i])) << "statistic " << i;
    }
    const std::string folder = make_temporary_folder();
    ASSERT_EQ(shell_status(export_command(AZTEC_EXPORTER,
                                          {"--order", "300", "--random", "5", "--json"},
                                          folder + "/j")),
              0);
    const std::string json = text_of(folder + "/j/random-5.json");
    remove_temporary_folder(folder);
    EXPECT_NE(json.find("\"steps\": \"" + line[2] + "\""), std::string::npos);
    EXPECT_NE(json.find("\"statistics\": {\"flats\": " + line[3] + ", \"peaks\": " + line[4] +
                        ", \"returns\": " + line[5] + ", \"height\": " + line[6] + "}"),
              std::string::npos);

    // At the numbered orders the line is as ever: the number and page of
    // its steps.
    for (int order = 1; order <= 5; ++order) {
        const std::string at = "--order " + std::to_string(order) + " --list ";
        const std::vector<std::string> random = listed_line(at + "--random 9");
        ASSERT_EQ(random.size(), 7u) << "order " << order;
        EXPECT_NE(random[0], "") << "order " << order;
        EXPECT_EQ(listed_line(at + "--figure '" + random[2] + "'"), random) << "order " << order;
    }
}

}  // namespace

// --glauber moves a random tiling only, of a family whose every tiling is
// a figure, by a number of moves it can make; else one line, status 2,
// and no file.
TEST(AztecExport, GlauberMovesAreRefusedWhereTheyCannotBeMade) {
    const std::string folder = make_temporary_folder();
    const std::string run = "cd '" + folder + "' && ";
    const auto first_line = [&folder]() {
        const std::string told = text_of(folder + "/err");
        return told.substr(0, told.find('\n'));
    };
    for (const auto& [arguments, told] : std::vector<std::pair<std::string, std::string>>{
             {"--glauber 10 a", "aztec_export: --glauber moves a random tiling's dominoes: it takes --random SEED"},
             {"--figure 3 --glauber 10 a",
              "aztec_export: --glauber moves a random tiling's dominoes: it takes --random SEED"},
             {"--random 1 --glauber 10000000001 a",
              "aztec_export: --glauber needs a number of moves from 0 to 10000000000; it was given: "
              "10000000001"},
             {"--random 1 --glauber -3 a",
              "aztec_export: --glauber needs a number of moves from 0 to 10000000000; it was given: -3"}}) {
        std::string command = run;
        command += "'" AZTEC_EXPORTER "' " + arguments + " 2>err";
        EXPECT_EQ(shell_status(command), 2) << arguments;
        EXPECT_EQ(first_line(), told);
    }
    EXPECT_EQ(shell_status(run + "'" PROGRAMS "/diamond_export' --random 1 --glauber 10 d 2>err"), 2);
    EXPECT_EQ(first_line(), "diamond_export: --glauber moves a family whose every tiling of its region is a "
                            "figure: diamond's figures are only some of its region's tilings");
    EXPECT_EQ(files_in(folder), (std::vector<std::string>{"err"}));
    remove_temporary_folder(folder);
}
