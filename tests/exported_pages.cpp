#include "exported_pages.h"

#include <gtest/gtest.h>
#include <png.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <sstream>

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
                                 const SDL_PixelFormat* format,
                                 const std::string& format_option) {
    const ExportRun run = run_exporter(exporter, {}, "/dev/null", format_option);
    ASSERT_EQ(run.status, 0) << run.errors;
    const bool svg = format_option == "--svg";
    const std::string extension = svg ? ".svg" : ".png";
    std::vector<std::string> expected_names;
    for (std::size_t page = 1; page <= pages.size(); ++page)
        expected_names.push_back("page-" + std::to_string(page) + extension);
    std::sort(expected_names.begin(), expected_names.end());
    EXPECT_EQ(files_in(run.folder), expected_names);

    for (std::size_t page = 0; page < pages.size(); ++page) {
        std::string path = run.folder + "/page-" + std::to_string(page + 1) + extension;
        if (svg) {
            const std::string svg_path = path;
            path += ".png";
            EXPECT_EQ(run_quoted({"xmllint", "--noout", svg_path}), 0) << svg_path;
            ASSERT_EQ(run_quoted({"rsvg-convert", "-o", path, svg_path}), 0) << svg_path;
        }
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
        }
        EXPECT_EQ(differing, 0u) << "pixels differ on page " << page + 1;
    }
    remove_temporary_folder(run.temporary);
}

std::string expect_vector_page_matches_png(const std::string& exporter, const std::string& format,
                                           int order, int page) {
    const std::string folder = make_temporary_folder();
    const std::string order_text = std::to_string(order);
    const std::string name = "page-" + std::to_string(page);
    EXPECT_EQ(run_quoted({exporter, "--order", order_text, folder + "/png"}), 0);
    EXPECT_EQ(run_quoted({exporter, format, "--order", order_text, folder + "/vector"}), 0);
    const std::string rendered = folder + "/rendered.png";
    std::string vector_page;
    if (format == "--svg") {
        vector_page = folder + "/vector/" + name + ".svg";
        EXPECT_EQ(run_quoted({"rsvg-convert", "-o", rendered, vector_page}), 0);
    } else {
        vector_page = folder + "/vector/" + name + ".tex";
        std::ofstream document(folder + "/document.tex");
        // An 800 x 600 bp page (bp: 1/72 inch, as pdftoppm's 72 dpi) with
        // the picture at its top left corner.
        document << "\\documentclass{article}\n\\usepackage{tikz}\n"
                    "\\paperwidth=800bp \\paperheight=600bp\n"
                    "\\hoffset=-1in \\voffset=-1in \\oddsidemargin=0pt \\topmargin=0pt\n"
                    "\\headheight=0pt \\headsep=0pt \\topskip=0pt\n"
                    "\\textwidth=800bp \\textheight=600bp \\parindent=0pt\n"
                    "\\pagestyle{empty}\n"
                    "\\begin{document}\\input{vector/" << name << ".tex}\\end{document}\n";
        document.close();
        const std::string command = "cd '" + folder +
                                    "' && pdflatex -interaction=batchmode document.tex >/dev/null"
                                    " && pdftoppm -r 72 -aa no -aaVector no -png -singlefile"
                                    " document.pdf rendered";
        EXPECT_EQ(std::system(command.c_str()), 0) << "see " << folder << "/document.log";
    }
    std::vector<Uint32> expected;
    std::vector<Uint32> drawn;
    int width = 0;
    int height = 0;
    EXPECT_EQ(read_png(folder + "/png/" + name + ".png", expected, width, height), "");
    EXPECT_EQ(read_png(rendered, drawn, width, height), "") << format << " order " << order;
    EXPECT_EQ(width, canvas_width);
    EXPECT_EQ(height, canvas_height);
    std::size_t differing = drawn.size() == expected.size() ? 0 : expected.size();
    for (std::size_t i = 0; i < drawn.size() && i < expected.size(); ++i) {
        differing += drawn[i] != expected[i];
    }
    EXPECT_EQ(differing, 0u) << format << " order " << order << " " << name;
    std::ifstream in(vector_page);
    std::ostringstream text;
    text << in.rdbuf();
    remove_temporary_folder(folder);
    return text.str();
}
