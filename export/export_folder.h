// The folder the exporters write into: made whole, and kept free of pages
// left by an earlier, larger export.
#pragma once

#include <cstddef>

#include "files.h"

// The longest path the system takes (PATH_MAX on Linux, its zero counted),
// and the longest name of a file in the folder, "/.figure-2147483647.png.
// XXXXXX": a folder's name must leave room for it.
constexpr std::size_t longest_path = 4096;
constexpr std::size_t longest_page_name = 30;
constexpr std::size_t folder_capacity = longest_path - longest_page_name;
static_assert(longest_path <= max_path_length);

// Makes the folder, and any folders it is in that are missing; a folder
// that cannot be made, or a name that is not a folder, stops the program
// with one line that says why, and status 1.
void make_export_folder(const char* folder);
// Removes the folder's FOLDER/page-K.EXTENSION past `last_page`, left by an
// earlier and larger export in the same format, and says so in one line.
void remove_stale_pages(const char* folder, const char* extension, int last_page);
