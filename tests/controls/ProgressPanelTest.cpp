// SPDX-License-Identifier: GPL-3.0-or-later
#include "SliderTestSupport.h"

#include "controls/ProgressPanelItem.h"

#include <QDir>
#include <gtest/gtest.h>

TEST(ProgressPanel, PercentIsClampedAndFillsItsShareOfTheBar)
{
    RecordingWindow owner;
    CProgressPanelItem panel(317, &owner, &owner, SkinRect{0, 0, 300, 100});
    panel.SetBar(QRect(10, 60, 200, 20), RGB(0, 255, 0), RGB(0, 0, 0));
    panel.AddTextLine({-1, QRect(10, 5, 280, 20), QStringLiteral("Profile 1"), kDefaultTextColor, {}, {}});
    panel.AddTextLine({-1, QRect(10, 30, 280, 20), QString(), kDefaultTextColor, {}, {}});
    panel.show();

    panel.SetPercent(150);
    EXPECT_EQ(panel.Percent(), 100);
    EXPECT_EQ(panel.PercentText(), QStringLiteral("100%"));
    panel.SetPercent(-4);
    EXPECT_EQ(panel.PercentText(), QStringLiteral("0%"));

    panel.SetPercent(50);
    panel.SetLineText(1, QStringLiteral("Writing sensitivity"));
    panel.SetLineText(7, QStringLiteral("ignored"));
    EXPECT_EQ(panel.LineText(1), QStringLiteral("Writing sensitivity"));
    EXPECT_EQ(panel.LineCount(), 2u);
    const QImage shot = panel.grab().toImage();
    shot.save(QDir::currentPath() + QStringLiteral("/progress_panel.png"));
    EXPECT_EQ(shot.pixelColor(12, 62), QColor(0, 255, 0));
    EXPECT_EQ(shot.pixelColor(108, 62), QColor(0, 255, 0));
    EXPECT_EQ(shot.pixelColor(112, 62), QColor(0, 0, 0));
    EXPECT_EQ(shot.pixelColor(205, 62), QColor(0, 0, 0));
}
