// PNG: an image of the page's pixels, which is encoded by whoever holds
// them (the exporters with libpng, the explorer in the browser). Its mark
// is a text chunk "Software" ahead of the pixels.
#include <cstring>

#include "page_formats.h"

namespace {

// The chunk as written: its length, its type "tEXt", then the keyword, a
// zero and the text (its checksum follows).
int png_mark(FileMark& mark, const char* writer) {
    const int text =
        std::snprintf(mark.data() + 8, mark.size() - 8, "Software%c%s", '\0', writer);
    if (text < 0 || text + 8 >= static_cast<int>(mark.size())) return 0;
    mark[0] = mark[1] = '\0';
    mark[2] = static_cast<char>(text >> 8);
    mark[3] = static_cast<char>(text & 0xFF);
    std::memcpy(mark.data() + 4, "tEXt", 4);
    return text + 8;
}

}  // namespace

extern const PageFormat png_format = {
    "PNG",   "--png",   "png",   "image/png", "PNG pages of the colours each page holds (the default)",
    1,       nullptr,   png_mark, nullptr,
    // Browsers' canvases and most readers: 32,767 pixels a side, 2^28 in all.
    32767,   268435456, "browsers and most readers", 0};
