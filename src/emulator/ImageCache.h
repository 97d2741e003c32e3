// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Decoded device images of this process, so that a call does not read and parse
// the whole image file again while the file is unchanged. Another process (the
// command-line tool, a second program) may change an image at any time, so an
// entry is trusted only while inotify reports nothing about its file and the
// file is still the same one (device, inode, size, modification and change
// times). Where the directory cannot be watched, nothing is cached.
#include "emulator/DeviceImage.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

namespace emulator {

class ImageCache {
public:
    using Decode = std::function<std::optional<DeviceImage>(std::string& error)>;

    // The process-wide cache (all device directories).
    static ImageCache& Instance();

    // The image stored in `path`: the cached copy while the file is unchanged,
    // else what `decode` makes of the file now (remembered when it succeeds and
    // the file did not change while it ran). A failed decode is never cached.
    std::optional<DeviceImage> Load(const std::filesystem::path& path, const Decode& decode, std::string& error);

    // Drops every entry (the next load of each image decodes its file again).
    void Clear();

    // How often Load had to decode a file; for measurements and tests.
    uint64_t Decodes() const;

    ImageCache(const ImageCache&) = delete;
    ImageCache& operator=(const ImageCache&) = delete;

private:
    ImageCache();
    ~ImageCache();

    struct Impl;
    Impl* impl_;
};

} // namespace emulator
