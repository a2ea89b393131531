#include "page_formats.h"

#include <cerrno>
#include <cstring>

#include "page_record.h"

const std::array<const PageFormat*, page_format_count> page_formats = {
    &png_format,
    &svg_format,
    &tikz_format,
};

const char* write_recorded_file(const PageFormat& format, std::FILE* file,
                                const Written& written) {
    const char* why = page_record_overflowed() ? "more boxes than a page can hold"
                      : format.write == nullptr ? "the format has no writer of its own"
                                                : format.write(file, written);
    return std::ferror(file) != 0 ? std::strerror(errno) : why;
}
