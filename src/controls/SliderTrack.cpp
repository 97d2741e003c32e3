// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/SliderTrack.h"

#include "controls/ControlDrawing.h"
#include "controls/SliderTooltip.h"

#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

CSliderTrack::CSliderTrack(int itemId, CSkinWindow* parent, CSkinWindow* messageOwner, const SkinRect& rect)
    : CBitmapItem(rect, parent), messageOwner_(messageOwner ? messageOwner : parent)
{
    id = itemId;
    kind = ItemKind::SLIDERTRACK;
    owner = messageOwner;
}

CSliderTrack::~CSliderTrack() = default;

void CSliderTrack::SetBitmaps(const QImage& normal, const QImage& disabled, const QImage& mask)
{
    SetBitmap(normal, mask);
    disabledImage_ = CutImage(disabled, 0, 0, width(), height());
    update();
}

void CSliderTrack::SetFill(const QRect& fillRect, COLORREF fillColour, std::optional<COLORREF> backColour)
{
    fill_ = fillRect;
    fillColour_ = fillColour;
    backColour_ = backColour;
    // A horizontal fill grows right from its left edge, a vertical one up from its
    // bottom edge; the channel mirrors the anchored edge at the other end.
    if (!backColour_)
        channel_ = QRect();
    else if (width() >= height())
        channel_ =
            QRect(QPoint(fillRect.left(), fillRect.top()), QPoint(width() - 1 - fillRect.left(), fillRect.bottom()));
    else
        channel_ = QRect(QPoint(fillRect.left(), height() - 1 - fillRect.bottom()),
                         QPoint(fillRect.right(), fillRect.bottom()));
    update();
}

QRect CSliderTrack::ChannelRect() const
{
    return channel_;
}

void CSliderTrack::SetDisabled(bool disabled)
{
    disabled_ = disabled;
    update();
}

void CSliderTrack::AttachThumb(CSliderBase* thumb)
{
    if (thumb && std::find(thumbs_.begin(), thumbs_.end(), thumb) == thumbs_.end())
        thumbs_.emplace_back(thumb);
}

void CSliderTrack::DetachThumb(CSliderBase* thumb)
{
    std::erase_if(thumbs_, [thumb](const QPointer<CSliderBase>& p) { return p.isNull() || p == thumb; });
}

CSliderBase* CSliderTrack::DrivenThumb() const
{
    for (const auto& thumb : thumbs_) {
        if (thumb)
            return thumb;
    }
    return nullptr;
}

CSliderBase* CSliderTrack::ThumbById(int thumbId) const
{
    for (const auto& thumb : thumbs_) {
        if (thumb && thumb->id == thumbId)
            return thumb;
    }
    return nullptr;
}

bool CSliderTrack::FollowsThumb(const CSliderBase* thumb) const
{
    const CSliderBase* driven = DrivenThumb();
    return driven == nullptr || driven == thumb;
}

CSliderTooltip* CSliderTrack::HostTooltip()
{
    // Made on first need, and only when the thumb wants one.
    const CSliderBase* thumb = DrivenThumb();
    if (!thumb || !thumb->IsTooltipEnabled())
        return nullptr;
    if (!tooltip_)
        tooltip_ = std::make_unique<CSliderTooltip>();
    return tooltip_.get();
}

bool CSliderTrack::IsTooltipShown() const
{
    return tooltip_ && tooltip_->isVisible();
}

void CSliderTrack::ShowTooltipFor(CSliderBase* thumb)
{
    if (!thumb || !thumb->IsTooltipEnabled())
        return;
    if (CSliderTooltip* tip = HostTooltip())
        tip->ShowAt(thumb->TooltipText(), thumb->TooltipAnchor(), thumb->GetTooltipSide());
}

LRESULT CSliderTrack::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_SLIDER_CHANGING:
        ShowTooltipFor(ThumbById(int(lParam)));
        if (messageOwner_)
            messageOwner_->PostMessage(msg, wParam, lParam);
        update();
        return 0;
    case WM_SLIDER_RELEASED:
        if (tooltip_)
            tooltip_->HideTip();
        if (messageOwner_)
            messageOwner_->PostMessage(msg, wParam, lParam);
        update();
        return 0;
    case WM_SLIDER_THUMB_MOVED_X:
        if (fill_) {
            fill_->setRight(int(lParam) - 1);
            update();
        }
        return 0;
    case WM_SLIDER_THUMB_MOVED_Y:
        if (fill_) {
            fill_->setTop(int(lParam));
            update();
        }
        return 0;
    default:
        return CBitmapItem::WindowProc(msg, wParam, lParam);
    }
}

void CSliderTrack::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        CBitmapItem::mousePressEvent(event);
        return;
    }
    const QPoint point = event->position().toPoint();
    if (CSliderBase* thumb = DrivenThumb())
        thumb->JumpTo(point);
    if (messageOwner_)
        messageOwner_->PostMessage(WM_SLIDER_TRACK_CLICKED, WPARAM(id), MAKELPARAM(WORD(point.x()), WORD(point.y())));
    event->accept();
}

void CSliderTrack::paintEvent(QPaintEvent*)
{
    // Drawn off-screen first so the fill never flickers over the bitmap.
    QImage buffer(size(), QImage::Format_ARGB32_Premultiplied);
    buffer.fill(Qt::transparent);
    {
        QPainter painter(&buffer);
        const QImage& image = (disabled_ || !isEnabled()) && !disabledImage_.isNull() ? disabledImage_ : Bitmap();
        if (!image.isNull())
            painter.drawImage(0, 0, image);
        if (backColour_ && channel_.isValid())
            painter.fillRect(channel_, ToQColor(*backColour_));
        if (fill_ && fill_->isValid())
            painter.fillRect(*fill_, ToQColor(fillColour_));
    }
    QPainter(this).drawImage(0, 0, buffer);
}
