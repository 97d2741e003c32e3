// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// `CBitmapWindow`: a framed picture with pictures of its own inside it and a text.
// It draws its normal bitmap (the disabled one while disabled) and its text; the
// `BITMAPITEM` children become picture windows inside it, each remembering its
// `assntype`, so a page can show the picture that belongs to an assignment kind.
#include <vector>

#include <QString>

#include "controls/ControlDrawing.h"
#include "platform/SkinWindow.h"
#include "skin/FontItem.h"
#include "skin/GUIItem.h"
#include "skin/SkinElements.h"

class CBitmapItem;

class CBitmapWindow : public CSkinWindow, public CGUIItem {
public:
    CBitmapWindow(const SkinRect& rect, QWidget* parent);
    ~CBitmapWindow() override;
    static std::unique_ptr<CBitmapWindow> FromElement(const BitmapWindowElement& element);

    void SetBitmaps(const QImage& normal, const QImage& disabled, const QImage& mask);
    void SetText(std::u16string_view key);
    const QString& GetText() const { return text_; }
    void SetCaps(CapsMode caps) { caps_ = caps; }
    void SetFont(const CFontItem* font) { font_ = font; }
    void SetTextColour(COLORREF colour) { colour_ = colour; }
    void SetTextFormat(const DrawTextFormat& format) { format_ = format; }
    void SetTooltip(std::u16string_view key);

    // The picture windows inside, in skin order.
    const std::vector<CBitmapItem*>& Children() const { return children_; }
    // Shows the children whose `assntype` equals `type` and hides the others.
    void ShowChildrenOfAssignType(int type);

    void Show(int flag) override { CGUIItem::Show(flag); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    QImage normal_, disabled_;
    QString text_;
    CapsMode caps_ = CapsMode::AsWritten;
    const CFontItem* font_ = nullptr;
    COLORREF colour_ = kDefaultTextColor;
    DrawTextFormat format_;
    std::vector<CBitmapItem*> children_; // owned by Qt as child widgets
};
