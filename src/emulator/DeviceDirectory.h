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

#include <chrono>
#include <condition_variable>
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

    // First use: when the directory does not exist, creates it (readable by the
    // user alone) with one attached current-generation mouse in factory state. An
    // existing directory is left as it is (also when nothing in it is attached).
    // False, with `error` set and nothing created, when the path is not a
    // directory of this user (see CheckOwnership).
    bool EnsureInitialised(std::string& error) const;

    // True when the path is a directory owned by the user this process runs as; a
    // directory another user controls could steer our files anywhere. False with
    // `error` saying why otherwise (also when it does not exist).
    bool CheckOwnership(std::string& error) const;

    // Empty when the directory can be written, else what to tell a person.
    std::string WhyNotWritable() const;

    // Removes what writers killed mid-store left behind: only the temporary names
    // this directory's own files are written through. Returns how many went.
    size_t RemoveAbandonedTemporaries() const;

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
    enum class Purpose { Read, Change };
    enum class Outcome {
        Held,        // the lock is ours until the destructor
        Unlocked,    // a read in a directory nobody can write: no lock needed, none taken
        Busy,        // another holder kept it for the whole wait
        ReadOnly,    // a change, but the lock file cannot be created or written
        Unavailable, // the lock file cannot be opened (the directory is gone, a link is planted)
    };

    // Waits at most `timeout` for the device (between threads and between
    // processes); a holder that stopped never makes anyone wait for ever. The
    // lock file is never followed through a symbolic link.
    DeviceLock(const DeviceDirectory& directory, uint32_t productId, std::chrono::milliseconds timeout,
               Purpose purpose = Purpose::Change);
    ~DeviceLock();
    DeviceLock(const DeviceLock&) = delete;
    DeviceLock& operator=(const DeviceLock&) = delete;

    // Whether the caller may go on: held, or a read that needs no lock.
    bool ok() const { return outcome_ == Outcome::Held || outcome_ == Outcome::Unlocked; }
    Outcome outcome() const { return outcome_; }
    // What a person is told when the lock was not taken.
    const std::string& error() const { return error_; }

private:
    // Between the threads of this process: a gate per lock file (a mutex and a
    // condition, so that the wait can be bounded).
    struct ThreadGate {
        std::mutex mutex;
        std::condition_variable freed;
        bool held = false;
    };
    static ThreadGate& GateFor(const std::filesystem::path& lockPath);
    ThreadGate* gate_ = nullptr; // set while this object holds it
    int fd_ = -1;
    Outcome outcome_ = Outcome::Unavailable;
    std::string error_;
};

} // namespace emulator
