// The page as PNG, encoded in memory and written with our own fwrite, so
// that a failed write tells the system's reason.
#include <png.h>

#include <array>
#include <cerrno>
#include <cstring>

#include "page_writers.h"
#include "raster.h"

namespace {

constexpr std::size_t rgb_page_size = static_cast<std::size_t>(canvas_width) * canvas_height * 3;
std::array<png_byte, rgb_page_size> rgb_page{};
// Room for an incompressible page, with zlib's and PNG's overhead.
std::array<png_byte, rgb_page_size + rgb_page_size / 8 + 65536> png_page{};

}  // namespace

const char* write_png_page(std::FILE* file) {
    std::size_t at = 0;
    for (int y = 0; y < canvas_height; ++y) {
        for (int x = 0; x < canvas_width; ++x) {
            SDL_GetRGB(get_pixel(x, y), screen->format, &rgb_page[at], &rgb_page[at + 1],
                       &rgb_page[at + 2]);
            at += 3;
        }
    }
    // Static: the reason returned lives in it.
    static png_image image;
    image = png_image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = canvas_width;
    image.height = canvas_height;
    image.format = PNG_FORMAT_RGB;
    png_alloc_size_t size = png_page.size();
    if (png_image_write_to_memory(&image, png_page.data(), &size, 0, rgb_page.data(),
                                  canvas_width * 3, nullptr) == 0) {
        return image.message;
    }
    if (size > png_page.size()) return "the encoded page is larger than its buffer";
    if (std::fwrite(png_page.data(), 1, size, file) != size) return std::strerror(errno);
    return nullptr;
}
