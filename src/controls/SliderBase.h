// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A slider thumb: a small window that moves over its track and stands for a value
// in [min, max] in steps of `step`. It tells its track (or, without a track, the
// window it was created for) while it is dragged (1095) and when it is let go
// (1094); the track passes both on to its owner.
#include <QImage>
#include <QPoint>
#include <QString>
#include <memory>

#include "controls/SliderMath.h"
#include "platform/SkinWindow.h"
#include "skin/GUIItem.h"
#include "skin/SkinGeometry.h"

class CSliderBase;
class CSliderTrack;
class CSliderTooltip;

// A window that thumbs report to (a slider track, the multi-segment slider). Thumbs
// on any other window report straight to the window their slider was made for.
class CThumbHost {
public:
    virtual ~CThumbHost() = default;
    // The tooltip that the host shows for its thumbs, or null when it shows none.
    virtual CSliderTooltip* HostTooltip() { return nullptr; }
    // Whether a thumb's moves drive the host's fill (1097, 1098).
    virtual bool FollowsThumb(const CSliderBase*) const { return true; }
};

class CSliderBase : public CSkinWindow, public CGUIItem {
public:
    ~CSliderBase() override;

    // Creates the thumb as a child of `track` (in the track's client coordinates,
    // `rect` being the slider's extent) with its normal and highlighted bitmaps.
    // The shape is the bitmap without the colour of its top-left pixel.
    void Create(const QImage& normal, const QImage& highlighted, CSkinWindow* track, const SkinRect& rect);

    // Stores the range; a step that is not positive or greater than max becomes 1.
    // With redraw the thumb is laid out again and put at its position.
    virtual void SetRange(int min, int max, float step, bool redraw);
    void SetValue(int value);
    void SetValue(float value);
    int GetValue() const { return scale_.ValueOfPosition(pos_); }
    // The value as slider messages carry it (see SliderScale::MessageValue).
    WPARAM GetMessageValue() const { return scale_.MessageValue(pos_); }
    // Clamps pos into [0, maxPos]; with redraw the thumb moves there and tells the track.
    virtual void SetPosition(uint32_t pos, bool redraw) = 0;
    // Clamps both into [minPos, maxPos] and stores them; dragging does not consult them.
    void SetCapRange(int low, int high);

    int GetMin() const { return scale_.min; }
    int GetMax() const { return scale_.max; }
    float GetStep() const { return scale_.step; }
    uint32_t GetPosition() const { return pos_; }
    uint32_t GetMaxPosition() const { return maxPos_; }
    int GetCapMin() const { return capMin_; }
    int GetCapMax() const { return capMax_; }

    void Enable(bool enable);
    bool IsSliderEnabled() const { return enabled_; }
    bool IsDragging() const { return dragging_; }
    bool IsHover() const { return hover_; }

    // Tooltip: the prefix (a text key, translated) followed by the value.
    void SetTooltipPrefix(std::u16string_view key);
    void SetTooltipSide(TooltipSide side) { tooltipSide_ = side; }
    TooltipSide GetTooltipSide() const { return tooltipSide_; }
    void SetTooltipEnabled(bool enabled) { tooltipEnabled_ = enabled; }
    bool IsTooltipEnabled() const { return tooltipEnabled_; }
    void SetTooltipOffset(const QPoint& offset) { tooltipOffset_ = offset; }
    const QString& TooltipText() const { return tooltipText_; }
    // A label shown as the tooltip in place of prefix and value, for sliders whose
    // positions stand for named levels (already translated); an empty label shows
    // prefix and value again. A tooltip on show takes the new text at once.
    void SetTooltipLabel(const QString& label);
    const QString& TooltipLabel() const { return tooltipLabel_; }
    // Where the tooltip is anchored: the thumb's screen position plus the offset.
    QPoint TooltipAnchor() const;

    // A click on the track at `trackPoint` (track coordinates): the thumb jumps to
    // the position under it and 1094 goes to the track. False when disabled.
    bool JumpTo(const QPoint& trackPoint);
    // Moves the thumb to the position nearest `value` and tells the track as a
    // finished drag does (1094). False when disabled.
    bool MoveToValue(double value);
    // Moves the thumb to `position` (clamped to the travel) and tells the track as a
    // one-step drag does: 1095, then 1094. Nothing happens, and false comes back,
    // when the thumb is disabled or already there.
    bool MoveToPosition(uint32_t position);
    // Positions one page of the keyboard moves: a tenth of the travel, at least one.
    uint32_t PagePositions() const;

    CSkinWindow* Track() const { return track_; }
    const SkinRect& SliderRect() const { return rect_; }
    int HalfWidth() const { return halfWidth_; }
    int HalfHeight() const { return halfHeight_; }
    float PixelsPerStep() const { return pixelsPerStep_; }

    // The pixel (leading edge) of a position, and the position of a leading edge.
    virtual int PixelOfPosition(uint32_t pos) const = 0;
    virtual uint32_t PositionFromPixel(int pixel) const = 0;

protected:
    CSliderBase(int itemId, int itemKind, CSkinWindow* itemOwner);

    // Travel limits, half sizes, steps and pixels per step from the slider rectangle.
    virtual void Layout() = 0;
    // Moves the thumb's leading edge to `pixel` (already within the travel) and
    // tells the track which pixel the fill should reach.
    virtual void PlaceAt(int pixel, bool dragging) = 0;
    // The leading-edge pixel for a point in track coordinates, clamped to the travel.
    virtual int ClampedPixelOfPoint(const QPoint& trackPoint) const = 0;

    void RebuildTooltipText();
    // Posts to the track, or to the window the thumb was made for when there is no track.
    void NotifyTrack(UINT msg, WPARAM wParam, LPARAM lParam);
    void ShowOwnTooltip();
    void HideOwnTooltip();

    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    // Arrows move one step (up and right increase), Page Up and Page Down one
    // page, Home and End to the ends.
    void keyPressEvent(QKeyEvent* event) override;
    void OnMouseEnter() override;
    void OnMouseLeave() override;

    SliderScale scale_;
    uint32_t minPos_ = 0;
    uint32_t maxPos_ = 31;
    uint32_t pos_ = 0;
    int capMin_ = 1;
    int capMax_ = 32;

    SkinRect rect_;
    QSize thumbSize_;
    int travelFirst_ = 0;
    int travelLast_ = 0;
    int halfWidth_ = 0;
    int halfHeight_ = 0;
    uint32_t steps_ = 0;
    float pixelsPerStep_ = 0.0f;

    QImage normal_;
    QImage highlighted_;
    bool enabled_ = true;
    bool dragging_ = false;
    bool hover_ = false;

    QString tooltipPrefix_;
    QString tooltipText_;
    QString tooltipLabel_;
    TooltipSide tooltipSide_ = TooltipSide::Left;
    bool tooltipEnabled_ = true;
    QPoint tooltipOffset_;

    CSkinWindow* track_ = nullptr;
    // Only for thumbs without a slider track, which would otherwise show the tooltip.
    std::unique_ptr<CSliderTooltip> ownTooltip_;

    CSkinWindow* notifyTarget_ = nullptr;

    void UpdateMaxPosition();
    // Tells the host which pixel the fill should reach, when this thumb drives it.
    void SendFillEdge(UINT msg, int pixel);
};
