// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Files of profiles on disk. The program keeps a profile's own file only in the save
// directory; files the user imports from or exports to are the user's and are never
// removed by the program.
#include <string>
#include <string_view>

// Removes `path` only when it is a regular file (not a link, not a folder) with the
// profile extension directly inside `saveDirectory`; false, and nothing removed, for
// any other path or when removing fails.
bool RemoveKeptProfileFile(std::u16string_view path, std::u16string_view saveDirectory, std::u16string_view extension);

// Whether `path` names a file that can be read as a profile file at all: it exists, is
// a regular file (following links) and can be opened for reading.
bool IsReadableFile(std::u16string_view path);
// Whether a profile can be written to `path`: it is not a folder and its folder exists.
bool IsWritableFilePath(std::u16string_view path);
