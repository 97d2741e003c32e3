// SPDX-License-Identifier: GPL-3.0-or-later
// Where the pages meet: a change made on one page (or by the mouse going away)
// shows on every other page, OK after Apply writes, popups end with the mouse,
// the mouse's own limits are kept, and the notices say what happened.
#include "AppTestSupport.h"

#include "app/ButtonAssignmentPage.h"
#include "app/LightingPage.h"
#include "app/MacrosPage.h"
#include "app/ProfilesPage.h"
#include "app/ProgressPopupDlg.h"
#include "controls/BitmapBtn.h"
#include "controls/DropdownListItem.h"
#include "controls/EditItem.h"
#include "controls/ListPanelItem.h"
#include "controls/ListPanelPopup.h"
#include "controls/TextItem.h"
#include "controls/XListCtrl.h"
#include "device/server/IDeviceMacros.h"
#include "emulator/Operations.h"
#include "popups/PopupBox.h"
#include "popups/TovikEliteNameEntryPopup.h"
#include "settings/IMouseConfig.h"
#include "settings/IMouseProfile.h"
#include "settings/Macro.h"
#include "skin/ItemIds.h"

#include <QApplication>
#include <QLineEdit>
#include <fstream>

namespace {

constexpr uint32_t kMouse = 0x0031;
constexpr uint32_t kEarlierMouse = 0x0013;

void Click(QWidget* widget)
{
    ASSERT_NE(widget, nullptr);
    QTest::mouseClick(widget, Qt::LeftButton, {}, widget->rect().center());
}

// Clicks an item of the window, of the page shown or of the strip above it.
void ClickItem(CTovikEliteAppDlg& window, int id)
{
    CGUIItem* item = window.Items().FindById(id);
    if (!item && window.CurrentPage())
        item = window.CurrentPage()->Items().FindById(id);
    if (!item)
        item = window.ProfileStrip().Items().FindById(id);
    ASSERT_NE(item, nullptr) << "no item " << id;
    Click(item->window);
}

void ClickPopupOk(CSkinWindow& popup)
{
    Click(dynamic_cast<CPopupBox&>(popup).Items().FindById(ItemId::BUTTON_POPUP_OK, ItemKind::BUTTON)->window);
}

void AnswerOk(const char* skin)
{
    ModalScript::EndNextRun(skin, IDCANCEL, [](CSkinWindow& popup) { ClickPopupOk(popup); });
}

void AnswerName(const char* skin, QString name)
{
    ModalScript::EndNextRun(skin, IDCANCEL, [name](CSkinWindow& popup) {
        auto& entry = dynamic_cast<CTovikEliteNameEntryPopup&>(popup);
        QTest::keyClicks(entry.NameField()->Edit(), name);
        ClickPopupOk(popup);
    });
}

bool WaitUntilIdle(CTovikEliteAppDlg& window)
{
    return WaitUntil([&] {
        return window.IsFirstReadDone() && !window.HasTimer(MainTimer::StartWrite) &&
               !window.HasTimer(MainTimer::EndOfTransfer) && window.Device() && !window.Device()->IsBusy() &&
               window.isEnabled();
    });
}

CButtonAssignmentPage& ButtonPage(CTovikEliteAppDlg& window)
{
    return dynamic_cast<CButtonAssignmentPage&>(*window.EnsurePage(PageBit::ButtonAssignment));
}
CProfilesPage& ProfilesPage(CTovikEliteAppDlg& window)
{
    return dynamic_cast<CProfilesPage&>(*window.EnsurePage(PageBit::Profiles));
}

QString ShownAssignment(CTovikEliteAppDlg& window, tMouseButton button)
{
    CDropdownListItem* menu = ButtonPage(window).Menu(button);
    return menu ? menu->BoxText() : QString();
}

// The row of the profiles list that shows `profile`.
int RowOfProfile(CTovikEliteAppDlg& window, const IMouseProfile* profile)
{
    IMouseConfig& config = *window.Config();
    for (size_t index = 0; index < config.GetProfileCount(); ++index)
        if (config.GetProfile(index) == profile)
            return ProfilesPage(window).List()->FindRow(int(index));
    return -1;
}
int IndexOfProfile(CTovikEliteAppDlg& window, const IMouseProfile* profile)
{
    IMouseConfig& config = *window.Config();
    for (size_t index = 0; index < config.GetProfileCount(); ++index)
        if (config.GetProfile(index) == profile)
            return int(index);
    return -1;
}

bool IsShown(CTovikEliteAppDlg& window, int pageBit, int itemId)
{
    CGUIItem* item = window.EnsurePage(pageBit)->Items().FindById(itemId);
    return item && item->window && item->window->isVisible();
}

class PagesAgreeTest : public AppTest {
protected:
    // A second profile, "Travel", whose button 4 is off and whose scroll-wheel
    // light is off, so that a switch to it shows on the pages.
    void AddTravelProfile()
    {
        ChangeImage(kMouse, [&](emulator::DeviceImage& image) {
            emulator::ProfileImage travel = image.profiles.front();
            travel.id = GUID::Generate();
            travel.name = u"Travel";
            image.profiles.push_back(travel);
        });
    }
    void AddMacros(size_t count)
    {
        ChangeImage(kMouse, [&](emulator::DeviceImage& image) {
            while (image.macros.size() < count) {
                emulator::MacroImage macro;
                macro.id = GUID::Generate();
                macro.name = u"M" + QString::number(image.macros.size()).toStdU16String();
                macro.events = {{kMacroEventDelay, 0, 0, 10}};
                image.macros.push_back(macro);
            }
        });
    }
};

TEST_F(PagesAgreeTest, EveryPageShowsTheActiveProfileWhateverPageChangedIt)
{
    Plug(kMouse);
    AddTravelProfile();
    RunApp([&](CTovikEliteAppDlg& window) {
        ASSERT_TRUE(WaitUntilIdle(window));
        IMouseConfig& config = *window.Config();
        IMouseProfile* first = config.GetCurrentProfile();
        IMouseProfile* travel = config.FindProfileByName(u"Travel");
        ASSERT_TRUE(first && travel && first != travel);
        ASSERT_TRUE(
            config.SetButtonAssignment(MOUSE_BUTTON_4, AssignmentRecord::OfKind(AssignmentKind::ButtonOff), travel));
        EXPECT_EQ(ShownAssignment(window, MOUSE_BUTTON_4), QStringLiteral("Back"));
        // The lighting page exists before the switch; the performance page never does.
        ClickItem(window, ItemId::BUTTON_LIGHTINGMAINTENANCE);
        config.SetCurrentProfile(travel);
        config.SetLedState(LED_SCROLL_WHEEL, !config.GetLedState(LED_SCROLL_WHEEL));
        const bool travelLight = config.GetLedState(LED_SCROLL_WHEEL);
        config.SetCurrentProfile(first);

        ClickItem(window, ItemId::BUTTON_MANAGEPROFILES);
        ProfilesPage(window).SetActiveProfile(window, IndexOfProfile(window, travel));
        ASSERT_EQ(config.GetCurrentProfile(), travel);

        ClickItem(window, ItemId::BUTTON_ASSIGNBUTTONS);
        EXPECT_EQ(ShownAssignment(window, MOUSE_BUTTON_4), QStringLiteral("Button off"));
        ClickItem(window, ItemId::BUTTON_LIGHTINGMAINTENANCE);
        auto* on = window.EnsurePage(PageBit::Lighting)->Items().FindAs<CBitmapBtn>(ItemId::SCROLL_LEDON);
        ASSERT_NE(on, nullptr);
        EXPECT_EQ(on->IsHighlighted(), travelLight);

        // Restoring the active profile's defaults on the profiles page shows too.
        ClickItem(window, ItemId::BUTTON_MANAGEPROFILES);
        AnswerOk("RestorePopup.xml");
        ProfilesPage(window).RestoreDefaults(window, IndexOfProfile(window, travel));
        ClickItem(window, ItemId::BUTTON_ASSIGNBUTTONS);
        EXPECT_EQ(ShownAssignment(window, MOUSE_BUTTON_4), QStringLiteral("Back"));
        EXPECT_TRUE(window.ApplyButton()->isEnabled());
    });
}

TEST_F(PagesAgreeTest, TheButtonPageKnowsTheMacrosMadeRenamedAndDeleted)
{
    Plug(kMouse);
    RunApp([&](CTovikEliteAppDlg& window) {
        ASSERT_TRUE(WaitUntilIdle(window));
        IMouseConfig& config = *window.Config();
        ASSERT_EQ(config.GetMacroCount(), 0u);
        CDropdownListItem* menu = ButtonPage(window).Menu(MOUSE_BUTTON_4);
        ASSERT_NE(menu, nullptr);
        auto macroEntry = [&] {
            for (int row = 0; row < menu->EntryCount(); ++row)
                if (menu->EntryKey(row) == u"$macro")
                    return row;
            return -1;
        };
        ASSERT_GE(macroEntry(), 0);
        EXPECT_TRUE(menu->IsEntryDisabled(macroEntry()));

        ClickItem(window, ItemId::BUTTON_MANAGEMACROS);
        AnswerName("MacroNamePopup.xml", QStringLiteral("Reload"));
        ClickItem(window, ItemId::BUTTON_MACRO_CREATE);
        CMacro* macro = config.FindMacroByName(u"Reload");
        ASSERT_NE(macro, nullptr);
        ClickItem(window, ItemId::BUTTON_ASSIGNBUTTONS);
        EXPECT_FALSE(menu->IsEntryDisabled(macroEntry())) << "the first macro made leaves Macro disabled";

        ASSERT_TRUE(config.SetButtonAssignment(MOUSE_BUTTON_4, MakeMacroAssignment(*macro, MacroPlayMode::Once, 0)));
        ButtonPage(window).FillButtonMenus(window);
        EXPECT_EQ(ShownAssignment(window, MOUSE_BUTTON_4), QStringLiteral("Macro: Reload"));

        ClickItem(window, ItemId::BUTTON_MANAGEMACROS);
        AnswerName("MacroRenamePopup.xml", QStringLiteral("Sprint"));
        ClickItem(window, ItemId::BUTTON_MACRO_RENAME);
        ClickItem(window, ItemId::BUTTON_ASSIGNBUTTONS);
        EXPECT_EQ(ShownAssignment(window, MOUSE_BUTTON_4), QStringLiteral("Macro: Sprint"));

        ClickItem(window, ItemId::BUTTON_MANAGEMACROS);
        AnswerOk("ConfirmDeleteMacroPopup.xml");
        ClickItem(window, ItemId::BUTTON_MACRO_DELETE);
        ClickItem(window, ItemId::BUTTON_ASSIGNBUTTONS);
        EXPECT_EQ(ShownAssignment(window, MOUSE_BUTTON_4), QStringLiteral("Back"));
        EXPECT_TRUE(menu->IsEntryDisabled(macroEntry()));
    });
}

TEST_F(PagesAgreeTest, TheProfileSubMenuLeavesOutTheActiveProfileNotTheSelectedRow)
{
    Plug(kMouse);
    AddTravelProfile();
    RunApp([&](CTovikEliteAppDlg& window) {
        ASSERT_TRUE(WaitUntilIdle(window));
        IMouseConfig& config = *window.Config();
        IMouseProfile* active = config.GetCurrentProfile();
        IMouseProfile* travel = config.FindProfileByName(u"Travel");
        ASSERT_TRUE(active && travel);
        // A right-click selects Travel's row without making it active.
        ClickItem(window, ItemId::BUTTON_MANAGEPROFILES);
        ProfilesPage(window).List()->SelectRow(RowOfProfile(window, travel));
        ASSERT_EQ(ProfilesPage(window).SelectedProfile(window), travel);
        ASSERT_EQ(config.GetCurrentProfile(), active);

        ClickItem(window, ItemId::BUTTON_ASSIGNBUTTONS);
        CDropdownListItem* menu = ButtonPage(window).Menu(MOUSE_BUTTON_4);
        ASSERT_NE(menu, nullptr);
        // Opening a menu refills its sub-menus; nothing is chosen.
        ModalScript::EndNextRun(kListPanelRunName, IDCANCEL);
        Click(menu);
        CListPanelItem* profiles = ButtonPage(window).ProfileSubMenu();
        ASSERT_NE(profiles, nullptr);
        QStringList names;
        for (int row = 0; row < profiles->RowCount(); ++row)
            names << profiles->EntryAt(row).text;
        EXPECT_EQ(names, QStringList{QStringLiteral("Travel")});
    });
}

TEST_F(PagesAgreeTest, OkRightAfterApplyWritesBeforeTheWindowCloses)
{
    Plug(kMouse);
    const uint32_t before = Image(kMouse).reportInterval;
    int result = -1;
    RunApp([&](CTovikEliteAppDlg& window) {
        ASSERT_TRUE(WaitUntilIdle(window));
        IMouseConfig& config = *window.Config();
        config.SetPollingRate(before == 1 ? POLLING_RATE_0 : POLLING_RATE_2);
        window.SetSettingsChanged();
        ClickItem(window, ItemId::BUTTON_APPLY);
        ASSERT_TRUE(window.HasTimer(MainTimer::StartWrite));
        ClickItem(window, ItemId::BUTTON_OK); // within the pause before the write
        ASSERT_TRUE(WaitUntil([&] { return window.IsEnded(); }));
        result = window.EndResult();
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_NE(Image(kMouse).reportInterval, before) << "the window closed without writing";
}

TEST_F(PagesAgreeTest, OkRightAfterAFailedApplyKeepsTheWindowAndSaysSo)
{
    Plug(kMouse);
    RunApp([&](CTovikEliteAppDlg& window) {
        ASSERT_TRUE(WaitUntilIdle(window));
        window.Config()->SetPollingRate(window.Config()->GetPollingRate() == POLLING_RATE_2 ? POLLING_RATE_0
                                                                                            : POLLING_RATE_2);
        window.SetSettingsChanged();
        emulator::FaultInjection::FailOperation(emulator::op::ReportIntervalSet);
        ClickItem(window, ItemId::BUTTON_APPLY);
        ClickItem(window, ItemId::BUTTON_OK);
        AnswerOk("WriteFailedPopup.xml");
        ASSERT_TRUE(WaitUntil([&] { return WasRun("WriteFailedPopup.xml"); }));
        EXPECT_FALSE(window.IsEnded());
        EXPECT_TRUE(window.ApplyButton()->isEnabled());
    });
}

// Each popup open when the mouse goes ends as cancelled before the notice, and
// nothing it held is kept.
TEST_F(PagesAgreeTest, APopupOpenWhenTheMouseGoesEndsCancelledBeforeTheNotice)
{
    struct Case {
        int pageTab;
        int button;
        const char* popup;
    };
    const Case cases[] = {
        {ItemId::BUTTON_ADJUSTPERFORMANCE, ItemId::BUTTON_SENSITIVITY_STAGES, "DPIStagesPopup_MouseRefresh.xml"},
        {ItemId::BUTTON_ADJUSTPERFORMANCE, ItemId::BUTTON_SENSOR_SETTINGS, "SensorCalibration_Popup.xml"},
        {ItemId::BUTTON_MANAGEMACROS, ItemId::BUTTON_MACRO_CREATE, "MacroNamePopup.xml"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.popup);
        UnplugEverything();
        Plug(kMouse);
        ModalScript::Reset();
        ModalScript::SetStrict(true);
        const emulator::DeviceImage before = Image(kMouse);
        bool changedAfter = true;
        bool popupEnded = false;
        RunApp([&](CTovikEliteAppDlg& window) {
            ASSERT_TRUE(WaitUntilIdle(window));
            ClickItem(window, c.pageTab);
            AnswerOk("NoMousePopup.xml");
            ModalScript::EndNextRun(c.popup, IDOK, [&](CSkinWindow& popup) {
                QPointer<CSkinWindow> alive(&popup);
                Unplug(kMouse);
                popupEnded = WaitUntil([&] { return !alive || alive->IsModalRunEnded(); });
            });
            ClickItem(window, c.button);
            ASSERT_TRUE(WaitUntil([&] { return window.IsEnded(); }));
            changedAfter = window.AreSettingsChanged();
        });
        EXPECT_TRUE(popupEnded) << "the popup stayed open after the mouse went";
        EXPECT_FALSE(changedAfter);
        // The notice came after the popup had ended, not over it.
        const auto& records = ModalScript::Records();
        const auto popupRun = std::find_if(records.begin(), records.end(), [&](auto& r) { return r.name == c.popup; });
        const auto notice =
            std::find_if(records.begin(), records.end(), [](auto& r) { return r.name == "NoMousePopup.xml"; });
        ASSERT_NE(popupRun, records.end());
        ASSERT_NE(notice, records.end());
        EXPECT_LT(popupRun - records.begin(), notice - records.begin());
        EXPECT_EQ(popupRun->result, IDCANCEL);
        EXPECT_EQ(Image(kMouse).profiles.size(), before.profiles.size());
    }
}

TEST_F(PagesAgreeTest, NoMoreMacrosThanTheMouseHoldsAreMadeOrImported)
{
    Plug(kMouse);
    AddMacros(kMaxDeviceMacros);
    const std::string file = (temp_ / "one.zmm").string();
    std::ofstream(file) << "not read";
    RunApp([&](CTovikEliteAppDlg& window) {
        ASSERT_TRUE(WaitUntilIdle(window));
        ASSERT_EQ(window.Config()->GetMacroCount(), size_t(kMaxDeviceMacros));
        ClickItem(window, ItemId::BUTTON_MANAGEMACROS);
        AnswerOk("MacroLimitReachedPopup.xml");
        ClickItem(window, ItemId::BUTTON_MACRO_CREATE);
        AnswerOk("MacroLimitReachedPopup.xml");
        ModalScript::AnswerNextOpenFile(QString::fromStdString(file).toStdU16String());
        ClickItem(window, ItemId::BUTTON_MACRO_IMPORT);
        EXPECT_EQ(window.Config()->GetMacroCount(), size_t(kMaxDeviceMacros));
        EXPECT_FALSE(window.AreSettingsChanged());
        EXPECT_EQ(ModalScript::PendingAnswers(), 1u) << "the file dialog opened although the mouse is full";
        EXPECT_FALSE(WasRun("MacroNamePopup.xml"));
    });
}

TEST_F(PagesAgreeTest, MacroFilesThatCannotBeUsedAreNamedInANotice)
{
    Plug(kMouse);
    const std::string garbage = (temp_ / "garbage.zmm").string();
    std::ofstream(garbage) << "{ this is not a macro";
    RunApp([&](CTovikEliteAppDlg& window) {
        ASSERT_TRUE(WaitUntilIdle(window));
        ClickItem(window, ItemId::BUTTON_MANAGEMACROS);
        AnswerName("MacroNamePopup.xml", QStringLiteral("Reload"));
        ClickItem(window, ItemId::BUTTON_MACRO_CREATE);
        // Written to the mouse first, so that it can be exported.
        ClickItem(window, ItemId::BUTTON_APPLY);
        ASSERT_TRUE(WaitUntil([&] { return window.WritesStarted() > 0; }));
        ASSERT_TRUE(WaitUntilIdle(window));

        ModalScript::AnswerNextSaveFile(
            (QString::fromStdString(temp_.path().string()) + "/no/such/folder/out.zmm").toStdU16String());
        AnswerOk("MacroFileWarningPopup.xml");
        ClickItem(window, ItemId::BUTTON_MACRO_EXPORT);
        EXPECT_EQ(ModalScript::PendingAnswers(), 0u) << "a failed export said nothing";

        const size_t count = window.Config()->GetMacroCount();
        ModalScript::AnswerNextOpenFile(QString::fromStdString(garbage).toStdU16String());
        AnswerOk("MacroFileWarningPopup.xml");
        ClickItem(window, ItemId::BUTTON_MACRO_IMPORT);
        EXPECT_EQ(ModalScript::PendingAnswers(), 0u) << "a refused import said nothing";
        EXPECT_EQ(window.Config()->GetMacroCount(), count);
    });
}

TEST_F(PagesAgreeTest, RenameStartsWithTheNameSelected)
{
    Plug(kMouse);
    AddTravelProfile();
    AddMacros(1);
    RunApp([&](CTovikEliteAppDlg& window) {
        ASSERT_TRUE(WaitUntilIdle(window));
        struct Seen {
            QString text;
            QString selected;
        };
        auto look = [](Seen& seen) {
            return [&seen](CSkinWindow& popup) {
                QLineEdit* edit = dynamic_cast<CTovikEliteNameEntryPopup&>(popup).NameField()->Edit();
                seen = {edit->text(), edit->selectedText()};
            };
        };
        Seen profile, macro;
        ClickItem(window, ItemId::BUTTON_MANAGEPROFILES);
        ModalScript::EndNextRun("ProfileRenamePopup.xml", IDCANCEL, look(profile));
        IMouseProfile* travel = window.Config()->FindProfileByName(u"Travel");
        ProfilesPage(window).RenameProfile(window, IndexOfProfile(window, travel));
        EXPECT_EQ(profile.text, QStringLiteral("Travel"));
        EXPECT_EQ(profile.selected, QStringLiteral("Travel"));

        ClickItem(window, ItemId::BUTTON_MANAGEMACROS);
        ModalScript::EndNextRun("MacroRenamePopup.xml", IDCANCEL, look(macro));
        ClickItem(window, ItemId::BUTTON_MACRO_RENAME);
        EXPECT_EQ(macro.text, QStringLiteral("M0"));
        EXPECT_EQ(macro.selected, QStringLiteral("M0"));
        // OK on the unchanged name changes nothing and warns of nothing.
        AnswerOk("MacroRenamePopup.xml");
        ClickItem(window, ItemId::BUTTON_MACRO_RENAME);
        EXPECT_FALSE(window.AreSettingsChanged());
    });
}

TEST_F(PagesAgreeTest, TheProgressHeadingNamesTheWrite)
{
    Plug(kMouse);
    setenv("ZEMKO_TOVIK_EMU_LATENCY_MS", "40", 1);
    QString heading;
    RunApp([&](CTovikEliteAppDlg& window) {
        ASSERT_TRUE(WaitUntilIdle(window));
        window.Config()->SetLedState(LED_SCROLL_WHEEL, !window.Config()->GetLedState(LED_SCROLL_WHEEL));
        window.SetSettingsChanged();
        const int before = window.WritesStarted();
        ClickItem(window, ItemId::BUTTON_APPLY);
        ASSERT_TRUE(WaitUntil([&] { return window.WritesStarted() > before; }));
        ASSERT_TRUE(WaitUntil([&] {
            for (QWidget* top : QApplication::topLevelWidgets())
                if (auto* dialog = dynamic_cast<CProgressPopupDlg*>(top); dialog && dialog->isVisible())
                    if (dialog->TextItem())
                        heading = dialog->TextItem()->GetText();
            return !heading.isEmpty() && heading != QStringLiteral("Reading from the mouse");
        }));
        ASSERT_TRUE(WaitUntilIdle(window));
    });
    setenv("ZEMKO_TOVIK_EMU_LATENCY_MS", "0", 1);
    EXPECT_EQ(heading, QStringLiteral("Writing to the mouse"));
}

TEST_F(PagesAgreeTest, TheEarlierMouseShowsNoPowerSettingsItDoesNotHave)
{
    for (uint32_t product : {kMouse, kEarlierMouse}) {
        SCOPED_TRACE(product);
        UnplugEverything();
        Plug(product);
        ModalScript::Reset();
        ModalScript::SetStrict(true);
        bool sleepShown = false;
        bool lightShown = false;
        QString note;
        RunApp([&](CTovikEliteAppDlg& window) {
            ASSERT_TRUE(WaitUntilIdle(window));
            ClickItem(window, ItemId::BUTTON_LIGHTINGMAINTENANCE);
            sleepShown = IsShown(window, PageBit::Lighting, ItemId::SLIDER_POWER_SLEEPTOIDLE);
            lightShown = IsShown(window, PageBit::Lighting, ItemId::SCROLL_LEDON);
            if (auto* text =
                    window.EnsurePage(PageBit::Lighting)->Items().FindAs<CTextItem>(ItemId::TEXT_WIRELESSMODEHEADING))
                note = text->GetText();
        });
        EXPECT_EQ(sleepShown, product == kMouse);
        EXPECT_TRUE(lightShown);
        EXPECT_EQ(note == QStringLiteral("This mouse has no power settings."), product == kEarlierMouse)
            << note.toStdString();
    }
}

TEST_F(PagesAgreeTest, AMousePluggedWhileNoMouseIsToldIsReadAndShown)
{
    // Nothing attached at start.
    bool read = false;
    bool noticeEndedByArrival = false;
    ModalScript::EndNextRun("NoMousePopup.xml", IDCANCEL, [&](CSkinWindow& notice) {
        QPointer<CSkinWindow> alive(&notice);
        Plug(kMouse);
        noticeEndedByArrival = WaitUntil([&] { return !alive || alive->IsModalRunEnded(); });
    });
    const auto outcome = RunApp([&](CTovikEliteAppDlg& window) {
        read = WaitUntilIdle(window) && window.Config()->GetCurrentProfile() != nullptr;
        EXPECT_EQ(window.GetDeviceCode(), DeviceCode::EliteMouse);
    });
    EXPECT_TRUE(noticeEndedByArrival);
    EXPECT_TRUE(read) << "the mouse plugged during the notice was not taken up";
    EXPECT_EQ(outcome, CTovikEliteAppApp::Outcome::Completed);
}

} // namespace
