// The explorer's calls, headless (and so under the sanitizers): a page
// drawn alone is the exporter's, its figures are found where they stand
// and cut out alone, and what is not there is refused. The browser test
// checks every page and download against the exporters' in Chromium.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "explore.h"
#include "exported_pages.h"

TEST(Explorer, DrawsAPageAloneAndFindsItsFigures) {
    // The last page of 71, with the paths: every page before passed over.
    ASSERT_EQ(explore_run(0, 5, 71, 1), 71);
    const ExportRun run = run_exporter(PROGRAMS "/diamond_export", {}, "/dev/null", "--order 5 --path");
    std::vector<Uint32> rgb;
    int width = 0;
    int height = 0;
    ASSERT_EQ(read_png(run.folder + "/page-71.png", rgb, width, height), "");
    remove_temporary_folder(run.temporary);
    const unsigned char* pixels = explore_pixels();
    int differing = 0;
    for (std::size_t i = 0; i < rgb.size(); ++i) {
        const Uint32 shown = pixels[4 * i] << 16 | pixels[4 * i + 1] << 8 | pixels[4 * i + 2];
        differing += shown != rgb[i] ? 1 : 0;
    }
    EXPECT_EQ(differing, 0);

    ASSERT_EQ(explore_run(0, 3, 1, 0), 1);
    EXPECT_EQ(explore_figures(), 63);
    const int x = (explore_figure_edge(16, 0) + explore_figure_edge(16, 2)) / 2;
    const int y = (explore_figure_edge(16, 1) + explore_figure_edge(16, 3)) / 2;
    EXPECT_EQ(explore_figure_at(x, y), 16);
    EXPECT_STREQ(explore_figure_number(16), "17");
    EXPECT_STREQ(explore_figure_steps(16), "rise fall rise fall flat");
    EXPECT_EQ(explore_figure_at(799, 599), -1);
    // Alone, cropped to its outline and a margin of one cell (10 pixels).
    ASSERT_EQ(explore_write_file(0, 16), 0) << explore_file_failure();
    EXPECT_STREQ(explore_file_stem(), "figure-17");
    EXPECT_EQ(explore_file_width(), 61 + 20);
    EXPECT_EQ(explore_file_height(), 71 + 20);
    // The canvas holds the figure alone now: the page is gone until run again.
    EXPECT_EQ(explore_write_file(1, -1), -1);
    EXPECT_EQ(explore_figure_at(x, y), -1);
}

TEST(Explorer, RefusesWhatIsNotThere) {
    EXPECT_EQ(explore_run(explore_family_count(), 1, 1, 0), 0);
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
