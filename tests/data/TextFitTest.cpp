// SPDX-License-Identifier: GPL-3.0-or-later
// No text of the default skin is cut off, in any of the ten languages: every label,
// caption and heading fits its rectangle in the font the skin gives it.
#include <gtest/gtest.h>

#include <QFont>
#include <QFontMetrics>

#include "SkinDataSupport.h"
#include "SkinLayout.h"
#include "skin/LangTable.h"

using namespace skindata;

namespace {

// What a format shows once the program fills it: a long level word or a two-digit number.
QString Filled(QString text)
{
    text.replace("%s", "Normal");
    text.replace("%i", "15");
    text.replace("%d", "15");
    text.replace("%%", "%");
    return text;
}

QFont SkinFont(const PlacedItem& item)
{
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(item.fontPixels);
    font.setBold(item.fontBold);
    return font;
}

// Whether the text fits as the control draws it (see the controls' text formats).
bool Fits(const PlacedItem& item, const QString& text, QString& why)
{
    const QFontMetrics metrics(SkinFont(item));
    const QRect box(0, 0, item.rect.width(), item.rect.height());
    if (item.multiline == 1) {
        const QRect needed = metrics.boundingRect(box, Qt::TextWordWrap, text);
        why = QString("needs %1 x %2").arg(needed.width()).arg(needed.height());
        return needed.height() <= box.height() && needed.width() <= box.width();
    }
    int available = box.width() - item.leftMargin;
    if (item.element == "TEXTITEM" && item.justify != 'C' && item.justify != 'R')
        available -= 5; // unformatted labels start 5 pixels in
    if (item.element == "BUTTON" && item.leftMargin == 0)
        available -= 12; // breathing room inside the rounded ends
    const int width = metrics.horizontalAdvance(text);
    why = QString("needs %1 of %2 pixels").arg(width).arg(available);
    return width <= available && metrics.height() <= box.height();
}

} // namespace

TEST(DefaultSkinTexts, EveryTextFitsItsPlaceInEveryLanguage)
{
    PrepareSkinEnvironment();
    std::vector<PlacedItem> items;
    for (const SkinFile& file : WindowSkinFiles())
        ASSERT_TRUE(ReadPlacedItems(AppDir() + "xml/" + file.name, items)) << file.name;
    int languageId = 0;
    for (const LanguageFile& language : LanguageFiles()) {
        const CLangTable* table = FindLanguage(languageId++);
        ASSERT_NE(table, nullptr) << language.file;
        for (const PlacedItem& item : items) {
            if (!item.textKey.startsWith('$') || item.element == "LISTPANEL")
                continue;
            const LangTranslation translation = table->Translate(item.textKey.toStdU16String());
            QString text = Filled(QString::fromStdU16String(translation.text));
            // The version lines get ": 1.05" after their caption.
            if (item.name == "TEXT_DRIVERVER" || item.name == "TEXT_FIRMWAREVER")
                text += ": 10.05";
            text.replace("\\n", "\n");
            QString why;
            EXPECT_TRUE(Fits(item, text, why)) << language.file << " " << item.file << ": " << item.name << " \""
                                               << text.toStdString() << "\" " << why.toStdString();
        }
    }
    SelectLanguage("English");
}
