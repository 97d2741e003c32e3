// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A `FONT` element made into a font the controls draw with.
#include <string>

#include <QFont>

#include "skin/GUIItem.h"

// The description a `FONT` element gives; each number is used only when > 0.
struct FontDescription {
    std::u16string typeface; // at most 31 characters
    int pitch = 0;           // height in pixels
    int boldLevel = 0;       // weight, 100..900 as in the platform's font weights
    int width = 0;           // average character width in pixels
    std::u16string fontFile; // a file in fonts/ added before the font is made
};

class CFontItem : public CGUIItem {
public:
    CFontItem(int itemId, CSkinWindow* itemOwner, FontDescription description);

    const QFont& Font() const { return font_; }
    const FontDescription& Description() const { return description_; }

    // The font a description gives: swiss family with default pitch; a zero or
    // negative height keeps the system default size.
    static QFont MakeFont(const FontDescription& description);

private:
    FontDescription description_;
    QFont font_;
};

// The font controls use when their skin names none: 14-pixel bold "Arial".
QFont DefaultControlFont();
