// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QAccessible>
#include <QEnterEvent>
#include <QTest>

#include "controls/BitmapBtn.h"
#include "controls/TextItem.h"
#include "controls/accessibility/ControlAccessibility.h"
#include "skin/LangTable.h"
#include "skin/SkinTestSupport.h"

using namespace skintest;

namespace {

class TextItemTest : public ::testing::Test {
protected:
    TextItemTest()
    {
        // Before any label exists: an interface, once asked for, is kept for the
        // widget's life.
        InstallControlAccessibility();
        parent.show();
        box = new CBitmapBtn(SkinRect{0, 0, 20, 20}, &parent);
        box->SetCheckBox(true);
        label = new CTextItem(SkinRect{30, 0, 150, 20}, &parent);
        label->id = 77;
        label->SetText(u"Enable");
    }
    void Hover(CSkinWindow* window, bool enter)
    {
        if (enter) {
            QEnterEvent event(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
            QCoreApplication::sendEvent(window, &event);
        } else {
            QEvent event(QEvent::Leave);
            QCoreApplication::sendEvent(window, &event);
        }
    }

    RecordingWindow parent;
    CBitmapBtn* box;
    CTextItem* label;
};

TEST_F(TextItemTest, ClickingTheLabelOfACheckBoxClicksTheBox)
{
    ASSERT_TRUE(label->LinkCheckBox(box));
    QTest::mouseClick(label, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_TRUE(box->IsChecked());
    const auto clicks = parent.Of(WM_COMMAND);
    ASSERT_EQ(clicks.size(), 1u);
    // The message is the box's own: id 0 and the box's window.
    EXPECT_EQ(clicks[0].wParam, MAKEWPARAM(0, BN_CLICKED));
    EXPECT_EQ(reinterpret_cast<HWND>(clicks[0].lParam), box->GetHandle());

    QTest::mouseClick(label, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_FALSE(box->IsChecked());
    // Exactly as clicking the box itself.
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_TRUE(box->IsChecked());
    EXPECT_EQ(parent.Of(WM_COMMAND).size(), 3u);

    // A disabled box ignores its label.
    box->setEnabled(false);
    QTest::mouseClick(label, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_TRUE(box->IsChecked());
    EXPECT_EQ(parent.Of(WM_COMMAND).size(), 3u);
}

TEST_F(TextItemTest, HoveringTheLabelLightsTheBox)
{
    ASSERT_TRUE(label->LinkCheckBox(box));
    Hover(label, true);
    EXPECT_TRUE(label->IsHover());
    EXPECT_TRUE(box->IsHover());
    Hover(label, false);
    EXPECT_FALSE(box->IsHover());
}

TEST_F(TextItemTest, OnlyCheckBoxesCanBeLinked)
{
    CBitmapBtn push(SkinRect{0, 30, 20, 50}, &parent);
    EXPECT_FALSE(label->LinkCheckBox(&push));
    EXPECT_EQ(label->LinkedCheckBox(), nullptr);
    QTest::mouseClick(label, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_TRUE(parent.Of(WM_COMMAND).empty()); // not interactive, not linked
}

TEST_F(TextItemTest, InteractiveLabelReportsItsOwnId)
{
    label->SetInteractive(true);
    QTest::mouseClick(label, Qt::LeftButton, {}, QPoint(5, 5));
    const auto clicks = parent.Of(WM_COMMAND);
    ASSERT_EQ(clicks.size(), 1u);
    EXPECT_EQ(LOWORD(clicks[0].wParam), 77);
    EXPECT_EQ(reinterpret_cast<HWND>(clicks[0].lParam), label->GetHandle());
}

// A label that acts as a button is announced as one, so a screen reader can
// press it as one; a plain or disabled label offers nothing to press.
TEST_F(TextItemTest, AnInteractiveLabelCanBePressedByAssistiveTools)
{
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(label);
    ASSERT_NE(iface, nullptr);
    ASSERT_NE(iface->actionInterface(), nullptr);
    EXPECT_EQ(iface->role(), QAccessible::StaticText);
    EXPECT_TRUE(iface->actionInterface()->actionNames().isEmpty());

    label->SetInteractive(true);
    EXPECT_EQ(iface->role(), QAccessible::Button);
    ASSERT_EQ(iface->actionInterface()->actionNames(), QStringList{QAccessibleActionInterface::pressAction()});
    iface->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    QCoreApplication::processEvents();
    const auto clicks = parent.Of(WM_COMMAND);
    ASSERT_EQ(clicks.size(), 1u);
    EXPECT_EQ(LOWORD(clicks[0].wParam), 77);

    label->setEnabled(false);
    EXPECT_TRUE(iface->actionInterface()->actionNames().isEmpty());
    iface->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    QCoreApplication::processEvents();
    EXPECT_EQ(parent.Of(WM_COMMAND).size(), 1u) << "a disabled label was pressed";
}

TEST_F(TextItemTest, ColourPrefersDisabledThenHoverThenNormal)
{
    EXPECT_EQ(label->ChosenColour(), kDefaultTextColor);
    label->SetColours(RGB(1, 1, 1), RGB(2, 2, 2), RGB(3, 3, 3));
    EXPECT_EQ(label->ChosenColour(), RGB(1, 1, 1));
    Hover(label, true);
    EXPECT_EQ(label->ChosenColour(), RGB(2, 2, 2));
    label->setEnabled(false);
    EXPECT_EQ(label->ChosenColour(), RGB(3, 3, 3));
    // Unset colours fall through to the next rule.
    label->SetColours(std::nullopt, std::nullopt, std::nullopt);
    EXPECT_EQ(label->ChosenColour(), kDefaultTextColor);
    label->SetColours(RGB(1, 1, 1), std::nullopt, std::nullopt);
    EXPECT_EQ(label->ChosenColour(), RGB(1, 1, 1));
}

TEST(TextFormats, JustifyAndMultilineGiveTheDrawingFlags)
{
    const DrawTextFormat leftSingle = TextItemFormat(Justify::Left, 0);
    EXPECT_TRUE(leftSingle.IsEmpty()); // drawn 5 pixels in, centred by the font height
    const DrawTextFormat leftMulti = TextItemFormat(Justify::Left, 1);
    EXPECT_TRUE(leftMulti.wordBreak);
    EXPECT_FALSE(leftMulti.singleLine);
    const DrawTextFormat centred = TextItemFormat(Justify::Centre, 0);
    EXPECT_TRUE(centred.singleLine && centred.verticalCentre);
    EXPECT_EQ(centred.QtFlags() & Qt::AlignHCenter, Qt::AlignHCenter);
    const DrawTextFormat right = TextItemFormat(Justify::Right, 1);
    EXPECT_TRUE(right.wordBreak);
    EXPECT_EQ(right.QtFlags() & Qt::AlignRight, Qt::AlignRight);

    const DrawTextFormat buttonSingle = ButtonTextFormat(Justify::Left, 0);
    EXPECT_TRUE(buttonSingle.singleLine && buttonSingle.verticalCentre);
    const DrawTextFormat buttonMulti = ButtonTextFormat(Justify::Centre, 1);
    EXPECT_FALSE(buttonMulti.singleLine);
    EXPECT_TRUE(buttonMulti.wordBreak);
}

TEST(TextItemPainting, LeftTextWithoutFormatStartsFivePixelsIn)
{
    RecordingWindow parent;
    parent.setAutoFillBackground(true);
    QPalette palette;
    palette.setColor(QPalette::Window, Qt::black);
    parent.setPalette(palette);
    parent.show();
    CTextItem label(SkinRect{0, 0, 120, 24}, &parent);
    label.SetColours(RGB(255, 255, 255), std::nullopt, std::nullopt);
    label.SetText(u"IIII");
    const QImage painted = parent.grab(QRect(0, 0, 120, 24)).toImage();
    int firstLit = -1;
    for (int x = 0; x < 120 && firstLit < 0; ++x)
        for (int y = 0; y < 24; ++y)
            if (qGray(painted.pixel(x, y)) > 128) {
                firstLit = x;
                break;
            }
    EXPECT_GE(firstLit, 5);
    EXPECT_LE(firstLit, 8);
}

TEST(TextItemPlainText, UserNamesShowLiterallyWhereKeysWouldTranslate)
{
    CLangTable german;
    german.AddPair(u"Profile", u"Profil");
    SetCurrentLanguage(&german);
    RecordingWindow parent;
    CTextItem label(SkinRect{0, 0, 120, 24}, &parent);

    label.SetText(u"$Profile");
    ASSERT_EQ(label.GetText(), QStringLiteral("Profil")); // the language is in effect
    label.SetPlainText(u"$Profile");
    EXPECT_EQ(label.GetText(), QStringLiteral("$Profile"));
    label.SetPlainText(QStringLiteral("#Pro"));
    EXPECT_EQ(label.GetText(), QStringLiteral("#Pro"));
    label.SetPlainText(std::u16string_view(u"Fast\\nSlow"));
    EXPECT_EQ(label.GetText(), QStringLiteral("Fast\\nSlow"));

    // The caps mode belongs to skin texts, not to names.
    label.SetCaps(CapsMode::Upper);
    label.SetPlainText(u"mIxEd");
    EXPECT_EQ(label.GetText(), QStringLiteral("mIxEd"));
    SetCurrentLanguage(nullptr);
}

} // namespace
