// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Every file a skin names (images, font files, language files, media) is loaded
// once into this process-wide cache and shared by all items. Entries live until
// the cache is cleared at exit, except images released earlier.
#include <cstddef>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include <QByteArray>
#include <QImage>

enum class ResourceType {
    Image = 0,         // skins/, decoded image (PNG, BMP, ...)
    WindowsBitmap = 1, // skins/, a bitmap file kept as a device-independent image
    FontFile = 4,      // fonts/, added to the process's private fonts
    LanguageFile = 5,  // lang/, the whole file
    BinaryFile = 6,    // bin/, the whole file
};

// The folder (below the application directory, with trailing "/") of a type.
std::u16string_view ResourceDirectory(ResourceType type);

struct CacheEntry {
    std::u16string name;     // as first written
    std::u16string fullPath; // application directory + type folder + name (as found on disk)
    ResourceType type = ResourceType::Image;
    QImage image;            // image types: ARGB32, or ARGB32_Premultiplied when opaque
    QByteArray bytes;        // file types
    int fontId = -1;         // font files: the application-font id
    int fontFamilyCount = 0; // font files: how many families the file added
    std::size_t size = 0;    // bytes of the file, or of the decoded image
};

class CResourceCache {
public:
    static CResourceCache& Instance();

    // The entry for a name (whole name, letter case of A-Z ignored), loading it on
    // first use from the type's folder, where the file's own name may differ from
    // the skin's in the letter case of A-Z. Null when the name is empty, unsafe (an
    // absolute path or one that climbs out with ".."), or the file cannot be read
    // or decoded; a failure is not remembered, so a later call tries again.
    const CacheEntry* Get(ResourceType type, std::u16string_view name);

    // Shortcuts: a null image or empty bytes when not available.
    QImage Image(std::u16string_view name, ResourceType type = ResourceType::Image);
    QByteArray Bytes(std::u16string_view name, ResourceType type);

    // Drops a decoded image nothing needs to keep (a window's mask once its shape
    // is cut); whoever holds a copy keeps it, and a later Get decodes it again.
    // Images only: entries of the other types are handed out by address.
    void ReleaseImage(std::u16string_view name);

    std::size_t Count() const;
    // Frees every entry from the last to the first (font files are removed from the
    // private fonts).
    void Clear();

private:
    CResourceCache() = default;
    std::unique_ptr<CacheEntry> Load(ResourceType type, std::u16string_view name) const;

    mutable std::mutex mutex_;
    std::vector<std::unique_ptr<CacheEntry>> entries_;
};

// True when a name from a skin file may be joined to a resource folder: not empty,
// not absolute, no ".." component and no NUL.
bool IsSafeResourceName(std::u16string_view name);
