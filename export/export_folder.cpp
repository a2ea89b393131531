#include "export_folder.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "messages.h"
#include "files.h"

namespace {
// A message quoting a path, with room for what it says of it.
using PathMessage = std::array<char, max_path_length + 100>;
}  // namespace

void make_export_folder(const char* folder) {
    std::array<char, folder_capacity> part{};
    std::snprintf(part.data(), part.size(), "%s", folder);
    // The name's zero lies within the array, so part[i] always does too.
    for (std::size_t i = 1; i < part.size() && part[i - 1] != '\0'; ++i) {
        const bool ends_a_part = part[i] == '\0' || (part[i] == '/' && part[i - 1] != '/');
        if (!ends_a_part) continue;
        const char kept = part[i];
        part[i] = '\0';
        const int error = make_folder(part.data());
        const char* why = error == 0 ? nullptr
                          : error == EEXIST ? why_not_a_folder(part.data())
                                            : std::strerror(error);
        // Something other than a folder on the way to it: the system's
        // own words, as for a path that goes through a file.
        if (why != nullptr && kept != '\0' && error == EEXIST) why = std::strerror(ENOTDIR);
        part[i] = kept;
        if (why != nullptr) {
            PathMessage what{};
            std::snprintf(what.data(), what.size(), "cannot use the folder %s", folder);
            fail(what.data(), why);
        }
    }
}

namespace {

// What remove_stale_pages is looking for and has found, for its callback.
const char* stale_folder = nullptr;
const char* stale_extension = nullptr;
int pages_kept = 0;
int first_stale_page = 0;
int last_stale_page = 0;
int stale_pages = 0;
void remove_if_stale(const char* name) {
    int number = 0;
    int length = 0;
    const char* extension = stale_extension;
    // "page-K.ext" exactly, K written as we write it.
    if (std::sscanf(name, "page-%9d.%n", &number, &length) != 1 || length == 0 ||
        number <= pages_kept || std::strcmp(name + length, extension) != 0) {
        return;
    }
    std::array<char, 32> ours{};
    std::snprintf(ours.data(), ours.size(), "page-%d.%s", number, extension);
    if (std::strcmp(ours.data(), name) != 0) return;
    PathMessage path{};
    std::snprintf(path.data(), path.size(), "%s/%s", stale_folder, name);
    if (remove_file(path.data()) != 0) return;
    first_stale_page = stale_pages == 0 ? number : std::min(first_stale_page, number);
    last_stale_page = std::max(last_stale_page, number);
    ++stale_pages;
}

}  // namespace

void remove_stale_pages(const char* folder, const char* extension, int last_page) {
    stale_folder = folder;
    stale_extension = extension;
    pages_kept = last_page;
    stale_pages = 0;
    last_stale_page = 0;
    list_folder(folder, remove_if_stale);
    if (stale_pages == 0) return;
    std::fprintf(stderr, "%s: removed %d page%s of an earlier export, numbered %d to %d\n",
                 program_name, stale_pages, stale_pages == 1 ? "" : "s", first_stale_page,
                 last_stale_page);
}

