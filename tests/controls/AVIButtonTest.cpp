// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QTest>

#include "controls/AVIButton.h"
#include "skin/SkinTestSupport.h"

using namespace skintest;

TEST(AVIButton, PlaysItsClipOnceAndStopsOnTheLastFrame)
{
    RecordingWindow parent;
    parent.show();
    CAVIButton button(SkinRect{0, 0, 30, 30}, &parent);
    button.SetClip(QByteArray::fromStdString(TinyAnimatedGif(3)), u"clip.gif", u"click.wav");
    EXPECT_EQ(button.CurrentFrame(), -1);
    ASSERT_TRUE(button.Play());
    QTRY_COMPARE(button.CurrentFrame(), 2);
    QTRY_VERIFY(!button.IsPlaying());
    QTest::qWait(100);
    EXPECT_EQ(button.CurrentFrame(), 2); // no second round

    // A click plays it again from the start and tells the parent.
    QTest::mouseClick(&button, Qt::LeftButton, {}, QPoint(5, 5));
    ASSERT_EQ(parent.Of(WM_COMMAND).size(), 1u);
    EXPECT_EQ(reinterpret_cast<HWND>(parent.Of(WM_COMMAND)[0].lParam), button.GetHandle());
    QTRY_VERIFY(!button.IsPlaying());
    EXPECT_EQ(button.SoundFile(), u"click.wav");
}

TEST(AVIButton, WithoutAPlayableClipNothingPlays)
{
    CAVIButton none(SkinRect{0, 0, 30, 30}, nullptr);
    EXPECT_FALSE(none.Play());
    CAVIButton garbage(SkinRect{0, 0, 30, 30}, nullptr);
    garbage.SetClip(QByteArray("not a clip at all"), u"x.gif", u"");
    EXPECT_FALSE(garbage.Play());
    EXPECT_FALSE(garbage.IsPlaying());
}
