// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/VScrollBar.h"

#include "skin/SkinElements.h"

#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

namespace {

// The repeat timers are shared: only one scroll bar repeats at a time.
QPointer<CVScrollBar>& RepeatingBar()
{
    static QPointer<CVScrollBar> bar;
    return bar;
}

constexpr int kMinimumPart = 8; // drawn size of a part whose bitmap is missing

int HeightOr(const QImage& image, int fallback)
{
    return image.isNull() ? fallback : image.height();
}

} // namespace

int ApplyScrollCode(const ScrollState& state, WPARAM wParam)
{
    int pos = state.pos;
    switch (LOWORD(wParam)) {
    case SB_LINEUP:
        pos -= 1;
        break;
    case SB_LINEDOWN:
        pos += 1;
        break;
    case SB_PAGEUP:
        pos -= state.page;
        break;
    case SB_PAGEDOWN:
        pos += state.page;
        break;
    case SB_THUMBTRACK:
        pos = HIWORD(wParam);
        break;
    case SB_BOTTOM:
        pos = state.MaxPos();
        break;
    default:
        break;
    }
    return std::clamp(pos, 0, state.MaxPos());
}

CVScrollBar::CVScrollBar(CSkinWindow* parent, CSkinWindow* target, const ScrollBarInfo& info, const QRect& area)
    : CSkinWindow(parent), target_(target), top_(info.top.image), bottom_(info.bottom.image), up_(info.arrowUp.image),
      down_(info.arrowDown.image), channel_(info.channel.image), thumb_(info.thumb.image)
{
    const int width = std::max(1, info.Width());
    setGeometry(area.right() + 1 - width, area.top(), width, area.height());
    show();
}

CVScrollBar::~CVScrollBar()
{
    if (RepeatingBar() == this)
        RepeatingBar().clear();
}

ScrollState CVScrollBar::State() const
{
    if (const auto* scrollable = dynamic_cast<const IScrollTarget*>(target_))
        return scrollable->GetScrollState();
    return {};
}

QRect CVScrollBar::UpArrowRect() const
{
    return QRect(0, HeightOr(top_, 0), width(), HeightOr(up_, kMinimumPart));
}

QRect CVScrollBar::DownArrowRect() const
{
    const int arrow = HeightOr(down_, kMinimumPart);
    return QRect(0, height() - HeightOr(bottom_, 0) - arrow, width(), arrow);
}

QRect CVScrollBar::ChannelRect() const
{
    const int top = UpArrowRect().bottom() + 1;
    return QRect(0, top, width(), std::max(0, DownArrowRect().top() - top));
}

int CVScrollBar::Travel() const
{
    return std::max(0, ChannelRect().height() - HeightOr(thumb_, kMinimumPart));
}

QRect CVScrollBar::ThumbRect() const
{
    const ScrollState state = State();
    const int span = state.MaxPos();
    // Pixels per row times the position, from the top of the channel.
    const int offset = span > 0 ? int(int64_t(Travel()) * std::clamp(state.pos, 0, span) / span) : 0;
    return QRect(0, ChannelRect().top() + offset, width(), HeightOr(thumb_, kMinimumPart));
}

int CVScrollBar::PositionForThumbOffset(int offset) const
{
    const int span = State().MaxPos();
    if (span <= 0 || Travel() <= 0)
        return 0;
    // Multiplied before dividing, so that the end of the channel is exactly the last row.
    return int(int64_t(std::clamp(offset, 0, Travel())) * span / Travel());
}

void CVScrollBar::Sync()
{
    update();
}

void CVScrollBar::Notify(WORD code, WORD position)
{
    if (target_)
        target_->PostMessage(WM_VSCROLL, MAKEWPARAM(code, position), 0);
}

void CVScrollBar::Step()
{
    const ScrollState state = State();
    switch (pressed_) {
    case Part::UpArrow:
        Notify(SB_LINEUP);
        break;
    case Part::DownArrow:
        Notify(SB_LINEDOWN);
        break;
    case Part::PageUp:
        Notify(SB_PAGEUP);
        break;
    case Part::PageDown:
        // A page down that would pass the last page jumps to the end instead.
        if (state.pos + state.page < state.MaxPos())
            Notify(SB_PAGEDOWN);
        else
            Notify(SB_BOTTOM);
        break;
    default:
        break;
    }
}

void CVScrollBar::StartRepeat(UINT timer, UINT period)
{
    if (CVScrollBar* other = RepeatingBar(); other && other != this)
        other->StopRepeat();
    RepeatingBar() = this;
    SetTimer(timer, period);
}

void CVScrollBar::StopRepeat()
{
    KillTimer(kArrowTimer);
    KillTimer(kChannelTimer);
    if (RepeatingBar() == this)
        RepeatingBar().clear();
}

void CVScrollBar::OnTimer(UINT id)
{
    if (id == kArrowTimer || id == kChannelTimer) {
        Step();
        return;
    }
    CSkinWindow::OnTimer(id);
}

void CVScrollBar::mousePressEvent(QMouseEvent* event)
{
    event->accept();
    if (event->button() != Qt::LeftButton)
        return;
    const QPoint point = event->position().toPoint();
    const QRect thumb = ThumbRect();
    if (UpArrowRect().contains(point))
        pressed_ = Part::UpArrow;
    else if (DownArrowRect().contains(point))
        pressed_ = Part::DownArrow;
    else if (thumb.contains(point))
        pressed_ = Part::Thumb;
    else if (ChannelRect().contains(point))
        pressed_ = point.y() < thumb.top() ? Part::PageUp : Part::PageDown;
    else
        pressed_ = Part::None;

    if (pressed_ == Part::Thumb) {
        dragGrab_ = point.y() - thumb.top();
        lastTrack_ = State().pos;
    } else if (pressed_ != Part::None) {
        Step();
        const bool arrow = pressed_ == Part::UpArrow || pressed_ == Part::DownArrow;
        StartRepeat(arrow ? kArrowTimer : kChannelTimer, arrow ? kArrowRepeatMs : kChannelRepeatMs);
    }
    update();
}

void CVScrollBar::mouseMoveEvent(QMouseEvent* event)
{
    if (pressed_ != Part::Thumb)
        return;
    const int offset = event->position().toPoint().y() - dragGrab_ - ChannelRect().top();
    const int position = PositionForThumbOffset(offset);
    if (position != lastTrack_) {
        lastTrack_ = position;
        Notify(SB_THUMBTRACK, WORD(position));
    }
}

void CVScrollBar::mouseReleaseEvent(QMouseEvent* event)
{
    event->accept();
    if (pressed_ == Part::None)
        return;
    StopRepeat();
    pressed_ = Part::None;
    Notify(SB_ENDSCROLL);
    update();
}

void CVScrollBar::focusOutEvent(QFocusEvent* event)
{
    // Losing the focus ends whatever the bar was doing; the target takes over again.
    StopRepeat();
    pressed_ = Part::None;
    if (target_)
        target_->setFocus();
    CSkinWindow::focusOutEvent(event);
}

void CVScrollBar::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QRect channel = ChannelRect();
    if (!channel_.isNull())
        painter.drawImage(channel, channel_);
    else
        painter.fillRect(channel, QColor(0x1C, 0x18, 0x03));
    if (!top_.isNull())
        painter.drawImage(0, 0, top_);
    if (!bottom_.isNull())
        painter.drawImage(0, height() - bottom_.height(), bottom_);
    auto drawPart = [&painter](const QRect& rect, const QImage& image, QColor fallback) {
        if (!image.isNull())
            painter.drawImage(rect.topLeft(), image);
        else
            painter.fillRect(rect, fallback);
    };
    drawPart(UpArrowRect(), up_, QColor(0x48, 0x3D, 0x06));
    drawPart(DownArrowRect(), down_, QColor(0x48, 0x3D, 0x06));
    if (State().MaxPos() > 0)
        drawPart(ThumbRect(), thumb_, QColor(0x81, 0x6E, 0x0B));
}
