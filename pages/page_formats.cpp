#include "page_formats.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <string>

#include "page_format_table.h"

std::vector<const PageFormat*> page_formats() {
    std::vector<const PageFormat*> formats(page_format_table.begin(), page_format_table.end());
    std::sort(formats.begin(), formats.end(),
              [](const PageFormat* a, const PageFormat* b) { return a->listed < b->listed; });
    return formats;
}

const PageFormat& default_page_format() { return *page_formats().front(); }

std::string size_refused(const PageFormat& format, int width, int height) {
    const long long area = static_cast<long long>(width) * height;
    if (width <= format.largest_side && height <= format.largest_side &&
        (format.largest_area == 0 || area <= format.largest_area)) {
        return "";
    }
    std::string why = std::string("a ") + format.label + " of " + std::to_string(width) + " x " +
                      std::to_string(height) + " passes ";
    why += width > format.largest_side || height > format.largest_side
               ? "the largest side, " + std::to_string(format.largest_side) + ","
               : "the largest area, " + std::to_string(format.largest_area) + ",";
    return why + " that " + format.limit_of + " take";
}

std::string dominoes_refused(const PageFormat& format, long long dominoes) {
    if (format.largest_dominoes == 0 || dominoes <= format.largest_dominoes) return "";
    return std::string("a ") + format.label + " file of " + std::to_string(dominoes) +
           " dominoes passes the most it holds, " + std::to_string(format.largest_dominoes);
}

const char* write_page_file(const PageFormat& format, std::FILE* file, const FilePage& page) {
    const char* why =
        format.write == nullptr ? "the format has no writer of its own" : format.write(file, page);
    return std::ferror(file) != 0 ? std::strerror(errno) : why;
}
