// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/FontItem.h"

#include <algorithm>

#include <QFontMetrics>

#include "skin/SkinText.h"

namespace {

// Maps the platform's 0..1000 weight scale onto Qt's 1..1000 weights.
QFont::Weight WeightFromLevel(int level)
{
    return static_cast<QFont::Weight>(std::clamp(level, 1, 1000));
}

} // namespace

CFontItem::CFontItem(int itemId, CSkinWindow* itemOwner, FontDescription description)
    : CGUIItem(itemId, ItemKind::FONT, nullptr, itemOwner), description_(std::move(description)),
      font_(MakeFont(description_))
{
}

QFont CFontItem::MakeFont(const FontDescription& description)
{
    QFont font;
    font.setStyleHint(QFont::SansSerif);
    if (!description.typeface.empty())
        font.setFamily(ToQString(description.typeface));
    if (description.pitch > 0)
        font.setPixelSize(description.pitch);
    if (description.boldLevel > 0)
        font.setWeight(WeightFromLevel(description.boldLevel));
    if (description.width > 0) {
        // The platform's width is an average character width in pixels; Qt stretches
        // by percent of the font's natural width.
        QFontMetrics metrics(font);
        int natural = metrics.averageCharWidth();
        if (natural > 0)
            font.setStretch(std::clamp(description.width * 100 / natural, 1, 4000));
    }
    return font;
}

QFont DefaultControlFont()
{
    QFont font(QStringLiteral("Arial"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(14);
    font.setBold(true);
    return font;
}
