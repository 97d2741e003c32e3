// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The bordered edit field (`EDITCTRL`, kind 19): a border panel drawn in the
// skin's colours around a line edit. It tells its owner whenever its text changes
// (1224) and, in numeric mode, accepts only digits that keep the value in bounds.
#include <QLineEdit>
#include <QString>
#include <memory>

#include "controls/ControlDrawing.h"
#include "platform/SkinWindow.h"
#include "skin/GUIItem.h"
#include "skin/SkinGeometry.h"

struct EditCtrlElement;

struct EditColours {
    COLORREF text = kDefaultTextColor;
    COLORREF back = RGB(0x1C, 0x18, 0x03);
    COLORREF border = RGB(0x48, 0x3D, 0x06);
    COLORREF disabledText = RGB(0x77, 0x70, 0x69);
    COLORREF disabledBack = RGB(0x0B, 0x0B, 0x0B);
    COLORREF disabledBorder = RGB(0x2B, 0x2B, 0x2B);
    // Without hover colours of its own a skin's field keeps its colours under the pointer.
    COLORREF hoverText = kDefaultTextColor;
    COLORREF hoverBack = RGB(0x1C, 0x18, 0x03);
};

class CEditItem : public CSkinWindow, public CGUIItem {
public:
    // The border panel takes `rect` grown by the border width; the edit fills `rect`.
    CEditItem(int itemId, CSkinWindow* parent, CSkinWindow* itemOwner, const SkinRect& rect, int borderWidth,
              int itemKind = ItemKind::EDITCTRL);
    ~CEditItem() override;
    static std::unique_ptr<CEditItem> FromElement(const EditCtrlElement& element, CSkinWindow* itemOwner);

    void SetColours(const EditColours& colours);
    const EditColours& Colours() const { return colours_; }
    int BorderWidth() const { return borderWidth_; }
    // At most this many characters; 0 for no limit (negative is read as 0).
    void SetMaxLength(int max);
    void SetFont(const QFont& font);
    void SetTooltip(std::u16string_view key);

    // Digits only, and only while the value stays within [lower, upper].
    void SetNumeric(bool numeric, int lower, int upper);
    bool IsNumeric() const { return numeric_; }
    // Whether typing `digit` after the current text keeps the value in bounds.
    bool AcceptsDigit(int digit) const;

    void SetText(const QString& text);
    QString GetText() const;
    QLineEdit* Edit() const { return edit_; }
    void SetEnabled(bool enabled);
    // The text and background colours in use: the hover set while the pointer is
    // over an enabled field, the disabled set while it is disabled.
    COLORREF ShownTextColour() const;
    COLORREF ShownBackColour() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void OnMouseEnter() override;
    void OnMouseLeave() override;

private:
    void ApplyColours();

    QLineEdit* edit_ = nullptr;
    EditColours colours_;
    int borderWidth_ = 0;
    bool numeric_ = false;
    int lower_ = 0;
    int upper_ = 0;
};
