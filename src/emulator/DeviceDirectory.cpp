// SPDX-License-Identifier: GPL-3.0-or-later
#include "emulator/DeviceDirectory.h"

#include "emulator/EmulatedDeviceServer.h"
#include "emulator/FaultState.h"
#include "emulator/ImageCache.h"
#include "emulator/ImageCodec.h"
#include "platform/com/SystemRandom.h"
#include "platform/core/AtomicFile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <map>
#include <set>
#include <sys/file.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace emulator {

namespace {

std::string ProductFileStem(uint32_t productId)
{
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%04X", productId);
    return buffer;
}

std::string NewToken()
{
    char buffer[20];
    std::snprintf(buffer, sizeof buffer, "%016llX", static_cast<unsigned long long>(SystemRandom64()));
    return buffer;
}

std::string BusyText(const std::filesystem::path& lockPath)
{
    return "the device is busy: another program has held " + lockPath.string() +
           " for too long; try again when it has finished";
}

} // namespace

DeviceDirectory::DeviceDirectory(std::filesystem::path directory) : directory_(std::move(directory)) {}

std::filesystem::path DeviceDirectory::ImagePath(uint32_t productId) const
{
    return directory_ / (ProductFileStem(productId) + ".device");
}

std::filesystem::path DeviceDirectory::AttachPath(uint32_t productId) const
{
    return directory_ / (ProductFileStem(productId) + ".attached");
}

std::filesystem::path DeviceDirectory::LockPath(uint32_t productId) const
{
    return directory_ / (ProductFileStem(productId) + ".lock");
}

std::filesystem::path DeviceDirectory::SessionPath(uint32_t productId) const
{
    return directory_ / (ProductFileStem(productId) + ".session");
}

bool DeviceDirectory::EnsureInitialised(std::string& error) const
{
    std::error_code ec;
    if (std::filesystem::exists(std::filesystem::symlink_status(directory_, ec)))
        return CheckOwnership(error);
    if (directory_.has_parent_path())
        std::filesystem::create_directories(directory_.parent_path(), ec);
    // The device memory holds recorded keystrokes: the directory is the user's alone.
    if (::mkdir(directory_.c_str(), 0700) != 0 && errno != EEXIST) {
        error = "cannot create " + directory_.string() + ": " + std::strerror(errno);
        return false;
    }
    return CheckOwnership(error) && Plug(0x0031, error);
}

bool DeviceDirectory::CheckOwnership(std::string& error) const
{
    struct stat status {};
    if (::stat(directory_.c_str(), &status) != 0) {
        error = "cannot use the device directory " + directory_.string() + ": " + std::strerror(errno);
        return false;
    }
    if (!S_ISDIR(status.st_mode)) {
        error = "the device directory " + directory_.string() + " is not a directory";
        return false;
    }
    if (status.st_uid != ::geteuid()) {
        error = "refusing the device directory " + directory_.string() + ": it belongs to another user (uid " +
                std::to_string(status.st_uid) + ")";
        return false;
    }
    return true;
}

std::string DeviceDirectory::WhyNotWritable() const
{
    if (::access(directory_.c_str(), W_OK | X_OK) == 0)
        return {};
    return "the device directory " + directory_.string() + " cannot be written (" + std::strerror(errno) + ")";
}

size_t DeviceDirectory::RemoveAbandonedTemporaries() const
{
    std::set<std::string> targets;
    for (const ProductInfo& product : AllProducts()) {
        targets.insert(ImagePath(product.productId).filename().string());
        targets.insert(AttachPath(product.productId).filename().string());
    }
    return ::RemoveAbandonedTemporaries(directory_, targets);
}

std::vector<AttachedDevice> DeviceDirectory::Attached() const
{
    std::vector<AttachedDevice> result;
    for (const ProductInfo& product : AllProducts())
        if (auto token = AttachToken(product.productId))
            result.push_back({product.productId, std::move(*token)});
    return result;
}

std::optional<std::string> DeviceDirectory::AttachToken(uint32_t productId) const
{
    std::string error;
    auto token = ReadWholeFile(AttachPath(productId), 64, error);
    if (!token)
        return std::nullopt;
    while (!token->empty() && (token->back() == '\n' || token->back() == ' '))
        token->pop_back();
    return token;
}

bool DeviceDirectory::HasImage(uint32_t productId) const
{
    std::error_code ec;
    return std::filesystem::exists(ImagePath(productId), ec);
}

bool DeviceDirectory::Plug(uint32_t productId, std::string& error) const
{
    const ProductInfo* product = FindProduct(productId);
    if (!product) {
        error = "unknown product";
        return false;
    }
    DeviceLock lock(*this, productId, BusyWaitFromEnvironment());
    if (!lock.ok()) {
        error = lock.error();
        return false;
    }
    if (AttachToken(productId))
        return true;
    if (!HasImage(productId) && !SaveImage(FactoryImage(*product), error))
        return false;
    return WriteFileAtomically(AttachPath(productId), NewToken() + "\n", error);
}

bool DeviceDirectory::Unplug(uint32_t productId, std::string& error) const
{
    if (!FindProduct(productId)) {
        error = "unknown product";
        return false;
    }
    std::error_code ec;
    std::filesystem::remove(AttachPath(productId), ec);
    if (ec) {
        error = "cannot remove " + AttachPath(productId).string() + ": " + ec.message();
        return false;
    }
    return true;
}

std::optional<DeviceImage> DeviceDirectory::LoadImage(uint32_t productId, std::string& error) const
{
    const std::filesystem::path path = ImagePath(productId);
    const bool cutShort = TakeCorruptRead();
    const auto decode = [&](std::string& why) -> std::optional<DeviceImage> {
        auto text = ReadWholeFile(path, kMaxImageFileBytes, why);
        if (!text)
            return std::nullopt;
        if (cutShort && !text->empty())
            text->resize(text->size() / 2); // as if the read had been cut short
        auto image = DecodeImage(*text, why);
        if (!image) {
            why = path.string() + ": " + why;
            return std::nullopt;
        }
        if (image->productId != productId) {
            why = path.string() + ": image of another product";
            return std::nullopt;
        }
        return image;
    };
    // A read armed to be cut short must really read the file.
    if (cutShort)
        return decode(error);
    return ImageCache::Instance().Load(path, decode, error);
}

bool DeviceDirectory::SaveImage(const DeviceImage& image, std::string& error) const
{
    if (auto why = CheckImage(image); !why.empty()) {
        error = "refusing to store an invalid image: " + why;
        return false;
    }
    return WriteFileAtomically(ImagePath(image.productId), EncodeImage(image), error);
}

DeviceLock::DeviceLock(const DeviceDirectory& directory, uint32_t productId, std::chrono::milliseconds timeout,
                       Purpose purpose)
{
    const std::filesystem::path path = directory.LockPath(productId);
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    ThreadGate& gate = GateFor(path);
    {
        std::unique_lock lock(gate.mutex);
        if (!gate.freed.wait_until(lock, deadline, [&] { return !gate.held; })) {
            outcome_ = Outcome::Busy;
            error_ = BusyText(path);
            return;
        }
        gate.held = true;
    }
    gate_ = &gate;
    constexpr int kFlags = O_CLOEXEC | O_NOFOLLOW | O_NOCTTY | O_NONBLOCK;
    fd_ = ::open(path.c_str(), O_RDWR | O_CREAT | kFlags, 0600);
    if (fd_ < 0 && (errno == EACCES || errno == EROFS || errno == EPERM)) {
        // A directory that cannot be written: reading still works (an existing lock
        // file is locked read-only; without one, nobody can store an image there
        // either, and stores are renames, so a lock-free read is whole).
        const int why = errno;
        fd_ = ::open(path.c_str(), O_RDONLY | kFlags);
        if (fd_ < 0 && errno == ENOENT && purpose == Purpose::Read) {
            outcome_ = Outcome::Unlocked;
            return;
        }
        if (purpose == Purpose::Change) {
            if (fd_ >= 0)
                ::close(fd_);
            fd_ = -1;
            outcome_ = Outcome::ReadOnly;
            error_ =
                "the device directory " + directory.path().string() + " cannot be written (" + std::strerror(why) + ")";
            return;
        }
    }
    if (fd_ < 0) {
        error_ = errno == ELOOP ? "refusing " + path.string() + ": it is a symbolic link"
                                : "cannot open " + path.string() + ": " + std::strerror(errno);
        return;
    }
    struct stat status {};
    if (::fstat(fd_, &status) != 0 || !S_ISREG(status.st_mode)) {
        error_ = "refusing " + path.string() + ": it is not a regular file";
        ::close(fd_);
        fd_ = -1;
        return;
    }
    // flock has no timed wait: poll, fast at first (most holds are short), then
    // backing off so that a long hold is not hammered.
    std::chrono::milliseconds pause(1);
    for (;;) {
        if (::flock(fd_, LOCK_EX | LOCK_NB) == 0) {
            outcome_ = Outcome::Held;
            return;
        }
        if (errno != EWOULDBLOCK && errno != EINTR) {
            error_ = "cannot lock " + path.string() + ": " + std::strerror(errno);
            break;
        }
        const auto now = std::chrono::steady_clock::now();
        if (now >= deadline) {
            outcome_ = Outcome::Busy;
            error_ = BusyText(path);
            break;
        }
        std::this_thread::sleep_for(std::min<std::chrono::steady_clock::duration>(pause, deadline - now));
        pause = std::min(pause * 2, std::chrono::milliseconds(50));
    }
    ::close(fd_);
    fd_ = -1;
}

DeviceLock::~DeviceLock()
{
    if (fd_ >= 0)
        ::close(fd_); // closing releases the flock
    if (gate_) {
        {
            std::lock_guard lock(gate_->mutex);
            gate_->held = false;
        }
        gate_->freed.notify_one();
    }
}

// One gate per device image in this process, keyed by the lock file's path.
DeviceLock::ThreadGate& DeviceLock::GateFor(const std::filesystem::path& lockPath)
{
    static std::mutex tableMutex;
    static std::map<std::string, std::unique_ptr<ThreadGate>> table;
    std::lock_guard guard(tableMutex);
    auto& slot = table[lockPath.lexically_normal().string()];
    if (!slot)
        slot = std::make_unique<ThreadGate>();
    return *slot;
}

} // namespace emulator
