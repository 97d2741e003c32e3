// SPDX-License-Identifier: GPL-3.0-or-later
// Timers by id, window shapes from masks, capture and hover of skinned windows.
#include "platform/SkinWindow.h"

#include <QTest>
#include <gtest/gtest.h>
#include <map>
#include <thread>

namespace {

class TimerWindow : public CSkinWindow {
public:
    void OnTimer(UINT id) override { ++fired[id]; }
    std::map<UINT, int> fired;
};

TEST(SkinWindowTimers, IdsFireIndependentlyAndKillStopsOnlyTheirOwn)
{
    TimerWindow window;
    EXPECT_TRUE(window.SetTimer(2, 5));
    EXPECT_TRUE(window.SetTimer(7, 5));
    QTRY_VERIFY(window.fired[2] >= 2 && window.fired[7] >= 2);

    EXPECT_TRUE(window.KillTimer(7));
    EXPECT_FALSE(window.HasTimer(7));
    EXPECT_FALSE(window.KillTimer(7)) << "a timer that does not run cannot be killed twice";
    const int sevenAfterKill = window.fired[7];
    const int twoAfterKill = window.fired[2];
    QTRY_VERIFY(window.fired[2] >= twoAfterKill + 3);
    EXPECT_EQ(window.fired[7], sevenAfterKill);
}

TEST(SkinWindowTimers, SettingARunningIdAgainReplacesItsPeriod)
{
    TimerWindow window;
    window.SetTimer(4, 5);
    QTRY_VERIFY(window.fired[4] >= 1);
    // Re-set with a period far longer than the test: it must not keep the old one.
    window.SetTimer(4, 3600 * 1000);
    const int before = window.fired[4];
    QTest::qWait(60);
    EXPECT_EQ(window.fired[4], before);
    EXPECT_TRUE(window.HasTimer(4));
}

TEST(SkinWindowTimers, OnlyTheWindowsThreadCanSetThem)
{
    TimerWindow window;
    bool set = true;
    std::thread other([&] { set = window.SetTimer(3, 10); });
    other.join();
    EXPECT_FALSE(set);
    EXPECT_FALSE(window.HasTimer(3));
}

TEST(SkinWindowTimers, DefaultTimerHandlerReachesTheWindowProcedure)
{
    struct ProcWindow : CSkinWindow {
        LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM) override
        {
            if (msg == WM_TIMER)
                lastTimer = UINT(wParam);
            return 0;
        }
        UINT lastTimer = 0;
    } window;
    window.SetTimer(16, 5);
    QTRY_COMPARE(window.lastTimer, 16u);
}

QImage Filled(int w, int h, QRgb colour)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

TEST(SkinWindowRegions, ControlMaskKeepsEverythingButPureWhite)
{
    QImage mask = Filled(8, 4, qRgb(255, 255, 255));
    EXPECT_TRUE(CSkinWindow::RegionFromMask(mask, MaskKind::ControlMask).isEmpty());

    mask.setPixel(1, 0, qRgb(0, 0, 0));
    mask.setPixel(2, 0, qRgb(254, 255, 255)); // almost white is inside
    mask.setPixel(5, 3, qRgb(255, 0, 255));
    const QRegion region = CSkinWindow::RegionFromMask(mask, MaskKind::ControlMask);
    EXPECT_TRUE(region.contains(QPoint(1, 0)));
    EXPECT_TRUE(region.contains(QPoint(2, 0)));
    EXPECT_TRUE(region.contains(QPoint(5, 3)));
    EXPECT_FALSE(region.contains(QPoint(3, 0)));
    EXPECT_FALSE(region.contains(QPoint(0, 0)));
    EXPECT_EQ(region.boundingRect(), QRect(1, 0, 5, 4));
}

TEST(SkinWindowRegions, ColourKeyCutsMagentaHolesAndKeepsWhite)
{
    QImage image = Filled(10, 10, qRgb(255, 255, 255));
    for (int y = 2; y < 5; ++y)
        for (int x = 3; x < 7; ++x)
            image.setPixel(x, y, qRgb(255, 0, 255));
    const QRegion region = CSkinWindow::RegionFromMask(image, MaskKind::ColourKey);
    EXPECT_TRUE(region.contains(QPoint(0, 0)));
    EXPECT_TRUE(region.contains(QPoint(9, 9)));
    EXPECT_FALSE(region.contains(QPoint(3, 2)));
    EXPECT_FALSE(region.contains(QPoint(6, 4)));
    EXPECT_TRUE(region.contains(QPoint(7, 4)));
    EXPECT_EQ(QRegion(0, 0, 10, 10).subtracted(region), QRegion(3, 2, 4, 3));

    // An image with an alpha channel: the colour decides, not the alpha.
    QImage argb(2, 1, QImage::Format_ARGB32);
    argb.setPixel(0, 0, qRgba(255, 0, 255, 255));
    argb.setPixel(1, 0, qRgba(10, 20, 30, 255));
    EXPECT_EQ(CSkinWindow::RegionFromMask(argb, MaskKind::ColourKey), QRegion(1, 0, 1, 1));
}

TEST(SkinWindowRegions, AnEmptyRegionHidesTheWholeWindowRatherThanNone)
{
    CSkinWindow window;
    window.resize(20, 20);
    window.SetRegionFromMask(Filled(20, 20, qRgb(255, 255, 255)), MaskKind::ControlMask);
    EXPECT_TRUE(window.HasRegion());
    EXPECT_TRUE(window.Region().isEmpty());
    // Qt would read an empty mask as "no mask" and show everything.
    EXPECT_FALSE(window.mask().isEmpty());
    EXPECT_TRUE(window.mask().intersected(window.rect()).isEmpty());

    QImage partial = Filled(20, 20, qRgb(255, 255, 255));
    partial.setPixel(4, 4, qRgb(0, 0, 0));
    window.SetRegionFromMask(partial, MaskKind::ControlMask);
    EXPECT_EQ(window.mask(), QRegion(4, 4, 1, 1));
    window.ClearRegion();
    EXPECT_TRUE(window.mask().isEmpty());
    EXPECT_FALSE(window.HasRegion());
}

class HoverWindow : public CSkinWindow {
public:
    void OnMouseEnter() override { events += "enter;"; }
    void OnMouseLeave() override { events += "leave;"; }
    std::string events;
};

TEST(SkinWindowInput, HoverFollowsEnterAndLeave)
{
    HoverWindow window;
    window.resize(50, 50);
    window.show();
    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
    QCoreApplication::sendEvent(&window, &enter);
    EXPECT_TRUE(window.IsHovered());
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(&window, &leave);
    EXPECT_FALSE(window.IsHovered());
    EXPECT_EQ(window.events, "enter;leave;");
}

TEST(SkinWindowInput, CaptureIsHeldUntilReleased)
{
    CSkinWindow window;
    window.resize(50, 50);
    window.show();
    EXPECT_FALSE(window.HasCapture());
    window.SetCapture();
    EXPECT_TRUE(window.HasCapture());
    window.ReleaseCapture();
    EXPECT_FALSE(window.HasCapture());

    CSkinWindow hidden;
    hidden.SetCapture(); // a hidden window cannot take the mouse
    EXPECT_FALSE(hidden.HasCapture());
}

} // namespace
