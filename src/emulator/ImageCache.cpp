// SPDX-License-Identifier: GPL-3.0-or-later
#include "emulator/ImageCache.h"

#include <map>
#include <mutex>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace emulator {

namespace {

constexpr uint32_t kWatchMask = IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO | IN_CLOSE_WRITE | IN_MODIFY |
                                IN_ATTRIB | IN_DELETE_SELF | IN_MOVE_SELF | IN_ONLYDIR;

// Which file an entry holds; a file replaced by a rename has a new inode, one
// changed in place a new size or new times.
struct FileIdentity {
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = 0;
    timespec modified{};
    timespec changed{};

    bool operator==(const FileIdentity& other) const
    {
        return device == other.device && inode == other.inode && size == other.size &&
               modified.tv_sec == other.modified.tv_sec && modified.tv_nsec == other.modified.tv_nsec &&
               changed.tv_sec == other.changed.tv_sec && changed.tv_nsec == other.changed.tv_nsec;
    }
};

std::optional<FileIdentity> IdentityOf(const std::filesystem::path& path)
{
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0)
        return std::nullopt;
    return FileIdentity{info.st_dev, info.st_ino, info.st_size, info.st_mtim, info.st_ctim};
}

struct Entry {
    FileIdentity identity;
    DeviceImage image;
};

// Entries are keyed by the watch of their directory and the file's name, so two
// spellings of one directory share their entries and their events.
using EntryKey = std::pair<int, std::string>;

} // namespace

struct ImageCache::Impl {
    mutable std::mutex mutex;
    int inotify = -1;
    std::map<EntryKey, Entry> entries;
    uint64_t decodes = 0;

    // Applies what inotify has queued: every entry whose file (or directory) was
    // touched is dropped. Returns whether `watched` was among them.
    bool DrainEvents(const EntryKey* watched)
    {
        bool hit = false;
        alignas(inotify_event) char buffer[4096];
        for (;;) {
            const ssize_t n = ::read(inotify, buffer, sizeof buffer);
            if (n <= 0)
                break;
            for (ssize_t offset = 0; offset + ssize_t(sizeof(inotify_event)) <= n;) {
                const auto* event = reinterpret_cast<const inotify_event*>(buffer + offset);
                offset += ssize_t(sizeof(inotify_event) + event->len);
                if (event->mask & IN_Q_OVERFLOW) {
                    entries.clear(); // events were lost: trust nothing
                    hit = true;
                    continue;
                }
                if (event->mask & (IN_IGNORED | IN_DELETE_SELF | IN_MOVE_SELF | IN_UNMOUNT)) {
                    std::erase_if(entries, [&](const auto& item) { return item.first.first == event->wd; });
                    hit = hit || (watched && watched->first == event->wd);
                    continue;
                }
                if (event->len == 0)
                    continue;
                const EntryKey key{event->wd, std::string(event->name)};
                entries.erase(key);
                hit = hit || (watched && *watched == key);
            }
        }
        return hit;
    }
};

ImageCache& ImageCache::Instance()
{
    // Never destroyed: a device call from another static's teardown must still
    // find it.
    static ImageCache* cache = new ImageCache;
    return *cache;
}

ImageCache::ImageCache() : impl_(new Impl)
{
    impl_->inotify = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
}

ImageCache::~ImageCache()
{
    if (impl_->inotify >= 0)
        ::close(impl_->inotify);
    delete impl_;
}

std::optional<DeviceImage> ImageCache::Load(const std::filesystem::path& path, const Decode& decode, std::string& error)
{
    std::lock_guard lock(impl_->mutex);
    const auto decodeNow = [&] {
        ++impl_->decodes;
        return decode(error);
    };
    if (impl_->inotify < 0)
        return decodeNow();
    // The watch comes before the file is looked at, so any change from here on
    // is reported.
    const int watch = inotify_add_watch(impl_->inotify, path.parent_path().c_str(), kWatchMask);
    if (watch < 0)
        return decodeNow();
    const EntryKey key{watch, path.filename().string()};
    impl_->DrainEvents(&key);
    const auto identity = IdentityOf(path);
    if (!identity) {
        impl_->entries.erase(key);
        return decodeNow();
    }
    if (const auto found = impl_->entries.find(key); found != impl_->entries.end()) {
        if (found->second.identity == *identity)
            return found->second.image;
        impl_->entries.erase(found);
    }
    auto image = decodeNow();
    if (!image)
        return image;
    // Remember it only when the file provably did not change while it was read.
    if (!impl_->DrainEvents(&key) && IdentityOf(path) == identity)
        impl_->entries.insert_or_assign(key, Entry{*identity, *image});
    return image;
}

void ImageCache::Clear()
{
    std::lock_guard lock(impl_->mutex);
    impl_->entries.clear();
}

uint64_t ImageCache::Decodes() const
{
    std::lock_guard lock(impl_->mutex);
    return impl_->decodes;
}

} // namespace emulator
