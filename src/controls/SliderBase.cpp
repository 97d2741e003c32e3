// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/SliderBase.h"

#include "controls/SliderTooltip.h"
#include "controls/accessibility/AccessibleEvents.h"
#include "skin/LangTable.h"
#include "skin/TextFormat.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

namespace {

// Tooltip texts are kept as short as the original tooltip buffers.
constexpr int kTooltipMaxChars = 119;

// Every pixel that is not the colour of the top-left pixel.
QRegion ShapeWithoutCornerColour(const QImage& bitmap)
{
    if (bitmap.isNull())
        return {};
    return CSkinWindow::RegionWithoutColour(bitmap, bitmap.pixel(0, 0));
}

} // namespace

CSliderBase::CSliderBase(int itemId, int itemKind, CSkinWindow* itemOwner)
    : CSkinWindow(nullptr), CGUIItem(itemId, itemKind, nullptr, itemOwner)
{
    CGUIItem::window = this;
}

CSliderBase::~CSliderBase() = default;

void CSliderBase::Create(const QImage& normal, const QImage& highlighted, CSkinWindow* track, const SkinRect& rect)
{
    normal_ = normal;
    highlighted_ = highlighted;
    track_ = track;
    rect_ = rect;
    thumbSize_ = normal_.isNull() ? QSize(0, 0) : normal_.size();
    // Without a track the thumb lives directly on the window it was made for.
    if (CSkinWindow* host = track ? track : owner)
        setParent(host);
    // Thumbs report to a window that understands them; on a plain bitmap the
    // messages go straight to the window the slider was made for.
    if (dynamic_cast<CThumbHost*>(track))
        notifyTarget_ = track;
    else
        notifyTarget_ = owner ? owner : (track ? track->GetParentWindow() : nullptr);
    setFocusPolicy(Qt::StrongFocus);
    resize(thumbSize_);
    if (!normal_.isNull()) {
        const QRegion shape = ShapeWithoutCornerColour(normal_);
        setMask(shape.isEmpty() ? QRegion(-1, -1, 1, 1) : shape);
    }
    Layout();
    PlaceAt(PixelOfPosition(pos_), false);
    RebuildTooltipText();
    show();
    raise();
}

void CSliderBase::UpdateMaxPosition()
{
    minPos_ = 0;
    maxPos_ = scale_.MaxPosition();
}

void CSliderBase::SetRange(int min, int max, float step, bool redraw)
{
    scale_.min = min;
    scale_.max = max;
    scale_.step = SliderScale::SaneStep(step, max);
    UpdateMaxPosition();
    pos_ = std::min(pos_, maxPos_);
    if (redraw) {
        // Laid out again and placed even when the position number did not change:
        // the same position sits at another pixel under another range.
        Layout();
        PlaceAt(PixelOfPosition(pos_), false);
    }
    RebuildTooltipText();
}

void CSliderBase::SetValue(int value)
{
    SetPosition(scale_.PositionOfValue(double(value)), true);
    AnnounceValueChange(this, GetValue());
}

void CSliderBase::SetValue(float value)
{
    SetPosition(scale_.PositionOfValue(double(value)), true);
    AnnounceValueChange(this, GetValue());
}

void CSliderBase::SetCapRange(int low, int high)
{
    auto clampToPositions = [this](int v) { return std::clamp<int64_t>(v, minPos_, maxPos_); };
    capMin_ = int(clampToPositions(low));
    capMax_ = int(clampToPositions(high));
}

void CSliderBase::Enable(bool enable)
{
    enabled_ = enable;
    if (!enable) {
        if (dragging_)
            ReleaseCapture();
        dragging_ = false;
        hover_ = false;
    }
    update();
}

void CSliderBase::SetTooltipPrefix(std::u16string_view key)
{
    tooltipPrefix_ = QString::fromStdU16String(TranslateText(key));
    RebuildTooltipText();
}

void CSliderBase::SetTooltipLabel(const QString& label)
{
    tooltipLabel_ = label;
    RebuildTooltipText();
    if (auto* host = dynamic_cast<CThumbHost*>(track_); host && tooltipEnabled_) {
        if (CSliderTooltip* tip = host->HostTooltip(); tip && tip->isVisible())
            tip->ShowAt(tooltipText_, TooltipAnchor(), tooltipSide_);
    }
}

void CSliderBase::RebuildTooltipText()
{
    if (!tooltipLabel_.isEmpty()) {
        tooltipText_ = tooltipLabel_.left(kTooltipMaxChars);
        if (ownTooltip_ && ownTooltip_->isVisible())
            ownTooltip_->ShowAt(tooltipText_, TooltipAnchor(), tooltipSide_);
        return;
    }
    const std::u16string value = scale_.step < 1.0f ? FormatText(u"%.1f", {double(scale_.ExactValueOfPosition(pos_))})
                                                    : FormatText(u"%d", {GetValue()});
    tooltipText_ = (tooltipPrefix_ + QString::fromStdU16String(value)).left(kTooltipMaxChars);
    if (ownTooltip_ && ownTooltip_->isVisible())
        ownTooltip_->ShowAt(tooltipText_, TooltipAnchor(), tooltipSide_);
}

QPoint CSliderBase::TooltipAnchor() const
{
    return mapToGlobal(QPoint(0, 0)) + tooltipOffset_;
}

void CSliderBase::NotifyTrack(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (notifyTarget_)
        notifyTarget_->PostMessage(msg, wParam, lParam);
    if (msg == WM_SLIDER_CHANGING || msg == WM_SLIDER_RELEASED)
        AnnounceValueChange(this, GetValue());
}

void CSliderBase::SendFillEdge(UINT msg, int pixel)
{
    if (auto* host = dynamic_cast<CThumbHost*>(track_); host && host->FollowsThumb(this))
        track_->SendMessage(msg, 0, LPARAM(pixel));
}

void CSliderBase::ShowOwnTooltip()
{
    if (!tooltipEnabled_ || dynamic_cast<CThumbHost*>(track_))
        return;
    if (!ownTooltip_)
        ownTooltip_ = std::make_unique<CSliderTooltip>();
    ownTooltip_->ShowAt(tooltipText_, TooltipAnchor(), tooltipSide_);
}

void CSliderBase::HideOwnTooltip()
{
    if (ownTooltip_)
        ownTooltip_->HideTip();
}

bool CSliderBase::JumpTo(const QPoint& trackPoint)
{
    if (!enabled_)
        return false;
    const int pixel = ClampedPixelOfPoint(trackPoint);
    SetPosition(PositionFromPixel(pixel), true);
    NotifyTrack(WM_SLIDER_RELEASED, GetMessageValue(), LPARAM(id));
    return true;
}

bool CSliderBase::MoveToValue(double value)
{
    if (!enabled_)
        return false;
    SetPosition(scale_.PositionOfValue(value), true);
    NotifyTrack(WM_SLIDER_RELEASED, GetMessageValue(), LPARAM(id));
    return true;
}

bool CSliderBase::MoveToPosition(uint32_t position)
{
    position = std::min(position, maxPos_);
    if (!enabled_ || position == pos_)
        return false;
    SetPosition(position, true);
    RebuildTooltipText();
    NotifyTrack(WM_SLIDER_CHANGING, GetMessageValue(), LPARAM(id));
    NotifyTrack(WM_SLIDER_RELEASED, GetMessageValue(), LPARAM(id));
    return true;
}

uint32_t CSliderBase::PagePositions() const
{
    return std::max<uint32_t>(1, (maxPos_ + 5) / 10);
}

void CSliderBase::keyPressEvent(QKeyEvent* event)
{
    if (event->modifiers() & ~Qt::KeypadModifier) {
        CSkinWindow::keyPressEvent(event);
        return;
    }
    const uint32_t down = pos_ > 0 ? pos_ - 1 : 0;
    const uint32_t pageDown = pos_ > PagePositions() ? pos_ - PagePositions() : 0;
    uint32_t target = pos_;
    switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Down:
        target = down;
        break;
    case Qt::Key_Right:
    case Qt::Key_Up:
        target = pos_ + 1;
        break;
    case Qt::Key_PageDown:
        target = pageDown;
        break;
    case Qt::Key_PageUp:
        target = pos_ + PagePositions();
        break;
    case Qt::Key_Home:
        target = 0;
        break;
    case Qt::Key_End:
        target = maxPos_;
        break;
    default:
        CSkinWindow::keyPressEvent(event);
        return;
    }
    event->accept();
    MoveToPosition(target);
}

void CSliderBase::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QImage& image = (dragging_ || hover_) && !highlighted_.isNull() ? highlighted_ : normal_;
    if (!image.isNull())
        painter.drawImage(0, 0, image);
}

void CSliderBase::mousePressEvent(QMouseEvent* event)
{
    // A disabled thumb swallows the click: it must not reach the track as a jump.
    event->accept();
    if (!enabled_ || event->button() != Qt::LeftButton)
        return;
    SetCapture();
    dragging_ = true;
    update();
}

void CSliderBase::mouseMoveEvent(QMouseEvent* event)
{
    if (!enabled_)
        return;
    if (!hover_) {
        hover_ = true;
        update();
        ShowOwnTooltip();
        if (auto* host = dynamic_cast<CThumbHost*>(track_); host && host->HostTooltip() && tooltipEnabled_)
            host->HostTooltip()->ShowAt(tooltipText_, TooltipAnchor(), tooltipSide_);
    }
    if (dragging_) {
        const QPoint trackPoint = mapToParent(event->position().toPoint());
        const int pixel = ClampedPixelOfPoint(trackPoint);
        PlaceAt(pixel, true);
        const uint32_t position = PositionFromPixel(pixel);
        if (position != pos_) {
            pos_ = position;
            NotifyTrack(WM_SLIDER_CHANGING, GetMessageValue(), LPARAM(id));
        }
    }
    RebuildTooltipText();
}

void CSliderBase::mouseReleaseEvent(QMouseEvent* event)
{
    if (!enabled_ || event->button() != Qt::LeftButton)
        return;
    ReleaseCapture();
    if (dragging_) {
        const int pixel = ClampedPixelOfPoint(mapToParent(event->position().toPoint()));
        // The thumb settles on the position it reports.
        pos_ = PositionFromPixel(pixel);
        PlaceAt(PixelOfPosition(pos_), false);
        RebuildTooltipText();
        NotifyTrack(WM_SLIDER_RELEASED, GetMessageValue(), LPARAM(id));
    }
    dragging_ = false;
    hover_ = false;
    HideOwnTooltip();
    update();
}

void CSliderBase::focusOutEvent(QFocusEvent* event)
{
    hover_ = false;
    update();
    CSkinWindow::focusOutEvent(event);
}

void CSliderBase::OnMouseEnter()
{
    if (!enabled_)
        return;
    hover_ = true;
    update();
    ShowOwnTooltip();
    if (auto* host = dynamic_cast<CThumbHost*>(track_); host && host->HostTooltip() && tooltipEnabled_)
        host->HostTooltip()->ShowAt(tooltipText_, TooltipAnchor(), tooltipSide_);
}

void CSliderBase::OnMouseLeave()
{
    if (dragging_)
        return;
    hover_ = false;
    update();
    HideOwnTooltip();
    if (auto* host = dynamic_cast<CThumbHost*>(track_); host && host->HostTooltip())
        host->HostTooltip()->HideTip();
}
