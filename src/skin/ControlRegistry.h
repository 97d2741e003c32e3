// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How the controls library teaches the skin loader to build live controls without
// the loader depending on it: one factory per element name. The controls library
// registers its factories once at start-up (see RegisterAllControls() in
// controls/ControlFactories.h); an element without a factory is parsed, reported
// and skipped.
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "skin/GUIItem.h"
#include "skin/SkinElements.h"

class CGUIItems;

// What a factory needs besides the element itself.
struct ControlContext {
    CSkinWindow* owner = nullptr; // the window the file is loaded for (may be null)
    // The collection being filled; it holds the earlier items only. A factory that
    // makes items of its own besides the one it returns (the thumbs of a multi-stage
    // slider) adds them here; they come before the returned item.
    CGUIItems* items = nullptr;
};

// Builds the item for one element; returning null means the element made nothing
// (the loader reports it and goes on). The loader sets the returned item's id, kind
// and owner from the element. The control's parent window is `element.parentWindow`.
using ControlFactory = std::function<std::unique_ptr<CGUIItem>(const SkinElement&, const ControlContext&)>;

// Registers (or replaces) the factory for an element name such as "BUTTON".
void RegisterControlFactory(std::string_view elementName, ControlFactory factory);
// Removes one factory, or all of them (tests).
void UnregisterControlFactory(std::string_view elementName);
void ClearControlFactories();
// The factory for an element name, or an empty function.
ControlFactory FindControlFactory(std::string_view elementName);

// Typed registration: the factory receives the element's own struct.
template <class Element, class Fn>
void RegisterTypedControlFactory(std::string_view elementName, Fn fn)
{
    RegisterControlFactory(
        elementName,
        [fn = std::move(fn)](const SkinElement& element, const ControlContext& context) -> std::unique_ptr<CGUIItem> {
            const auto* typed = dynamic_cast<const Element*>(&element);
            if (!typed)
                return nullptr;
            return fn(*typed, context);
        });
}
