// SPDX-License-Identifier: GPL-3.0-or-later
#include "SliderTestSupport.h"

#include "controls/EditItem.h"

#include <gtest/gtest.h>

#include <QEnterEvent>

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

namespace {

QColor InsidePixel(CEditItem& edit)
{
    // Right of any text, inside the border.
    const QImage shown = edit.grab().toImage();
    return shown.pixelColor(shown.width() - edit.BorderWidth() - 3, shown.height() / 2);
}

void SendHover(CEditItem& edit, bool enter)
{
    if (enter) {
        QEnterEvent event(QPointF(3, 3), QPointF(3, 3), QPointF(3, 3));
        QCoreApplication::sendEvent(&edit, &event);
    } else {
        QEvent event(QEvent::Leave);
        QCoreApplication::sendEvent(&edit, &event);
    }
}

} // namespace

TEST(EditItem, PointerOverAnEnabledFieldShowsTheHoverColours)
{
    RecordingWindow owner;
    owner.resize(200, 100);
    owner.show();
    CEditItem edit(305, &owner, &owner, SkinRect{10, 10, 110, 30}, 2);
    EditColours colours;
    colours.text = RGB(200, 200, 200);
    colours.back = RGB(120, 0, 0);
    colours.hoverText = RGB(255, 255, 0);
    colours.hoverBack = RGB(0, 120, 0);
    colours.disabledBack = RGB(0, 0, 120);
    edit.SetColours(colours);
    edit.SetText(QStringLiteral("ab"));
    edit.show();

    EXPECT_EQ(InsidePixel(edit), QColor(120, 0, 0));
    SendHover(edit, true);
    EXPECT_EQ(InsidePixel(edit), QColor(0, 120, 0));
    EXPECT_EQ(edit.Edit()->palette().color(QPalette::Text), QColor(255, 255, 0));
    // Disabled wins over hover; enabled again under the pointer, hover is back.
    edit.SetEnabled(false);
    EXPECT_EQ(InsidePixel(edit), QColor(0, 0, 120));
    edit.setEnabled(true);
    EXPECT_EQ(InsidePixel(edit), QColor(0, 120, 0));
    SendHover(edit, false);
    EXPECT_EQ(InsidePixel(edit), QColor(120, 0, 0));
    EXPECT_EQ(edit.Edit()->palette().color(QPalette::Text), QColor(200, 200, 200));
}
