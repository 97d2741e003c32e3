// SPDX-License-Identifier: GPL-3.0-or-later
// The button page against the emulator: every family of assignment chosen in the
// real menus, answered through the popups, written with Apply and read back by a
// second window; the click rule, the kinds each generation offers, restoring the
// defaults and every way of backing out.
#include "AppTestSupport.h"

#include "app/ButtonAssignmentPage.h"
#include "app/CurrentProfileStrip.h"
#include "controls/BitmapBtn.h"
#include "controls/DropdownListItem.h"
#include "controls/EditItem.h"
#include "controls/ListPanelPopup.h"
#include "controls/TextItem.h"
#include "device/ButtonRecordCodec.h"
#include "device/server/IDeviceMacros.h"
#include "emulator/Operations.h"
#include "platform/NativeKeyEvent.h"
#include "popups/SingleKeyRecord.h"
#include "popups/TovikEliteNumEntryPopup.h"
#include "popups/TovikEliteWarningDlg.h"
#include "settings/IMouseConfig.h"
#include "settings/IMouseProfile.h"
#include "skin/ItemIds.h"

#include <QApplication>
#include <QImage>
#include <QLineEdit>
#include <QPainter>
#include <QWindow>

namespace {

constexpr uint32_t kMouse = 0x0031;
constexpr uint32_t kEarlierMouse = 0x0013;

CButtonAssignmentPage& ButtonPage(CTovikEliteAppDlg& window)
{
    return dynamic_cast<CButtonAssignmentPage&>(*window.Page(PageBit::ButtonAssignment));
}

CDropdownListItem& MenuOf(CTovikEliteAppDlg& window, tMouseButton button)
{
    CDropdownListItem* menu = ButtonPage(window).Menu(button);
    EXPECT_NE(menu, nullptr) << "no menu for button " << button;
    return *menu;
}

int RowOf(const CDropdownListItem& menu, std::u16string_view key)
{
    for (int row = 0; row < menu.EntryCount(); ++row)
        if (menu.EntryKey(row) == key)
            return row;
    return -1;
}

// The text of the menu's current entry and its detail.
QString ShownAssignment(CTovikEliteAppDlg& window, tMouseButton button)
{
    return MenuOf(window, button).BoxText();
}

void ClickItem(QWidget* widget)
{
    ASSERT_NE(widget, nullptr);
    QTest::mouseClick(widget, Qt::LeftButton, {}, widget->rect().center());
}

void ClickPopupItem(CSkinWindow& popup, int itemId)
{
    auto& panel = static_cast<CGUIPanel&>(popup);
    CGUIItem* item = panel.Items().FindById(itemId);
    ASSERT_NE(item, nullptr) << "no item " << itemId;
    ClickItem(item->window);
}

// Clicks a row of an open list-panel pop-up and waits until it has closed with it.
void ClickRowAndWait(CSkinWindow& window, int row)
{
    auto* popup = dynamic_cast<CListPanel*>(&window);
    ASSERT_NE(popup, nullptr);
    QPointer<CListPanel> alive(popup);
    QTest::mouseClick(popup->List(), Qt::LeftButton, {}, popup->List()->RowRect(row).center());
    EXPECT_TRUE(WaitUntil([&] { return !alive || alive->isHidden(); }));
}

// Scripts the menu's pop-up to choose `key` (and, for an entry with a sub-menu, the
// sub-menu's row `subRow`), then presses the menu's box as a user would.
void Choose(CDropdownListItem& menu, std::u16string_view key, int subRow = -1)
{
    const int row = RowOf(menu, key);
    ASSERT_GE(row, 0) << "the menu offers no " << QString::fromStdU16String(std::u16string(key)).toStdString();
    ModalScript::EndNextRun(kListPanelRunName, IDCANCEL, [row](CSkinWindow& popup) { ClickRowAndWait(popup, row); });
    if (subRow >= 0)
        ModalScript::EndNextRun(kListPanelRunName, IDCANCEL,
                                [subRow](CSkinWindow& popup) { ClickRowAndWait(popup, subRow); });
    ClickItem(&menu);
}

void PressKeyIn(CSkinWindow& popup, Set1ScanCode key, int qtKey, bool release = true)
{
    QWindow* handle = popup.windowHandle();
    ASSERT_NE(handle, nullptr);
    auto down = MakeNativeKeyEvent(QEvent::KeyPress, key, qtKey);
    QApplication::sendEvent(handle, down.get());
    if (release) {
        auto up = MakeNativeKeyEvent(QEvent::KeyRelease, key, qtKey);
        QApplication::sendEvent(handle, up.get());
    }
}

void TypeNumberAndConfirm(CSkinWindow& window, const QString& number)
{
    auto& popup = static_cast<CTovikEliteNumEntryPopup&>(window);
    ASSERT_NE(popup.NumberField(), nullptr);
    popup.NumberField()->Edit()->clear();
    QTest::keyClicks(popup.NumberField()->Edit(), number);
    ClickPopupItem(window, ItemId::BUTTON_POPUP_OK);
}

bool WaitUntilIdle(CTovikEliteAppDlg& window)
{
    return WaitUntil([&] {
        return window.IsFirstReadDone() && !window.HasTimer(MainTimer::StartWrite) &&
               !window.HasTimer(MainTimer::EndOfTransfer) && !window.Device()->IsBusy() && window.isEnabled();
    });
}

void ApplyAndWait(CTovikEliteAppDlg& window)
{
    const int before = window.WritesStarted();
    ClickItem(window.ApplyButton());
    ASSERT_TRUE(WaitUntil([&] { return window.WritesStarted() > before; }));
    ASSERT_TRUE(WaitUntilIdle(window));
}

// Every operation that changes the device, with its count.
std::map<std::string, uint64_t> DeviceChanges()
{
    std::map<std::string, uint64_t> changes;
    for (const auto& [operation, count] : emulator::FaultInjection::CallCounts()) {
        const bool reads = operation.find(".Get") != std::string::npos || operation.find(".Is") != std::string::npos;
        if (!reads)
            changes[operation] = count;
    }
    return changes;
}

AssignmentRecord DeviceAssignment(const emulator::ProfileImage& profile, uint32_t button)
{
    auto it = profile.buttons.find(ButtonBit(button));
    return it == profile.buttons.end() ? AssignmentRecord{} : AssignmentFromButtonRecord(it->second);
}

class ButtonAssignmentPageTest : public AppTest {
protected:
    // A second profile and one macro on the mouse besides its factory profile.
    void AddProfileAndMacro(uint32_t productId)
    {
        ChangeImage(productId, [&](emulator::DeviceImage& image) {
            emulator::ProfileImage second = image.profiles.front();
            second.id = GUID::Generate();
            second.name = u"Travel";
            image.profiles.push_back(second);
            emulator::MacroImage macro;
            macro.id = GUID::Generate();
            macro.name = u"Reload";
            macro.events = {{kMacroEventKeystroke, 0x13, 0, 0}, {kMacroEventKeystroke, 0x13, kMacroKeyRelease, 0}};
            image.macros.push_back(macro);
            secondProfile_ = second.id;
            macro_ = macro.id;
        });
    }
    emulator::ProfileImage ActiveProfileImage(uint32_t productId)
    {
        const emulator::DeviceImage image = Image(productId);
        const emulator::ProfileImage* active = image.FindProfile(image.activeProfile);
        EXPECT_NE(active, nullptr);
        return active ? *active : emulator::ProfileImage{};
    }

    GUID secondProfile_;
    GUID macro_;
};

TEST_F(ButtonAssignmentPageTest, EveryFamilyOfAssignmentReachesTheDeviceAndComesBack)
{
    Plug(kMouse);
    AddProfileAndMacro(kMouse);
    RunApp([&](CTovikEliteAppDlg& window) {
        ASSERT_TRUE(WaitUntilIdle(window));
        emulator::FaultInjection::ResetCounters();

        // A key with Shift and Ctrl held.
        ModalScript::EndNextRun("SingleKeyPopup.xml", IDCANCEL, [](CSkinWindow& popup) {
            PressKeyIn(popup, Set1ScanCode{0x2A, false, false}, Qt::Key_Shift, false);
            PressKeyIn(popup, Set1ScanCode{0x1D, false, false}, Qt::Key_Control, false);
            PressKeyIn(popup, Set1ScanCode{0x1E, false, false}, Qt::Key_A);
            ClickPopupItem(popup, ItemId::BUTTON_POPUP_OK);
        });
        Choose(MenuOf(window, MOUSE_BUTTON_4), u"$SingleKey");
        EXPECT_EQ(ShownAssignment(window, MOUSE_BUTTON_4), QStringLiteral("Single key: Shift+Ctrl+A"));

        // A macro played a number of times: 0 is refused and asked again.
        ModalScript::EndNextRun("SelectMacroPopup.xml", IDCANCEL, [](CSkinWindow& popup) {
            ClickPopupItem(popup, ItemId::BUTTON_MACRO_PLAY_MULTIPLE);
            ClickPopupItem(popup, ItemId::BUTTON_POPUP_OK);
        });
        ModalScript::EndNextRun("MacroRepeatEntryPopup.xml", IDCANCEL,
                                [](CSkinWindow& popup) { TypeNumberAndConfirm(popup, QStringLiteral("0")); });
        ModalScript::EndNextRun("MacroRepeatWarningPopup.xml", IDOK);
        ModalScript::EndNextRun("MacroRepeatEntryPopup.xml", IDCANCEL,
                                [](CSkinWindow& popup) { TypeNumberAndConfirm(popup, QStringLiteral("3")); });
        Choose(MenuOf(window, MOUSE_BUTTON_5), u"$macro");
        EXPECT_EQ(ShownAssignment(window, MOUSE_BUTTON_5), QStringLiteral("Macro: Reload"));

        // A temporary sensitivity with separate X and Y.
        ModalScript::EndNextRun("TempDPIPopup.xml", IDCANCEL, [](CSkinWindow& popup) {
            ClickPopupItem(popup, ItemId::BUTTON_ENABLEXY_POPUP);
            popup.SendMessage(WM_SLIDER_RELEASED, 800, ItemId::SLIDER_DPI_MULTI_X_POPUP);
            popup.SendMessage(WM_SLIDER_RELEASED, 1600, ItemId::SLIDER_DPI_MULTI_Y_POPUP);
            ClickPopupItem(popup, ItemId::BUTTON_DPISTAGES_OK);
        });
        Choose(MenuOf(window, MOUSE_BUTTON_10), u"$TemporaryDPISwitch");
        EXPECT_EQ(ShownAssignment(window, MOUSE_BUTTON_10), QStringLiteral("Temporary sensitivity: 800x, 1600y"));

        // A switch to the other profile, from the sub-menu (which never lists the
        // profile being edited).
        Choose(MenuOf(window, MOUSE_BUTTON_11), u"$profile", 0);
        ASSERT_EQ(ButtonPage(window).ProfileSubMenu()->RowCount(), 1);
        EXPECT_EQ(ButtonPage(window).ProfileSubMenu()->EntryAt(0).text, QStringLiteral("Travel"));
        EXPECT_EQ(ShownAssignment(window, MOUSE_BUTTON_11), QStringLiteral("Profile: Travel"));

        // A profile made here has no identity on the device yet: it is switched to
        // by name.
        window.Config()->CreateProfile(u"Fresh");
        Choose(MenuOf(window, MOUSE_BUTTON_WHEEL), u"$profile", 1);
        EXPECT_EQ(window.Config()->GetButtonAssignment(MOUSE_BUTTON_WHEEL).kind, AssignmentKind::ProfileByName);
        EXPECT_EQ(window.Config()->GetButtonAssignment(MOUSE_BUTTON_WHEEL).ReadName(), u"Fresh");
        EXPECT_EQ(ShownAssignment(window, MOUSE_BUTTON_WHEEL), QStringLiteral("Profile: Fresh"));
        // Back to the default, so that the write below has no profile to create.
        Choose(MenuOf(window, MOUSE_BUTTON_WHEEL), u"$universalscrolling");
        window.Config()->DeleteProfile(window.Config()->FindProfileByName(u"Fresh"));

        // A kind without details.
        Choose(MenuOf(window, MOUSE_BUTTON_RIGHT), u"$Double-Click");
        EXPECT_TRUE(window.ApplyButton()->isEnabled());
        EXPECT_EQ(ModalScript::PendingAnswers(), 0u);

        ApplyAndWait(window);
    });

    const emulator::ProfileImage profile = ActiveProfileImage(kMouse);
    const AssignmentRecord key = DeviceAssignment(profile, 4);
    EXPECT_EQ(key.kind, AssignmentKind::SingleKey);
    EXPECT_EQ(key.ReadWord(0) & 0xFFFF, 0x1Eu);
    EXPECT_EQ(key.ReadWord(1) & 0xFF, uint32_t(SingleKeyRecord::kShift | SingleKeyRecord::kCtrl));
    const AssignmentRecord macro = DeviceAssignment(profile, 5);
    EXPECT_EQ(macro.kind, AssignmentKind::MacroById);
    EXPECT_EQ(macro.ReadGuid(), macro_);
    EXPECT_EQ(macro.ReadPlayMode(), MacroPlayMode::Multiple);
    EXPECT_EQ(macro.ReadRepeatCount(), 3);
    const AssignmentRecord hold = DeviceAssignment(profile, 10);
    EXPECT_EQ(hold.kind, AssignmentKind::TemporarySensitivity);
    EXPECT_EQ(hold.ReadWord(1), 800u);
    EXPECT_EQ(hold.ReadWord(2), 1600u);
    const AssignmentRecord toProfile = DeviceAssignment(profile, 11);
    EXPECT_EQ(toProfile.kind, AssignmentKind::ProfileById);
    EXPECT_EQ(toProfile.ReadGuid(), secondProfile_);
    EXPECT_EQ(DeviceAssignment(profile, 2).kind, AssignmentKind::DoubleClick);
    EXPECT_EQ(DeviceAssignment(profile, 1).kind, AssignmentKind::Click);

    // Of the setting groups only the buttons were written; every write also sends
    // each profile's name and options and activates the current profile.
    const auto changes = DeviceChanges();
    EXPECT_EQ(changes.count(std::string(emulator::op::ButtonsSet)), 1u);
    for (const auto& [operation, count] : changes) {
        const bool allowed = operation == emulator::op::ButtonsSet || operation == emulator::op::ProfileSetName ||
                             operation == emulator::op::PropertiesSet || operation == emulator::op::ProfilesActivate ||
                             operation.starts_with("Enumerator.") || operation.starts_with("Device.") ||
                             operation.starts_with("Profiles.Get");
        EXPECT_TRUE(allowed) << operation << " was called " << count << " times";
    }

    // A second window reads them back into its menus.
    RunApp([&](CTovikEliteAppDlg& window) {
        ASSERT_TRUE(WaitUntilIdle(window));
        EXPECT_EQ(ShownAssignment(window, MOUSE_BUTTON_4), QStringLiteral("Single key: Shift+Ctrl+A"));
        EXPECT_EQ(ShownAssignment(window, MOUSE_BUTTON_5), QStringLiteral("Macro: Reload"));
        EXPECT_EQ(ShownAssignment(window, MOUSE_BUTTON_10), QStringLiteral("Temporary sensitivity: 800x, 1600y"));
        EXPECT_EQ(ShownAssignment(window, MOUSE_BUTTON_11), QStringLiteral("Profile: Travel"));
        EXPECT_EQ(ShownAssignment(window, MOUSE_BUTTON_RIGHT), QStringLiteral("Double-click"));
        EXPECT_FALSE(window.ApplyButton()->isEnabled());
        // For people to look at: every detail in its box (build/screenshots/app/).
        QDir().mkpath(QStringLiteral(ZT_TEST_SCREENSHOT_DIR));
        EXPECT_TRUE(window.grab().save(QStringLiteral(ZT_TEST_SCREENSHOT_DIR "/buttons-assigned.png")));
    });
}

TEST_F(ButtonAssignmentPageTest, TheLastLeftClickCannotBeTakenAway)
{
    Plug(kMouse);
    struct Case {
        const char* name;
        bool keyMapFlag;
        bool keyClicks;
        bool refused;
    };
    const Case cases[] = {
        {"no key counts", false, false, true},
        {"the key map counts, but no key clicks", true, false, true},
        {"a key clicks, but the key map does not count", false, true, true},
        {"a key clicks and the key map counts", true, true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RunApp([&](CTovikEliteAppDlg& window) {
            ASSERT_TRUE(WaitUntilIdle(window));
            IMouseConfig& config = *window.Config();
            config.SetKeyMapFlag(c.keyMapFlag);
            config.SetKeyAssignment(
                0x1E, AssignmentRecord::OfKind(c.keyClicks ? AssignmentKind::Click : AssignmentKind::Menu));
            if (c.refused)
                ModalScript::EndNextRun("NoClickPopup.xml", IDOK);
            Choose(MenuOf(window, MOUSE_BUTTON_LEFT), u"$menu");
            EXPECT_EQ(WasRun("NoClickPopup.xml"), c.refused);
            EXPECT_EQ(window.ApplyButton()->isEnabled(), !c.refused);
            const int32_t expected = c.refused ? AssignmentKind::Click : AssignmentKind::Menu;
            EXPECT_EQ(config.GetButtonAssignment(MOUSE_BUTTON_LEFT).kind, expected);
            EXPECT_EQ(MenuOf(window, MOUSE_BUTTON_LEFT).EntryKey(MenuOf(window, MOUSE_BUTTON_LEFT).Selected()),
                      c.refused ? u"$click" : u"$menu");
        });
        ModalScript::Reset();
        ModalScript::SetStrict(true);
    }
}

TEST_F(ButtonAssignmentPageTest, EachGenerationIsOfferedItsOwnKinds)
{
    struct Case {
        uint32_t productId;
        bool temporarySensitivity;
    };
    for (const Case& c : {Case{kMouse, true}, Case{kEarlierMouse, false}}) {
        SCOPED_TRACE(c.productId);
        Plug(c.productId);
        RunApp([&](CTovikEliteAppDlg& window) {
            ASSERT_TRUE(WaitUntilIdle(window));
            ASSERT_EQ(window.Config()->GetMacroCount(), 0u);
            for (tMouseButton button : {MOUSE_BUTTON_LEFT, MOUSE_BUTTON_4, MOUSE_BUTTON_11, MOUSE_BUTTON_WHEEL_UP}) {
                SCOPED_TRACE(button);
                const CDropdownListItem& menu = MenuOf(window, button);
                const bool wheel = button == MOUSE_BUTTON_WHEEL_UP;
                EXPECT_EQ(RowOf(menu, u"$TemporaryDPISwitch") >= 0, c.temporarySensitivity && !wheel);
                EXPECT_EQ(menu.EntryCount(), wheel ? 6 : (c.temporarySensitivity ? 16 : 15));
                // Without macros the macro entry cannot be chosen.
                const int macroRow = RowOf(menu, u"$macro");
                ASSERT_GE(macroRow, 0);
                EXPECT_TRUE(menu.IsEntryDisabled(macroRow));
                EXPECT_FALSE(menu.EntryDescription(macroRow).isEmpty());
            }
        });
        Unplug(c.productId);
    }
}

TEST_F(ButtonAssignmentPageTest, RestoringDefaultsNamesTheProfileShortAndPutsTheFactoryButtonsBack)
{
    Plug(kMouse);
    const std::u16string longName = u"Twenty-five characters!!";
    ChangeImage(kMouse, [&](emulator::DeviceImage& image) {
        image.profiles.front().name = longName + u"!";
        image.profiles.front().buttons[ButtonBit(4)] = MakeButtonRecord(AssignmentRecord::OfKind(AssignmentKind::Menu));
    });
    for (int answer : {IDCANCEL, IDOK}) {
        SCOPED_TRACE(answer);
        QString heading;
        RunApp([&](CTovikEliteAppDlg& window) {
            ASSERT_TRUE(WaitUntilIdle(window));
            ModalScript::EndNextRun("RestorePopup.xml", answer, [&](CSkinWindow& popup) {
                heading = static_cast<CTovikEliteWarningDlg&>(popup).Heading()->GetText();
            });
            CGUIItem* reset = window.Page(PageBit::ButtonAssignment)->Items().FindById(ItemId::BUTTON_RESET);
            ASSERT_NE(reset, nullptr);
            ClickItem(reset->window);
            const bool restored = answer == IDOK;
            EXPECT_EQ(window.Config()->GetButtonAssignment(MOUSE_BUTTON_4).kind,
                      restored ? AssignmentKind::Backward : AssignmentKind::Menu);
            EXPECT_EQ(ShownAssignment(window, MOUSE_BUTTON_4),
                      restored ? QStringLiteral("Back") : QStringLiteral("Menu"));
            EXPECT_EQ(window.ApplyButton()->isEnabled(), restored);
            EXPECT_EQ(window.IsReenumerationGuardSet(), restored);
            if (restored)
                ApplyAndWait(window);
        });
        EXPECT_EQ(heading, QStringLiteral("Restore Defaults : Twenty-five chara..."));
    }
    EXPECT_EQ(DeviceAssignment(ActiveProfileImage(kMouse), 4).kind, AssignmentKind::Backward);
}

TEST_F(ButtonAssignmentPageTest, BackingOutOfAnyChoiceChangesNothing)
{
    Plug(kMouse);
    AddProfileAndMacro(kMouse);
    RunApp([&](CTovikEliteAppDlg& window) {
        ASSERT_TRUE(WaitUntilIdle(window));
        IMouseConfig& config = *window.Config();
        std::vector<AssignmentRecord> before;
        for (tMouseButton button : {MOUSE_BUTTON_LEFT, MOUSE_BUTTON_RIGHT, MOUSE_BUTTON_4, MOUSE_BUTTON_5})
            before.push_back(config.GetButtonAssignment(button));
        const QString shownBefore = ShownAssignment(window, MOUSE_BUTTON_4);

        struct Case {
            const char* name;
            std::function<void()> run;
        };
        const Case cases[] = {
            {"the menu closed without a choice",
             [&] {
                 ModalScript::EndNextRun(kListPanelRunName, IDCANCEL);
                 ClickItem(&MenuOf(window, MOUSE_BUTTON_4));
             }},
            {"the key popup cancelled",
             [&] {
                 ModalScript::EndNextRun("SingleKeyPopup.xml", IDCANCEL, [](CSkinWindow& popup) {
                     ClickPopupItem(popup, ItemId::BUTTON_POPUP_CANCEL);
                 });
                 Choose(MenuOf(window, MOUSE_BUTTON_4), u"$SingleKey");
             }},
            {"the macro popup cancelled",
             [&] {
                 ModalScript::EndNextRun("SelectMacroPopup.xml", IDCANCEL);
                 Choose(MenuOf(window, MOUSE_BUTTON_4), u"$macro");
             }},
            {"the repeat count cancelled",
             [&] {
                 ModalScript::EndNextRun("SelectMacroPopup.xml", IDCANCEL, [](CSkinWindow& popup) {
                     ClickPopupItem(popup, ItemId::BUTTON_MACRO_PLAY_MULTIPLE);
                     ClickPopupItem(popup, ItemId::BUTTON_POPUP_OK);
                 });
                 ModalScript::EndNextRun("MacroRepeatEntryPopup.xml", IDCANCEL);
                 Choose(MenuOf(window, MOUSE_BUTTON_4), u"$macro");
             }},
            {"the sensitivity popup cancelled",
             [&] {
                 ModalScript::EndNextRun("TempDPIPopup.xml", IDCANCEL, [](CSkinWindow& popup) {
                     popup.SendMessage(WM_SLIDER_RELEASED, 1200, ItemId::SLIDER_DPI_MULTI_POPUP);
                     ClickPopupItem(popup, ItemId::BUTTON_DPISTAGES_CANCEL);
                 });
                 Choose(MenuOf(window, MOUSE_BUTTON_4), u"$TemporaryDPISwitch");
             }},
            {"the profile sub-menu closed without a choice",
             [&] {
                 const int row = RowOf(MenuOf(window, MOUSE_BUTTON_4), u"$profile");
                 ModalScript::EndNextRun(kListPanelRunName, IDCANCEL,
                                         [row](CSkinWindow& popup) { ClickRowAndWait(popup, row); });
                 ModalScript::EndNextRun(kListPanelRunName, IDCANCEL);
                 ClickItem(&MenuOf(window, MOUSE_BUTTON_4));
             }},
            {"a profile whose name no record can hold",
             [&] {
                 // Made here, so it has no identity and would be switched to by name.
                 config.CreateProfile(std::u16string(AssignmentRecord::kMaxNameUnits, u'n'));
                 Choose(MenuOf(window, MOUSE_BUTTON_4), u"$profile", 1);
                 config.DeleteProfile(config.GetProfile(config.GetProfileCount() - 1));
             }},
            {"restoring the defaults cancelled",
             [&] {
                 ModalScript::EndNextRun("RestorePopup.xml", IDCANCEL);
                 ClickItem(window.Page(PageBit::ButtonAssignment)->Items().FindById(ItemId::BUTTON_RESET)->window);
             }},
        };
        for (const Case& c : cases) {
            SCOPED_TRACE(c.name);
            const size_t runs = ModalScript::Records().size();
            c.run();
            EXPECT_EQ(ModalScript::PendingAnswers(), 0u);
            EXPECT_GT(ModalScript::Records().size(), runs);
            std::vector<AssignmentRecord> after;
            for (tMouseButton button : {MOUSE_BUTTON_LEFT, MOUSE_BUTTON_RIGHT, MOUSE_BUTTON_4, MOUSE_BUTTON_5})
                after.push_back(config.GetButtonAssignment(button));
            EXPECT_TRUE(after == before);
            EXPECT_EQ(ShownAssignment(window, MOUSE_BUTTON_4), shownBefore);
            EXPECT_FALSE(window.AreSettingsChanged());
            EXPECT_FALSE(window.ApplyButton()->isEnabled());
        }
    });
}

TEST_F(ButtonAssignmentPageTest, TheStripShowsTheActiveProfileAndSwitchesIt)
{
    Plug(kMouse);
    AddProfileAndMacro(kMouse);
    RunApp([&](CTovikEliteAppDlg& window) {
        ASSERT_TRUE(WaitUntilIdle(window));
        auto& strip = dynamic_cast<CCurrentProfileStrip&>(window.ProfileStrip());
        CDropdownListItem* list = strip.ProfileList();
        ASSERT_NE(list, nullptr);
        ASSERT_EQ(list->EntryCount(), 2);
        IMouseProfile* first = window.Config()->GetCurrentProfile();
        EXPECT_EQ(list->BoxText(), QString::fromStdU16String(first->GetName()));
        // The other profile's menus differ, so the switch shows on the page.
        window.Config()->GetProfile(1)->SetButtonAssignment(MOUSE_BUTTON_4,
                                                            AssignmentRecord::OfKind(AssignmentKind::ButtonOff));
        Choose(*list, u"Travel");
        EXPECT_EQ(window.Config()->GetCurrentProfile(), window.Config()->GetProfile(1));
        EXPECT_EQ(list->BoxText(), QStringLiteral("Travel"));
        EXPECT_EQ(ShownAssignment(window, MOUSE_BUTTON_4), QStringLiteral("Button off"));
        EXPECT_TRUE(window.ApplyButton()->isEnabled());
    });
}

TEST_F(ButtonAssignmentPageTest, AnotherGenerationSwappedInRefillsTheMenus)
{
    Plug(kMouse);
    RunApp([&](CTovikEliteAppDlg& window) {
        ASSERT_TRUE(WaitUntilIdle(window));
        ASSERT_GE(RowOf(MenuOf(window, MOUSE_BUTTON_4), u"$TemporaryDPISwitch"), 0);
        // The user keeps the earlier-generation mouse from being written to.
        ModalScript::EndNextRun("ChangeMousePopup.xml", IDCANCEL);
        window.PostDeviceChange(int(kEarlierMouse));
        ASSERT_TRUE(WaitUntil([&] { return window.GetDeviceCode() == DeviceCode::LegacyMouse; }));
        EXPECT_LT(RowOf(MenuOf(window, MOUSE_BUTTON_4), u"$TemporaryDPISwitch"), 0);
        EXPECT_EQ(ShownAssignment(window, MOUSE_BUTTON_4), QStringLiteral("Back"));
    });
}

// A picture of the page with a menu open (build/screenshots/app/buttons-menu.png).
TEST_F(ButtonAssignmentPageTest, ThePageIsDrawnWithAMenuOpen)
{
    Plug(kMouse);
    AddProfileAndMacro(kMouse);
    const QString folder = QStringLiteral(ZT_TEST_SCREENSHOT_DIR);
    QDir().mkpath(folder);
    QImage picture;
    RunApp([&](CTovikEliteAppDlg& window) {
        ASSERT_TRUE(WaitUntilIdle(window));
        CDropdownListItem& menu = MenuOf(window, MOUSE_BUTTON_4);
        ModalScript::EndNextRun(kListPanelRunName, IDCANCEL, [&](CSkinWindow& popup) {
            auto* panel = dynamic_cast<CListPanel*>(&popup);
            ASSERT_NE(panel, nullptr);
            // Hover the profile row, as a user about to open the sub-menu would.
            const int row = RowOf(menu, u"$profile");
            QTest::mouseMove(panel->List(), panel->List()->RowRect(row).center());
            picture = window.grab().toImage();
            QPainter painter(&picture);
            painter.drawImage(window.mapFromGlobal(panel->mapToGlobal(QPoint(0, 0))), panel->grab().toImage());
        });
        ClickItem(&menu);
    });
    ASSERT_FALSE(picture.isNull());
    EXPECT_TRUE(picture.save(folder + QStringLiteral("/buttons-menu.png")));
}

} // namespace
