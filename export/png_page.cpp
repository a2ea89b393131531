// The page as a 4-bit palette PNG where it holds 16 colours or fewer (a page
// in screen style holds six at most), so each pixel is a 4-bit index into
// the colours it holds, six times less to compress than 24-bit RGB, and no
// filter to choose, since palette rows gain nothing from one; as 24-bit RGB
// where it holds more (anti-aliased edges in paper style).
#include <png.h>

#include <array>
#include <cerrno>
#include <csetjmp>
#include <cstring>
#include <vector>

#include "canvas.h"
#include "png_page.h"

namespace {

constexpr int max_colours = 16;  // what 4 bits can index
// zlib's fastest level, with its usual matching. Measured on diamond order
// 7: level 6 halves the files but takes 1.5 times as long as level 1 (and
// level 9 three times); run-length matching alone (Z_RLE) makes files 2.5
// times larger for no gain in time.
constexpr int compression_level = 1;
constexpr int compression_strategy = 0;  // Z_DEFAULT_STRATEGY

struct PngWrite {
    std::FILE* file;
    const char* why;  // the reason for a failure, when libpng stops
};

void write_bytes(png_structp png, png_bytep bytes, png_size_t count) {
    auto* write = static_cast<PngWrite*>(png_get_io_ptr(png));
    if (std::fwrite(bytes, 1, count, write->file) != count) {
        write->why = std::strerror(errno);
        png_error(png, "write failed");
    }
}

void flush_nothing(png_structp /*png*/) {}

void stop_on_error(png_structp png, png_const_charp message) {
    auto* write = static_cast<PngWrite*>(png_get_error_ptr(png));
    if (write->why == nullptr) write->why = message;
    png_longjmp(png, 1);
}

void ignore_warning(png_structp /*png*/, png_const_charp /*message*/) {}

// The colours the pixels hold, in order of first appearance, and each
// row's pixels as indices into them, two to a byte.
struct Indexed {
    std::array<Colour, max_colours> colours{};
    int colour_count = 0;
    std::vector<png_byte> indices;
};

// The index of `colour`, taken among the colours so far; -1 when there is
// no room for another.
int index_of(Indexed& image, Colour colour) {
    for (int i = 0; i < image.colour_count; ++i) {
        if (image.colours[static_cast<std::size_t>(i)] == colour) return i;
    }
    if (image.colour_count == max_colours) return -1;
    image.colours[static_cast<std::size_t>(image.colour_count)] = colour;
    return image.colour_count++;
}

// False when the pixels hold more colours than 4 bits can index. Pixels
// come in runs of one colour, so the last one's index is kept at hand.
bool index_pixels(Indexed& image, int width, int height, std::size_t row_bytes) {
    image.colour_count = 0;
    image.indices.assign(row_bytes * static_cast<std::size_t>(height), 0);
    Colour last_colour = canvas_row(0)[0];
    int last = index_of(image, last_colour);
    const auto index = [&image, &last_colour, &last](Colour colour) {
        if (colour != last_colour) {
            last_colour = colour;
            last = index_of(image, colour);
        }
        return last;
    };
    for (int y = 0; y < height; ++y) {
        png_byte* row = &image.indices[static_cast<std::size_t>(y) * row_bytes];
        const Colour* pixels = canvas_row(y);
        int x = 0;
        for (; x + 1 < width; x += 2) {
            if (pixels[x] == last_colour && pixels[x + 1] == last_colour) {
                row[x / 2] = static_cast<png_byte>((last & 0xF) << 4 | (last & 0xF));
                continue;
            }
            const int high = index(pixels[x]);
            const int low = index(pixels[x + 1]);
            if (high < 0 || low < 0) return false;
            row[x / 2] = static_cast<png_byte>((high & 0xF) << 4 | (low & 0xF));
        }
        if (x < width) {
            const int high = index(pixels[x]);
            if (high < 0) return false;
            row[x / 2] = static_cast<png_byte>((high & 0xF) << 4);
        }
    }
    return true;
}

}  // namespace

namespace {

// The image as its rows are written: 4-bit indices into a palette, or
// 8-bit red, green and blue.
struct Rows {
    const png_byte* bytes;
    std::size_t row_bytes;
    const png_color* palette;  // nullptr for RGB
    int colour_count;
};

// Only plain values live in this frame, so libpng may jump back to it.
const char* encode(std::FILE* file, int width, int height, const char* writer, const Rows& rows) {
    PngWrite write{file, nullptr};
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &write, stop_on_error,
                                              ignore_warning);
    if (png == nullptr) return "libpng could not start";
    png_infop info = png_create_info_struct(png);
    if (info == nullptr || setjmp(png_jmpbuf(png)) != 0) {
        png_destroy_write_struct(&png, &info);
        return write.why != nullptr ? write.why : "libpng could not start";
    }
    png_set_write_fn(png, &write, write_bytes, flush_nothing);
    const bool indexed = rows.palette != nullptr;
    png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height),
                 indexed ? 4 : 8, indexed ? PNG_COLOR_TYPE_PALETTE : PNG_COLOR_TYPE_RGB,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    if (indexed) png_set_PLTE(png, info, rows.palette, rows.colour_count);
    // The writer's mark, ahead of the pixels (page_formats.h).
    std::array<char, 16> keyword{"Software"};
    png_text mark{};
    mark.compression = PNG_TEXT_COMPRESSION_NONE;
    mark.key = keyword.data();
    mark.text = const_cast<char*>(writer);
    png_set_text(png, info, &mark, 1);
    if (indexed) {
        png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_NONE);
        // Every index is below colour_count by construction; libpng's check
        // of each one would cost a fifth of the time.
        png_set_check_for_invalid_index(png, 0);
    }
    png_set_compression_level(png, compression_level);
    png_set_compression_strategy(png, compression_strategy);
    png_write_info(png, info);
    for (int y = 0; y < height; ++y) {
        png_write_row(png, rows.bytes + static_cast<std::size_t>(y) * rows.row_bytes);
    }
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return nullptr;
}

}  // namespace

const char* write_png_page(std::FILE* file, int width, int height, const char* writer) {
    Indexed image;
    const std::size_t index_row_bytes = (static_cast<std::size_t>(width) + 1) / 2;
    if (index_pixels(image, width, height, index_row_bytes)) {
        std::array<png_color, max_colours> plte{};
        for (int i = 0; i < image.colour_count; ++i) {
            png_color& entry = plte[static_cast<std::size_t>(i)];
            SDL_GetRGB(image.colours[static_cast<std::size_t>(i)], screen->format, &entry.red,
                       &entry.green, &entry.blue);
        }
        return encode(file, width, height, writer,
                      {image.indices.data(), index_row_bytes, plte.data(), image.colour_count});
    }
    image.indices.clear();
    const std::size_t rgb_row_bytes = 3 * static_cast<std::size_t>(width);
    std::vector<png_byte> rgb(rgb_row_bytes * static_cast<std::size_t>(height));
    for (int y = 0; y < height; ++y) {
        const Colour* pixels = canvas_row(y);
        png_byte* row = &rgb[static_cast<std::size_t>(y) * rgb_row_bytes];
        for (int x = 0; x < width; ++x) {
            png_byte* rgb_of_x = row + 3 * static_cast<std::size_t>(x);
            SDL_GetRGB(pixels[x], screen->format, &rgb_of_x[0], &rgb_of_x[1], &rgb_of_x[2]);
        }
    }
    return encode(file, width, height, writer, {rgb.data(), rgb_row_bytes, nullptr, 0});
}
