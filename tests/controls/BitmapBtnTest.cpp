// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QTest>

#include "controls/BitmapBtn.h"
#include "controls/BitmapItem.h"
#include "skin/SkinTestSupport.h"

using namespace skintest;

namespace {

QImage Solid(QColor colour, int w = 40, int h = 20)
{
    QImage image(w, h, QImage::Format_ARGB32);
    image.fill(colour);
    return image;
}

const QColor kNormal(10, 10, 10), kOver(0, 200, 220), kDown(0, 90, 110), kDisabled(60, 60, 60);

class BitmapBtnTest : public ::testing::Test {
protected:
    BitmapBtnTest()
    {
        parent.show();
        button = new CBitmapBtn(SkinRect{10, 10, 50, 30}, &parent);
        button->SetBitmaps(Solid(kNormal), Solid(kOver), Solid(kDown), Solid(kDisabled), QImage(),
                           SkinRect{0, 0, 40, 20});
    }
    QColor Shown() const { return button->ChosenImage().pixelColor(3, 3); }
    std::vector<RecordedMessage> Clicks() const { return parent.Of(WM_COMMAND); }

    RecordingWindow parent;
    CBitmapBtn* button;
};

TEST_F(BitmapBtnTest, PushButtonShowsTheBitmapOfItsState)
{
    EXPECT_EQ(Shown(), kNormal);
    button->SetHover(true);
    EXPECT_EQ(Shown(), kOver);
    button->SetHover(false);
    button->SetHighlighted(true);
    EXPECT_EQ(Shown(), kOver); // highlighted looks hovered without the pointer
    QTest::mousePress(button, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(Shown(), kDown);
    QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(Shown(), kOver);
    button->SetChecked(true);
    EXPECT_EQ(Shown(), kDown);
    button->setEnabled(false);
    EXPECT_EQ(Shown(), kDisabled); // disabled wins over checked for a push button

    // What is painted is the image chosen.
    button->setEnabled(true);
    button->SetChecked(false);
    button->SetHighlighted(false);
    EXPECT_EQ(button->grab().toImage().pixelColor(3, 3), kNormal);
}

TEST_F(BitmapBtnTest, CheckBoxShowsDownWhenCheckedEvenWhileDisabled)
{
    button->SetCheckBox(true);
    button->SetHover(true);
    EXPECT_EQ(Shown(), kOver);
    button->SetChecked(true);
    EXPECT_EQ(Shown(), kDown);
    button->setEnabled(false);
    EXPECT_EQ(Shown(), kDown);
    button->SetChecked(false);
    EXPECT_EQ(Shown(), kDisabled);
}

TEST_F(BitmapBtnTest, ABitmapItemReplacesEveryStateBitmap)
{
    CBitmapItem picture(SkinRect{0, 0, 40, 20}, &parent);
    picture.SetBitmap(Solid(Qt::red));
    button->SetBitmapItem(&picture);
    EXPECT_EQ(Shown(), QColor(Qt::red));
    button->SetChecked(true);
    EXPECT_EQ(Shown(), QColor(Qt::red));
    button->SetBitmapItem(nullptr);
    EXPECT_EQ(Shown(), kDown);
}

TEST_F(BitmapBtnTest, TextColourFollowsStateWithZeroMeaningNearWhite)
{
    button->SetColours(RGB(1, 2, 3), 0, RGB(7, 8, 9), RGB(4, 5, 6));
    EXPECT_EQ(button->ChosenTextColour(), RGB(1, 2, 3));
    button->SetHover(true);
    EXPECT_EQ(button->ChosenTextColour(), kDefaultTextColor); // no over colour in the skin
    button->SetChecked(true);
    EXPECT_EQ(button->ChosenTextColour(), RGB(7, 8, 9));
    button->SetChecked(false);
    button->SetHover(false);
    button->setEnabled(false);
    EXPECT_EQ(button->ChosenTextColour(), RGB(4, 5, 6));
}

TEST_F(BitmapBtnTest, MaskShapesTheButtonAndAnAllWhiteMaskHidesIt)
{
    QImage half = Solid(Qt::white);
    QPainter(&half).fillRect(0, 0, 20, 20, Qt::black);
    button->SetBitmaps(Solid(kNormal), Solid(kOver), Solid(kDown), Solid(kDisabled), half, SkinRect{0, 0, 40, 20});
    EXPECT_TRUE(button->HasRegion());
    EXPECT_EQ(button->Region(), QRegion(0, 0, 20, 20));
    // Outside the mask nothing of the image is painted.
    const QImage painted = button->grab().toImage();
    EXPECT_EQ(painted.pixelColor(3, 3), kNormal);
    EXPECT_NE(painted.pixelColor(30, 3), kNormal);

    CBitmapBtn hidden(SkinRect{0, 0, 40, 20}, &parent);
    hidden.SetBitmaps(Solid(kNormal), {}, {}, {}, Solid(Qt::white), SkinRect{0, 0, 40, 20});
    EXPECT_TRUE(hidden.HasRegion());
    EXPECT_TRUE(hidden.Region().isEmpty());
}

TEST_F(BitmapBtnTest, PushButtonClicksOnReleaseInsideOnly)
{
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(5, 5));
    ASSERT_EQ(Clicks().size(), 1u);
    EXPECT_EQ(Clicks()[0].wParam, MAKEWPARAM(0, BN_CLICKED));
    EXPECT_EQ(reinterpret_cast<HWND>(Clicks()[0].lParam), button->GetHandle());

    QTest::mousePress(button, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(100, 100));
    EXPECT_EQ(Clicks().size(), 1u);

    button->setEnabled(false);
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(Clicks().size(), 1u);
}

TEST_F(BitmapBtnTest, CheckBoxTogglesAndNotifiesOnPress)
{
    button->SetCheckBox(true);
    QTest::mousePress(button, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_TRUE(button->IsChecked());
    EXPECT_EQ(Clicks().size(), 1u);
    QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(Clicks().size(), 1u);
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_FALSE(button->IsChecked());

    // A check box that does not toggle still reports the click.
    button->SetToggles(false);
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_FALSE(button->IsChecked());
    EXPECT_EQ(Clicks().size(), 3u);
}

TEST_F(BitmapBtnTest, BlinkAlternatesWithTheOverBitmapUntilStopped)
{
    button->Blink(5);
    EXPECT_TRUE(button->IsBlinking());
    QTRY_COMPARE(Shown(), kOver);
    QTRY_COMPARE(Shown(), kNormal);
    button->Blink(0);
    EXPECT_FALSE(button->IsBlinking());
    EXPECT_EQ(Shown(), kNormal);
}

TEST(BitmapBtnCaption, TranslatesAppliesCapsAndBreaksTheFirstLine)
{
    EXPECT_EQ(MakeCaption(u"Erste\\nZweite\\nDritte"), QStringLiteral("Erste\nZweite\\nDritte"));
    EXPECT_EQ(MakeCaption(u"Apply", CapsMode::Upper), QStringLiteral("APPLY"));
    EXPECT_EQ(MakeCaption(u"Apply", CapsMode::Lower), QStringLiteral("apply"));
    EXPECT_EQ(MakeCaption(u"Apply\\nnow", CapsMode::Upper), QStringLiteral("APPLY\nNOW"));
    EXPECT_EQ(MakeCaption(u"$NotInAnyLanguage"), QStringLiteral("$NotInAnyLanguage"));
    EXPECT_EQ(MakeTooltip(u"one\\ntwo\\nthree"), QStringLiteral("one\ntwo\nthree"));
}

} // namespace
