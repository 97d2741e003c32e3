// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Readers of the attributes and child elements of skin XML, shared by the parsers of
// the skin loader. Element names are matched exactly, except RECT, SBMM, BMPMASK,
// BACKGROUND and MASK, whose letter case is ignored; values become UTF-16.
#include <string>
#include <string_view>

#include <pugixml.hpp>

#include "skin/SkinGeometry.h"

namespace skinxml {

using Node = pugi::xml_node;

// The first child element of that name.
Node Child(const Node& node, std::string_view name);
std::u16string Attr(const Node& node, const char* name);
bool HasAttr(const Node& node, const char* name);
// atoi-like; 0 when absent.
int IntAttr(const Node& node, const char* name);
// First letter 1, t, T, y or Y; `whenAbsent` when the attribute is missing.
bool BoolAttr(const Node& node, const char* name, bool whenAbsent);
// A colour-table name; empty when absent, 0xFFFFFFFF when unknown.
SkinColor ColorAttr(const Node& node, const char* name);
std::u16string Trimmed(std::u16string text);
std::u16string ElementText(const Node& node);
// `top`, `left`, `right`, `bottom` of a RECT element; an empty rectangle without one.
SkinRect ReadRectElement(const Node& rect);
// First letter C centre, R right, anything else left.
Justify ParseJustify(const Node& node);
// First letter R right, T top, B bottom, anything else left.
TooltipSide ParseTooltipSide(const char* value);
// First letter U upper case, L lower case, anything else as written.
CapsMode ParseCaps(std::u16string_view value);

} // namespace skinxml
