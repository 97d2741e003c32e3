// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Whether a screen reader would hear a control called by the programmer's name for
// its skin item ("Assnleftclick") rather than by words meant for people.
#include "controls/BitmapBtn.h"
#include "controls/accessibility/AccessibleName.h"

#include <QString>
#include <QWidget>
#include <string>

// The skin item name whose bare words `name` is: the control's own item or one it
// sits in below `root` (a slider's thumb is named by the slider it moves in).
// Empty when the name is meant for people, or when a button shows that very text
// as its caption ("Cancel").
inline std::string SkinItemNamedAs(const QWidget& control, const QWidget* root, const QString& name)
{
    if (const auto* button = dynamic_cast<const CBitmapBtn*>(&control);
        button && button->Caption().simplified() == name)
        return {};
    for (const QWidget* item = &control; item && item != root; item = item->parentWidget())
        if (!item->objectName().isEmpty() && name == WordsFromSkinName(item->objectName()))
            return item->objectName().toStdString();
    return {};
}
