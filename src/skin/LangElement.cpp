// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/LangElement.h"

#include "platform/core/TextCase.h"

#include <cstdlib>
#include <cstring>

#include <QLoggingCategory>
#include <QString>

Q_DECLARE_LOGGING_CATEGORY(lcSkinLoader)

namespace {

std::u16string Utf16(const char* utf8)
{
    return QString::fromUtf8(utf8).toStdU16String();
}

int ItemIdOf(const LangElementContext& context, const char* name)
{
    if (!context.itemIdOf || name == nullptr || *name == '\0')
        return -1;
    return context.itemIdOf(Utf16(name));
}

bool NameIs(const pugi::xml_node& node, std::u16string_view name)
{
    return EqualsIgnoringCase(Utf16(node.name()), name);
}

LangRect ReadRect(const pugi::xml_node& rect)
{
    // Skin rectangles are read like atoi: leading digits, 0 when absent.
    auto number = [&rect](const char* name) { return std::atoi(rect.attribute(name).value()); };
    return LangRect{number("left"), number("top"), number("right"), number("bottom")};
}

void ReadFontReplacement(const pugi::xml_node& node, const LangElementContext& context, CLangTable& table)
{
    const int from = ItemIdOf(context, node.attribute("fontsearch").value());
    const int to = ItemIdOf(context, node.attribute("fontreplace").value());
    if (from != -1 && to != -1)
        table.AddFontReplacement(from, to);
}

void ReadItemOverride(const pugi::xml_node& node, const LangElementContext& context, CLangTable& table)
{
    const int itemId = ItemIdOf(context, node.attribute("name").value());
    if (itemId == -1)
        return;
    for (const auto& attribute : node.attributes()) {
        if (std::strcmp(attribute.name(), "name") == 0)
            continue;
        table.AddOverride(itemId, Utf16(attribute.name()), Utf16(attribute.value()));
    }
    static constexpr std::u16string_view kStateBitmaps[] = {u"SBMN", u"SBMO", u"SBMD", u"SBMDS", u"SBMM"};
    for (const auto& child : node.children()) {
        if (child.type() != pugi::node_element)
            continue;
        if (NameIs(child, u"RECT")) {
            table.AddRectOverride(itemId, ReadRect(child));
            continue;
        }
        for (const auto bitmap : kStateBitmaps) {
            if (NameIs(child, bitmap)) {
                table.AddOverride(itemId, std::u16string(bitmap), Utf16(child.child_value()));
                break;
            }
        }
    }
}

void ReadColumnOverride(const pugi::xml_node& node, CLangTable& table)
{
    // Exactly `name` plus one attribute; anything else is not a column override.
    const auto name = node.attribute("name");
    if (!name)
        return;
    pugi::xml_attribute other;
    int count = 0;
    for (const auto& attribute : node.attributes()) {
        ++count;
        if (std::strcmp(attribute.name(), "name") != 0)
            other = attribute;
    }
    if (count != 2 || !other)
        return;
    table.AddColumnOverride(Utf16(name.value()), Utf16(other.name()), Utf16(other.value()));
}

} // namespace

std::unique_ptr<CLangTable> ReadLangElement(const pugi::xml_node& lang, const LangElementContext& context)
{
    const int languageId = ItemIdOf(context, lang.attribute("name").value());
    if (languageId == -1)
        return nullptr;
    if (context.languageFilter != -1 && context.languageFilter != languageId)
        return nullptr;
    if (!context.readLangFile)
        return nullptr;
    const std::u16string fileName = Utf16(lang.attribute("file").value());
    const auto bytes = context.readLangFile(fileName);
    if (!bytes) {
        qCWarning(lcSkinLoader) << "language file" << QString::fromStdU16String(fileName)
                                << "cannot be read; the language is left out and English is used instead";
        return nullptr;
    }

    auto table = std::make_unique<CLangTable>(languageId);
    // A file without a single pair still gives a table (it translates nothing); one
    // that cannot be UTF-16 text cannot be read at all and leaves the language out.
    if (table->LoadFromBytes(*bytes) == LangFileStatus::Malformed) {
        qCWarning(lcSkinLoader) << "language file" << QString::fromStdU16String(fileName)
                                << "is not UTF-16 text; the language is left out and English is used instead";
        return nullptr;
    }

    for (const auto& child : lang.children()) {
        if (child.type() != pugi::node_element)
            continue;
        const std::string_view element = child.name();
        if (element == "LANGFONT")
            ReadFontReplacement(child, context, *table);
        else if (element == "LANGOVERRIDE")
            ReadItemOverride(child, context, *table);
        else if (element == "LANGOVERRIDECOL")
            ReadColumnOverride(child, *table);
    }
    RegisterLanguage(languageId, table.get());
    return table;
}
