// The export pager: draws every page off screen and writes it as
// FOLDER/page-N.png instead of showing it; nothing waits for the user.
#include <png.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "canvas.h"

namespace {

std::array<char, 4096> export_folder{};
int pages_written = 0;
bool progress_on_terminal = false;
// rw-r--r-- as the umask allows, like any file the user makes.
mode_t page_mode = 0644;
SDL_Surface* page_surface = nullptr;
// One page as 8-bit RGB, for the PNG encoder.
std::array<png_byte, static_cast<std::size_t>(canvas_width) * canvas_height * 3> rgb_page{};

void make_folder() {
    if (mkdir(export_folder.data(), 0777) == 0) return;
    const int error = errno;
    struct stat info {};
    if (error == EEXIST && stat(export_folder.data(), &info) == 0 && S_ISDIR(info.st_mode)) return;
    const char* why = error == EEXIST ? "it exists and is not a folder" : std::strerror(error);
    std::array<char, 4200> what{};
    std::snprintf(what.data(), what.size(), "cannot use the folder %s", export_folder.data());
    fail(what.data(), why);
}

[[noreturn]] void fail_to_write(const char* path, const char* why) {
    std::array<char, 4300> what{};
    std::snprintf(what.data(), what.size(), "cannot write %s", path);
    fail(what.data(), why);
}

// Removes the unfinished page and stops with the reason.
[[noreturn]] void abandon_page(const char* partial, const char* path, const char* why) {
    std::remove(partial);
    fail_to_write(path, why);
}

// The page is written to a fresh temporary file in the folder and renamed
// once complete, so a page-N.png is never a partial file. mkstemp makes the
// file itself (O_EXCL): it follows no link planted at the name, and two
// exporters into one folder never share a temporary file.
void write_page() {
    ++pages_written;
    std::array<char, 4200> path{};
    std::array<char, 4200> partial{};
    std::snprintf(path.data(), path.size(), "%s/page-%d.png", export_folder.data(), pages_written);
    std::snprintf(partial.data(), partial.size(), "%s/.page-%d.png.XXXXXX", export_folder.data(),
                  pages_written);

    std::size_t at = 0;
    for (int y = 0; y < canvas_height; ++y) {
        for (int x = 0; x < canvas_width; ++x) {
            SDL_GetRGB(get_pixel(x, y), screen->format, &rgb_page[at], &rgb_page[at + 1],
                       &rgb_page[at + 2]);
            at += 3;
        }
    }
    const int fd = mkstemp(partial.data());
    if (fd < 0) {
        const int error = errno;
        fail_to_write(path.data(), std::strerror(error));
    }
    // mkstemp's 0600 would hide the pages from everyone else.
    fchmod(fd, page_mode);
    FILE* file = fdopen(fd, "wb");
    if (file == nullptr) {
        const int error = errno;
        close(fd);
        abandon_page(partial.data(), path.data(), std::strerror(error));
    }
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = canvas_width;
    image.height = canvas_height;
    image.format = PNG_FORMAT_RGB;
    if (png_image_write_to_stdio(&image, file, 0, rgb_page.data(), canvas_width * 3, nullptr) ==
        0) {
        std::fclose(file);
        abandon_page(partial.data(), path.data(), image.message);
    }
    // A full disk may only show when the last bytes are written out.
    if (std::fclose(file) != 0) {
        const int error = errno;
        abandon_page(partial.data(), path.data(), std::strerror(error));
    }
    if (std::rename(partial.data(), path.data()) != 0) {
        const int error = errno;
        abandon_page(partial.data(), path.data(), std::strerror(error));
    }
    // On a terminal the progress line is rewritten in place.
    std::fprintf(stderr, "%s%s: wrote page %d to %s%s", progress_on_terminal ? "\r" : "",
                 program_name, pages_written, path.data(), progress_on_terminal ? "" : "\n");
    std::fflush(stderr);
}

}  // namespace

void set_export_folder(const char* folder) {
    const int length = std::snprintf(export_folder.data(), export_folder.size(), "%s", folder);
    if (length <= 0 || static_cast<std::size_t>(length) >= export_folder.size()) {
        fail("cannot use the folder", "its name is empty or too long");
    }
}

void open_display() {
    make_folder();
    pages_written = 0;
    progress_on_terminal = isatty(fileno(stderr)) != 0;
    const mode_t mask = umask(0);
    umask(mask);
    page_mode = 0666 & ~mask;
    if (page_surface == nullptr) {
        page_surface = SDL_CreateRGBSurface(SDL_SWSURFACE, canvas_width, canvas_height,
                                            canvas_depth, 0x00FF0000, 0x0000FF00, 0x000000FF, 0);
    }
    if (!select_canvas(page_surface)) fail("cannot make an off-screen page", SDL_GetError());
    clear_canvas();
}

void show_page() {
    write_page();
    clear_canvas();
}

void finish_display() {
    write_page();
    if (progress_on_terminal) std::fprintf(stderr, "\n");
}
