// SPDX-License-Identifier: GPL-3.0-or-later
// The program without a pointer: every key goes through the window as the
// keyboard delivers it (to the focused control), and no mouse event is sent.
#include "AppTestSupport.h"

#include "controls/BitmapBtn.h"
#include "controls/FocusMark.h"
#include "controls/FocusNavigation.h"
#include "controls/MacroDisplayItem.h"
#include "controls/SliderBase.h"
#include "controls/SliderTrack.h"
#include "controls/XListCtrl.h"
#include "device/server/IDeviceProfileProperties.h"
#include "settings/IMouseConfig.h"
#include "skin/ColorTable.h"
#include "skin/ItemIds.h"

#include <QAccessible>
#include <QDir>
#include <QWindow>
#include <iostream>
#include <map>
#include <set>

namespace {

class KeyboardNavigationTest : public AppTest {
protected:
    void SetUp() override
    {
        AppTest::SetUp();
        CFocusMark::ResetKeyboardCues();
    }
    // Later tests in this process draw as for a pointer user again.
    void TearDown() override
    {
        CFocusMark::ResetKeyboardCues();
        AppTest::TearDown();
    }
    static bool WaitUntilIdle(CTovikEliteAppDlg& window)
    {
        return WaitUntil([&] {
            return window.IsFirstReadDone() && !window.HasTimer(MainTimer::StartWrite) &&
                   !window.HasTimer(MainTimer::EndOfTransfer) && !window.Device()->IsBusy() && window.isEnabled();
        });
    }
    // A key as the keyboard sends it: to the window, which hands it to its focus.
    static void Press(QWidget& window, Qt::Key key, Qt::KeyboardModifiers modifiers = {})
    {
        ASSERT_NE(window.windowHandle(), nullptr);
        QTest::keyClick(window.windowHandle(), key, modifiers);
        QCoreApplication::processEvents();
    }
    // Tab until `target` has the focus; false when a whole round never reaches it.
    static bool TabTo(QWidget& window, const QWidget* target)
    {
        const std::size_t round = FocusChain(window).size() + 1;
        for (std::size_t i = 0; i < round; ++i) {
            if (window.focusWidget() == target)
                return true;
            QTest::keyClick(window.windowHandle(), Qt::Key_Tab);
        }
        return window.focusWidget() == target;
    }
    static CSliderBase* SensitivityThumb(CTovikEliteAppDlg& window)
    {
        for (QWidget* widget : window.findChildren<QWidget*>())
            if (auto* thumb = dynamic_cast<CSliderBase*>(widget);
                thumb && thumb->isVisible() && thumb->Track() && thumb->Track()->objectName() == "SLIDER_DPI_MULTI")
                return thumb;
        return nullptr;
    }
    static CBitmapBtn* Button(const CGUIItems& items, int itemId) { return items.FindAs<CBitmapBtn>(itemId); }
};

TEST_F(KeyboardNavigationTest, TheMouseIsConfiguredWithTheKeyboardAlone)
{
    Plug(0x0031);
    unsigned dpiChosen = 0;
    unsigned stagesChosen = 0;
    RunApp([&](CTovikEliteAppDlg& window) {
        ASSERT_TRUE(WaitUntilIdle(window));
        ASSERT_EQ(window.CurrentPage(), window.Page(PageBit::ButtonAssignment));

        Press(window, Qt::Key_Tab, Qt::ControlModifier);
        ASSERT_EQ(window.CurrentPage(), window.Page(PageBit::Performance));
        const CGUIItems& performance = window.Page(PageBit::Performance)->Items();

        // The stages popup first (confirming it sets the sensitivity from the
        // current stage): one stage fewer, confirmed with its OK button.
        stagesChosen = window.Config()->GetStagesInUse() - 1;
        ASSERT_GE(stagesChosen, 1u);
        bool popupRan = false;
        ModalScript::EndNextRun("DPIStagesPopup_MouseRefresh.xml", IDCANCEL, [&](CSkinWindow& popup) {
            popupRan = true;
            auto* popupBox = static_cast<CGUIPanel*>(&popup);
            ASSERT_TRUE(TabTo(popup, Button(popupBox->Items(), ItemId::BUTTON_DPISTAGES_DEC)));
            Press(popup, Qt::Key_Space);
            ASSERT_TRUE(TabTo(popup, Button(popupBox->Items(), ItemId::BUTTON_DPISTAGES_OK)));
            Press(popup, Qt::Key_Space);
        });
        ASSERT_TRUE(TabTo(window, Button(performance, ItemId::BUTTON_SENSITIVITY_STAGES)));
        Press(window, Qt::Key_Space);
        ASSERT_TRUE(popupRan);
        ASSERT_EQ(ModalScript::Records().back().result, IDOK) << "the popup ended itself with OK";
        EXPECT_EQ(window.Config()->GetStagesInUse(), stagesChosen);

        CSliderBase* thumb = SensitivityThumb(window);
        ASSERT_NE(thumb, nullptr);
        ASSERT_TRUE(TabTo(window, thumb));
        const unsigned dpiBefore = window.Config()->GetCurrentDpi();
        for (int i = 0; i < 4; ++i)
            Press(window, Qt::Key_Right);
        ASSERT_TRUE(WaitUntil([&] { return window.Config()->GetCurrentDpi() > dpiBefore; }));
        dpiChosen = window.Config()->GetCurrentDpi();
        EXPECT_TRUE(window.ApplyButton()->isEnabled());

        // Backwards from the performance page, wrapping past the first page.
        Press(window, Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
        Press(window, Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
        ASSERT_EQ(window.CurrentPage(), window.Page(PageBit::Lighting));
        ASSERT_TRUE(TabTo(window, Button(window.Page(PageBit::Lighting)->Items(), ItemId::SCROLL_LEDOFF)));
        Press(window, Qt::Key_Space);

        ASSERT_TRUE(TabTo(window, window.ApplyButton()));
        Press(window, Qt::Key_Return);
        ASSERT_TRUE(WaitUntil([&] { return window.WritesStarted() == 1; }));
        ASSERT_TRUE(WaitUntilIdle(window));
        EXPECT_FALSE(window.IsEnded()) << "Enter on Apply applies; it is not the window's OK";
    });
    const emulator::DeviceImage image = Image(0x0031);
    const emulator::ProfileImage& profile = image.profiles.at(0);
    EXPECT_EQ(profile.stagesInUse, stagesChosen);
    EXPECT_EQ(profile.sensitivity.x, dpiChosen);
    const auto scroll = std::find_if(profile.lights.begin(), profile.lights.end(),
                                     [](const emulator::LightImage& light) { return light.number == 1; });
    ASSERT_NE(scroll, profile.lights.end());
    EXPECT_FALSE(scroll->on);
}

TEST_F(KeyboardNavigationTest, AProgramIsLinkedToAProfileWithTheKeyboardAlone)
{
    Plug(0x0031);
    RunApp([&](CTovikEliteAppDlg& window) {
        ASSERT_TRUE(WaitUntilIdle(window));
        Press(window, Qt::Key_Tab, Qt::ControlModifier);
        Press(window, Qt::Key_Tab, Qt::ControlModifier);
        ASSERT_EQ(window.CurrentPage(), window.Page(PageBit::Profiles));
        auto* list = window.Page(PageBit::Profiles)->Items().FindAs<CXListCtrl>(ItemId::LIST_PROFILELIST);
        ASSERT_NE(list, nullptr);
        const int programColumn = list->ColumnOfKind(ListColumnKind::LCITEM_PROFILEEXE);
        const int autoColumn = list->ColumnOfKind(ListColumnKind::LCITEM_AUTOSWITCH);
        ASSERT_GE(programColumn, 0);
        ASSERT_GT(autoColumn, programColumn);

        ASSERT_TRUE(TabTo(window, list));
        Press(window, Qt::Key_Home);
        // F2 renames the row's profile through the rename popup, typed into.
        ModalScript::EndNextRun("ProfileRenamePopup.xml", IDCANCEL, [](CSkinWindow& popup) {
            Press(popup, Qt::Key_A, Qt::ControlModifier);
            for (const char letter : std::string("Arena"))
                QTest::keyClick(popup.windowHandle(), letter);
            Press(popup, Qt::Key_Return);
        });
        Press(window, Qt::Key_F2);
        ASSERT_EQ(ModalScript::PendingAnswers(), 0u);
        EXPECT_EQ(ModalScript::Records().back().result, IDOK);
        EXPECT_EQ(list->CellText(0, list->ColumnOfKind(ListColumnKind::LCITEM_PROFILENAME)), QStringLiteral("Arena"));
        while (list->CurrentColumn() < programColumn)
            Press(window, Qt::Key_Right);
        ModalScript::AnswerNextOpenFile(u"/usr/games/arena-client");
        Press(window, Qt::Key_Return);
        ASSERT_TRUE(WaitUntil([&] { return ModalScript::PendingAnswers() == 0; }));
        ASSERT_TRUE(WaitUntil([&] { return list->CellText(0, programColumn) == QStringLiteral("arena-client"); }));
        EXPECT_FALSE(window.IsEnded()) << "Enter on the file cell browses; it is not the window's OK";
        while (list->CurrentColumn() < autoColumn)
            Press(window, Qt::Key_Right);
        Press(window, Qt::Key_Space);
        EXPECT_TRUE(list->IsCellChecked(0, autoColumn));
        QDir().mkpath(QStringLiteral(ZT_TEST_SCREENSHOT_DIR));
        EXPECT_TRUE(window.grab().toImage().save(QStringLiteral(ZT_TEST_SCREENSHOT_DIR "/keyboard_profile_cell.png")));

        ASSERT_TRUE(TabTo(window, window.ApplyButton()));
        Press(window, Qt::Key_Return);
        ASSERT_TRUE(WaitUntil([&] { return window.WritesStarted() == 1; }));
        ASSERT_TRUE(WaitUntilIdle(window));
    });
    const emulator::DeviceImage image = Image(0x0031);
    ASSERT_FALSE(image.profiles.empty());
    EXPECT_EQ(image.profiles[0].name, u"Arena");
    EXPECT_EQ(image.profiles[0].programPath, u"/usr/games/arena-client");
    EXPECT_TRUE(image.profiles[0].options & kOptionAutoSwitch);

    // A second window reads them back from the mouse.
    RunApp([&](CTovikEliteAppDlg& window) {
        ASSERT_TRUE(WaitUntilIdle(window));
        window.ShowPage(PageBit::Profiles);
        QCoreApplication::processEvents();
        auto* list = window.Page(PageBit::Profiles)->Items().FindAs<CXListCtrl>(ItemId::LIST_PROFILELIST);
        ASSERT_NE(list, nullptr);
        EXPECT_EQ(list->CellText(0, list->ColumnOfKind(ListColumnKind::LCITEM_PROFILENAME)), QStringLiteral("Arena"));
        EXPECT_EQ(list->CellText(0, list->ColumnOfKind(ListColumnKind::LCITEM_PROFILEEXE)),
                  QStringLiteral("arena-client"));
        EXPECT_TRUE(list->IsCellChecked(0, list->ColumnOfKind(ListColumnKind::LCITEM_AUTOSWITCH)));
    });
}

TEST_F(KeyboardNavigationTest, TabVisitsEachShownControlOnceRowByRowAndShiftTabGoesBack)
{
    Plug(0x0031);
    RunApp([&](CTovikEliteAppDlg& window) {
        ASSERT_TRUE(WaitUntilIdle(window));
        for (int page :
             {PageBit::ButtonAssignment, PageBit::Performance, PageBit::Profiles, PageBit::Macros, PageBit::Lighting}) {
            SCOPED_TRACE(page);
            window.ShowPage(page);
            QCoreApplication::processEvents();
            const std::vector<QWidget*> chain = FocusChain(window);
            ASSERT_GT(chain.size(), 5u);
            std::vector<QWidget*> visited;
            for (std::size_t i = 0; i < chain.size(); ++i) {
                Press(window, Qt::Key_Tab);
                visited.push_back(window.focusWidget());
            }
            // One round from wherever the focus was: each control once, none hidden.
            EXPECT_EQ(std::set<QWidget*>(visited.begin(), visited.end()),
                      std::set<QWidget*>(chain.begin(), chain.end()));
            for (QWidget* widget : visited) {
                EXPECT_TRUE(widget->isVisible()) << widget->objectName().toStdString();
                EXPECT_TRUE(widget->isEnabled()) << widget->objectName().toStdString();
            }
            // Shift+Tab retraces the round.
            for (std::size_t i = visited.size() - 1; i > 0; --i) {
                Press(window, Qt::Key_Backtab, Qt::ShiftModifier);
                ASSERT_EQ(window.focusWidget(), visited[i - 1]);
            }
            // The mark surrounds the control the keyboard is on.
            CFocusMark* mark = CFocusMark::Of(window);
            ASSERT_NE(mark, nullptr);
            EXPECT_TRUE(mark->isVisible());
            EXPECT_EQ(mark->Target(), window.focusWidget());
            const QRect target(window.focusWidget()->mapTo(&window, QPoint()), window.focusWidget()->size());
            EXPECT_TRUE(mark->geometry().contains(target));
        }
    });
}

// With nothing focused (or only the window itself), the first Tab lands on the
// first control of the order and the first Shift+Tab on the last, on every page.
TEST_F(KeyboardNavigationTest, TheFirstTabFromNowhereLandsOnTheFirstControlAndShiftTabOnTheLast)
{
    Plug(0x0031);
    RunApp([&](CTovikEliteAppDlg& window) {
        ASSERT_TRUE(WaitUntilIdle(window));
        for (int page :
             {PageBit::ButtonAssignment, PageBit::Performance, PageBit::Profiles, PageBit::Macros, PageBit::Lighting}) {
            window.ShowPage(page);
            QCoreApplication::processEvents();
            const std::vector<QWidget*> chain = FocusChain(window);
            ASSERT_GT(chain.size(), 2u);
            struct Case {
                const char* what;
                Qt::Key key;
                Qt::KeyboardModifiers modifiers;
                QWidget* expected;
                bool windowFocused;
            };
            for (const Case& c :
                 {Case{"Tab, nothing focused", Qt::Key_Tab, {}, chain.front(), false},
                  Case{"Shift+Tab, nothing focused", Qt::Key_Backtab, Qt::ShiftModifier, chain.back(), false},
                  Case{"Tab, the window focused", Qt::Key_Tab, {}, chain.front(), true},
                  Case{"Shift+Tab, the window focused", Qt::Key_Backtab, Qt::ShiftModifier, chain.back(), true}}) {
                SCOPED_TRACE(testing::Message() << "page " << page << ", " << c.what);
                if (QWidget* focused = window.focusWidget())
                    focused->clearFocus();
                if (c.windowFocused)
                    window.setFocus(Qt::OtherFocusReason);
                QCoreApplication::processEvents();
                ASSERT_EQ(window.focusWidget(), c.windowFocused ? &window : nullptr);
                Press(window, c.key, c.modifiers);
                ASSERT_NE(window.focusWidget(), nullptr);
                EXPECT_EQ(window.focusWidget(), c.expected)
                    << "focused " << window.focusWidget()->objectName().toStdString() << ", expected "
                    << c.expected->objectName().toStdString();
            }
        }
    });
}

TEST_F(KeyboardNavigationTest, EnterOnACheckBoxIsTheWindowsOkAndWritesBeforeClosing)
{
    Plug(0x0031);
    RunApp([&](CTovikEliteAppDlg& window) {
        ASSERT_TRUE(WaitUntilIdle(window));
        Press(window, Qt::Key_Tab, Qt::ControlModifier);
        auto* xy = Button(window.Page(PageBit::Performance)->Items(), ItemId::BUTTON_ENABLEXY);
        ASSERT_TRUE(TabTo(window, xy));
        const bool before = xy->IsChecked();
        Press(window, Qt::Key_Space);
        EXPECT_NE(xy->IsChecked(), before);
        Press(window, Qt::Key_Return);
        EXPECT_EQ(xy->IsChecked(), !before) << "Enter does not toggle a check box";
        ASSERT_TRUE(WaitUntil([&] { return window.IsEnded(); }));
        EXPECT_EQ(window.WritesStarted(), 1) << "OK with changes writes before closing";
    });
}

TEST_F(KeyboardNavigationTest, WhileAMacroIsRecordedKeysGoToTheRecorderNotToNavigation)
{
    Plug(0x0031);
    RunApp([&](CTovikEliteAppDlg& window) {
        ASSERT_TRUE(WaitUntilIdle(window));
        window.ShowPage(PageBit::Macros);
        QCoreApplication::processEvents();
        const CGUIItems& macros = window.Page(PageBit::Macros)->Items();
        // A macro to record into, named in its popup with the keyboard too.
        ModalScript::EndNextRun("MacroNamePopup.xml", IDCANCEL, [&](CSkinWindow& popup) {
            QTest::keyClicks(popup.focusWidget(), QStringLiteral("Keys"));
            Press(popup, Qt::Key_Return);
        });
        ASSERT_TRUE(TabTo(window, Button(macros, ItemId::BUTTON_MACRO_CREATE)));
        Press(window, Qt::Key_Space);
        ASSERT_NE(window.Config()->FindMacroByName(u"Keys"), nullptr);
        CBitmapBtn* record = Button(macros, ItemId::BUTTON_MACRO_RECORD);
        ASSERT_NE(record, nullptr);
        ASSERT_TRUE(TabTo(window, record));
        Press(window, Qt::Key_Space);
        ASSERT_TRUE(window.IsRecording());
        QWidget* focused = window.focusWidget();

        Press(window, Qt::Key_Tab);
        Press(window, Qt::Key_Tab, Qt::ControlModifier);
        Press(window, Qt::Key_Escape);
        EXPECT_EQ(window.focusWidget(), focused);
        EXPECT_EQ(window.CurrentPage(), window.Page(PageBit::Macros));
        EXPECT_FALSE(window.IsEnded());
        EXPECT_TRUE(window.IsRecording());
    });
}

std::string RoleWord(QAccessible::Role role)
{
    static const std::map<QAccessible::Role, const char*> words{{QAccessible::Button, "button"},
                                                                {QAccessible::CheckBox, "check box"},
                                                                {QAccessible::RadioButton, "radio button"},
                                                                {QAccessible::PageTab, "tab"},
                                                                {QAccessible::Slider, "slider"},
                                                                {QAccessible::ComboBox, "combo box"},
                                                                {QAccessible::EditableText, "edit"},
                                                                {QAccessible::List, "list"},
                                                                {QAccessible::Table, "table"}};
    const auto found = words.find(role);
    return found != words.end() ? found->second : "role " + std::to_string(int(role));
}

// What a screen reader says for a control: "name, role[, value][, state]".
std::string Spoken(QWidget* widget)
{
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(widget);
    if (!iface)
        return "(nothing)";
    std::string line = iface->text(QAccessible::Name).toStdString() + ", " + RoleWord(iface->role());
    const QString value = iface->text(QAccessible::Value);
    if (!value.isEmpty())
        line += ", " + value.toStdString();
    if (iface->state().checkable)
        line += iface->state().checked ? ", checked" : ", not checked";
    return line;
}

TEST_F(KeyboardNavigationTest, EachPageIsDrawnWithTheFocusRingInTheSkinsColour)
{
    Plug(0x0031);
    RunApp([&](CTovikEliteAppDlg& window) {
        ASSERT_TRUE(WaitUntilIdle(window));
        const std::pair<int, const char*> pages[] = {{PageBit::ButtonAssignment, "buttons"},
                                                     {PageBit::Performance, "performance"},
                                                     {PageBit::Profiles, "profiles"},
                                                     {PageBit::Macros, "macros"},
                                                     {PageBit::Lighting, "lighting"}};
        const QString folder = QStringLiteral(ZT_TEST_SCREENSHOT_DIR);
        QDir().mkpath(folder);
        for (const auto& [page, name] : pages) {
            SCOPED_TRACE(name);
            window.ShowPage(page);
            QCoreApplication::processEvents();
            // Into the page: past the window's own buttons and the page tabs.
            const std::vector<QWidget*> chain = FocusChain(window);
            ASSERT_GT(chain.size(), 12u);
            chain.front()->setFocus();
            for (int i = 0; i < 12; ++i)
                Press(window, Qt::Key_Tab);
            CFocusMark* mark = CFocusMark::Of(window);
            ASSERT_NE(mark, nullptr);
            ASSERT_TRUE(mark->isVisible());
            const QImage picture = window.grab().toImage();
            EXPECT_TRUE(picture.save(folder + QStringLiteral("/keyboard_%1.png").arg(QLatin1String(name))));
            // The ring's outer line, top edge, in the skin's highlight colour.
            const QPoint corner = mark->geometry().topLeft() + QPoint(mark->width() / 2, 0);
            EXPECT_EQ(picture.pixelColor(corner), QColor(0x6F, 0xE8, 0xED));

            if (page == PageBit::Performance) {
                // The sensitivity panel is read whole before the polling rates beside
                // it, and the rates one after the other.
                const CGUIItems& items = window.Page(PageBit::Performance)->Items();
                auto position = [&](int itemId) {
                    return std::find(chain.begin(), chain.end(), Button(items, itemId)) - chain.begin();
                };
                EXPECT_LT(position(ItemId::BUTTON_ENABLE_DPI_OSD), position(ItemId::BUTTON_RATE1));
                EXPECT_LT(position(ItemId::BUTTON_SENSITIVITY_STAGES), position(ItemId::BUTTON_RATE1));
                EXPECT_EQ(position(ItemId::BUTTON_RATE2), position(ItemId::BUTTON_RATE1) + 1);
                EXPECT_EQ(position(ItemId::BUTTON_RATE3), position(ItemId::BUTTON_RATE1) + 2);
                // What a screen reader says, control by control, in Tab order.
                for (QWidget* widget : chain) {
                    if (!widget->isVisible())
                        continue;
                    std::cout << "[ hears    ] " << Spoken(widget) << "\n";
                }
            }
        }
    });
}

} // namespace
