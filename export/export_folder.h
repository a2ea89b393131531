// The folder the exporters write into: made whole, locked while they
// write, and kept free of pages they wrote in an earlier, larger export.
#pragma once

#include <cstddef>

#include "files.h"
#include "page_formats.h"

// The longest path the system takes (PATH_MAX on Linux, its zero counted),
// and the longest name of a file in the folder, a figure's number or a
// seed of 21 digits or fewer in "/.figure-NUMBER.png.XXXXXX": a folder's
// name must leave room for it.
constexpr std::size_t longest_path = 4096;
constexpr std::size_t longest_page_name = 48;
constexpr std::size_t folder_capacity = longest_path - longest_page_name;
static_assert(longest_path <= max_path_length);

// Makes the folder, and any folders it is in that are missing, and locks
// it for this export: a folder that cannot be made, a name that is not a
// folder, or one that another export is still writing into stops the
// program with one line that says why, and status 1, having written
// nothing.
void make_export_folder(const char* folder);
// Removes the folder's FOLDER/page-K.EXT past `last_page` that `writer`
// (this program) wrote in an earlier and larger export in the same format:
// plain files that carry its mark (PageFormat::mark). Anything else named
// so is kept, each with a line that says why; so are all of them, with a
// line, when the folder cannot be read.
void remove_stale_pages(const char* folder, const PageFormat& format, int last_page,
                        const char* writer);
// FOLDER/NAME into `path` (of `size` bytes), with one slash between them
// however many the folder's name ends with.
void join_path(char* path, std::size_t size, const char* folder, const char* name);
