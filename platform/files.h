// Files and folders, for the exporters (the browser has none): one file a
// platform (files_posix.cpp, files_windows.cpp).
#pragma once

#include <cstdio>
#include <string>
#include <vector>

// The longest file name the exporters build, with its terminating zero.
constexpr int max_path_length = 4200;

// Makes a folder: 0, or the errno value (EEXIST when the name is taken).
int make_folder(const char* path);
// nullptr when `path` names a folder, else why not: "it exists and is not a
// folder", a link to nothing or one that loops, or the system's reason.
const char* why_not_a_folder(const char* path);
// The name of every entry of the folder into `names`; 0, or the errno
// value when the folder cannot be read.
int list_folder(const char* path, std::vector<std::string>& names);
// Removes a file: 0, or the errno value.
int remove_file(const char* path);
// What a folder's entry is, a link not followed.
enum class EntryKind { missing, file, link, folder, other };
EntryKind entry_kind(const char* path);
// Opens a regular file for binary reading, never through a link: nullptr
// for anything else.
std::FILE* open_plain_file(const char* path);

// Locks the folder for this process's writing: 0, or EWOULDBLOCK when
// another process holds its lock, or another errno value. The system drops
// the lock with the process, however it ends (on Linux flock on the folder
// itself; on Windows a lock file in it, opened exclusively and deleted on
// close), so no lock outlives its export.
int lock_folder(const char* path);

// Makes and opens for binary writing a new file in the folder of
// `name_template`; never an existing file or a link. Where the system can,
// the file has no name until finish_file gives it one (Linux's O_TMPFILE),
// so that no signal can leave it behind; elsewhere it is named from the
// template, whose trailing XXXXXX it fills in, and until it is finished or
// abandoned a stop signal removes it. The file gets the mode the user's
// files usually get. nullptr and errno set on failure, leaving nothing.
std::FILE* create_unique_file(char* name_template);
// Completes a file made by create_unique_file: writes out what its stream
// holds, closes it and gives it the name `to`, replacing any file there.
// 0, or the errno value, the file then gone under either name.
int finish_file(std::FILE* file, const char* name_template, const char* to);
// Closes and removes a file made by create_unique_file that will not be
// finished.
void abandon_file(std::FILE* file, const char* name_template);
