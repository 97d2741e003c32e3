// SPDX-License-Identifier: GPL-3.0-or-later
// The tray's battery is the main window's: the skin's outline and segments, lit
// for the level as the main window lights them, red when low, grey without a
// mouse, with a bolt while charging; and a skin that cannot give it is named.
#include "tray/TrayBatteryIcon.h"

#include "skin/AppPaths.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include <filesystem>
#include <fstream>

namespace {

constexpr int kSize = 64;

DeviceSnapshot Mouse(uint32_t level, int32_t charging = 0, uint32_t warning = 0)
{
    DeviceSnapshot snapshot;
    snapshot.productId = 0x0031;
    snapshot.battery = BatteryStatus{true, level, charging};
    snapshot.batteryWarning = warning;
    return snapshot;
}

struct Colours {
    int cyan = 0;  // the lit segments' own colour
    int red = 0;   // the warning colour
    int white = 0; // the bolt
    int saturated = 0;
};

Colours Count(const QImage& image)
{
    Colours colours;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor colour = QColor::fromRgba(image.pixel(x, y));
            if (colour.alpha() < 200)
                continue;
            if (colour.saturation() > 80)
                ++colours.saturated;
            if (colour.blue() > 150 && colour.green() > 150 && colour.red() < 140)
                ++colours.cyan;
            if (colour.red() > 180 && colour.green() < 120 && colour.blue() < 120)
                ++colours.red;
            if (colour.red() > 230 && colour.green() > 230 && colour.blue() > 230)
                ++colours.white;
        }
    }
    return colours;
}

class TrayBatteryIconTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        previous_ = GetAppDirectory();
        SetAppDirectory(qEnvironmentVariable("ZT_APP_DIR").toStdU16String());
    }
    void TearDown() override { SetAppDirectory(previous_); }

    std::u16string previous_;
};

} // namespace

TEST_F(TrayBatteryIconTest, SkinBatteryLightsOneMoreSegmentForEachStepOfTheLevel)
{
    QString why;
    const std::optional<CSkinBatteryLook> look = CSkinBatteryLook::Load(why);
    ASSERT_TRUE(look) << why.toStdString();

    // Levels the main window shows with one, two, three and four segments.
    const uint32_t levels[] = {20, 120, 200, 255};
    int previousCyan = 0;
    for (uint32_t level : levels) {
        SCOPED_TRACE(level);
        const Colours colours = Count(look->Draw(Mouse(level), kSize));
        EXPECT_GT(colours.cyan, previousCyan);
        EXPECT_EQ(colours.red, 0);
        previousCyan = colours.cyan;
    }
    // The same segments for levels within one step.
    EXPECT_EQ(look->Draw(Mouse(80), kSize), look->Draw(Mouse(170), kSize));

    const Colours low = Count(look->Draw(Mouse(20, 0, 30), kSize));
    EXPECT_GT(low.red, 0);
    const Colours charging = Count(look->Draw(Mouse(120, 1), kSize));
    EXPECT_GT(charging.white, Count(look->Draw(Mouse(120), kSize)).white);
    const Colours absent = Count(look->Draw(std::nullopt, kSize));
    EXPECT_EQ(absent.saturated, 0);

    const QString directory = QStringLiteral(ZT_TEST_SCREENSHOT_DIR);
    QDir().mkpath(directory);
    const struct {
        const char* name;
        std::optional<DeviceSnapshot> snapshot;
    } pictures[] = {
        {"tray-icon-low", Mouse(20, 0, 30)},   {"tray-icon-half", Mouse(120)},   {"tray-icon-full", Mouse(255)},
        {"tray-icon-charging", Mouse(200, 1)}, {"tray-icon-none", std::nullopt},
    };
    for (const auto& picture : pictures) {
        EXPECT_TRUE(look->Draw(picture.snapshot, kSize).save(directory + "/" + picture.name + ".png"));
        EXPECT_TRUE(look->Draw(picture.snapshot, 22).save(directory + "/" + picture.name + "-22.png"));
    }
}

TEST_F(TrayBatteryIconTest, SkinWithoutAUsableBatteryIsNamedAndTheDrawnOneStandsIn)
{
    const QString appDirectory = qEnvironmentVariable("ZT_APP_DIR");
    QFile page(appDirectory + QStringLiteral("/xml/MainPage.xml"));
    ASSERT_TRUE(page.open(QIODevice::ReadOnly));
    const QString mainPage = QString::fromUtf8(page.readAll());

    const struct {
        const char* broken;
        QString xml; // empty: no main page at all
        const char* reason;
    } cases[] = {
        {"no main page", QString(), "MainPage.xml"},
        {"a segment missing", QString(mainPage).replace("BATTERY_LEVEL2", "BATTERY_LEVEL9"), "BATTERY_LEVEL2"},
        {"a segment off the page", QString(mainPage).replace("left=\"787\"", "left=\"9787\""), "BATTERY_LEVEL3"},
        {"no segment bitmap", QString(mainPage).replace("battery_segment.png", "no_such_segment.png"),
         "segment bitmap"},
        {"no background", QString(mainPage).replace("main_bg.png", "no_such_background.png"), "background"},
    };
    ASSERT_NE(cases[1].xml, mainPage);
    ASSERT_NE(cases[2].xml, mainPage);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.broken);
        TempDir skin;
        std::filesystem::create_directories(skin / "xml");
        std::filesystem::copy(appDirectory.toStdString() + "/skins", skin / "skins");
        if (!c.xml.isEmpty())
            std::ofstream(skin / "xml" / "MainPage.xml") << c.xml.toStdString();
        SetAppDirectory(QString::fromStdString(skin.path().string()).toStdU16String());
        QString why;
        EXPECT_FALSE(CSkinBatteryLook::Load(why));
        EXPECT_TRUE(why.contains(QString::fromUtf8(c.reason))) << why.toStdString();
    }
    // Without the skin's battery the drawn one is shown.
    EXPECT_EQ(BatteryIconImage(nullptr, Mouse(120), kSize), DrawBatteryImage(Mouse(120), kSize));
}
