// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One box of the row of sensitivity stages (`DPISTAGEWINDOW`, kind 21): a heading,
// the stage's sensitivity (one value, or separate X and Y values) and a selected
// look. A click on a box that is not yet selected selects it and tells the parent
// (1524, sent).
#include <QFont>
#include <QImage>
#include <QRegion>
#include <QString>
#include <optional>
#include <vector>

#include "controls/ControlDrawing.h"
#include "platform/SkinWindow.h"
#include "skin/GUIItem.h"
#include "skin/SkinGeometry.h"

struct DPIStageWindowElement;

class CDPIStageWindow : public CSkinWindow, public CGUIItem {
public:
    CDPIStageWindow(int itemId, CSkinWindow* parent, CSkinWindow* itemOwner, const SkinRect& rect);
    static std::unique_ptr<CDPIStageWindow> FromElement(const DPIStageWindowElement& element, CSkinWindow* itemOwner);

    // Named parts, names compared with letter case ignored; unknown names are ignored.
    // Bitmaps: DPIFRAME, DPIFRAMESELECTED, DPIWIN, DPIWINX, DPIWINY. With a mask only
    // the bitmap's pixels where the mask is not pure white are drawn.
    void SetNamedBitmap(std::u16string_view name, const QImage& image, const SkinRect& rect,
                        const QImage& mask = QImage());
    // Text areas: HEADING, DPI, DPIX, DPIY, X, Y; the text is a key, translated here.
    void SetTextArea(std::u16string_view name, std::u16string_view textKey, const SkinRect& rect);
    // The picture of a selected value box ("stageSelected.bmp" of the skin).
    void SetSelectedBoxImage(const QImage& image) { selectedBox_ = image; }

    void SetValues(int single, int x, int y);
    void SetXYMode(bool xyMode);
    void SetSelected(bool selected);
    void SetClickable(bool clickable) { clickable_ = clickable; }
    void SetVisibleFlag(bool visible);
    void SetStageIndex(int index) { stageIndex_ = index; }
    void SetHeading(std::u16string_view textKey);
    void SetTooltip(std::u16string_view textKey);
    void SetFont(const QFont& font) { font_ = font; }
    void SetTextColour(COLORREF colour) { textColour_ = colour; }
    void SetTextFormat(const DrawTextFormat& format) { format_ = format; }
    void SetCaps(CapsMode caps) { caps_ = caps; }

    int SingleValue() const { return single_; }
    int XValue() const { return x_; }
    int YValue() const { return y_; }
    bool IsXYMode() const { return xyMode_; }
    bool IsSelected() const { return selected_; }
    bool IsClickable() const { return clickable_; }
    // Chooses this stage as a click does (tells the parent, 1524). False when the
    // window cannot be chosen (not clickable, disabled, or chosen already).
    bool Choose();
    // The numbers shown in the value areas as a screen reader says them: the
    // single value, or X and Y in separate mode.
    QString ValuesText() const;
    bool IsVisibleFlag() const { return visible_; }
    int StageIndex() const { return stageIndex_; }
    QString AreaText(std::u16string_view name) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void AnnounceSelected();
    enum Bitmap { Frame, FrameSelected, Win, WinX, WinY, BitmapCount };
    enum Area { Heading, Dpi, DpiX, DpiY, X, Y, AreaCount };
    struct PlacedImage {
        QImage image;
        QRect rect;
        bool present = false;
        std::optional<QRegion> shape; // from the mask, in the image's coordinates
    };
    void DrawPlaced(QPainter& painter, const PlacedImage& placed, const QImage& image) const;
    struct PlacedText {
        QString text;
        QRect rect;
        bool present = false;
    };

    void DrawValueBox(QPainter& painter, Bitmap box, int value) const;
    void DrawArea(QPainter& painter, Area area, int flags) const;

    PlacedImage bitmaps_[BitmapCount];
    PlacedText areas_[AreaCount];
    QImage selectedBox_;
    int single_ = 0;
    int x_ = 0;
    int y_ = 0;
    bool xyMode_ = false;
    bool selected_ = false;
    bool clickable_ = true;
    bool visible_ = true;
    int stageIndex_ = 0;
    QFont font_;
    COLORREF textColour_ = kDefaultTextColor;
    DrawTextFormat format_;
    CapsMode caps_ = CapsMode::AsWritten;
};
