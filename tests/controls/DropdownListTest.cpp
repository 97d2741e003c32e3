// SPDX-License-Identifier: GPL-3.0-or-later
#include "ListPopupTestSupport.h"
#include "SliderTestSupport.h"

#include "controls/DropdownColorButton.h"
#include "controls/DropdownListItem.h"

#include "controls/ColourPalette.h"
#include "controls/ListPanelPopup.h"
#include "controls/accessibility/ControlAccessibility.h"
#include "platform/ModalService.h"

#include <QAccessible>
#include <QDir>
#include <gtest/gtest.h>
#include <set>

namespace {

// Clicks a row of the open pop-up and lets its closing delay run out.
void ChooseRow(CSkinWindow& window, int row)
{
    auto* popup = dynamic_cast<CListPanel*>(&window);
    ASSERT_NE(popup, nullptr);
    const QPoint point = popup->List()->RowRect(row).center();
    QTest::mouseClick(popup->List(), Qt::LeftButton, {}, point);
    EXPECT_EQ(popup->List()->SelectedRow(), row);
    QTest::qWait(int(CListPanelPopupList::kCloseDelayMs) + 150);
}

} // namespace

TEST(DropdownList, BoxShowsLabelAndSelectionAndReportsPresses)
{
    RecordingWindow parent;
    CDropdownListItem box(281, &parent, &parent, SkinRect{10, 10, 210, 32});
    box.show();
    box.SetSorted(true);
    box.SetEntries({u"Soft", u"hard", u"Glass"});
    EXPECT_EQ(box.Entry(0), QStringLiteral("Glass"));
    EXPECT_EQ(box.Entry(1), QStringLiteral("hard"));
    EXPECT_TRUE(box.SetSelected(2));
    EXPECT_EQ(box.BoxText(), QStringLiteral("Soft"));
    box.SetLabel(u"Surface");
    EXPECT_EQ(box.BoxText(), QStringLiteral("Surface: Soft"));
    // Adding in order keeps the chosen entry chosen.
    box.AddEntry(u"Cloth");
    EXPECT_EQ(box.BoxText(), QStringLiteral("Surface: Soft"));
    EXPECT_FALSE(box.SetSelected(9));
    EXPECT_EQ(box.Selected(), 3);

    ModalScript::Reset();
    ModalScript::SetStrict(true);
    // A pop-up closed without a choice changes nothing and reports nothing.
    ModalScript::EndNextRun(kListPanelRunName, IDCANCEL);
    QTest::mouseClick(&box, Qt::LeftButton, {}, QPoint(20, 10));
    auto opening = parent.Of(WM_DROPDOWN_OPENING);
    ASSERT_EQ(opening.size(), 1u);
    EXPECT_EQ(opening[0].lParam, reinterpret_cast<LPARAM>(box.GetHandle()));
    EXPECT_TRUE(parent.Of(WM_DROPDOWN_SELECTED).empty());
    EXPECT_EQ(box.Selected(), 3);

    ModalScript::EndNextRun(kListPanelRunName, IDCANCEL, [](CSkinWindow& window) { ChooseRow(window, 1); });
    QTest::mouseClick(&box, Qt::LeftButton, {}, QPoint(20, 10));
    auto selected = parent.Of(WM_DROPDOWN_SELECTED);
    ASSERT_EQ(selected.size(), 1u);
    EXPECT_EQ(selected[0].wParam, WPARAM(1));
    EXPECT_EQ(box.BoxText(), QStringLiteral("Surface: Glass"));
    EXPECT_FALSE(box.IsOpen());

    box.SetDisabled(true);
    QTest::mouseClick(&box, Qt::LeftButton, {}, QPoint(20, 10));
    EXPECT_EQ(parent.Of(WM_DROPDOWN_OPENING).size(), 2u);
    EXPECT_EQ(ModalScript::Records().size(), 2u);
    ModalScript::Reset();
}

// Over AT-SPI the choice on show only travels as the drop-down's text: it must be
// the whole of what the box shows, whatever range a screen reader asks for.
TEST(DropdownList, TheChoiceOnShowIsReadableAsText)
{
    InstallControlAccessibility();
    RecordingWindow parent;
    CDropdownListItem box(281, &parent, &parent, SkinRect{10, 10, 210, 32});
    box.SetEntries({u"Click", u"Universal scrolling"});
    ASSERT_TRUE(box.SetSelected(1));
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(&box);
    ASSERT_NE(iface, nullptr);
    QAccessibleTextInterface* text = iface->textInterface();
    ASSERT_NE(text, nullptr);
    struct Range {
        int start, end;
        const char* expected;
    } ranges[] = {{0, -1, "Universal scrolling"},
                  {0, 1000, "Universal scrolling"},
                  {10, 19, "scrolling"},
                  {-5, 9, "Universal"},
                  {25, 30, ""},
                  {12, 4, ""}};
    for (const Range& r : ranges) {
        SCOPED_TRACE(std::to_string(r.start) + ".." + std::to_string(r.end));
        EXPECT_EQ(text->text(r.start, r.end), QString::fromLatin1(r.expected));
    }
    EXPECT_EQ(text->characterCount(), 19);
    EXPECT_EQ(text->text(0, -1), iface->text(QAccessible::Value));

    ASSERT_TRUE(box.SetSelected(0));
    EXPECT_EQ(text->text(0, -1), QStringLiteral("Click"));

    CDropdownColorButton colour(304, &parent, &parent, SkinRect{10, 40, 110, 64});
    colour.SetColour(RGB(0x12, 0xAB, 0xEF));
    QAccessibleInterface* colourIface = QAccessible::queryAccessibleInterface(&colour);
    ASSERT_NE(colourIface, nullptr);
    ASSERT_NE(colourIface->textInterface(), nullptr);
    EXPECT_EQ(colourIface->textInterface()->text(0, -1), QStringLiteral("#12ABEF"));
}

TEST(DropdownList, AnAssistiveToolOpensTheListAtTheChoiceAfterItsAnswer)
{
    InstallControlAccessibility();
    ModalScript::Reset();
    RecordingWindow parent;
    CDropdownListItem box(281, &parent, &parent, SkinRect{10, 10, 210, 32});
    box.SetEntries({u"Click", u"Menu", u"Universal scrolling"});
    ASSERT_TRUE(box.SetSelected(1));
    parent.show();
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(&box);
    ASSERT_NE(iface, nullptr);
    QAccessibleActionInterface* actions = iface->actionInterface();
    ASSERT_NE(actions, nullptr);
    ASSERT_TRUE(actions->actionNames().contains(QAccessibleActionInterface::showMenuAction()));

    int startRow = -2;
    TakeTheNextRowByKeys(startRow);
    actions->doAction(QAccessibleActionInterface::showMenuAction());
    EXPECT_EQ(startRow, -2) << "the list runs after the request is answered, not inside it";
    ASSERT_TRUE(QTest::qWaitFor([&] { return ModalScript::PendingAnswers() == 0; }, 2000));
    EXPECT_EQ(startRow, 1) << "it starts from the current choice";
    EXPECT_EQ(box.Selected(), 2);

    // A drop-down its page has switched off offers nothing to open.
    box.SetDisabled(true);
    EXPECT_FALSE(actions->actionNames().contains(QAccessibleActionInterface::showMenuAction()));
    ModalScript::Reset();
}

TEST(DropdownColour, ShowsTheCurrentColour)
{
    RecordingWindow parent;
    CDropdownColorButton button(304, &parent, &parent, SkinRect{10, 10, 110, 34});
    button.SetBorderWidth(1);
    button.SetColour(RGB(255, 0, 0));
    button.show();
    EXPECT_EQ(button.kind, ItemKind::COMBOCOLOR);
    const QImage shot = button.grab().toImage();
    EXPECT_EQ(shot.pixelColor(20, 12), QColor(255, 0, 0));
}

namespace {

struct ColourRig {
    RecordingWindow parent;
    CDropdownColorButton button{304, &parent, &parent, SkinRect{10, 10, 110, 34}};
    ColourRig()
    {
        ModalScript::Reset();
        ModalScript::SetStrict(true);
        button.SetColour(CColourPalette::Colours()[0]);
        button.show();
    }
    ~ColourRig() { ModalScript::Reset(); }
    CColourPalette* Open()
    {
        QTest::mouseClick(&button, Qt::LeftButton, {}, QPoint(10, 10));
        return button.Palette();
    }
    void Hover(CColourPalette* palette, int cell)
    {
        SendMouse(palette, QEvent::MouseMove, palette->CellRect(cell).center(), Qt::NoButton, Qt::NoButton);
        DeliverPosted();
    }
    void Click(CColourPalette* palette, QPoint point)
    {
        QTest::mouseClick(palette, Qt::LeftButton, {}, point);
        DeliverPosted();
    }
};

} // namespace

TEST(DropdownColour, ThePaletteOffersThePlainLightColoursOnceEach)
{
    const auto& colours = CColourPalette::Colours();
    const std::set<COLORREF> distinct(colours.begin(), colours.end());
    EXPECT_EQ(distinct.size(), colours.size());
    // 0xFF0000 is the lights' factory colour.
    for (COLORREF plain : {RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255), RGB(255, 255, 255), RGB(255, 255, 0),
                           RGB(0, 255, 255), RGB(255, 0, 255), COLORREF(0xFF0000)}) {
        SCOPED_TRACE(plain);
        EXPECT_TRUE(distinct.count(plain));
    }
}

TEST(DropdownColour, PreviewsThenCancelRestoresTheColourFromBefore)
{
    ColourRig rig;
    const COLORREF before = rig.button.Colour();
    CColourPalette* palette = rig.Open();
    ASSERT_NE(palette, nullptr);
    for (int cell : {3, 4, 12})
        rig.Hover(palette, cell);
    EXPECT_EQ(rig.button.ShownColour(), CColourPalette::Colours()[12]);
    palette->grab().save(QDir::currentPath() + QStringLiteral("/colour_palette.png"));
    QTest::keyClick(palette, Qt::Key_Escape);
    DeliverPosted();
    const auto picked = rig.parent.Of(WM_COLOUR_PICKED);
    ASSERT_EQ(picked.size(), 3u);
    for (const auto& message : picked)
        EXPECT_EQ(message.wParam, WPARAM(kPalettePreview));
    EXPECT_EQ(picked[2].lParam, LPARAM(CColourPalette::Colours()[12]));
    const auto cancelled = rig.parent.Of(WM_COLOUR_CANCELLED);
    ASSERT_EQ(cancelled.size(), 1u);
    EXPECT_EQ(cancelled[0].wParam, WPARAM(before));
    EXPECT_EQ(cancelled[0].lParam, LPARAM(304));
    EXPECT_EQ(rig.button.ShownColour(), before);
    EXPECT_EQ(rig.button.Colour(), before);
    EXPECT_FALSE(rig.button.IsPaletteOpen());
}

TEST(DropdownColour, ChoosingReportsAndChangesOnlyADifferentColour)
{
    ColourRig rig;
    CColourPalette* palette = rig.Open();
    rig.Click(palette, palette->CellRect(0).center()); // the current colour
    EXPECT_EQ(rig.parent.Of(WM_COLOUR_PICKED).size(), 1u);
    EXPECT_NE(rig.parent.Of(WM_COLOUR_PICKED)[0].wParam, WPARAM(kPalettePreview));
    EXPECT_TRUE(rig.parent.Of(WM_COLOUR_CHANGED).empty());

    palette = rig.Open();
    rig.Click(palette, palette->CellRect(20).center());
    const auto changed = rig.parent.Of(WM_COLOUR_CHANGED);
    ASSERT_EQ(changed.size(), 1u);
    EXPECT_EQ(changed[0].wParam, WPARAM(CColourPalette::Colours()[20]));
    EXPECT_EQ(rig.button.Colour(), CColourPalette::Colours()[20]);

    // The custom button asks the colour dialog; cancelling it is a cancel.
    ModalScript::AnswerNextColour(RGB(1, 2, 3));
    palette = rig.Open();
    rig.Click(palette, palette->CustomButtonRect().center());
    EXPECT_EQ(rig.button.Colour(), RGB(1, 2, 3));
    ModalScript::AnswerNextColour(std::nullopt);
    palette = rig.Open();
    rig.Click(palette, palette->CustomButtonRect().center());
    EXPECT_EQ(rig.button.Colour(), RGB(1, 2, 3));
    EXPECT_EQ(rig.parent.Of(WM_COLOUR_CANCELLED).size(), 1u);
    EXPECT_EQ(rig.parent.Of(WM_COLOUR_CHANGED).size(), 2u);

    // A disabled button does not open.
    rig.button.SetDisabled(true);
    EXPECT_EQ(rig.Open(), nullptr);
}
