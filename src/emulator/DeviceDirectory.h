// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The device directory: one memory image per product ("0031.device") and, for
// each attached product, an attachment file ("0031.attached") holding a token
// that changes with every plug. Other processes (the command-line tool) plug,
// unplug and change devices by the same files, so everything here re-reads the
// files; only decoded images are kept, and only while their file is provably
// unchanged (ImageCache). `DeviceLock` serialises changes to one device
// between threads (a mutex) and between processes (flock on "0031.lock").
#include "emulator/DeviceImage.h"

#include <filesystem>
#include <fstream>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace emulator {

struct AttachedDevice {
    uint32_t productId = 0;
    std::string token;
};

class DeviceDirectory {
public:
    explicit DeviceDirectory(std::filesystem::path directory);

    const std::filesystem::path& path() const { return directory_; }
    std::filesystem::path ImagePath(uint32_t productId) const;
    std::filesystem::path AttachPath(uint32_t productId) const;
    std::filesystem::path LockPath(uint32_t productId) const;
    // The lock of write sessions ("0031.session", see SessionLock).
    std::filesystem::path SessionPath(uint32_t productId) const;

    // First use: when the directory does not exist, creates it with one attached
    // current-generation mouse in factory state. An existing directory is left
    // as it is (also when nothing in it is attached).
    bool EnsureInitialised(std::string& error) const;

    // Attached products in enumeration order.
    std::vector<AttachedDevice> Attached() const;
    std::optional<std::string> AttachToken(uint32_t productId) const;
    bool HasImage(uint32_t productId) const;

    // Plugging a product without an image gives it a factory image first.
    // Plugging an attached product or unplugging a detached one changes nothing
    // and succeeds.
    bool Plug(uint32_t productId, std::string& error) const;
    bool Unplug(uint32_t productId, std::string& error) const;

    // Callers hold a DeviceLock for the product around a load-change-save.
    std::optional<DeviceImage> LoadImage(uint32_t productId, std::string& error) const;
    bool SaveImage(const DeviceImage& image, std::string& error) const;

private:
    std::filesystem::path directory_;
};

class DeviceLock {
public:
    DeviceLock(const DeviceDirectory& directory, uint32_t productId);
    ~DeviceLock();
    DeviceLock(const DeviceLock&) = delete;
    DeviceLock& operator=(const DeviceLock&) = delete;

    bool ok() const { return fd_ >= 0; }

private:
    std::unique_lock<std::mutex> threadLock_;
    int fd_ = -1;
};

} // namespace emulator
