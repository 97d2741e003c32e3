// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The closed box of the colour drop-down (`COMBOCOLOR`, kind 15): it shows the
// current colour. A press opens the colour palette under it; the owner hears of
// previews (1244 with 100, posted), the choice (1244 with the final code, posted;
// 1247 sent when the colour changes) and a close without a choice (1245, sent).
#include <QImage>
#include <QPointer>

#include "controls/ColourPalette.h"
#include "controls/DropdownListItem.h"

class CDropdownColorButton : public CDropdownListItem {
public:
    CDropdownColorButton(int itemId, CSkinWindow* parent, CSkinWindow* itemOwner, const SkinRect& rect);
    static std::unique_ptr<CDropdownColorButton> FromElement(const ComboElement& element, CSkinWindow* itemOwner);

    void SetColour(COLORREF colour);
    COLORREF Colour() const { return colour_; }
    // The colour on show: the hovered one while the palette previews.
    COLORREF ShownColour() const { return shown_; }
    // The window told of colour changes (the parent window when none is set).
    void SetNotifyOwner(CSkinWindow* notifyOwner) { notifyOwner_ = notifyOwner; }
    CColourPalette* Palette() const { return palette_; }
    bool IsPaletteOpen() const { return !palette_.isNull(); }

    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    // Opens the palette, as a press does; false when disabled or not interactive.
    bool Open() override;
    // A mask for the colour box: pure white pixels are not painted.
    void SetBoxMask(const QImage& mask);
    void SetHasArrow(bool hasArrow) { hasArrow_ = hasArrow; }
    bool HasArrow() const { return hasArrow_; }

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void PaintContent(QPainter& painter, const QRect& area, const QColor& textColour) override;
    bool ShowsArrow() const override { return hasArrow_; }

private:
    CSkinWindow* NotifyOwner() const;
    void ClosePalette();
    void Choose(COLORREF colour, WPARAM code);
    void Cancel(COLORREF before);

    COLORREF colour_ = 0;
    COLORREF shown_ = 0;
    COLORREF before_ = 0;
    CSkinWindow* notifyOwner_ = nullptr;
    QPointer<CColourPalette> palette_;
    QImage boxMask_;
    bool hasArrow_ = true;
};
