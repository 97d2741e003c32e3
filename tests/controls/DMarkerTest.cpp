// SPDX-License-Identifier: GPL-3.0-or-later
#include "SliderTestSupport.h"

#include "controls/DMarker.h"

#include <gtest/gtest.h>

namespace {

constexpr int kMarkerId = 117;

// A 100-pixel marker cut out of parent-sized images at (20, 30).
struct MarkerRig {
    RecordingWindow owner;
    CDMarker marker{kMarkerId, &owner, &owner, SkinRect{20, 30, 120, 40}};
    MarkerRig()
    {
        QImage background = SolidImage(400, 200, Qt::darkGray);
        QImage mark = SolidImage(400, 200, Qt::red);
        // Columns left of the marker's own rectangle must never be drawn.
        for (int y = 0; y < 200; ++y)
            for (int x = 0; x < 20; ++x)
                mark.setPixelColor(x, y, Qt::green);
        marker.SetBitmaps(background, mark, SkinRect{20, 30, 120, 40});
        marker.show();
    }
};

} // namespace

TEST(DMarker, DragFollowsThePointerAndReportsOnlyAtTheEnd)
{
    MarkerRig rig;
    EXPECT_EQ(rig.marker.GetValue(), 0);
    SendMouse(&rig.marker, QEvent::MouseButtonPress, QPoint(10, 5), Qt::LeftButton, Qt::LeftButton);
    SendMouse(&rig.marker, QEvent::MouseMove, QPoint(55, 5), Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(rig.marker.ShownValue(), 5);
    EXPECT_EQ(rig.marker.GetValue(), 0);
    DeliverPosted();
    EXPECT_TRUE(rig.owner.messages.empty());

    // The right end and beyond both give the maximum; left of the marker gives the minimum.
    SendMouse(&rig.marker, QEvent::MouseMove, QPoint(100, 5), Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(rig.marker.ShownValue(), 10);
    SendMouse(&rig.marker, QEvent::MouseMove, QPoint(-40, 5), Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(rig.marker.ShownValue(), 0);
    SendMouse(&rig.marker, QEvent::MouseButtonRelease, QPoint(250, 5), Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(rig.marker.GetValue(), 10);
    DeliverPosted();
    auto changed = rig.owner.Of(WM_MARKER_CHANGED);
    ASSERT_EQ(changed.size(), 1u);
    EXPECT_EQ(changed[0].wParam, WPARAM(10));
    EXPECT_EQ(changed[0].lParam, LPARAM(kMarkerId));
}

TEST(DMarker, DisabledMarkerIgnoresTheMouse)
{
    MarkerRig rig;
    rig.marker.Enable(false);
    SendMouse(&rig.marker, QEvent::MouseButtonPress, QPoint(10, 5), Qt::LeftButton, Qt::LeftButton);
    SendMouse(&rig.marker, QEvent::MouseButtonRelease, QPoint(90, 5), Qt::LeftButton, Qt::NoButton);
    DeliverPosted();
    EXPECT_EQ(rig.marker.GetValue(), 0);
    EXPECT_TRUE(rig.owner.messages.empty());
}

TEST(DMarker, PaintsTheMarkedColumnsOfItsOwnPartOfTheMark)
{
    MarkerRig rig;
    rig.marker.SetValue(3);
    const QImage shot = rig.marker.grab().toImage();
    ASSERT_EQ(shot.width(), 100);
    EXPECT_EQ(shot.pixelColor(0, 5), QColor(Qt::red));
    EXPECT_EQ(shot.pixelColor(29, 5), QColor(Qt::red));
    EXPECT_EQ(shot.pixelColor(30, 5), QColor(Qt::darkGray));
    rig.marker.SetRange(0, 0);
    EXPECT_EQ(rig.marker.MarkedColumns(0), 0);
    EXPECT_EQ(rig.marker.ValueAt(70), 0);
}
