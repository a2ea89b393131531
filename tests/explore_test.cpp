// The explorer's calls, headless: any page drawn alone is the exporter's
// page, its figures found by their places, its files and figures' files
// the exporter's byte for byte, and what is not there refused.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "explore.h"
#include "exported_pages.h"

namespace {

const std::vector<std::string> exporters = {DIAMOND_EXPORTER, PYRAMID_EXPORTER};

std::string text_of(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// FAMILY_export OPTIONS into a fresh folder; the text of its file `name`.
std::string exported_file(int family, const std::string& options, const std::string& name) {
    const ExportRun run = run_exporter(exporters[family], {}, "/dev/null", options);
    EXPECT_EQ(run.status, 0) << options << ": " << run.errors;
    std::string text = text_of(run.folder + "/" + name);
    remove_temporary_folder(run.temporary);
    return text;
}

std::string explored_file() {
    return {explore_file_data(), static_cast<std::size_t>(explore_file_size())};
}

}  // namespace

TEST(Explorer, DrawsAnyPageAloneAsTheExporterWritesIt) {
    struct Case {
        int family, order, page, paths, pages;
    };
    for (const Case c : {Case{0, 5, 71, 0, 71}, Case{0, 5, 40, 1, 71}, Case{1, 6, 2, 0, 37}}) {
        SCOPED_TRACE(testing::Message() << "family " << c.family << " order " << c.order
                                        << " page " << c.page);
        ASSERT_EQ(explore_run(c.family, c.order, c.page, c.paths), c.pages);
        ASSERT_EQ(explore_page_drawn(), 1);
        const std::string options =
            "--order " + std::to_string(c.order) + (c.paths != 0 ? " --path" : "");
        const ExportRun run = run_exporter(exporters[c.family], {}, "/dev/null", options);
        std::vector<Uint32> rgb;
        int width = 0;
        int height = 0;
        ASSERT_EQ(read_png(run.folder + "/page-" + std::to_string(c.page) + ".png", rgb, width,
                           height), "");
        remove_temporary_folder(run.temporary);
        const unsigned char* pixels = explore_pixels();
        int differing = 0;
        for (std::size_t i = 0; i < rgb.size(); ++i) {
            const Uint32 shown = pixels[4 * i] << 16 | pixels[4 * i + 1] << 8 | pixels[4 * i + 2];
            differing += shown != rgb[i] ? 1 : 0;
        }
        EXPECT_EQ(differing, 0);
    }
}

TEST(Explorer, FindsFiguresAndWritesTheExportersFiles) {
    ASSERT_EQ(explore_run(0, 3, 1, 0), 1);
    EXPECT_EQ(explore_figures(), 63);
    const int index = 16;
    const int x = (explore_figure_edge(index, 0) + explore_figure_edge(index, 2)) / 2;
    const int y = (explore_figure_edge(index, 1) + explore_figure_edge(index, 3)) / 2;
    EXPECT_EQ(explore_figure_at(x, y), index);
    EXPECT_EQ(explore_figure_number(index), 17);
    EXPECT_STREQ(explore_figure_steps(index), "rise fall rise fall flat");
    EXPECT_EQ(explore_figure_at(799, 599), -1);

    ASSERT_EQ(explore_write_file(2, -1), 0) << explore_file_failure();
    EXPECT_EQ(explored_file(), exported_file(0, "--order 3 --tikz", "page-1.tex"));
    ASSERT_EQ(explore_write_file(1, index), 0) << explore_file_failure();
    EXPECT_STREQ(explore_file_stem(), "figure-17");
    EXPECT_EQ(explored_file(), exported_file(0, "--order 3 --svg --figure 17", "figure-17.svg"));
    // The canvas holds the figure alone now: the page is gone until run again.
    EXPECT_EQ(explore_write_file(1, -1), -1);
    EXPECT_EQ(explore_figure_at(x, y), -1);

    ASSERT_EQ(explore_run(1, 5, 7, 1), 7);
    const int last = explore_page_figure_count() - 1;
    EXPECT_EQ(explore_figure_number(last), 394);
    ASSERT_EQ(explore_write_file(2, last), 0) << explore_file_failure();
    EXPECT_EQ(explored_file(),
              exported_file(1, "--path --tikz --figure 394", "figure-394.tex"));
}

TEST(Explorer, RefusesWhatIsNotThere) {
    EXPECT_EQ(explore_run(2, 1, 1, 0), 0);
    EXPECT_EQ(explore_run(0, 8, 1, 0), 0);
    EXPECT_EQ(explore_run(1, 0, 1, 0), 0);
    EXPECT_EQ(explore_run(0, 4, 10, 0), 9);
    EXPECT_EQ(explore_page_drawn(), 0);
    EXPECT_EQ(explore_page_figure_count(), 0);
    EXPECT_EQ(explore_figures(), 321);
    EXPECT_EQ(explore_write_file(1, -1), -1);
    ASSERT_EQ(explore_run(0, 4, 9, 0), 9);
    EXPECT_EQ(explore_write_file(1, explore_page_figure_count()), -1);
    EXPECT_STRNE(explore_file_failure(), "");
    EXPECT_EQ(explore_write_file(3, -1), -1);
}
