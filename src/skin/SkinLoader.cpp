// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/SkinLoader.h"

#include <atomic>

#include <pugixml.hpp>

#include <QFile>

#include "skin/AppPaths.h"
#include "skin/ResourceCache.h"
#include "skin/SkinFileReader.h"
#include "skin/SkinText.h"

Q_LOGGING_CATEGORY(lcSkinLoader, "zemko.tovik.skin", QtInfoMsg)

namespace {

std::atomic<const CGUIItems*> g_sharedItems{nullptr};

std::u16string BaseName(std::u16string_view path)
{
    const std::size_t slash = path.find_last_of(u"/\\");
    return std::u16string(slash == std::u16string_view::npos ? path : path.substr(slash + 1));
}

bool LoadDocument(CGUIItems& items, const pugi::xml_document& document, std::u16string_view displayName,
                  CSkinWindow* owner, bool observable, SkinLoadStats* stats)
{
    SkinLoadStats local;
    skinload::SkinFileReader reader(items, owner, stats ? *stats : local);
    return reader.Read(document, displayName, observable);
}

} // namespace

void SetSharedSkinItems(const CGUIItems* items)
{
    g_sharedItems.store(items);
}

const CGUIItems* SharedSkinItems()
{
    return g_sharedItems.load();
}

bool LoadSkinFromMemory(CGUIItems& items, std::string_view xml, std::u16string_view displayName, CSkinWindow* owner,
                        bool observable, SkinLoadStats* stats)
{
    pugi::xml_document document;
    const pugi::xml_parse_result parsed = document.load_buffer(xml.data(), xml.size());
    if (!parsed) {
        qCWarning(lcSkinLoader) << "skin file" << ToQString(displayName)
                                << "is not well-formed:" << parsed.description();
        return false;
    }
    return LoadDocument(items, document, BaseName(displayName), owner, observable, stats);
}

bool LoadSkinFile(CGUIItems& items, std::u16string_view fileName, CSkinWindow* owner, bool observable,
                  SkinLoadStats* stats)
{
    if (!IsSafeResourceName(fileName)) {
        qCWarning(lcSkinLoader) << "refusing skin file name" << ToQString(fileName);
        return false;
    }
    QFile file(ToQString(GetAppDirectory() + u"xml/" + std::u16string(fileName)));
    if (!file.open(QIODevice::ReadOnly)) {
        qCWarning(lcSkinLoader) << "cannot open skin file" << file.fileName();
        return false;
    }
    // Skin files are a few kilobytes; anything this large is not one.
    constexpr qint64 kMaxSkinFileBytes = 16 * 1024 * 1024;
    if (file.size() > kMaxSkinFileBytes) {
        qCWarning(lcSkinLoader) << "skin file" << file.fileName() << "is too large to be a skin";
        return false;
    }
    const QByteArray content = file.readAll();
    return LoadSkinFromMemory(items, std::string_view(content.constData(), static_cast<std::size_t>(content.size())),
                              fileName, owner, observable, stats);
}
