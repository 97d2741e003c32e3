// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The placed items of skin files as the XML states them, for layout checks that do
// not need live controls: where each item sits, what text it shows and in which font.
#include <string>
#include <vector>

#include <QRect>
#include <QString>

namespace skindata {

struct PlacedItem {
    std::string file;
    std::string element; // BUTTON, TEXTITEM, ...
    std::string name;    // the item name
    QRect rect;
    QString textKey; // textkey or caption, empty when none
    std::string fontId;
    int fontPixels = 14; // the FONT item it names, or the controls' 14-pixel bold default
    bool fontBold = true;
    int leftMargin = 0;
    int multiline = 0;
    char justify = 'L';
};

// The items of one file that have their own rectangle in the window (nested
// rectangles of stage windows, lists and sliders are left out). False when the file
// cannot be read.
bool ReadPlacedItems(const QString& path, std::vector<PlacedItem>& items);

} // namespace skindata
