// SPDX-License-Identifier: GPL-3.0-or-later
#include "SliderTestSupport.h"

#include "controls/DPIStageWindow.h"
#include "skin/LangTable.h"

#include <QDir>
#include <gtest/gtest.h>

namespace {

constexpr int kStageItem = 291;

// A 90x110 stage box: heading on top, a single value box, and X/Y boxes below.
struct StageRig {
    RecordingWindow parent;
    CDPIStageWindow stage{kStageItem, &parent, &parent, SkinRect{10, 10, 100, 120}};
    StageRig()
    {
        stage.SetNamedBitmap(u"dpiframe", SolidImage(90, 110, QColor(43, 43, 43)), SkinRect{0, 0, 90, 110});
        stage.SetNamedBitmap(u"DPIFRAMESELECTED", SolidImage(90, 110, QColor(11, 110, 129)), SkinRect{0, 0, 90, 110});
        stage.SetNamedBitmap(u"DPIWIN", SolidImage(70, 24, Qt::darkCyan), SkinRect{10, 30, 80, 54});
        stage.SetNamedBitmap(u"DPIWINX", SolidImage(70, 20, Qt::darkCyan), SkinRect{10, 60, 80, 80});
        stage.SetNamedBitmap(u"DPIWINY", SolidImage(70, 20, Qt::darkCyan), SkinRect{10, 85, 80, 105});
        stage.SetNamedBitmap(u"NOSUCHPART", SolidImage(90, 110, Qt::red), SkinRect{0, 0, 90, 110});
        stage.SetTextArea(u"heading", u"$Stage", SkinRect{0, 2, 90, 24});
        stage.SetSelectedBoxImage(SolidImage(70, 24, Qt::yellow));
        stage.SetStageIndex(3);
        stage.show();
    }
    QImage Shot() { return stage.grab().toImage(); }
};

} // namespace

TEST(StageWindow, ClickSelectsOnceAndOnlyWhenClickable)
{
    StageRig rig;
    rig.stage.SetClickable(false);
    QTest::mouseClick(&rig.stage, Qt::LeftButton, {}, QPoint(40, 40));
    EXPECT_FALSE(rig.stage.IsSelected());
    EXPECT_TRUE(rig.parent.Of(WM_STAGE_CLICKED).empty());

    rig.stage.SetClickable(true);
    QTest::mouseClick(&rig.stage, Qt::LeftButton, {}, QPoint(40, 40));
    EXPECT_TRUE(rig.stage.IsSelected());
    // Sent, not posted: the parent has it before the click returns.
    auto clicked = rig.parent.Of(WM_STAGE_CLICKED);
    ASSERT_EQ(clicked.size(), 1u);
    EXPECT_EQ(clicked[0].wParam, WPARAM(3));
    EXPECT_EQ(clicked[0].lParam, LPARAM(kStageItem));

    QTest::mouseClick(&rig.stage, Qt::LeftButton, {}, QPoint(40, 40));
    EXPECT_EQ(rig.parent.Of(WM_STAGE_CLICKED).size(), 1u);
}

TEST(StageWindow, PaintsOnlyTheValuesOfItsMode)
{
    StageRig rig;
    rig.stage.SetValues(800, 1600, 3200);
    // Each mode shows its own values and none of the other's.
    const QImage single = rig.Shot();
    rig.stage.SetValues(900, 1600, 3200);
    EXPECT_NE(rig.Shot(), single);
    rig.stage.SetValues(800, 1700, 3300);
    EXPECT_EQ(rig.Shot(), single);
    EXPECT_EQ(single.pixelColor(5, 100), QColor(43, 43, 43));
    EXPECT_EQ(single.pixelColor(13, 33), QColor(Qt::black)); // the number's black ground
    EXPECT_EQ(single.pixelColor(11, 31), QColor(Qt::darkCyan));

    rig.stage.SetXYMode(true);
    const QImage xy = rig.Shot();
    EXPECT_NE(xy, single);
    rig.stage.SetValues(999, 1700, 3300);
    EXPECT_EQ(rig.Shot(), xy);
    rig.stage.SetValues(999, 1700, 3400);
    EXPECT_NE(rig.Shot(), xy);

    // Selected: the selected frame and the selected box picture around the number.
    rig.stage.SetXYMode(false);
    rig.stage.SetSelected(true);
    QImage selected = rig.Shot();
    EXPECT_EQ(selected.pixelColor(5, 100), QColor(11, 110, 129));
    EXPECT_EQ(selected.pixelColor(11, 31), QColor(Qt::yellow));

    // Not visible: nothing at all is painted.
    rig.stage.SetVisibleFlag(false);
    QImage hidden = rig.Shot();
    EXPECT_EQ(hidden.pixelColor(5, 100), rig.parent.grab().toImage().pixelColor(15, 110));

    const QString dir = QDir::currentPath();
    rig.stage.SetVisibleFlag(true);
    rig.stage.SetSelected(false);
    rig.Shot().save(dir + QStringLiteral("/stage_window_single.png"));
    rig.stage.SetXYMode(true);
    rig.Shot().save(dir + QStringLiteral("/stage_window_xy.png"));
}

TEST(StageWindow, HeadingIsTranslatedWithCapsAndLineBreak)
{
    ResetLanguages();
    CLangTable english(0);
    english.AddPair(u"Stage", u"Stage\\none");
    SetCurrentLanguage(&english);
    StageRig rig;
    rig.stage.SetCaps(CapsMode::Upper);
    rig.stage.SetHeading(u"$Stage");
    EXPECT_EQ(rig.stage.AreaText(u"HEADING"), QStringLiteral("STAGE\nONE"));
    rig.stage.SetHeading(u"$Missing");
    EXPECT_EQ(rig.stage.AreaText(u"HEADING"), QStringLiteral("$MISSING"));
    ResetLanguages();
}

TEST(StageWindow, AFrameMaskKeepsTheFrameOutOfWhiteMaskPixelsAndAStageOutOfUseIsFaded)
{
    StageRig rig;
    // Only the left half of the frame is inside its mask.
    QImage mask = SolidImage(90, 110, Qt::white);
    for (int y = 0; y < 110; ++y)
        for (int x = 0; x < 45; ++x)
            mask.setPixelColor(x, y, Qt::black);
    rig.stage.SetNamedBitmap(u"DPIFRAME", SolidImage(90, 110, QColor(43, 43, 43)), SkinRect{0, 0, 90, 110}, mask);
    const QImage shot = rig.Shot();
    EXPECT_EQ(shot.pixelColor(5, 100), QColor(43, 43, 43));
    EXPECT_EQ(shot.pixelColor(85, 100), QColor(Qt::black)) << "outside the mask only the black ground shows";

    rig.stage.setEnabled(false);
    const QImage faded = rig.Shot();
    EXPECT_LT(faded.pixelColor(5, 100).red(), 43) << "a stage out of use is drawn faded";
}
