// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/MouseMats.h"

#include <pugixml.hpp>

#include <QFile>

#include "skin/AppPaths.h"
#include "skin/SkinText.h"

namespace {

struct MatTypeName {
    std::string_view name;
    CMouseMat::eType type;
};

constexpr MatTypeName kMatTypes[] = {
    {"Soft", CMouseMat::Soft},   {"Hard", CMouseMat::Hard},           {"Glass", CMouseMat::Glass},
    {"Cloth", CMouseMat::Cloth}, {"Aluminium", CMouseMat::Aluminium},
};

bool ReadDocument(const pugi::xml_document& document, std::map<CMouseMat::eType, CMouseMat>& mats)
{
    const pugi::xml_node root = document.child("MOUSEMATLIST");
    if (!root)
        return false;
    std::map<CMouseMat::eType, CMouseMat> read;
    for (pugi::xml_node node = root.child("MOUSEMAT"); node; node = node.next_sibling("MOUSEMAT")) {
        auto type = LookupMouseMatType(node.attribute("name").value());
        if (!type)
            continue;
        CMouseMat mat;
        mat.type = *type;
        mat.caption = Utf8ToUtf16(node.attribute("caption").value());
        mat.colour =
            EqualsIgnoreAsciiCase(node.attribute("mmcolour").value(), "white") ? CMouseMat::White : CMouseMat::Black;
        mat.material = EqualsIgnoreAsciiCase(node.attribute("mmmaterial").value(), "soft") ? CMouseMat::SoftMaterial
                                                                                           : CMouseMat::HardMaterial;
        read[mat.type] = std::move(mat);
    }
    mats = std::move(read);
    return true;
}

} // namespace

std::optional<CMouseMat::eType> LookupMouseMatType(std::string_view name)
{
    for (const auto& entry : kMatTypes)
        if (EqualsIgnoreAsciiCase(entry.name, name))
            return entry.type;
    return std::nullopt;
}

bool CMouseMatList::LoadFromMemory(std::string_view xml)
{
    pugi::xml_document document;
    if (!document.load_buffer(xml.data(), xml.size()))
        return false;
    return ReadDocument(document, mats_);
}

bool CMouseMatList::LoadFile(std::u16string_view fullPath)
{
    QFile file(ToQString(fullPath));
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray content = file.readAll();
    return LoadFromMemory(std::string_view(content.constData(), static_cast<std::size_t>(content.size())));
}

bool CMouseMatList::LoadDefault()
{
    return LoadFile(GetAppDirectory() + u"xml/MouseMats.xml");
}

const CMouseMat* CMouseMatList::Find(CMouseMat::eType type) const
{
    auto found = mats_.find(type);
    return found == mats_.end() ? nullptr : &found->second;
}

CMouseMatList& MouseMatList()
{
    static CMouseMatList list;
    return list;
}
