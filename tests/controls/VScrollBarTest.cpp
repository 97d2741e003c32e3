// SPDX-License-Identifier: GPL-3.0-or-later
#include "SliderTestSupport.h"

#include "controls/MacroDisplayItem.h"
#include "controls/VScrollBar.h"
#include "skin/SkinElements.h"

#include <gtest/gtest.h>

namespace {

ScrollBarInfo Looks()
{
    ScrollBarInfo info;
    info.top.image = SolidImage(12, 4, Qt::darkGray);
    info.bottom.image = SolidImage(12, 4, Qt::darkGray);
    info.arrowUp.image = SolidImage(12, 12, Qt::gray);
    info.arrowDown.image = SolidImage(12, 12, Qt::gray);
    info.channel.image = SolidImage(12, 1, Qt::black);
    info.thumb.image = SolidImage(10, 16, Qt::cyan);
    info.borderWidth = 2;
    return info;
}

struct MacroRig {
    RecordingWindow parent;
    CMacroDisplayItem display{315, &parent, &parent, SkinRect{0, 0, 200, 120}};
    MacroRig()
    {
        display.SetScrollBar(Looks());
        display.show();
        for (int i = 0; i < 20; ++i)
            display.AddEvent(MacroDisplayEvent{MacroDisplayEventKind::Key, u"A", i % 2 == 0});
        display.Select(0);
        DeliverPosted();
    }
    CVScrollBar& Bar() { return *display.ScrollBar(); }
    void Press(QPoint point)
    {
        SendMouse(&Bar(), QEvent::MouseButtonPress, point, Qt::LeftButton, Qt::LeftButton);
        SendMouse(&Bar(), QEvent::MouseButtonRelease, point, Qt::LeftButton, Qt::NoButton);
        DeliverPosted();
    }
};

} // namespace

TEST(VScrollBar, ScrollCodesMoveWithinTheRows)
{
    const ScrollState state{20, 5, 3};
    EXPECT_EQ(ApplyScrollCode(state, MAKEWPARAM(SB_LINEUP, 0)), 2);
    EXPECT_EQ(ApplyScrollCode(state, MAKEWPARAM(SB_LINEDOWN, 0)), 4);
    EXPECT_EQ(ApplyScrollCode(state, MAKEWPARAM(SB_PAGEUP, 0)), 0);
    EXPECT_EQ(ApplyScrollCode(state, MAKEWPARAM(SB_PAGEDOWN, 0)), 8);
    EXPECT_EQ(ApplyScrollCode(state, MAKEWPARAM(SB_THUMBTRACK, 40)), 15);
    EXPECT_EQ(ApplyScrollCode(state, MAKEWPARAM(SB_BOTTOM, 0)), 15);
    EXPECT_EQ(ApplyScrollCode(state, MAKEWPARAM(SB_ENDSCROLL, 0)), 3);
    // Fewer rows than a page never scroll.
    EXPECT_EQ(ApplyScrollCode(ScrollState{3, 5, 0}, MAKEWPARAM(SB_LINEDOWN, 0)), 0);
}

TEST(VScrollBar, ArrowsChannelAndThumbScrollTheMacroList)
{
    MacroRig rig;
    ASSERT_NE(rig.display.ScrollBar(), nullptr);
    EXPECT_EQ(rig.Bar().width(), 14);
    const int maxTop = rig.display.Count() - rig.display.VisibleRows();
    ASSERT_GT(maxTop, 2);
    EXPECT_EQ(rig.display.TopRow(), 0);

    rig.Press(rig.Bar().DownArrowRect().center());
    EXPECT_EQ(rig.display.TopRow(), 1);
    rig.Press(rig.Bar().UpArrowRect().center());
    EXPECT_EQ(rig.display.TopRow(), 0);
    // Below the thumb: a page down.
    rig.Press(QPoint(5, rig.Bar().ChannelRect().bottom() - 1));
    EXPECT_EQ(rig.display.TopRow(), std::min(maxTop, rig.display.VisibleRows()));

    // Dragging the thumb to the end of the channel tracks to the last page.
    const QRect thumb = rig.Bar().ThumbRect();
    SendMouse(&rig.Bar(), QEvent::MouseButtonPress, thumb.center(), Qt::LeftButton, Qt::LeftButton);
    SendMouse(&rig.Bar(), QEvent::MouseMove, QPoint(5, rig.Bar().height() + 50), Qt::NoButton, Qt::LeftButton);
    DeliverPosted();
    EXPECT_EQ(rig.display.TopRow(), maxTop);
    EXPECT_EQ(rig.Bar().ThumbRect().bottom(), rig.Bar().ChannelRect().bottom());
    SendMouse(&rig.Bar(), QEvent::MouseMove, QPoint(5, -50), Qt::NoButton, Qt::LeftButton);
    SendMouse(&rig.Bar(), QEvent::MouseButtonRelease, QPoint(5, -50), Qt::LeftButton, Qt::NoButton);
    DeliverPosted();
    EXPECT_EQ(rig.display.TopRow(), 0);
    EXPECT_EQ(rig.Bar().ThumbRect().top(), rig.Bar().ChannelRect().top());
}

TEST(VScrollBar, HeldArrowRepeatsUntilReleased)
{
    MacroRig rig;
    SendMouse(&rig.Bar(), QEvent::MouseButtonPress, rig.Bar().DownArrowRect().center(), Qt::LeftButton, Qt::LeftButton);
    // The first step comes with the press; the repeats follow while it is held.
    for (int waited = 0; waited < 3000 && rig.display.TopRow() <= 1; waited += 10) {
        QTest::qWait(10);
        DeliverPosted();
    }
    EXPECT_GT(rig.display.TopRow(), 1);
    SendMouse(&rig.Bar(), QEvent::MouseButtonRelease, rig.Bar().DownArrowRect().center(), Qt::LeftButton, Qt::NoButton);
    DeliverPosted();
    const int afterRelease = rig.display.TopRow();
    QTest::qWait(40);
    DeliverPosted();
    EXPECT_EQ(rig.display.TopRow(), afterRelease);
}
