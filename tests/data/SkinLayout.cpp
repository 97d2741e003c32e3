// SPDX-License-Identifier: GPL-3.0-or-later
#include "SkinLayout.h"

#include <map>

#include <pugixml.hpp>

namespace skindata {

namespace {

QRect RectOf(const pugi::xml_node& node)
{
    const pugi::xml_node rect = node.child("RECT");
    const int left = rect.attribute("left").as_int();
    const int top = rect.attribute("top").as_int();
    return QRect(left, top, rect.attribute("right").as_int() - left, rect.attribute("bottom").as_int() - top);
}

} // namespace

bool ReadPlacedItems(const QString& path, std::vector<PlacedItem>& items)
{
    pugi::xml_document document;
    if (!document.load_file(path.toLocal8Bit().constData()))
        return false;
    const std::string file = path.section('/', -1).toStdString();
    struct Font {
        int pixels;
        bool bold;
    };
    std::map<std::string, Font> fonts;
    for (pugi::xml_node font = document.document_element().child("FONTLIST").child("FONT"); font;
         font = font.next_sibling("FONT"))
        fonts[font.attribute("name").value()] =
            Font{font.attribute("pitch").as_int(), font.attribute("boldlevel").as_int() >= 600};
    for (pugi::xml_node section = document.document_element().first_child(); section;
         section = section.next_sibling()) {
        for (pugi::xml_node node = section.first_child(); node; node = node.next_sibling()) {
            if (node.type() != pugi::node_element || !node.child("RECT"))
                continue;
            const std::string element = node.name();
            // Slider thumbs are placed inside their tracks.
            if (element == "HSLIDERM" || element == "VSLIDER" || element == "HSLIDERMAPM")
                continue;
            PlacedItem item;
            item.file = file;
            item.element = element;
            item.name = node.attribute("name").value();
            item.rect = RectOf(node);
            const char* key = node.attribute(element == "BUTTON" ? "caption" : "textkey").value();
            item.textKey = QString::fromUtf8(key);
            item.fontId = node.attribute("fontid").value();
            if (auto font = fonts.find(item.fontId); font != fonts.end()) {
                item.fontPixels = font->second.pixels;
                item.fontBold = font->second.bold;
            }
            item.leftMargin = node.attribute("lmargin").as_int();
            item.multiline = node.attribute("multiline").as_int();
            const char* justify = node.attribute("justify").value();
            item.justify = justify[0] ? justify[0] : 'L';
            items.push_back(std::move(item));
        }
    }
    return true;
}

} // namespace skindata
