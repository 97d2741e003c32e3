#include "SliderTestSupport.h"

#include "controls/EditItem.h"

#include <gtest/gtest.h>

TEST(EditItem, NumericModeKeepsTheValueWithinBounds)
{
    RecordingWindow owner;
    CEditItem edit(307, &owner, &owner, SkinRect{10, 10, 110, 30}, 2);
    edit.show();
    edit.SetNumeric(true, 1, 60);
    QTest::keyClicks(edit.Edit(), QStringLiteral("61"));
    EXPECT_EQ(edit.GetText(), QStringLiteral("6"));
    QTest::keyClick(edit.Edit(), Qt::Key_0);
    EXPECT_EQ(edit.GetText(), QStringLiteral("60"));
    QTest::keyClick(edit.Edit(), Qt::Key_0); // 600
    QTest::keyClicks(edit.Edit(), QStringLiteral("a-"));
    QTest::keyClick(edit.Edit(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(edit.GetText(), QStringLiteral("60"));
    QTest::keyClick(edit.Edit(), Qt::Key_Backspace);
    QTest::keyClick(edit.Edit(), Qt::Key_Backspace);
    EXPECT_EQ(edit.GetText(), QString());
    // A lone 0 is below the lower bound.
    EXPECT_FALSE(edit.AcceptsDigit(0));
    QTest::keyClick(edit.Edit(), Qt::Key_7, Qt::KeypadModifier);
    EXPECT_EQ(edit.GetText(), QStringLiteral("7"));

    // Text the program set that is no number cannot be extended.
    edit.SetText(QStringLiteral("x"));
    EXPECT_FALSE(edit.AcceptsDigit(1));
    edit.SetNumeric(false, 0, 0);
    QTest::keyClicks(edit.Edit(), QStringLiteral("yz"));
    EXPECT_EQ(edit.GetText(), QStringLiteral("xyz"));
}

TEST(EditItem, EveryTextChangeIsSentToTheOwner)
{
    RecordingWindow owner;
    CEditItem edit(306, &owner, &owner, SkinRect{10, 10, 110, 30}, -3);
    edit.show();
    EXPECT_EQ(edit.BorderWidth(), 0);
    EXPECT_EQ(edit.geometry(), QRect(10, 10, 100, 20));
    edit.SetMaxLength(4);
    QTest::keyClicks(edit.Edit(), QStringLiteral("Profile"));
    EXPECT_EQ(edit.GetText(), QStringLiteral("Prof"));
    // Sent, so the owner has them at once: one per accepted character.
    const auto changes = owner.Of(WM_EDIT_TEXT_CHANGED);
    ASSERT_EQ(changes.size(), 4u);
    EXPECT_EQ(changes[0].lParam, reinterpret_cast<LPARAM>(edit.GetHandle()));
}
