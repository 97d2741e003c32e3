#pragma once
// The closed box of the colour drop-down (`COMBOCOLOR`, kind 15): it shows the
// current colour. The palette that opens on a press is not part of this control
// yet: a press does nothing and the colour stays.
#include <QImage>

#include "controls/DropdownListItem.h"

class CDropdownColorButton : public CDropdownListItem {
public:
    CDropdownColorButton(int itemId, CSkinWindow* parent, CSkinWindow* itemOwner, const SkinRect& rect);
    static std::unique_ptr<CDropdownColorButton> FromElement(const ComboElement& element, CSkinWindow* itemOwner);

    void SetColour(COLORREF colour);
    COLORREF Colour() const { return colour_; }
    // A mask for the colour box: pure white pixels are not painted.
    void SetBoxMask(const QImage& mask);
    void SetHasArrow(bool hasArrow) { hasArrow_ = hasArrow; }
    bool HasArrow() const { return hasArrow_; }

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void PaintContent(QPainter& painter, const QRect& area, const QColor& textColour) override;
    bool ShowsArrow() const override { return hasArrow_; }

private:
    COLORREF colour_ = 0;
    QImage boxMask_;
    bool hasArrow_ = true;
};
