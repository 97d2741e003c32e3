// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/ResourceCache.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QImageReader>

#include "skin/AppPaths.h"
#include "skin/SkinText.h"

std::u16string_view ResourceDirectory(ResourceType type)
{
    switch (type) {
    case ResourceType::Image:
    case ResourceType::WindowsBitmap:
        return u"skins/";
    case ResourceType::FontFile:
        return u"fonts/";
    case ResourceType::LanguageFile:
        return u"lang/";
    case ResourceType::BinaryFile:
        return u"bin/";
    }
    return u"";
}

bool IsSafeResourceName(std::u16string_view name)
{
    if (name.empty() || name.front() == u'/' || name.front() == u'\\')
        return false;
    if (name.find(u'\0') != std::u16string_view::npos)
        return false;
    // Skin files written for the original platform may use backslashes; both count
    // as separators when looking for a component that climbs out.
    std::size_t start = 0;
    while (start <= name.size()) {
        std::size_t end = name.find_first_of(u"/\\", start);
        if (end == std::u16string_view::npos)
            end = name.size();
        if (name.substr(start, end - start) == u"..")
            return false;
        start = end + 1;
    }
    return true;
}

namespace {

// Language files and clips are small; a file beyond this is refused rather than
// read whole into memory.
constexpr qint64 kMaxFileBytes = 64 * 1024 * 1024;

// Skin files were written for a file system that ignores letter case; here a name
// that does not match exactly is looked up component by component, A-Z folded.
QString ResolveIgnoringCase(const QString& base, const std::u16string& relative)
{
    const QString exact = base + ToQString(relative);
    if (QFileInfo::exists(exact))
        return exact;
    QString current = base;
    const QStringList parts = ToQString(relative).split(QLatin1Char('/'), Qt::SkipEmptyParts);
    for (const QString& part : parts) {
        const QStringList entries = QDir(current).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
        QString match;
        for (const QString& entry : entries)
            if (EqualsIgnoreAsciiCase(entry.toStdU16String(), part.toStdU16String())) {
                match = entry;
                break;
            }
        if (match.isEmpty())
            return exact;
        current = QDir(current).filePath(match);
    }
    return current;
}

bool IsOpaque(const QImage& image)
{
    if (!image.hasAlphaChannel())
        return true;
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(line[x]) != 255)
                return false;
    }
    return true;
}

// 32 bits per pixel with alpha. An opaque picture (most skin pictures are) is
// kept premultiplied: its pixels read the same either way, and the controls,
// which draw premultiplied, can then use it as it is instead of each keeping a
// converted copy.
QImage ToCachedFormat(const QImage& decoded)
{
    QImage image = decoded.convertToFormat(QImage::Format_ARGB32);
    if (IsOpaque(image))
        image = std::move(image).convertToFormat(QImage::Format_ARGB32_Premultiplied);
    return image;
}

} // namespace

CResourceCache& CResourceCache::Instance()
{
    static CResourceCache cache;
    return cache;
}

std::unique_ptr<CacheEntry> CResourceCache::Load(ResourceType type, std::u16string_view name) const
{
    auto entry = std::make_unique<CacheEntry>();
    entry->name = std::u16string(name);
    entry->type = type;
    std::u16string relative(name);
    for (auto& c : relative)
        if (c == u'\\')
            c = u'/';
    const QString path =
        ResolveIgnoringCase(ToQString(GetAppDirectory() + std::u16string(ResourceDirectory(type))), relative);
    entry->fullPath = path.toStdU16String();

    switch (type) {
    case ResourceType::Image:
    case ResourceType::WindowsBitmap: {
        QImageReader reader(path);
        reader.setDecideFormatFromContent(true);
        QImage image = reader.read();
        if (image.isNull())
            return nullptr;
        entry->image = ToCachedFormat(image);
        entry->size = static_cast<std::size_t>(entry->image.sizeInBytes());
        return entry;
    }
    case ResourceType::FontFile: {
        QFile file(path);
        if (!file.exists())
            return nullptr;
        int fontId = QFontDatabase::addApplicationFont(path);
        if (fontId < 0)
            return nullptr;
        entry->fontId = fontId;
        entry->fontFamilyCount = static_cast<int>(QFontDatabase::applicationFontFamilies(fontId).size());
        entry->size = static_cast<std::size_t>(file.size());
        return entry;
    }
    case ResourceType::LanguageFile:
    case ResourceType::BinaryFile: {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly) || file.size() > kMaxFileBytes)
            return nullptr;
        entry->bytes = file.readAll();
        entry->size = static_cast<std::size_t>(entry->bytes.size());
        return entry;
    }
    }
    return nullptr;
}

const CacheEntry* CResourceCache::Get(ResourceType type, std::u16string_view name)
{
    if (!IsSafeResourceName(name))
        return nullptr;
    std::lock_guard lock(mutex_);
    // Same name in two folders (a language file and a media file, say) are two
    // different files, so the folder is part of the key.
    for (const auto& entry : entries_)
        if (EqualsIgnoreAsciiCase(entry->name, name) && ResourceDirectory(entry->type) == ResourceDirectory(type))
            return entry.get();
    auto loaded = Load(type, name);
    if (!loaded)
        return nullptr;
    entries_.push_back(std::move(loaded));
    return entries_.back().get();
}

QImage CResourceCache::Image(std::u16string_view name, ResourceType type)
{
    const CacheEntry* entry = Get(type, name);
    return entry ? entry->image : QImage();
}

QByteArray CResourceCache::Bytes(std::u16string_view name, ResourceType type)
{
    const CacheEntry* entry = Get(type, name);
    return entry ? entry->bytes : QByteArray();
}

void CResourceCache::ReleaseImage(std::u16string_view name)
{
    std::lock_guard lock(mutex_);
    std::erase_if(entries_, [&](const std::unique_ptr<CacheEntry>& entry) {
        return (entry->type == ResourceType::Image || entry->type == ResourceType::WindowsBitmap) &&
               EqualsIgnoreAsciiCase(entry->name, name);
    });
}

std::size_t CResourceCache::Count() const
{
    std::lock_guard lock(mutex_);
    return entries_.size();
}

void CResourceCache::Clear()
{
    std::lock_guard lock(mutex_);
    while (!entries_.empty()) {
        const auto& entry = entries_.back();
        if (entry->fontId >= 0)
            QFontDatabase::removeApplicationFont(entry->fontId);
        entries_.pop_back();
    }
}
