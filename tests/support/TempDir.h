// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A directory under the system temporary directory that exists for the lifetime of
// the object and is removed with everything in it afterwards.
#include <filesystem>

class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(const std::filesystem::path& child) const { return path_ / child; }

private:
    std::filesystem::path path_;
};
