// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/SkinXml.h"

#include "skin/ColorTable.h"
#include "skin/SkinText.h"

namespace skinxml {

namespace {

bool NameMatches(const Node& node, std::string_view name, bool ignoreCase)
{
    return ignoreCase ? EqualsIgnoreAsciiCase(node.name(), name) : name == node.name();
}

} // namespace

// The element names RECT, SBMM, BMPMASK, BACKGROUND and MASK are matched without
// regard to letter case; every other element name exactly.
Node Child(const Node& node, std::string_view name)
{
    const bool ignoreCase = EqualsIgnoreAsciiCase(name, "RECT") || EqualsIgnoreAsciiCase(name, "SBMM") ||
                            EqualsIgnoreAsciiCase(name, "BMPMASK") || EqualsIgnoreAsciiCase(name, "BACKGROUND") ||
                            EqualsIgnoreAsciiCase(name, "MASK");
    for (Node child = node.first_child(); child; child = child.next_sibling())
        if (child.type() == pugi::node_element && NameMatches(child, name, ignoreCase))
            return child;
    return {};
}

std::u16string Attr(const Node& node, const char* name)
{
    return Utf8ToUtf16(node.attribute(name).value());
}

bool HasAttr(const Node& node, const char* name)
{
    return static_cast<bool>(node.attribute(name));
}

int IntAttr(const Node& node, const char* name)
{
    return ParseLeadingInt(node.attribute(name).value());
}

bool BoolAttr(const Node& node, const char* name, bool whenAbsent)
{
    const pugi::xml_attribute attribute = node.attribute(name);
    return attribute ? ParseSkinBool(attribute.value()) : whenAbsent;
}

SkinColor ColorAttr(const Node& node, const char* name)
{
    const pugi::xml_attribute attribute = node.attribute(name);
    if (!attribute)
        return std::nullopt;
    return LookupColor(attribute.value());
}

std::u16string Trimmed(std::u16string text)
{
    const auto isSpace = [](char16_t c) { return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n'; };
    while (!text.empty() && isSpace(text.back()))
        text.pop_back();
    std::size_t start = 0;
    while (start < text.size() && isSpace(text[start]))
        ++start;
    return text.substr(start);
}

std::u16string ElementText(const Node& node)
{
    return Utf8ToUtf16(node.child_value());
}

SkinRect ReadRectElement(const Node& rect)
{
    SkinRect result;
    if (!rect)
        return result;
    result.top = IntAttr(rect, "top");
    result.left = IntAttr(rect, "left");
    result.right = IntAttr(rect, "right");
    result.bottom = IntAttr(rect, "bottom");
    return result;
}

Justify ParseJustify(const Node& node)
{
    const char* value = node.attribute("justify").value();
    if (value[0] == 'C')
        return Justify::Centre;
    if (value[0] == 'R')
        return Justify::Right;
    return Justify::Left;
}

TooltipSide ParseTooltipSide(const char* value)
{
    switch (value[0]) {
    case 'R':
        return TooltipSide::Right;
    case 'T':
        return TooltipSide::Top;
    case 'B':
        return TooltipSide::Bottom;
    default:
        return TooltipSide::Left;
    }
}

CapsMode ParseCaps(std::u16string_view value)
{
    if (value.empty())
        return CapsMode::AsWritten;
    if (value.front() == u'U')
        return CapsMode::Upper;
    if (value.front() == u'L')
        return CapsMode::Lower;
    return CapsMode::AsWritten;
}

} // namespace skinxml
