// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Whole-file reads and crash-safe replacement of small files.
#include <filesystem>
#include <optional>
#include <set>
#include <string>
#include <string_view>

// The file's bytes, or nullopt with `error` set when it cannot be read, is not
// a regular file or is larger than `maxBytes`.
std::optional<std::string> ReadWholeFile(const std::filesystem::path& path, size_t maxBytes, std::string& error);

// Who may read a file that WriteFileAtomically creates. A file that exists already
// keeps its own permission bits (and, where the system allows, its owner and group).
enum class NewFileAccess {
    Private, // 0600: the user's data (device memory, exported profiles and macros)
    Shared,  // 0644 less the umask: build products and other public files
};

// Replaces the file with `contents` so that a crash at any point leaves either
// the old or the new file: write a temporary file beside it, flush it to disk,
// rename it over the old one, flush the directory. On failure the old file is
// untouched and `error` says why. Hard links to the old file keep the old contents.
bool WriteFileAtomically(const std::filesystem::path& path, std::string_view contents, std::string& error,
                         NewFileAccess access = NewFileAccess::Private);

// Removes the temporary files that WriteFileAtomically left in `directory` when
// the process writing them died before its rename: exactly "<file>.tmp.<pid>.<n>"
// for a `<file>` in `targets`, a gone writer and a regular file of this user.
// A running process's files are kept, as is anything else. Returns how many went;
// a directory that cannot be read gives 0.
size_t RemoveAbandonedTemporaries(const std::filesystem::path& directory, const std::set<std::string>& targets);

// Test hook: the next WriteFileAtomically stops after the temporary file is on
// disk and before the rename, as a crash there would, and reports failure.
void StopNextWriteBeforeRename();
