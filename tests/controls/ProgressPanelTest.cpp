// SPDX-License-Identifier: GPL-3.0-or-later
#include "SliderTestSupport.h"

#include "controls/ProgressPanelItem.h"
#include "controls/accessibility/AccessibleEvents.h"
#include "controls/accessibility/ControlAccessibility.h"

#include <QAccessible>
#include <QAccessibleEvent>
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

// A screen reader hears a progress bar: what is under way, how far it is, and
// each change of the percent once; it cannot move the bar itself.
TEST(ProgressPanel, AssistiveToolsSeeAProgressBarThatFollowsTheWork)
{
    InstallControlAccessibility();
    std::vector<QVariant> announced;
    SetAnnouncementWatcher([&](QAccessibleEvent& event) {
        if (event.type() == QAccessible::ValueChanged)
            announced.push_back(static_cast<QAccessibleValueChangeEvent&>(event).value());
    });
    struct StopWatching {
        ~StopWatching() { SetAnnouncementWatcher({}); }
    } stopWatching;
    {
        RecordingWindow owner;
        CProgressPanelItem panel(317, &owner, &owner, SkinRect{0, 0, 300, 100});
        panel.AddTextLine({-1, QRect(10, 5, 280, 20), QStringLiteral("Writing"), kDefaultTextColor, {}, {}});
        panel.AddTextLine({-1, QRect(10, 30, 280, 20), QStringLiteral("PROFILE01\n"), kDefaultTextColor, {}, {}});
        QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(&panel);
        ASSERT_NE(iface, nullptr);
        EXPECT_EQ(iface->role(), QAccessible::ProgressBar);
        EXPECT_EQ(iface->text(QAccessible::Name), QStringLiteral("Writing"));
        EXPECT_EQ(iface->text(QAccessible::Description), QStringLiteral("PROFILE01"));
        QAccessibleValueInterface* value = iface->valueInterface();
        ASSERT_NE(value, nullptr);
        EXPECT_EQ(value->minimumValue().toInt(), 0);
        EXPECT_EQ(value->maximumValue().toInt(), 100);

        panel.SetPercent(40);
        panel.SetPercent(40);
        panel.SetPercent(250);
        EXPECT_EQ(value->currentValue().toInt(), 100);
        EXPECT_EQ(iface->text(QAccessible::Value), QStringLiteral("100%"));
        ASSERT_EQ(announced.size(), 2u) << "a percent repeated is not announced again";
        EXPECT_EQ(announced[0].toInt(), 40);
        EXPECT_EQ(announced[1].toInt(), 100);

        value->setCurrentValue(10);
        EXPECT_EQ(panel.Percent(), 100);
        panel.SetLineText(0, QStringLiteral("Reading"));
        EXPECT_EQ(iface->text(QAccessible::Name), QStringLiteral("Reading"));
    }
}
