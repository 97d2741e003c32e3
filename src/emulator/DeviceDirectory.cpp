// SPDX-License-Identifier: GPL-3.0-or-later
#include "emulator/DeviceDirectory.h"

#include "emulator/FaultState.h"
#include "emulator/ImageCache.h"
#include "emulator/ImageCodec.h"
#include "platform/com/SystemRandom.h"
#include "platform/core/AtomicFile.h"

#include <cstdio>
#include <fcntl.h>
#include <map>
#include <sys/file.h>
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

// One mutex per device image in this process, keyed by the lock file's path.
std::mutex& ThreadMutexFor(const std::filesystem::path& lockPath)
{
    static std::mutex tableMutex;
    static std::map<std::string, std::unique_ptr<std::mutex>> table;
    std::lock_guard guard(tableMutex);
    auto& slot = table[lockPath.lexically_normal().string()];
    if (!slot)
        slot = std::make_unique<std::mutex>();
    return *slot;
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
    if (std::filesystem::is_directory(directory_, ec))
        return true;
    if (!std::filesystem::create_directories(directory_, ec) && ec) {
        error = "cannot create " + directory_.string() + ": " + ec.message();
        return false;
    }
    return Plug(0x0031, error);
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
    DeviceLock lock(*this, productId);
    if (!lock.ok()) {
        error = "cannot lock " + LockPath(productId).string();
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

DeviceLock::DeviceLock(const DeviceDirectory& directory, uint32_t productId)
    : threadLock_(ThreadMutexFor(directory.LockPath(productId)))
{
    fd_ = ::open(directory.LockPath(productId).c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (fd_ < 0)
        return;
    while (::flock(fd_, LOCK_EX) != 0) {
        if (errno != EINTR) {
            ::close(fd_);
            fd_ = -1;
            return;
        }
    }
}

DeviceLock::~DeviceLock()
{
    if (fd_ >= 0)
        ::close(fd_); // closing releases the flock
}

} // namespace emulator
