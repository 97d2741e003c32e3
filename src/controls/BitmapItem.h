// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// `CBitmapItem`: a picture window (kind 1). It draws its bitmap at control size,
// takes its shape from its mask, and may be dragged around its parent when the skin
// marks it `moveable`. It is also the parent window of on-screen keys and of
// buttons that name it with `windowid`; their clicks pass through it to its parent.
#include <QImage>
#include <QPoint>

#include "platform/SkinWindow.h"
#include "skin/GUIItem.h"
#include "skin/SkinElements.h"

class CBitmapItem : public CSkinWindow, public CGUIItem {
public:
    CBitmapItem(const SkinRect& rect, QWidget* parent);
    static std::unique_ptr<CBitmapItem> FromElement(const BitmapItemElement& element);

    // Cuts the bitmap (and mask) to the control's size from the source's origin.
    void SetBitmap(const QImage& bitmap, const QImage& mask = QImage());
    const QImage& Bitmap() const { return bitmap_; }
    const QImage& Mask() const { return mask_; }
    void SetTooltip(std::u16string_view key);
    void SetMoveable(bool moveable) { moveable_ = moveable; }
    bool IsMoveable() const { return moveable_; }
    void SetAssignType(int type) { assignType_ = type; }
    int AssignType() const { return assignType_; }

    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void Show(int flag) override { CGUIItem::Show(flag); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QImage bitmap_;
    QImage mask_;
    bool moveable_ = false;
    int assignType_ = 0;
    bool dragging_ = false;
    QPoint dragOffset_;
};
