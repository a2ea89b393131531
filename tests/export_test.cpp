// The exporters as a user runs them: their options, their folder and what
// they replace, remove and refuse there, their failures, and one figure cut
// out alone. A clear message and status, and never a partial page.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "exported_pages.h"

#define DIAMOND_EXPORTER PROGRAMS "/diamond_export"
#define PYRAMID_EXPORTER PROGRAMS "/pyramid_export"

namespace {

std::string text_of(const std::string& path) {
    std::ifstream in(path);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Runs the exporter with `arguments` in `folder`; its exit status.
int export_in(const std::string& folder, const std::string& arguments) {
    const int raw =
        std::system(("cd '" + folder + "' && '" DIAMOND_EXPORTER "' " + arguments + " >out 2>err").c_str());
    return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
}

// The exporter's failures: a clear message, status 1, and no page file that
// is not complete.
TEST(Export, AFolderThatCannotBeMadeIsReported) {
    const ExportRun run = run_exporter(DIAMOND_EXPORTER, "/dev/null/pages");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.errors, "diamond_export: cannot use the folder /dev/null/pages: Not a directory\n");
}

TEST(Export, APageThatCannotBeWrittenStopsTheExportWithNoPartialFile) {
    ExportRun first = run_exporter(DIAMOND_EXPORTER);
    ASSERT_EQ(first.status, 0);
    // A non-empty folder named page-3.png cannot be replaced by a file.
    std::filesystem::remove(first.folder + "/page-3.png");
    std::filesystem::create_directories(first.folder + "/page-3.png/in-the-way");
    std::filesystem::remove(first.folder + "/page-4.png");
    const ExportRun again = run_exporter(DIAMOND_EXPORTER, first.folder);
    EXPECT_EQ(again.status, 1);
    EXPECT_NE(again.errors.find("cannot write " + first.folder + "/page-3.png"), std::string::npos)
        << again.errors;
    EXPECT_EQ(files_in(first.folder),
              (std::vector<std::string>{"page-1.png", "page-2.png", "page-3.png", "page-5.png",
                                        "page-6.png", "page-7.png", "page-8.png", "page-9.png"}));
    remove_temporary_folder(first.temporary);
}

// A second export into a folder that another is still writing into once
// removed half of the first one's pages as "pages of an earlier export".
// Now it is refused at once, touching nothing, and the first finishes whole.
TEST(Export, ASecondExportIntoAFolderBeingWrittenIsRefused) {
    const std::string folder = make_temporary_folder();
    const std::string big = "'" DIAMOND_EXPORTER "' --order 7 '" + folder + "/same' 2>/dev/null";
    const std::string small = "'" DIAMOND_EXPORTER "' --order 1 '" + folder + "/same' 2>'" + folder +
                              "/err'; echo \\$? >'" + folder + "/status'";
    // The small one starts once the big one has written its first page.
    const std::string both = big + " & a=\\$!; while [ ! -e '" + folder +
                             "/same/page-1.png' ]; do sleep 0.01; done; " + small +
                             "; wait \\$a";
    const int raw = std::system(("bash -c \"" + both + "\"").c_str());
    EXPECT_TRUE(WIFEXITED(raw) && WEXITSTATUS(raw) == 0);
    EXPECT_EQ(text_of(folder + "/status"), "1\n");
    EXPECT_EQ(text_of(folder + "/err"), "diamond_export: cannot write into the folder " + folder +
                                            "/same: another export is writing into it\n");
    EXPECT_EQ(files_in(folder + "/same").size(), 3243u);
    // Once the first is done, the folder is free again.
    EXPECT_EQ(export_in(folder, "--order 1 same"), 0);
    EXPECT_EQ(files_in(folder + "/same"), std::vector<std::string>{"page-1.png"});
    remove_temporary_folder(folder);
}

// One figure alone is its own pixels on its page, cropped to its outline
// and a margin of one cell, in every format, with its path or without.
TEST(Export, OneFigureAloneIsItsPixelsOnItsPageInEveryFormat) {
    // Figure 17: page 1, slot 16, anchor (10, 250); the diamond spans x - 5
    // ... x + 75 and y - 45 ... y + 45. The last of order 2, by its steps:
    // slot 12, anchor (730, 30).
    expect_figure_cut_from_its_page(DIAMOND_EXPORTER, {"--path"}, "17", 1, 5, 205, 10);
    expect_figure_cut_from_its_page(DIAMOND_EXPORTER, {"--order", "2"}, "fall fall rise rise", 1, 725, 5,
                                    10);
}

// Options were once taken for folder names and filled with pages.
TEST(Export, AnythingButOptionsAndOneFolderGivesUsageAndWritesNothing) {
    const std::string folder = make_temporary_folder();
    for (const char* arguments :
         {"", "--svg", "--frobnicate pages", "one two", "--order ' 3' p", "--order +3 p",
          "--svg --tikz p", "--order 2 --order 3 p", "--list p", "--list --svg",
          "--figure 0 p", "--figure 'rise up' p", "--figure 400 p"}) {
        EXPECT_EQ(export_in(folder, arguments), 2) << arguments;
        EXPECT_EQ(files_in(folder), (std::vector<std::string>{"err", "out"})) << arguments;
    }
    EXPECT_EQ(export_in(folder, "-h"), 0);
    EXPECT_EQ(files_in(folder), (std::vector<std::string>{"err", "out"}));
    EXPECT_EQ(std::system("'" DIAMOND_EXPORTER "' --help >/dev/full 2>/dev/null"), 1 << 8);
    EXPECT_EQ(export_in(folder, "-- -pages"), 0);
    EXPECT_EQ(files_in(folder + "/-pages").size(), 9u);
    // A number or steps that no figure has is told what is wrong with it.
    EXPECT_EQ(export_in(folder, "--figure 1073741825 f"), 2);
    EXPECT_EQ(text_of(folder + "/err"), "diamond_export: there is no figure 1073741825: the "
                                        "figures of order 4 are 1 to 321\n");
    EXPECT_EQ(export_in(folder, "--figure 000000000000000000000000000000000000000321 f"), 0);
    EXPECT_EQ(files_in(folder + "/f"), std::vector<std::string>{"figure-321.png"});
    std::string seventeen = "rise";
    for (int i = 1; i < 17; ++i) seventeen += " flat";
    EXPECT_EQ(export_in(folder, "--figure '" + seventeen + "' g"), 2);
    EXPECT_EQ(text_of(folder + "/err"),
              "diamond_export: no figure has 17 steps: the figures of order 4 have 4 to 8\n");
    // The list read only in part, by `head`: no complaint.
    EXPECT_EQ(run_with_an_unread_pipe("'" DIAMOND_EXPORTER "' --order 7 --list 2>'" + folder + "/err'", 1),
              0);
    EXPECT_EQ(text_of(folder + "/err"), "");
    remove_temporary_folder(folder);
}

// A stop signal during the export used to leave the page being written
// behind as a hidden temporary file; so did any signal that kills at once.
TEST(Export, AStopSignalLeavesNoUnfinishedPage) {
    const std::string folder = make_temporary_folder();
    for (const char* signal_name : {"INT", "TERM", "HUP", "QUIT", "USR1", "ALRM", "KILL"}) {
        for (const char* delay : {"0.01", "0.03", "0.05", "0.08"}) {
            // Job control on: a background job would otherwise ignore INT and
            // QUIT. With few descriptors the page once fell back to a named file.
            const std::string command = "set -m; ulimit -n 5; '" DIAMOND_EXPORTER "' --svg --order 6 '" + folder +
                                        "/pages' 2>/dev/null 3>&- 4>&- & sleep " + delay + "; kill -" +
                                        signal_name + " \\$!; wait \\$!";
            const int raw = std::system(("bash -c \"" + command + "\"").c_str());
            ASSERT_TRUE(WIFEXITED(raw));
            const int status = WEXITSTATUS(raw);
            EXPECT_GT(status, 128) << signal_name << " after " << delay;  // stopped mid-export
            for (const std::string& name : files_in(folder + "/pages")) {
                EXPECT_NE(name[0], '.') << signal_name << " after " << delay << " left " << name;
            }
        }
    }
    // With no descriptor left for a page beside the folder's lock: refused,
    // and nothing left. LeakSanitizer, where built in, is left out: newer
    // ones (GCC 14's) need a descriptor of their own at exit, and say so.
    const int raw = std::system(("bash -c \"exec 2>'" + folder + "/err'; ulimit -n 4; "
                                 "ASAN_OPTIONS=\\$ASAN_OPTIONS:detect_leaks=0 '" DIAMOND_EXPORTER
                                 "' '" + folder + "/few' 3>&- 4>&-\"").c_str());
    EXPECT_TRUE(WIFEXITED(raw) && WEXITSTATUS(raw) == 1);
    EXPECT_EQ(text_of(folder + "/err"),
              "diamond_export: cannot write " + folder + "/few/page-1.png: Too many open files\n");
    EXPECT_EQ(files_in(folder + "/few"), std::vector<std::string>{});
    remove_temporary_folder(folder);
}

// libpng said only "Write Error", and a file size limit killed the export
// with no word, leaving its temporary file; names went raw to the terminal,
// escape sequences, C1 controls and the program's own name alike; and on a
// terminal the failure was glued to the progress line.
TEST(Export, AFailedWriteGivesTheSystemsReasonAndNamesAreEscaped) {
    const std::string folder = make_temporary_folder();
    const std::string command = "cd '" + folder + "' && ln -s '" DIAMOND_EXPORTER
                                "' $'ex\\x9bport' && ulimit -f 2 && ./$'ex\\x9bport' "
                                "$'red\\e[31m\\xc2\\x9b\\xc3\\xa9' 2>err";
    const int raw = std::system(("bash -c \"" + command + "\"").c_str());
    EXPECT_TRUE(WIFEXITED(raw) && WEXITSTATUS(raw) == 1);
    EXPECT_EQ(text_of(folder + "/err"), "ex\\x9Bport: cannot write red\\x1B[31m\\xC2\\x9B\xc3\xa9/"
                                        "page-1.png: File too large\n");
    EXPECT_EQ(files_in(folder + "/red\x1b[31m\xc2\x9b\xc3\xa9"), std::vector<std::string>{});
    // The same on a terminal, where the progress line is rewritten in place.
    std::filesystem::create_directories(folder + "/in-the-way/page-2.png/x");
    EXPECT_NE(std::system(("script -qec \"'" DIAMOND_EXPORTER "' '" + folder + "/in-the-way'\" '" +
                           folder + "/typescript' >/dev/null")
                              .c_str()),
              0);
    EXPECT_NE(text_of(folder + "/typescript").find("page-1.png\r\ndiamond_export: cannot write"),
              std::string::npos)
        << text_of(folder + "/typescript");
    remove_temporary_folder(folder);
}

// A folder is made with any folders it is in; one that cannot be is named
// for what it is, and a name that leaves no room for its pages makes none.
// A smaller export into a used folder removes the larger one's last pages.
TEST(Export, FoldersAreMadeWholeOrRefusedForWhatTheyAre) {
    const std::string folder = make_temporary_folder();
    EXPECT_EQ(export_in(folder, "''"), 2);
    std::filesystem::create_symlink("nowhere", folder + "/dangling");
    std::filesystem::create_symlink("loop", folder + "/loop");
    EXPECT_EQ(export_in(folder, "dangling"), 1);
    EXPECT_NE(text_of(folder + "/err").find("dangling: it is a symbolic link to nothing"),
              std::string::npos);
    EXPECT_EQ(export_in(folder, "loop"), 1);
    EXPECT_NE(text_of(folder + "/err").find("loop: it is a symbolic link that loops"),
              std::string::npos);
    EXPECT_EQ(export_in(folder, std::string(4070, 'x')), 1);
    EXPECT_NE(text_of(folder + "/err").find("4070 bytes long"), std::string::npos);
    EXPECT_EQ(files_in(folder), (std::vector<std::string>{"dangling", "err", "loop", "out"}));
    EXPECT_EQ(export_in(folder, "--order 5 a/b/c"), 0);
    EXPECT_EQ(files_in(folder + "/a/b/c").size(), 71u);
    EXPECT_EQ(export_in(folder, "a/b/c"), 0);
    EXPECT_EQ(files_in(folder + "/a/b/c").size(), 9u);
    EXPECT_NE(text_of(folder + "/err").find("removed 62 pages of an earlier export, numbered 10 to 71"),
              std::string::npos);
    // Only pages it wrote itself: a user's file, a link and a folder named
    // like later pages stay, each said so; one named like a page it writes
    // is replaced. A folder's name ending in slashes gives one in its pages'.
    EXPECT_EQ(export_in(folder, "--order 5 u//"), 0);
    EXPECT_NE(text_of(folder + "/err").find("wrote page 71 to u/page-71.png\n"), std::string::npos);
    std::filesystem::remove(folder + "/u/page-13.png");
    std::filesystem::create_directories(folder + "/u/page-13.png");
    std::ofstream(folder + "/u/page-10.png") << "scan";
    std::ofstream(folder + "/notes.txt") << "notes";
    std::filesystem::remove(folder + "/u/page-14.png");
    std::filesystem::create_symlink("../notes.txt", folder + "/u/page-14.png");
    std::ofstream(folder + "/u/page-2.png") << "old";
    EXPECT_EQ(export_in(folder, "u"), 0);
    const std::string told = text_of(folder + "/err");
    for (const char* kept : {"u/page-10.png, named like a page past the last one: diamond_export "
                             "did not write it\n",
                             "u/page-13.png, named like a page past the last one: it is a folder\n",
                             "u/page-14.png, named like a page past the last one: it is a "
                             "symbolic link\n",
                             "removed 59 pages of an earlier export, numbered 11 to 71\n"}) {
        EXPECT_NE(told.find(kept), std::string::npos) << kept << " not in " << told;
    }
    // Each format carries the mark: SVG and TikZ pages of its own go too.
    for (const char* format : {"--svg", "--tikz"}) {
        EXPECT_EQ(export_in(folder, std::string(format) + " --order 5 v"), 0);
        EXPECT_EQ(export_in(folder, std::string(format) + " v"), 0);
        EXPECT_NE(text_of(folder + "/err").find("removed 62 pages"), std::string::npos) << format;
    }
    EXPECT_EQ(text_of(folder + "/u/page-10.png"), "scan");
    EXPECT_EQ(text_of(folder + "/notes.txt"), "notes");
    EXPECT_EQ(files_in(folder + "/u").size(), 12u);
    remove_temporary_folder(folder);
}

// A folder that cannot be read still takes its pages, but earlier pages in
// it cannot be found: a warning says so, and the export succeeds.
TEST(Export, AFolderThatCannotBeListedKeepsEarlierPagesWithAWarning) {
    const std::string folder = make_temporary_folder();
    ASSERT_EQ(export_in(folder, "--order 5 p"), 0);
    std::filesystem::permissions(folder, std::filesystem::perms::all);
    using std::filesystem::perms;
    const perms reading = perms::owner_read | perms::group_read | perms::others_read;
    std::filesystem::permissions(folder + "/p", perms::all & ~reading);
    // Root reads any folder: the exporter runs as nobody there.
    const std::string as = geteuid() == 0 ? "setpriv --reuid=65534 --regid=65534 --clear-groups " : "";
    const int raw = std::system((as + "'" DIAMOND_EXPORTER "' '" + folder + "/p' 2>'" + folder +
                                 "/err.txt' >/dev/null").c_str());
    EXPECT_TRUE(WIFEXITED(raw) && WEXITSTATUS(raw) == 0);
    const std::string told = text_of(folder + "/err.txt");
    EXPECT_EQ(told.find("diamond_export: warning: cannot lock the folder " + folder +
                        "/p (Permission denied): another export into it at the same time would "
                        "not be refused\n"),
              0u) << told;
    EXPECT_NE(told.find("\ndiamond_export: warning: could not look for pages of an earlier "
                        "export past page 9 in " + folder +
                        "/p (Permission denied); any there were kept\n"),
              std::string::npos) << told;
    std::filesystem::permissions(folder + "/p", std::filesystem::perms::all);
    EXPECT_EQ(files_in(folder + "/p").size(), 71u);
    remove_temporary_folder(folder);
}

// The last figure of pyramid, alone with its path: page 7, slot 9, anchor
// (115, 120); the triangle spans x - 4 ... x + 76 and y - 44 ... y + 4.
TEST(Export, APyramidFigureAloneIsItsPixelsOnItsPage) {
    expect_figure_cut_from_its_page(PYRAMID_EXPORTER, {"--path"}, "394", 7, 111, 76, 8);
}

// Every page is still written; the lost count is reported and fails the run.
TEST(Export, ACountThatCannotBeWrittenIsReportedAfterThePages) {
    const ExportRun run = run_exporter(PYRAMID_EXPORTER, {}, "/dev/full");
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.errors.find("wrote page 7"), std::string::npos) << run.errors;
    EXPECT_NE(run.errors.find("pyramid_export: cannot write the count to standard output: No "
                              "space left on device\n"),
              std::string::npos)
        << run.errors;
    remove_temporary_folder(run.temporary);
}

// A closed pipe used to kill the export with SIGPIPE, leaving pages unwritten.
TEST(Export, APipeNobodyReadsStopsNoPage) {
    const std::string folder = make_temporary_folder();
    EXPECT_EQ(run_with_an_unread_pipe("'" PYRAMID_EXPORTER "' '" + folder + "/counted' 2>'" + folder +
                                          "/err'",
                                      1),
              1);
    EXPECT_EQ(files_in(folder + "/counted").size(), 7u);
    EXPECT_EQ(run_with_an_unread_pipe("'" PYRAMID_EXPORTER "' '" + folder + "/shown' >/dev/null", 2), 1);
    EXPECT_EQ(files_in(folder + "/shown").size(), 7u);
    const std::string errors = text_of(folder + "/err");
    EXPECT_NE(errors.find("pyramid_export: cannot write the count to standard output: Broken "
                          "pipe\n"),
              std::string::npos)
        << errors;
    remove_temporary_folder(folder);
}

}  // namespace

namespace {

// Runs `command` in /bin/sh inside `folder`; its exit status.
int shell_in(const std::string& folder, const std::string& command) {
    const int raw = std::system(("cd '" + folder + "' && " + command).c_str());
    return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
}

}  // namespace

// Faults found by using the exporters as a hostile user would: each message
// names the true cause, an option given twice is refused, a seed has one
// name, and output to a closed stream is said to be lost, with status 1.
TEST(Export, MessagesNameTheTrueCause) {
    const std::string folder = make_temporary_folder();
    const std::string diamond = "'" DIAMOND_EXPORTER "' ";
    const std::string aztec = "'" PROGRAMS "/aztec_export' ";
    EXPECT_EQ(shell_in(folder, diamond + "--order 1001 p 2>err"), 2);
    EXPECT_EQ(text_of(folder + "/err"),
              "diamond_export: order 1001 is past the largest this family draws: orders 1 to "
              "1000\n");
    EXPECT_EQ(shell_in(folder, diamond + "--where flats=0-1000000 --list >out"), 0);
    EXPECT_EQ(shell_in(folder, diamond + "--where flats=99999999999 --list 2>err"), 2);
    EXPECT_NE(text_of(folder + "/err").find("a value is at most 999999999"), std::string::npos);
    EXPECT_EQ(shell_in(folder, aztec + "--order 6 --list 2>err"), 2);
    EXPECT_EQ(text_of(folder + "/err"),
              "aztec_export: order 6 is past the largest for pages and the whole list "
              "(--random goes to 4000): orders 1 to 5\n");
    EXPECT_EQ(shell_in(folder, diamond + "--figure '| rise fall' f 2>err"), 2);
    EXPECT_EQ(text_of(folder + "/err"),
              "diamond_export: no figure has 2 paths (\"|\" between two): the figures of order 4 "
              "have 1\n");
    std::filesystem::create_symlink(folder + "/nowhere", folder + "/dangling");
    EXPECT_EQ(shell_in(folder, diamond + "dangling/pages 2>err"), 1);
    EXPECT_EQ(text_of(folder + "/err"), "diamond_export: cannot use the folder dangling/pages: "
                                        "dangling is a symbolic link to nothing\n");
    for (const char* twice : {"--path --path p", "--list --list"}) {
        EXPECT_EQ(shell_in(folder, diamond + twice + " >out 2>err"), 2) << twice;
        EXPECT_EQ(text_of(folder + "/err").rfind("diamond_export: given twice: '--", 0), 0u);
    }
    // A seed written with leading zeros is the same seed, and named as such.
    EXPECT_EQ(shell_in(folder, diamond + "--random 0042 r 2>err"), 0);
    EXPECT_EQ(files_in(folder + "/r"), std::vector<std::string>{"random-42.png"});
    // The list past the orders drawn page by page leaves the page empty; a
    // filter that keeps nothing writes nothing on standard output.
    EXPECT_EQ(shell_in(folder, diamond + "--order 9 --list --figure 5 >out"), 0);
    EXPECT_EQ(text_of(folder + "/out").substr(text_of(folder + "/out").find('\n') + 1, 4),
              "5\t\tr");
    EXPECT_EQ(shell_in(folder, diamond + "--list --where flats=9 >out 2>err"), 2);
    EXPECT_EQ(text_of(folder + "/out"), "");
    // A TikZ picture past what pdflatex holds says so as it is written.
    EXPECT_EQ(shell_in(folder, aztec + "--tikz --order 140 --random 1 t 2>err"), 0);
    EXPECT_NE(text_of(folder + "/err").find("more than pdflatex holds"), std::string::npos);
    EXPECT_EQ(shell_in(folder, aztec + "--tikz --order 120 --random 1 t 2>err"), 0);
    EXPECT_EQ(text_of(folder + "/err").find("pdflatex"), std::string::npos);
    // Every option's orders are in the usage.
    EXPECT_EQ(shell_in(folder, aztec + "--help >out"), 0);
    std::string usage = text_of(folder + "/out");
    for (std::size_t at; (at = usage.find("\n              ")) != std::string::npos;) {
        usage.replace(at, 15, " ");
    }
    EXPECT_NE(usage.find("a random one at 1 ... 4000"), std::string::npos) << usage;
    EXPECT_NE(usage.find(".tex); orders 1 ... 4000"), std::string::npos) << usage;
    remove_temporary_folder(folder);
}

TEST(Export, OutputToAClosedStreamIsSaidToBeLost) {
    const std::string folder = make_temporary_folder();
    const std::string diamond = "'" DIAMOND_EXPORTER "' ";
    EXPECT_EQ(shell_in(folder, diamond + "--list >&- 2>err"), 1);
    EXPECT_EQ(text_of(folder + "/err"),
              "diamond_export: cannot write the list to standard output: it is closed\n");
    // The pages are written; the count that had nowhere to go is told.
    EXPECT_EQ(shell_in(folder, "'" PYRAMID_EXPORTER "' p >&- 2>err"), 1);
    EXPECT_EQ(files_in(folder + "/p").size(), 7u);
    EXPECT_NE(text_of(folder + "/err").find("cannot write the count to standard output: it is "
                                            "closed\n"),
              std::string::npos);
    // Standard error closed: the lost progress is told on standard output.
    EXPECT_EQ(shell_in(folder, diamond + "d 2>&- >out"), 1);
    EXPECT_EQ(files_in(folder + "/d").size(), 9u);
    EXPECT_EQ(text_of(folder + "/out"),
              "diamond_export: cannot write the progress to standard error: it is closed\n");
    // A reader that stops early still ends the list quietly.
    EXPECT_EQ(shell_in(folder, "bash -c \"set -o pipefail; " + diamond +
                                   "--list 2>err | head -1 >out\""),
              0);
    EXPECT_EQ(text_of(folder + "/err"), "");
    remove_temporary_folder(folder);
}
