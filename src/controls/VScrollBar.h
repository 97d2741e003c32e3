// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The skinned vertical scroll bar (`VSCROLL`): top and bottom caps, up and down
// arrows, a channel and a thumb, each from the skin. It tells the window it scrolls
// what the user did with vertical-scroll notifications (WM_VSCROLL, posted), and
// places its thumb from that window's scroll state.
#include <QImage>
#include <QPointer>

#include "platform/SkinWindow.h"

struct ScrollBarInfo;

// The vertical-scroll notification and its codes (low word of wParam; the thumb
// position travels in the high word).
constexpr UINT WM_VSCROLL = 0x0115;
constexpr WORD SB_LINEUP = 0;
constexpr WORD SB_LINEDOWN = 1;
constexpr WORD SB_PAGEUP = 2;
constexpr WORD SB_PAGEDOWN = 3;
constexpr WORD SB_THUMBTRACK = 5;
constexpr WORD SB_BOTTOM = 7;
constexpr WORD SB_ENDSCROLL = 8;

// What a scrolled window shows: `count` rows, `page` of them at a time, from `pos`.
struct ScrollState {
    int count = 0;
    int page = 1;
    int pos = 0;
    int MaxPos() const { return count > page ? count - page : 0; }
};

// A window a scroll bar can scroll.
class IScrollTarget {
public:
    virtual ~IScrollTarget() = default;
    virtual ScrollState GetScrollState() const = 0;
};

// Applies a vertical-scroll notification to a scroll state: the new top row.
int ApplyScrollCode(const ScrollState& state, WPARAM wParam);

class CVScrollBar : public CSkinWindow {
public:
    static constexpr UINT kArrowTimer = 0;
    static constexpr UINT kArrowRepeatMs = 5;
    static constexpr UINT kChannelTimer = 1;
    static constexpr UINT kChannelRepeatMs = 20;

    // A child of `parent` at the right edge of `area` (in the parent's coordinates),
    // scrolling `target` (a window that is also an IScrollTarget).
    CVScrollBar(CSkinWindow* parent, CSkinWindow* target, const ScrollBarInfo& info, const QRect& area);
    ~CVScrollBar() override;

    // Re-reads the target's scroll state and moves the thumb.
    void Sync();
    QRect ThumbRect() const;
    QRect UpArrowRect() const;
    QRect DownArrowRect() const;
    QRect ChannelRect() const;
    // The top row for a thumb whose top is `offset` pixels into the channel.
    int PositionForThumbOffset(int offset) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void OnTimer(UINT id) override;

private:
    enum class Part { None, UpArrow, DownArrow, PageUp, PageDown, Thumb };
    ScrollState State() const;
    void Notify(WORD code, WORD position = 0);
    void Step();
    void StartRepeat(UINT timer, UINT period);
    void StopRepeat();
    int Travel() const;

    CSkinWindow* target_ = nullptr;
    QImage top_, bottom_, up_, down_, channel_, thumb_;
    Part pressed_ = Part::None;
    int dragGrab_ = 0;
    int lastTrack_ = -1;
};
