#include "exported_pages.h"

#include <gtest/gtest.h>
#include <png.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <set>
#include <sstream>

#include "tilings.h"

namespace fs = std::filesystem;

std::string make_temporary_folder() {
    std::string pattern = (fs::temp_directory_path() / "export-test-XXXXXX").string();
    return mkdtemp(pattern.data()) != nullptr ? pattern : std::string{};
}

int run_with_an_unread_pipe(const std::string& command, int fd) {
    int ends[2];
    if (pipe(ends) != 0) return -1;
    // Closed before the fork, so that not even the child holds a reader.
    close(ends[0]);
    const pid_t child = fork();
    if (child == 0) {
        dup2(ends[1], fd);
        close(ends[1]);
        execl("/bin/sh", "sh", "-c", command.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    close(ends[1]);
    int raw = 0;
    if (child < 0 || waitpid(child, &raw, 0) != child) return -1;
    return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
}

ExportRun run_exporter(const std::string& exporter, std::string folder,
                       const std::string& output, const std::string& format_option) {
    ExportRun run;
    if (folder.empty()) {
        run.temporary = make_temporary_folder();
        if (run.temporary.empty()) return run;
        folder = run.temporary + "/pages";  // the exporter makes this one itself
    }
    run.folder = folder;
    std::string errors = (fs::temp_directory_path() / "export-test-stderr-XXXXXX").string();
    const int errors_fd = mkstemp(errors.data());
    if (errors_fd < 0) return run;
    close(errors_fd);
    const std::string command =
        "'" + exporter + "' " + format_option + " '" + folder + "' >'" + output + "' 2>'" +
        errors + "' </dev/null";
    const int raw = std::system(command.c_str());
    run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    std::ifstream in(errors);
    std::ostringstream text;
    text << in.rdbuf();
    run.errors = text.str();
    fs::remove(errors);
    return run;
}

std::string read_png(const std::string& path, std::vector<Uint32>& rgb, int& width, int& height) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (png_image_begin_read_from_file(&image, path.c_str()) == 0) return image.message;
    image.format = PNG_FORMAT_RGB;
    std::vector<png_byte> bytes(PNG_IMAGE_SIZE(image));
    if (png_image_finish_read(&image, nullptr, bytes.data(), 0, nullptr) == 0) {
        return image.message;
    }
    width = static_cast<int>(image.width);
    height = static_cast<int>(image.height);
    rgb.resize(static_cast<std::size_t>(width) * height);
    for (std::size_t i = 0; i < rgb.size(); ++i) {
        rgb[i] = (Uint32{bytes[3 * i]} << 16) | (Uint32{bytes[3 * i + 1]} << 8) | bytes[3 * i + 2];
    }
    return {};
}

std::vector<std::string> files_in(const std::string& folder) {
    std::vector<std::string> names;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(folder, error))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

void remove_temporary_folder(const std::string& folder) {
    std::error_code error;
    fs::remove_all(folder, error);
}

namespace {
// Runs a command given word by word, each quoted for the shell: its status.
int run_quoted(std::initializer_list<std::string> words) {
    std::string command;
    for (const std::string& word : words) {
        command += " '";
        command += word;
        command += "'";
    }
    return std::system(command.c_str());
}
}  // namespace

void expect_exported_pages_match(const std::string& exporter,
                                 const std::vector<std::vector<Colour>>& pages,
                                 const SDL_PixelFormat* format) {
    const ExportRun run = run_exporter(exporter, {}, "/dev/null");
    ASSERT_EQ(run.status, 0) << run.errors;
    std::vector<std::string> expected_names;
    for (std::size_t page = 1; page <= pages.size(); ++page)
        expected_names.push_back("page-" + std::to_string(page) + ".png");
    std::sort(expected_names.begin(), expected_names.end());
    EXPECT_EQ(files_in(run.folder), expected_names);

    // The colours a user sees, as the pages are documented: white, red,
    // yellow, light blue and blue, and no other.
    const std::set<Uint32> documented = {0xFFFFFF, 0xFF0000, 0xFFFF00, 0x4646FF, 0x0000FF};
    std::set<Uint32> seen;
    for (std::size_t page = 0; page < pages.size(); ++page) {
        const std::string path = run.folder + "/page-" + std::to_string(page + 1) + ".png";
        std::vector<Uint32> rgb;
        int width = 0;
        int height = 0;
        const std::string why = read_png(path, rgb, width, height);
        ASSERT_EQ(why, "") << path;
        ASSERT_EQ(width, canvas_width);
        ASSERT_EQ(height, canvas_height);
        std::size_t differing = 0;
        for (std::size_t i = 0; i < rgb.size(); ++i) {
            Uint8 r = 0, g = 0, b = 0;
            SDL_GetRGB(pages[page][i], const_cast<SDL_PixelFormat*>(format), &r, &g, &b);
            differing += rgb[i] != ((Uint32{r} << 16) | (Uint32{g} << 8) | b);
            seen.insert(rgb[i]);
        }
        EXPECT_EQ(differing, 0u) << "pixels differ on page " << page + 1;
    }
    EXPECT_EQ(seen, documented);
    remove_temporary_folder(run.temporary);
}

// The command line of `exporter` with `options` and then `folder`.
std::string export_command(const std::string& exporter, const std::vector<std::string>& options,
                           const std::string& folder) {
    std::string command = "'" + exporter + "'";
    for (const std::string& option : options) command += " '" + option + "'";
    return command + " '" + folder + "' 2>/dev/null";
}

std::string render_vector_file(const std::string& format, const std::string& folder,
                               const std::string& stem, int width, int height, bool smooth) {
    std::string rendered = folder + "/rendered.png";
    const std::string aliasing = smooth ? "" : " -aa no -aaVector no";
    if (format == "--svg") {
        EXPECT_EQ(run_quoted({"rsvg-convert", "-o", rendered, folder + "/vector/" + stem + ".svg"}),
                  0);
        return rendered;
    }
    std::string pdf = folder + "/vector/" + stem + ".pdf";
    if (format == "--tikz") {
        std::ofstream document(folder + "/document.tex");
        // A page of the picture's size in bp (1/72 inch, as pdftoppm's 72
        // dpi) with the picture at its top left corner.
        document << "\\documentclass{article}\n\\usepackage{tikz}\n"
                 << "\\paperwidth=" << width << "bp \\paperheight=" << height << "bp\n"
                 << "\\hoffset=-1in \\voffset=-1in \\oddsidemargin=0pt \\topmargin=0pt\n"
                    "\\headheight=0pt \\headsep=0pt \\topskip=0pt\n"
                 << "\\textwidth=" << width << "bp \\textheight=" << height << "bp "
                 << "\\parindent=0pt\n"
                    "\\pagestyle{empty}\n"
                    "\\begin{document}\\input{vector/" << stem << ".tex}\\end{document}\n";
        document.close();
        const std::string command = "cd '" + folder +
                                    "' && pdflatex -interaction=batchmode document.tex >/dev/null";
        EXPECT_EQ(std::system(command.c_str()), 0) << "see " << folder << "/document.log";
        pdf = folder + "/document.pdf";
    }
    const std::string command = "pdftoppm -r 72" + aliasing + " -png -singlefile '" + pdf +
                                "' '" + folder + "/rendered'";
    EXPECT_EQ(std::system(command.c_str()), 0) << pdf;
    return rendered;
}

std::string expect_vector_file_matches_png(const std::string& exporter, const std::string& format,
                                           const std::vector<std::string>& options,
                                           const std::string& stem) {
    const std::string folder = make_temporary_folder();
    std::vector<std::string> vector_options = options;
    vector_options.push_back(format);
    EXPECT_EQ(std::system(export_command(exporter, options, folder + "/png").c_str()), 0);
    EXPECT_EQ(std::system(export_command(exporter, vector_options, folder + "/vector").c_str()), 0);
    std::vector<Uint32> expected;
    int width = 0;
    int height = 0;
    EXPECT_EQ(read_png(folder + "/png/" + stem + ".png", expected, width, height), "") << stem;
    const std::string rendered = render_vector_file(format, folder, stem, width, height, false);
    std::vector<Uint32> drawn;
    int drawn_width = 0;
    int drawn_height = 0;
    EXPECT_EQ(read_png(rendered, drawn, drawn_width, drawn_height), "") << format << " " << stem;
    EXPECT_EQ(std::make_pair(drawn_width, drawn_height), std::make_pair(width, height)) << stem;
    std::size_t differing = drawn.size() == expected.size() ? 0 : expected.size();
    for (std::size_t i = 0; i < drawn.size() && i < expected.size(); ++i) {
        differing += drawn[i] != expected[i];
    }
    EXPECT_EQ(differing, 0u) << format << " " << stem;
    const std::string extension = format == "--svg" ? ".svg" : format == "--pdf" ? ".pdf" : ".tex";
    std::ifstream in(folder + "/vector/" + stem + extension, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    remove_temporary_folder(folder);
    return text.str();
}

std::vector<ListedFigure> listed_figures(const std::string& exporter, int order,
                                         const std::string& options) {
    const std::string folder = make_temporary_folder();
    const std::string list = folder + "/list";
    EXPECT_EQ(std::system(("'" + exporter + "' --order " + std::to_string(order) + " --list " +
                           options + " >'" + list + "'")
                              .c_str()),
              0);
    std::ifstream in(list);
    std::string line;
    std::getline(in, line);
    EXPECT_EQ(line, "figure\tpage\tsteps\tflats\tpeaks\treturns\theight");
    std::vector<ListedFigure> figures;
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        ListedFigure figure{};
        std::string words;
        fields >> figure.number >> figure.page;
        fields.ignore(1);
        std::getline(fields, words, '\t');
        figure.path = steps(words);
        for (int& value : figure.stats) fields >> value;
        EXPECT_FALSE(fields.fail()) << line;
        figures.push_back(figure);
    }
    remove_temporary_folder(folder);
    return figures;
}

std::array<int, 4> statistics_of(const std::vector<StepKind>& path) {
    // Each path's rows after each step, then the four values read off them.
    std::array<int, 4> values{};
    std::vector<std::vector<int>> rows(1);
    for (const StepKind step : path) {
        if (step == StepKind::next_path) {
            rows.emplace_back();
            continue;
        }
        const int before = rows.back().empty() ? 0 : rows.back().back();
        rows.back().push_back(before + (step == StepKind::rise ? 1 : step == StepKind::fall ? -1 : 0));
    }
    for (std::size_t i = 0; i < path.size(); ++i) {
        values[0] += path[i] == StepKind::flat;
        values[1] += i + 1 < path.size() && path[i] == StepKind::rise && path[i + 1] == StepKind::fall;
    }
    for (const std::vector<int>& one : rows) {
        values[2] += static_cast<int>(std::count(one.begin(), one.end(), 0));
        values[3] += std::max(0, one.empty() ? 0 : *std::max_element(one.begin(), one.end()));
    }
    return values;
}

void expect_figure_cut_from_its_page(const std::string& exporter,
                                     const std::vector<std::string>& options,
                                     const std::string& figure, int page, int left, int top,
                                     int margin) {
    const std::string folder = make_temporary_folder();
    std::vector<std::string> figure_options = options;
    figure_options.insert(figure_options.end(), {"--figure", figure});
    EXPECT_EQ(std::system(export_command(exporter, options, folder + "/pages").c_str()), 0);
    EXPECT_EQ(std::system(export_command(exporter, figure_options, folder + "/figure").c_str()), 0);
    const std::vector<std::string> written = files_in(folder + "/figure");
    ASSERT_EQ(written.size(), 1u) << figure;
    const std::string stem = written[0].substr(0, written[0].find('.'));
    std::vector<Uint32> cut;
    std::vector<Uint32> whole;
    int width = 0;
    int height = 0;
    int page_width = 0;
    int page_height = 0;
    ASSERT_EQ(read_png(folder + "/figure/" + written[0], cut, width, height), "");
    ASSERT_EQ(read_png(folder + "/pages/page-" + std::to_string(page) + ".png", whole, page_width,
                       page_height),
              "");
    std::size_t differing = 0;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const bool in_margin =
                x < margin || y < margin || x >= width - margin || y >= height - margin;
            const int px = left + x - margin;
            const int py = top + y - margin;
            const Uint32 expected =
                in_margin ? 0xFFFFFFu : whole[static_cast<std::size_t>(py) * page_width + px];
            differing += cut[static_cast<std::size_t>(y) * width + x] != expected;
        }
    }
    EXPECT_EQ(differing, 0u) << figure << " against page " << page;
    // The crop is the outline's: the figure reaches the margin on each side.
    std::array<bool, 4> reached{};
    for (int y = margin; y < height - margin; ++y) {
        for (int x = margin; x < width - margin; ++x) {
            if (cut[static_cast<std::size_t>(y) * width + x] == 0xFFFFFFu) continue;
            reached[0] = reached[0] || x == margin;
            reached[1] = reached[1] || y == margin;
            reached[2] = reached[2] || x == width - margin - 1;
            reached[3] = reached[3] || y == height - margin - 1;
        }
    }
    EXPECT_EQ(reached, (std::array<bool, 4>{true, true, true, true})) << figure;
    expect_vector_file_matches_png(exporter, "--svg", figure_options, stem);
    expect_vector_file_matches_png(exporter, "--tikz", figure_options, stem);
    remove_temporary_folder(folder);
}
