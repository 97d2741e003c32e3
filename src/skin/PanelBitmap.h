// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The background (id -2) and mask (id -3) bitmaps of a panel file. They are items
// without a window; the panel paints the one and cuts its shape from the other.
#include <QImage>

#include "skin/GUIItem.h"
#include "skin/SkinGeometry.h"

class CPanelBitmap : public CGUIItem {
public:
    CPanelBitmap(int itemId, CSkinWindow* itemOwner, SkinBitmap bitmap)
        : CGUIItem(itemId, ItemKind::PANELBITMAP, nullptr, itemOwner), bitmap_(std::move(bitmap))
    {
    }

    const QImage& Image() const { return bitmap_.image; }
    // Lets the picture go once the panel has what it needs of it.
    void ReleaseImage() { bitmap_.image = QImage(); }
    const std::u16string& FileName() const { return bitmap_.file; }

private:
    SkinBitmap bitmap_;
};
