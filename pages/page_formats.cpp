#include "page_formats.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "page_format_table.h"

std::vector<const PageFormat*> page_formats() {
    std::vector<const PageFormat*> formats(page_format_table.begin(), page_format_table.end());
    std::sort(formats.begin(), formats.end(),
              [](const PageFormat* a, const PageFormat* b) { return a->listed < b->listed; });
    return formats;
}

const PageFormat& default_page_format() { return *page_formats().front(); }

const char* write_page_file(const PageFormat& format, std::FILE* file, const FilePage& page) {
    const char* why =
        format.write == nullptr ? "the format has no writer of its own" : format.write(file, page);
    return std::ferror(file) != 0 ? std::strerror(errno) : why;
}
