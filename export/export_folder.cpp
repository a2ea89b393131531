#include "export_folder.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "files.h"
#include "messages.h"

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
        // Something other than a folder on the way to it: a file in the
        // system's own words, as for a path that goes through a file; a
        // link to nothing or one that loops named as such, with its name.
        std::string said = why != nullptr ? why : "";
        if (why != nullptr && kept != '\0' && error == EEXIST) {
            said = entry_kind(part.data()) == EntryKind::link && said.rfind("it ", 0) == 0
                       ? std::string(part.data()) + said.substr(2)
                       : std::strerror(ENOTDIR);
        }
        part[i] = kept;
        if (why != nullptr) {
            PathMessage what{};
            std::snprintf(what.data(), what.size(), "cannot use the folder %s", folder);
            fail(what.data(), said.c_str());
        }
    }
    const int error = lock_folder(folder);
    if (error == EACCES) {
        // A folder one may write into but not read (mode 333) cannot be
        // opened to be locked; the export goes on, said to be unguarded.
        std::fprintf(stderr, "%s: warning: cannot lock the folder ", program_name);
        print_escaped(stderr, folder);
        std::fprintf(stderr, " (%s): another export into it at the same time would not be "
                             "refused\n", std::strerror(error));
    } else if (error != 0) {
        PathMessage what{};
        std::snprintf(what.data(), what.size(), "cannot write into the folder %s", folder);
        fail(what.data(), error == EWOULDBLOCK ? "another export is writing into it"
                                               : std::strerror(error));
    }
}

namespace {

// What remove_stale_pages is looking for and has found.
struct StaleSearch {
    const char* folder;
    const PageFormat& format;
    const char* writer;
    int pages_kept;
    int first = 0;
    int last = 0;
    int removed = 0;
};

// Whether the plain file at `path` carries the writer's mark.
bool carries_our_mark(const StaleSearch& search, const char* path) {
    std::FILE* file = open_plain_file(path);
    if (file == nullptr) return false;
    std::array<char, mark_reach> start{};
    const std::size_t read = std::fread(start.data(), 1, start.size(), file);
    std::fclose(file);
    FileMark mark{};
    const int length = search.format.mark(mark, search.writer);
    return length > 0 && std::search(start.begin(), start.begin() + read, mark.begin(),
                                     mark.begin() + length) != start.begin() + read;
}

void say_kept(const char* path, const char* why) {
    std::fprintf(stderr, "%s: kept ", program_name);
    print_escaped(stderr, path);
    std::fprintf(stderr, ", named like a page past the last one: %s\n", why);
}

void remove_if_stale(StaleSearch& search, const char* name) {
    int number = 0;
    int length = 0;
    const char* extension = search.format.extension;
    // "page-K.ext" exactly, K written as we write it.
    if (std::sscanf(name, "page-%9d.%n", &number, &length) != 1 || length == 0 ||
        number <= search.pages_kept || std::strcmp(name + length, extension) != 0) {
        return;
    }
    std::array<char, 32> ours{};
    std::snprintf(ours.data(), ours.size(), "page-%d.%s", number, extension);
    if (std::strcmp(ours.data(), name) != 0) return;
    PathMessage path{};
    join_path(path.data(), path.size(), search.folder, name);
    switch (entry_kind(path.data())) {
        case EntryKind::missing: return;
        case EntryKind::link: say_kept(path.data(), "it is a symbolic link"); return;
        case EntryKind::folder: say_kept(path.data(), "it is a folder"); return;
        case EntryKind::other: say_kept(path.data(), "it is not a plain file"); return;
        case EntryKind::file: break;
    }
    if (!carries_our_mark(search, path.data())) {
        std::array<char, 80> why{};
        std::snprintf(why.data(), why.size(), "%s did not write it", search.writer);
        say_kept(path.data(), why.data());
        return;
    }
    if (const int error = remove_file(path.data()); error != 0) {
        say_kept(path.data(), std::strerror(error));
        return;
    }
    search.first = search.removed == 0 ? number : std::min(search.first, number);
    search.last = std::max(search.last, number);
    ++search.removed;
}

}  // namespace

void join_path(char* path, std::size_t size, const char* folder, const char* name) {
    std::size_t length = std::strlen(folder);
    while (length > 1 && folder[length - 1] == '/') --length;
    const bool slash = length > 0 && folder[length - 1] == '/';  // the root itself
    std::snprintf(path, size, "%.*s%s%s", static_cast<int>(length), folder, slash ? "" : "/",
                  name);
}

void remove_stale_pages(const char* folder, const PageFormat& format, int last_page,
                        const char* writer) {
    StaleSearch search{folder, format, writer, last_page};
    std::vector<std::string> names;
    if (const int error = list_folder(folder, names); error != 0) {
        std::fprintf(stderr, "%s: warning: could not look for pages of an earlier export past "
                             "page %d in ", program_name, last_page);
        print_escaped(stderr, folder);
        std::fprintf(stderr, " (%s); any there were kept\n", std::strerror(error));
    }
    for (const std::string& name : names) remove_if_stale(search, name.c_str());
    if (search.removed == 0) return;
    std::fprintf(stderr, "%s: removed %d page%s of an earlier export, numbered %d to %d\n",
                 program_name, search.removed, search.removed == 1 ? "" : "s", search.first,
                 search.last);
}
