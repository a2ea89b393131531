// The paper style and the figure as data, checked against each family's own
// geometry rather than against another output: the JSON's dominoes are the
// family's, and at every cell's centre the PNG, and the SVG, PDF and TikZ
// files rendered back, show that domino's colour in the chosen palette (or
// the path's, where a path runs through the centre).
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "drawing.h"
#include "exported_pages.h"
#include "family_cases.h"

namespace {

// Anti-aliased renderers may round a flat colour by a step or two.
constexpr int channel_tolerance = 6;

std::string text_of(const std::string& path) {
    std::ifstream in(path);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

bool near(Uint32 pixel, Rgb rgb) {
    const auto close = [](int a, int b) { return std::abs(a - b) <= channel_tolerance; };
    return close(static_cast<int>(pixel >> 16 & 0xFF), rgb.red) &&
           close(static_cast<int>(pixel >> 8 & 0xFF), rgb.green) &&
           close(static_cast<int>(pixel & 0xFF), rgb.blue);
}

using DominoRow = std::tuple<int, int, bool, std::string, std::string>;

const char* role_word(DominoRole role) {
    switch (role) {
    case DominoRole::rise: return "rise";
    case DominoRole::fall: return "fall";
    case DominoRole::flat: return "flat";
    case DominoRole::off_path: break;
    }
    return "off";
}

const char* compass_word(Compass compass) {
    switch (compass) {
    case Compass::north: return "north";
    case Compass::south: return "south";
    case Compass::east: return "east";
    case Compass::west: return "west";
    case Compass::none: break;
    }
    return "";
}

class PaperStyle : public ::testing::TestWithParam<FamilyCase> {};

TEST_P(PaperStyle, EveryCellShowsItsDominoInEveryFormatAndTheDataIsTheGeometry) {
    const Family& family = family_of(GetParam());
    const int order = family.orders.usual;
    const int cell = 20;
    // A figure with rises, falls and flats: the family's own example.
    const auto& [number, example_steps] = GetParam().examples.front();
    FigurePath path;
    ASSERT_TRUE(family.counting.unrank_figure(order, BigCount(number), path));
    const FigureGeometry geometry = family.geometry_of(order, path);
    const std::string stem = "figure-" + std::to_string(number);

    for (const char* palette_name : {"okabe-ito", "four", "grey"}) {
        SCOPED_TRACE(palette_name);
        const PaletteRow& colours = *find_palette(palette_name);
        const std::vector<std::string> options = {
            "--order", std::to_string(order), "--figure", std::to_string(number), "--cell",
            std::to_string(cell), "--style", "paper", "--palette", palette_name, "--path"};
        const std::string folder = make_temporary_folder();
        const std::string exporter = exporter_of(GetParam());
        std::vector<std::string> json_options = options;
        json_options.push_back("--json");
        ASSERT_EQ(std::system(export_command(exporter, json_options, folder + "/json").c_str()), 0);
        std::string json_file = folder;
        json_file += "/json/" + stem + ".json";
        const std::string json = text_of(json_file);

        // The data: every domino of the geometry, as its family makes it.
        const std::size_t listed = json.find("\"dominoes\": [");
        const std::size_t listed_end = json.find("\"paths\"", listed);
        ASSERT_NE(listed, std::string::npos);
        ASSERT_NE(listed_end, std::string::npos);
        std::vector<DominoRow> written;
        for (std::size_t at = json.find('[', json.find('[', listed) + 1); at < listed_end;
             at = json.find('[', at + 1)) {
            int column = 0;
            int row = 0;
            char shape[2] = {};
            char role[8] = {};
            char compass[8] = {};
            const std::string domino = json.substr(at, json.find(']', at) - at);
            ASSERT_GE(std::sscanf(domino.c_str(), "[%d, %d, \"%1[hv]\", \"%7[a-z]\", \"%7[a-z]\"",
                                  &column, &row, shape, role, compass),
                      4)
                << domino;
            written.emplace_back(column, row, shape[0] == 'v', role, compass);
        }
        std::vector<DominoRow> expected;
        for (const Domino& domino : geometry.dominoes) {
            expected.emplace_back(domino.column, domino.row, domino.upright, role_word(domino.role),
                                  compass_word(domino.compass));
        }
        EXPECT_EQ(written, expected);
        EXPECT_NE(json.find("\"steps\": \"" + example_steps + "\""), std::string::npos);
        const std::size_t placed = json.find("\"at\": [");
        ASSERT_NE(placed, std::string::npos);
        int left = 0;
        int top = 0;
        ASSERT_EQ(std::sscanf(json.c_str() + placed, "\"at\": [%d, %d]", &left, &top), 2);

        ASSERT_EQ(std::system(export_command(exporter, options, folder + "/png").c_str()), 0);
        std::string png = folder;
        png += "/png/" + stem + ".png";
        std::vector<std::pair<std::string, std::string>> drawings = {{"PNG", png}};
        int width = 0;
        int height = 0;
        std::vector<Uint32> pixels;
        ASSERT_EQ(read_png(drawings[0].second, pixels, width, height), "");
        for (const char* format : {"--svg", "--pdf", "--tikz"}) {
            std::vector<std::string> vector_options = options;
            vector_options.emplace_back(format);
            std::system(("rm -rf '" + folder + "/vector'").c_str());
            ASSERT_EQ(std::system(export_command(exporter, vector_options, folder + "/vector").c_str()),
                      0);
            const std::string rendered =
                render_vector_file(format, folder, stem, width, height, true);
            const std::string kept = folder + "/" + (format + 2) + ".png";
            std::rename(rendered.c_str(), kept.c_str());
            drawings.emplace_back(format, kept);
        }

        for (const auto& [what, file] : drawings) {
            SCOPED_TRACE(what);
            int w = 0;
            int h = 0;
            ASSERT_EQ(read_png(file, pixels, w, h), "");
            ASSERT_EQ(std::make_pair(w, h), std::make_pair(width, height));
            int wrong = 0;
            for (const Domino& domino : geometry.dominoes) {
                const Rgb fill = rgb_of(colours, fill_of(colours, domino));
                const bool on_path = domino.role != DominoRole::off_path;
                for (int half = 0; half < 2; ++half) {
                    const int c = domino.column + (domino.upright ? 0 : half);
                    const int r = domino.row + (domino.upright ? half : 0);
                    const Uint32 pixel = pixels[static_cast<std::size_t>(top + r * cell + cell / 2) * w +
                                                static_cast<std::size_t>(left + c * cell + cell / 2)];
                    if (!near(pixel, fill) && !(on_path && near(pixel, colours.path))) {
                        ++wrong;
                        ADD_FAILURE() << "cell (" << c << ", " << r << ") is 0x" << std::hex << pixel;
                    }
                }
            }
            EXPECT_EQ(wrong, 0);
        }
        remove_temporary_folder(folder);
    }
}

INSTANTIATE_TEST_SUITE_P(Families, PaperStyle, ::testing::ValuesIn(family_cases));

}  // namespace
