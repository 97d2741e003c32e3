// SPDX-License-Identifier: GPL-3.0-or-later
// The skinned controls worked with keys: the order Tab follows, sliders moved by
// step, page and to their ends, and pop-up lists walked with the arrows.
#include "SliderTestSupport.h"

#include "controls/BitmapBtn.h"
#include "controls/ColourPalette.h"
#include "controls/DropdownColorButton.h"
#include "controls/DropdownListItem.h"
#include "controls/FocusNavigation.h"
#include "controls/ListPanelPopup.h"
#include "controls/PHSlider.h"
#include "controls/SliderTrack.h"
#include "platform/ModalService.h"

#include <gtest/gtest.h>

namespace {

TEST(VisualOrderTest, RowsAreReadTopToBottomAndLeftToRight)
{
    struct Case {
        const char* what;
        std::vector<QRect> rects;
        std::vector<std::size_t> order;
    } cases[] = {
        {"a row whose tops differ a little", {{100, 12, 30, 20}, {10, 10, 30, 20}, {50, 14, 30, 20}}, {1, 2, 0}},
        {"a control below the middle of the first starts a new row",
         {{10, 10, 30, 20}, {100, 21, 30, 20}, {50, 19, 30, 20}},
         {0, 2, 1}},
        {"a grid is read row by row",
         {{10, 10, 30, 20}, {10, 40, 30, 20}, {100, 10, 30, 20}, {100, 40, 30, 20}},
         {0, 2, 1, 3}},
        // The tall one leads its row (top 0, middle 50): the control at 10 joins it
        // and comes first from the left; the one at 70 starts the next row.
        {"a tall control beside two small ones", {{200, 0, 30, 100}, {10, 10, 20, 20}, {10, 70, 20, 20}}, {1, 0, 2}},
        {"nothing", {}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(VisualOrder(c.rects), c.order);
    }
}

TEST(VisualOrderTest, APanelIsReadWholeWhereItStands)
{
    struct Case {
        const char* what;
        std::vector<QRect> rects;
        std::vector<QRect> panels;
        std::vector<std::size_t> order;
    } cases[] = {
        {"two panels side by side are read one after the other",
         {{10, 10, 30, 20}, {120, 10, 30, 20}, {10, 50, 30, 20}, {120, 50, 30, 20}},
         {{0, 0, 100, 100}, {110, 0, 100, 100}},
         {0, 2, 1, 3}},
        {"controls off the panels keep their place around them",
         {{10, 200, 30, 20}, {10, 40, 30, 20}, {10, 0, 30, 20}, {150, 40, 30, 20}},
         {{0, 30, 100, 100}},
         {2, 1, 3, 0}},
        // The inner panel leads its row in the outer one (top 10, middle 60), so the
        // outer control at 20 follows it; the one at 250 comes last.
        {"a panel within a panel",
         {{10, 250, 30, 20}, {200, 20, 30, 20}, {20, 20, 30, 20}, {20, 60, 30, 20}},
         {{0, 0, 300, 300}, {10, 10, 100, 100}},
         {2, 3, 1, 0}},
        {"the same picture twice is one panel",
         {{10, 10, 30, 20}, {120, 10, 30, 20}, {10, 50, 30, 20}},
         {{0, 0, 100, 100}, {0, 0, 100, 100}},
         {0, 2, 1}},
        {"an empty panel does not bend the rows", {{100, 10, 20, 20}, {10, 30, 20, 20}}, {{50, 0, 20, 200}}, {0, 1}},
        {"no panels: rows as ever", {{100, 12, 30, 20}, {10, 10, 30, 20}}, {}, {1, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(PanelOrder(c.rects, c.panels), c.order);
    }
}

TEST(FocusChainTest, OnlyShownEnabledFocusableControlsOfTheWindowTakePart)
{
    RecordingWindow window;
    auto* first = new CBitmapBtn(SkinRect{10, 10, 60, 30}, &window);
    auto* hidden = new CBitmapBtn(SkinRect{70, 10, 120, 30}, &window);
    auto* disabled = new CBitmapBtn(SkinRect{130, 10, 180, 30}, &window);
    auto* second = new CBitmapBtn(SkinRect{10, 50, 60, 70}, &window);
    auto* unfocusable = new CBitmapBtn(SkinRect{70, 50, 120, 70}, &window);
    hidden->hide();
    disabled->setEnabled(false);
    unfocusable->setFocusPolicy(Qt::NoFocus);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    EXPECT_EQ(FocusChain(window), (std::vector<QWidget*>{first, second}));

    // Forward and back wrap around.
    first->setFocus();
    ASSERT_TRUE(MoveFocus(window, true));
    EXPECT_EQ(window.focusWidget(), second);
    ASSERT_TRUE(MoveFocus(window, true));
    EXPECT_EQ(window.focusWidget(), first);
    ASSERT_TRUE(MoveFocus(window, false));
    EXPECT_EQ(window.focusWidget(), second);
    // A focused control hidden with its page hands the focus on by its place: to
    // the next control after it, not back to the first.
    hidden->show();
    hidden->setFocus();
    hidden->hide();
    EXPECT_EQ(window.focusWidget(), second);
}

constexpr int kThumbId = 256;
constexpr int kTrackId = 104;

// Range 0 to 200 in steps of 10: 21 positions, a page of 2.
struct SliderRig {
    RecordingWindow owner;
    CSliderTrack track{kTrackId, &owner, &owner, SkinRect{0, 0, 220, 20}};
    CPHSlider thumb{kThumbId, &owner, ItemKind::THUMB};
    SliderRig()
    {
        track.SetBitmaps(SolidImage(220, 20, Qt::darkGray), QImage(), QImage());
        track.show();
        thumb.SetRange(0, 200, 10.0f, false);
        thumb.Create(ThumbImage(10, 10, Qt::cyan), ThumbImage(10, 10, Qt::white), &track, SkinRect{10, 5, 210, 15});
        track.AttachThumb(&thumb);
        owner.show();
    }
};

TEST(SliderKeysTest, KeysMoveByStepPageAndToTheEndsAndNotifyAsADrag)
{
    struct Case {
        const char* what;
        int start;
        Qt::Key key;
        int expected;
    } cases[] = {
        {"right", 100, Qt::Key_Right, 110},
        {"up", 100, Qt::Key_Up, 110},
        {"left", 100, Qt::Key_Left, 90},
        {"down", 100, Qt::Key_Down, 90},
        {"page up", 100, Qt::Key_PageUp, 120},
        {"page down", 100, Qt::Key_PageDown, 80},
        {"home", 100, Qt::Key_Home, 0},
        {"end", 100, Qt::Key_End, 200},
        {"page down near the start stops at it", 10, Qt::Key_PageDown, 0},
        {"page up near the end stops at it", 190, Qt::Key_PageUp, 200},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SliderRig rig;
        rig.thumb.SetValue(c.start);
        QTest::keyClick(&rig.thumb, c.key);
        DeliverPosted();
        EXPECT_EQ(rig.thumb.GetValue(), c.expected);
        // What the owner hears is what a short drag tells it: moving, then let go.
        const auto moving = rig.owner.Of(WM_SLIDER_CHANGING);
        const auto released = rig.owner.Of(WM_SLIDER_RELEASED);
        ASSERT_EQ(moving.size(), 1u);
        ASSERT_EQ(released.size(), 1u);
        EXPECT_EQ(released[0].wParam, WPARAM(c.expected));
        EXPECT_EQ(released[0].lParam, LPARAM(kThumbId));
    }
}

TEST(SliderKeysTest, NothingIsSentAtTheEndsOrWhileDisabled)
{
    SliderRig rig;
    rig.thumb.SetValue(200);
    QTest::keyClick(&rig.thumb, Qt::Key_Right);
    QTest::keyClick(&rig.thumb, Qt::Key_End);
    rig.thumb.SetValue(100);
    rig.thumb.Enable(false);
    QTest::keyClick(&rig.thumb, Qt::Key_Left);
    DeliverPosted();
    EXPECT_EQ(rig.thumb.GetValue(), 100);
    EXPECT_TRUE(rig.owner.Of(WM_SLIDER_RELEASED).empty());
    EXPECT_TRUE(rig.owner.Of(WM_SLIDER_CHANGING).empty());
    EXPECT_FALSE(TakesKeyboardFocus(rig.thumb)) << "a disabled thumb is passed by";
}

class PopupListKeysTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ModalScript::Reset();
        ModalScript::SetStrict(true);
        anchor.show();
    }
    void TearDown() override { ModalScript::Reset(); }
    // Runs the pop-up of `panel` with `keys` pressed in it; its result.
    int Run(CListPanelItem& panel, std::vector<Qt::Key> keys, const std::function<void(CListPanel&)>& check = {})
    {
        ModalScript::EndNextRun(kListPanelRunName, IDCANCEL, [&](CSkinWindow& window) {
            auto& popup = dynamic_cast<CListPanel&>(window);
            for (Qt::Key key : keys)
                QTest::keyClick(&popup, key);
            if (check)
                check(popup);
            // A choice closes the pop-up a moment later.
            EXPECT_TRUE(QTest::qWaitFor([&] { return popup.ChosenRow() >= 0 || !popup.isVisible(); }, 2000));
        });
        return ShowListPanelPopup(0, &anchor, panel, 0, 0);
    }
    RecordingWindow anchor;
};

TEST_F(PopupListKeysTest, ArrowsSkipDisabledRowsAndStopAtTheEnds)
{
    CListPanelItem panel(282, &anchor, SkinRect{0, 0, 120, 90});
    panel.AddEntry(u"Rename");
    panel.AddEntry(u"Copy", {}, nullptr, true);
    panel.AddEntry(u"Delete");
    struct Case {
        const char* what;
        std::vector<Qt::Key> keys;
        int chosen;
    } cases[] = {
        {"down once takes the first row", {Qt::Key_Down, Qt::Key_Return}, 0},
        {"the disabled row is stepped over", {Qt::Key_Down, Qt::Key_Down, Qt::Key_Return}, 2},
        {"down past the end stays on the last", {Qt::Key_Down, Qt::Key_Down, Qt::Key_Down, Qt::Key_Space}, 2},
        {"up from nothing takes the last", {Qt::Key_Up, Qt::Key_Return}, 2},
        {"home and end", {Qt::Key_End, Qt::Key_Home, Qt::Key_Return}, 0},
        {"enter with no row chooses nothing; escape closes", {Qt::Key_Return, Qt::Key_Escape}, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(Run(panel, c.keys), c.chosen);
    }
}

TEST_F(PopupListKeysTest, RightOpensASubPanelAndLeftGoesBackToIt)
{
    CListPanelItem sub(283, &anchor, SkinRect{0, 0, 100, 60});
    sub.AddEntry(u"Fast");
    sub.AddEntry(u"Slow");
    CListPanelItem panel(282, &anchor, SkinRect{0, 0, 120, 90});
    panel.AddEntry(u"Plain");
    panel.AddEntry(u"Speed", {}, &sub);
    int subChoice = -2;

    // Right on the row with a sub-panel opens it; there Down, Down, Enter choose "Slow".
    ModalScript::EndNextRun(kListPanelRunName, IDCANCEL, [&](CSkinWindow& window) {
        auto& popup = dynamic_cast<CListPanel&>(window);
        ModalScript::EndNextRun(kListPanelRunName, IDCANCEL, [&](CSkinWindow& subWindow) {
            QTest::keyClick(&subWindow, Qt::Key_Down);
            QTest::keyClick(&subWindow, Qt::Key_Down);
            QTest::keyClick(&subWindow, Qt::Key_Return);
            EXPECT_TRUE(QTest::qWaitFor([&] { return !subWindow.isVisible(); }, 2000));
        });
        QTest::keyClick(&popup, Qt::Key_Right); // on no row: nothing
        QTest::keyClick(&popup, Qt::Key_Down);
        QTest::keyClick(&popup, Qt::Key_Right); // a row without a sub-panel: nothing
        EXPECT_EQ(popup.List()->HoveredRow(), 0);
        QTest::keyClick(&popup, Qt::Key_Down);
        QTest::keyClick(&popup, Qt::Key_Right);
        EXPECT_TRUE(QTest::qWaitFor([&] { return popup.ChosenRow() >= 0 || !popup.isVisible(); }, 2000));
    });
    EXPECT_EQ(ShowListPanelPopup(0, &anchor, panel, 0, 0, &subChoice), 1);
    EXPECT_EQ(subChoice, 1);

    ModalScript::EndNextRun(kListPanelRunName, IDCANCEL, [&](CSkinWindow& window) {
        QTest::keyClick(&window, Qt::Key_Left);
        EXPECT_TRUE(window.isVisible()) << "Left does not close the first pop-up";
    });
    EXPECT_EQ(ShowListPanelPopup(0, &anchor, panel, 0, 0), -1);
}

TEST(ColourDropdownKeysTest, SpaceOpensThePaletteWhoseCellsTheArrowsWalk)
{
    RecordingWindow owner;
    CDropdownColorButton box(400, &owner, &owner, SkinRect{10, 10, 110, 30});
    box.SetColour(RGB(1, 2, 3));
    owner.show();
    QTest::keyClick(&box, Qt::Key_Space);
    ASSERT_TRUE(box.IsPaletteOpen()) << "the palette, not a list of entries";
    CColourPalette* palette = box.Palette();
    // The first arrow lands on the first cell; then Down and Right: the second
    // cell of the second row. Left goes on in reading order into the row above.
    for (Qt::Key key : {Qt::Key_Right, Qt::Key_Down, Qt::Key_Right})
        QTest::keyClick(palette, key);
    EXPECT_EQ(palette->HoveredCell(), CColourPalette::kColumns + 1);
    QTest::keyClick(palette, Qt::Key_Left);
    QTest::keyClick(palette, Qt::Key_Left);
    EXPECT_EQ(palette->HoveredCell(), CColourPalette::kColumns - 1);
    // Down from the last row reaches the custom button, Up comes back.
    QTest::keyClick(palette, Qt::Key_End);
    QTest::keyClick(palette, Qt::Key_Down);
    EXPECT_EQ(palette->HoveredCell(), CColourPalette::kCustomCell);
    QTest::keyClick(palette, Qt::Key_Up);
    QTest::keyClick(palette, Qt::Key_Home);
    QTest::keyClick(palette, Qt::Key_Right);
    QTest::keyClick(palette, Qt::Key_Return);
    DeliverPosted();
    EXPECT_EQ(box.Colour(), CColourPalette::Colours()[1]);
    EXPECT_FALSE(box.IsPaletteOpen());
    const auto changed = owner.Of(WM_COLOUR_CHANGED);
    ASSERT_EQ(changed.size(), 1u);
    EXPECT_EQ(changed[0].wParam, WPARAM(CColourPalette::Colours()[1]));
}

TEST_F(PopupListKeysTest, ADropDownOpenedByKeyStartsFromItsChoiceAndReportsTheNewOne)
{
    CDropdownListItem box(401, &anchor, &anchor, SkinRect{10, 10, 130, 30});
    box.SetEntries({u"Slow", u"Normal", u"Fast"});
    box.SetSelected(1);
    int startedAt = -2;
    ModalScript::EndNextRun(kListPanelRunName, IDCANCEL, [&](CSkinWindow& window) {
        auto& popup = dynamic_cast<CListPanel&>(window);
        startedAt = popup.List()->HoveredRow();
        QTest::keyClick(&popup, Qt::Key_Down);
        QTest::keyClick(&popup, Qt::Key_Return);
        EXPECT_TRUE(QTest::qWaitFor([&] { return popup.ChosenRow() >= 0; }, 2000));
    });
    QTest::keyClick(&box, Qt::Key_Space);
    EXPECT_EQ(startedAt, 1);
    EXPECT_EQ(box.Selected(), 2);
    const auto chosen = anchor.Of(WM_DROPDOWN_SELECTED);
    ASSERT_EQ(chosen.size(), 1u);
    EXPECT_EQ(chosen[0].wParam, WPARAM(2));
    EXPECT_EQ(anchor.Of(WM_DROPDOWN_OPENING).size(), 1u) << "the owner may refill it first, as for a click";
}

} // namespace
