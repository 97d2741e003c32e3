// SPDX-License-Identifier: GPL-3.0-or-later
// The profiles page over the emulated mouse: profiles are made, renamed, copied,
// activated, linked to a program, deleted and restored through the page's own
// controls, and after Apply the device holds exactly what the page showed.
#include "AppTestSupport.h"

#include <QFileInfo>

#include "app/ProfilesPage.h"
#include "controls/BitmapBtn.h"
#include "controls/EditItem.h"
#include "controls/ListPanelItem.h"
#include "controls/ListPanelPopup.h"
#include "controls/XListCtrl.h"
#include "device/server/IDeviceProfileProperties.h"
#include "emulator/Products.h"
#include "popups/TovikEliteNameEntryPopup.h"
#include "popups/TovikElitePreviewPopup.h"
#include "settings/IMouseConfig.h"
#include "settings/IMouseProfile.h"
#include "skin/ItemIds.h"
#include "skin/LangTable.h"

#include <QFile>
#include <QTimer>
#include <cstring>
#include <fstream>

namespace {

constexpr int kCheckColumn = 0;
constexpr int kNameColumn = 2;
constexpr int kProgramColumn = 3;
constexpr int kAutoColumn = 4;

CProfilesPage& PageOf(CTovikEliteAppDlg& window)
{
    return *dynamic_cast<CProfilesPage*>(window.EnsurePage(PageBit::Profiles));
}

void ClickButton(CBitmapBtn* button)
{
    ASSERT_NE(button, nullptr);
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(button->width() / 2, button->height() / 2));
}

void ClickMain(CTovikEliteAppDlg& window, int itemId)
{
    ClickButton(window.Items().FindAs<CBitmapBtn>(itemId));
}

void ClickPage(CTovikEliteAppDlg& window, int itemId)
{
    ClickButton(PageOf(window).Items().FindAs<CBitmapBtn>(itemId));
}

// A picture for people to look at, in the build tree's screenshots/app/.
void SavePicture(QWidget& widget, const QString& name)
{
    const QString folder = QStringLiteral(ZT_TEST_SCREENSHOT_DIR);
    QDir().mkpath(folder);
    widget.grab().save(folder + QStringLiteral("/") + name + QStringLiteral(".png"));
}

bool WaitUntilIdle(CTovikEliteAppDlg& window)
{
    return WaitUntil([&] {
        return window.IsFirstReadDone() && !window.HasTimer(MainTimer::StartWrite) &&
               !window.HasTimer(MainTimer::EndOfTransfer) && !window.Device()->IsBusy() && window.isEnabled();
    });
}

// Clicks Apply and waits until the write is over.
void Apply(CTovikEliteAppDlg& window)
{
    const int before = window.WritesStarted();
    ASSERT_TRUE(window.ApplyButton()->isEnabled()) << "nothing to apply";
    ClickMain(window, ItemId::BUTTON_APPLY);
    ASSERT_TRUE(WaitUntil([&] { return window.WritesStarted() > before; }));
    ASSERT_TRUE(WaitUntilIdle(window));
}

// The next name-entry popup of `skinFile` gets `name` typed and confirmed.
void AnswerName(const char* skinFile, const QString& name)
{
    ModalScript::EndNextRun(skinFile, IDCANCEL, [name](CSkinWindow& window) {
        auto& popup = dynamic_cast<CTovikEliteNameEntryPopup&>(window);
        QTest::keyClicks(popup.NameField()->Edit(), name);
        QTest::keyClick(popup.NameField()->Edit(), Qt::Key_Return);
    });
}

// Opens the list's context menu on `row` and chooses the entry of `key`.
void ChooseFromMenu(CXListCtrl& list, int row, std::u16string_view key)
{
    ModalScript::EndNextRun(kListPanelRunName, IDCANCEL, [key](CSkinWindow& window) {
        auto& popup = dynamic_cast<CListPanel&>(window);
        CListPanelPopupList* rows = popup.List();
        int entry = -1;
        for (int i = 0; i < rows->Panel().RowCount(); ++i)
            if (rows->Panel().EntryAt(i).key == key)
                entry = i;
        ASSERT_GE(entry, 0) << "no menu entry " << QString::fromStdU16String(std::u16string(key)).toStdString();
        QTest::mouseClick(rows, Qt::LeftButton, {}, rows->RowRect(entry).center());
        QTest::qWait(int(CListPanelPopupList::kCloseDelayMs) + 100);
    });
    QTest::mouseClick(&list, Qt::RightButton, {}, list.CellRect(row, kNameColumn).center());
}

std::vector<std::u16string> Names(const CXListCtrl& list)
{
    std::vector<std::u16string> names;
    for (int row = 0; row < list.RowCount(); ++row)
        names.push_back(list.CellText(row, kNameColumn).toStdU16String());
    return names;
}

int RowNamed(const CXListCtrl& list, const QString& name)
{
    for (int row = 0; row < list.RowCount(); ++row)
        if (list.CellText(row, kNameColumn) == name)
            return row;
    return -1;
}

std::vector<std::u16string> DeviceNames(const emulator::DeviceImage& image)
{
    std::vector<std::u16string> names;
    for (const auto& profile : image.profiles)
        names.push_back(profile.name);
    return names;
}

const emulator::ProfileImage* DeviceProfileNamed(const emulator::DeviceImage& image, std::u16string_view name)
{
    for (const auto& profile : image.profiles)
        if (profile.name == name)
            return &profile;
    return nullptr;
}

bool SameButtons(const emulator::ProfileImage& a, const emulator::ProfileImage& b)
{
    if (a.buttons.size() != b.buttons.size())
        return false;
    for (const auto& [bit, record] : a.buttons) {
        auto other = b.buttons.find(bit);
        if (other == b.buttons.end() || std::memcmp(record.bytes, other->second.bytes, sizeof record.bytes) != 0)
            return false;
    }
    return true;
}

bool SameSettings(const emulator::ProfileImage& a, const emulator::ProfileImage& b)
{
    auto sameStages = a.stages.size() == b.stages.size();
    for (size_t i = 0; sameStages && i < a.stages.size(); ++i)
        sameStages = a.stages[i].x == b.stages[i].x && a.stages[i].y == b.stages[i].y;
    auto sameLights = a.lights.size() == b.lights.size();
    for (size_t i = 0; sameLights && i < a.lights.size(); ++i)
        sameLights = a.lights[i].on == b.lights[i].on && a.lights[i].colour == b.lights[i].colour &&
                     a.lights[i].brightness == b.lights[i].brightness && a.lights[i].effect == b.lights[i].effect;
    return sameStages && sameLights && SameButtons(a, b) && a.currentStage == b.currentStage;
}

class ProfilesPageTest : public AppTest {
protected:
    // Opens the program on a current-generation mouse and shows the profiles page.
    void RunOnProfilesPage(const std::function<void(CTovikEliteAppDlg&, CXListCtrl&)>& script)
    {
        RunApp([&](CTovikEliteAppDlg& window) {
            ASSERT_TRUE(WaitUntilIdle(window));
            ClickMain(window, ItemId::BUTTON_MANAGEPROFILES);
            ASSERT_EQ(window.CurrentPage(), window.Page(PageBit::Profiles));
            CXListCtrl* list = PageOf(window).List();
            ASSERT_NE(list, nullptr);
            script(window, *list);
        });
    }
    std::string FilePath(const char* name) const { return (temp_ / name).string(); }
};

TEST_F(ProfilesPageTest, ManagedProfilesReachTheMouseAndASecondWindowShowsThem)
{
    Plug(0x0031);
    const emulator::ProfileImage factory = emulator::FactoryProfile(*emulator::FindProduct(0x0031), u"x");
    RunOnProfilesPage([&](CTovikEliteAppDlg& window, CXListCtrl& list) {
        IMouseConfig& config = *window.Config();
        ASSERT_EQ(Names(list), std::vector<std::u16string>{u"PROFILE01"});
        EXPECT_TRUE(list.IsCellChecked(0, kCheckColumn));

        // The preview shows the row's profile for the mouse in use, and changes nothing.
        ModalScript::EndNextRun("PreviewPopup.xml", IDOK, [](CSkinWindow& popup) {
            auto& preview = dynamic_cast<CTovikElitePreviewPopup&>(popup);
            EXPECT_EQ(preview.DeviceCode(), DeviceCode::EliteMouse);
            EXPECT_FALSE(preview.ButtonTexts()[0].empty());
        });
        ChooseFromMenu(list, 0, u"$Preview");
        EXPECT_TRUE(WasRun("PreviewPopup.xml"));
        EXPECT_FALSE(window.ApplyButton()->isEnabled());

        AnswerName("ProfileNamePopup.xml", QStringLiteral("Game"));
        ClickPage(window, ItemId::BUTTON_NEWPROFILE);
        ASSERT_EQ(Names(list), (std::vector<std::u16string>{u"PROFILE01", u"Game"}));
        EXPECT_EQ(list.SelectedRow(), 1) << "the new profile is the current one";
        EXPECT_TRUE(list.IsCellChecked(1, kCheckColumn));
        EXPECT_EQ(list.CellText(1, 1), QStringLiteral("02"));
        EXPECT_TRUE(window.ApplyButton()->isEnabled());

        // A change of letter case alone is a duplicate.
        AnswerName("ProfileRenamePopup.xml", QStringLiteral("GAME"));
        ModalScript::EndNextRun("DuplicateProfileWarningPopup.xml", IDOK);
        ChooseFromMenu(list, 1, u"$Rename");
        EXPECT_TRUE(WasRun("DuplicateProfileWarningPopup.xml"));
        AnswerName("ProfileRenamePopup.xml", QStringLiteral("Arena"));
        ChooseFromMenu(list, 1, u"$Rename");
        ASSERT_EQ(list.CellText(1, kNameColumn), QStringLiteral("Arena"));

        ClickPage(window, ItemId::BUTTON_SAVEPROFILE);
        ClickPage(window, ItemId::BUTTON_SAVEPROFILE); // copies the copy, now current
        ASSERT_EQ(Names(list), (std::vector<std::u16string>{u"PROFILE01", u"Arena", u"Arena(2)", u"Arena(2)(2)"}));
        // Copying Arena itself again gives the next free number.
        ChooseFromMenu(list, 1, u"$Copy");
        EXPECT_EQ(list.CellText(4, kNameColumn), QStringLiteral("Arena(3)"));
        EXPECT_EQ(config.GetProfileCount(), 5u);
        ModalScript::EndNextRun("ProfileLimitReachedPopup.xml", IDOK);
        ClickPage(window, ItemId::BUTTON_SAVEPROFILE);
        EXPECT_EQ(config.GetProfileCount(), 5u);
        ModalScript::EndNextRun("DisallowDeletePopup.xml", IDOK);
        ChooseFromMenu(list, 0, u"$Delete");
        EXPECT_EQ(config.GetProfileCount(), 5u) << "the first profile stays";

        // Linking a program through the file cell; automatic switching needs one.
        const int arena = RowNamed(list, QStringLiteral("Arena"));
        // A path longer than the mouse can keep is refused: it would fail every write.
        ModalScript::AnswerNextOpenFile(u"/opt/" + std::u16string(140, u'd') + u"/arena");
        ModalScript::EndNextRun("ProgramPathWarningPopup.xml", IDOK);
        QTest::mouseClick(&list, Qt::LeftButton, {}, list.BrowseBoxRect(arena, kProgramColumn).center());
        ASSERT_TRUE(WaitUntil([&] { return ModalScript::PendingAnswers() == 0; }));
        EXPECT_TRUE(list.CellText(arena, kProgramColumn).isEmpty());
        EXPECT_TRUE(config.GetLinkedProgramPath(config.GetProfile(1)).empty());
        ModalScript::AnswerNextOpenFile(u"/usr/games/arena-client");
        QTest::mouseClick(&list, Qt::LeftButton, {}, list.BrowseBoxRect(arena, kProgramColumn).center());
        ASSERT_TRUE(WaitUntil([&] { return ModalScript::PendingAnswers() == 0; }));
        ASSERT_TRUE(WaitUntil([&] { return list.CellText(arena, kProgramColumn) == QStringLiteral("arena-client"); }));
        EXPECT_EQ(config.GetLinkedProgramPath(config.GetProfile(1)), u"/usr/games/arena-client");
        const int copy = RowNamed(list, QStringLiteral("Arena(2)"));
        ModalScript::EndNextRun("SelectApplicationWarningPopup.xml", IDOK);
        QTest::mouseClick(&list, Qt::LeftButton, {}, list.CellRect(copy, kAutoColumn).center());
        EXPECT_TRUE(WasRun("SelectApplicationWarningPopup.xml"));
        EXPECT_FALSE(list.IsCellChecked(copy, kAutoColumn));
        EXPECT_FALSE(config.GetAutoSwitch(config.GetProfile(2)));
        QTest::mouseClick(&list, Qt::LeftButton, {}, list.CellRect(arena, kAutoColumn).center());
        EXPECT_TRUE(config.GetAutoSwitch(config.GetProfile(1)));

        // Everything so far reaches the mouse; every profile now has its identity.
        IMouseProfile* restored = config.GetProfile(3);
        config.SetStageDpi(1, 3200, restored);
        Apply(window);

        // The first profile's fourth button switches to Arena(3); deleting Arena(3)
        // gives that button its default back.
        IMouseProfile* first = config.GetProfile(0);
        IMouseProfile* doomed = config.GetProfile(4);
        ASSERT_FALSE(doomed->GetGuid().IsNull());
        ASSERT_TRUE(config.SetButtonAssignment(MOUSE_BUTTON_4,
                                               MakeProfileAssignment(doomed->GetName(), doomed->GetGuid()), first));
        window.SetSettingsChanged();
        Apply(window);
        ASSERT_FALSE(SameButtons(Image(0x0031).profiles[0], factory)) << "the switch is on the mouse";

        ChooseFromMenu(list, RowNamed(list, QStringLiteral("Arena(3)")), u"$SetActive");
        ASSERT_EQ(config.GetCurrentProfile(), doomed);
        ModalScript::EndNextRun("ConfirmDeletePopup.xml", IDOK);
        ChooseFromMenu(list, RowNamed(list, QStringLiteral("Arena(3)")), u"$Delete");
        EXPECT_EQ(config.GetProfileCount(), 4u);
        EXPECT_EQ(config.GetButtonAssignment(MOUSE_BUTTON_4, first), config.GetDefaultButtonAssignment(MOUSE_BUTTON_4));
        EXPECT_EQ(config.GetCurrentProfile(), first) << "with the current profile gone the first one is current";
        EXPECT_EQ(list.SelectedRow(), 0);
        EXPECT_TRUE(list.IsCellChecked(0, kCheckColumn));

        // Restoring a profile's defaults undoes its changes.
        ModalScript::EndNextRun("RestorePopup.xml", IDOK);
        ChooseFromMenu(list, 3, u"$RestoreDefault");
        EXPECT_EQ(config.GetStageDpi(1, restored), 800u);
        EXPECT_TRUE(window.IsReenumerationGuardSet());

        // Set active through the check column.
        QTest::mouseClick(&list, Qt::LeftButton, {}, list.CellRect(arena, kCheckColumn).center());
        EXPECT_EQ(config.GetCurrentProfile(), config.GetProfile(1));
        EXPECT_TRUE(list.IsCellChecked(arena, kCheckColumn));
        EXPECT_FALSE(list.IsCellChecked(0, kCheckColumn));
        Apply(window);
        SavePicture(window, QStringLiteral("profiles_page"));
    });

    const emulator::DeviceImage image = Image(0x0031);
    EXPECT_EQ(DeviceNames(image), (std::vector<std::u16string>{u"PROFILE01", u"Arena", u"Arena(2)", u"Arena(2)(2)"}));
    const auto* first = DeviceProfileNamed(image, u"PROFILE01");
    const auto* arena = DeviceProfileNamed(image, u"Arena");
    const auto* copy = DeviceProfileNamed(image, u"Arena(2)");
    const auto* restored = DeviceProfileNamed(image, u"Arena(2)(2)");
    ASSERT_TRUE(first && arena && copy && restored);
    EXPECT_EQ(image.activeProfile, arena->id);
    EXPECT_EQ(arena->programPath, u"/usr/games/arena-client");
    EXPECT_TRUE(arena->options & kOptionAutoSwitch);
    EXPECT_FALSE(copy->options & kOptionAutoSwitch);
    EXPECT_TRUE(SameButtons(*first, factory)) << "the first profile's fourth button is back to default";
    ASSERT_FALSE(restored->stages.empty());
    EXPECT_EQ(restored->stages[0].x, 800u) << "restored defaults";

    RunOnProfilesPage([&](CTovikEliteAppDlg&, CXListCtrl& list) {
        EXPECT_EQ(Names(list), (std::vector<std::u16string>{u"PROFILE01", u"Arena", u"Arena(2)", u"Arena(2)(2)"}));
        EXPECT_EQ(list.SelectedRow(), 1);
        EXPECT_TRUE(list.IsCellChecked(1, kCheckColumn));
        EXPECT_EQ(list.CellText(1, kProgramColumn), QStringLiteral("arena-client"));
        EXPECT_TRUE(list.IsCellChecked(1, kAutoColumn));
    });
}

TEST_F(ProfilesPageTest, AnExportedProfileComesBackWithTheSameSettings)
{
    Plug(0x0031);
    const std::string file = FilePath("sniper.zmp");
    emulator::ProfileImage exported;
    RunOnProfilesPage([&](CTovikEliteAppDlg& window, CXListCtrl& list) {
        IMouseConfig& config = *window.Config();
        AnswerName("ProfileNamePopup.xml", QStringLiteral("Sniper"));
        ClickPage(window, ItemId::BUTTON_NEWPROFILE);
        IMouseProfile* sniper = config.GetProfile(1);
        config.SetStageDpi(2, 1200, sniper);
        config.SetLedColour(LED_SCROLL_WHEEL, 0x00FF00, sniper);
        config.SetLedBrightness(LED_SCROLL_WHEEL, 50, sniper);

        // Not on the device before Apply: nothing to export.
        ModalScript::EndNextRun("ExportProfileWarningPopup.xml", IDOK);
        ClickPage(window, ItemId::BUTTON_EXPORTPROFILE);
        EXPECT_TRUE(WasRun("ExportProfileWarningPopup.xml"));
        Apply(window);
        const emulator::DeviceImage afterApply = Image(0x0031);
        const emulator::ProfileImage* written = DeviceProfileNamed(afterApply, u"Sniper");
        ASSERT_NE(written, nullptr);
        exported = *written;

        ModalScript::AnswerNextSaveFile(QString::fromStdString(file).toStdU16String());
        ClickPage(window, ItemId::BUTTON_EXPORTPROFILE);
        ASSERT_TRUE(QFile::exists(QString::fromStdString(file)));
        const ModalRecord& dialog = ModalScript::Records().back();
        EXPECT_EQ(dialog.kind, ModalRecord::Kind::SaveFile);
        EXPECT_EQ(dialog.fileRequest.filter, u"zmp Profile Files (*.zmp)|*.zmp||");
        EXPECT_EQ(dialog.fileRequest.defaultExtension, u"zmp");
        EXPECT_FALSE(dialog.fileRequest.initialDirectory.starts_with(TestAppDirectory()))
            << "never the program's own folder, read-only when installed";
        EXPECT_FALSE(sniper->HasStoredFile()) << "an exported file is the user's, not the program's";

        ModalScript::EndNextRun("ConfirmDeletePopup.xml", IDOK);
        ChooseFromMenu(list, 1, u"$Delete");
        Apply(window);
        EXPECT_TRUE(QFile::exists(QString::fromStdString(file))) << "deleting never removes the user's file";

        ModalScript::AnswerNextOpenFile(QString::fromStdString(file).toStdU16String());
        ClickPage(window, ItemId::BUTTON_IMPORTPROFILE);
        EXPECT_EQ(ModalScript::Records().back().fileRequest.initialDirectory,
                  QFileInfo(QString::fromStdString(file)).absolutePath().toStdU16String() + u"/")
            << "the import starts where the export went";
        ASSERT_EQ(Names(list), (std::vector<std::u16string>{u"PROFILE01", u"Sniper"}));
        Apply(window);
    });
    const emulator::DeviceImage image = Image(0x0031);
    ASSERT_EQ(DeviceNames(image), (std::vector<std::u16string>{u"PROFILE01", u"Sniper"}));
    const emulator::ProfileImage* sniper = DeviceProfileNamed(image, u"Sniper");
    ASSERT_NE(sniper, nullptr);
    ASSERT_GE(sniper->stages.size(), 2u);
    EXPECT_EQ(sniper->stages[1].x, 1200u);
    ASSERT_FALSE(sniper->lights.empty());
    EXPECT_EQ(sniper->lights[0].colour, 0x00FF00u);
    EXPECT_TRUE(SameSettings(*sniper, exported));
}

TEST_F(ProfilesPageTest, ImportIsRefusedWhileTheMouseHoldsOtherProfilesAndTheWindowKeepsRunning)
{
    Plug(0x0031);
    DeviceTiming timing = GetDeviceTiming();
    timing.importRetry = std::chrono::milliseconds(300);
    SetDeviceTiming(timing);
    RunOnProfilesPage([&](CTovikEliteAppDlg& window, CXListCtrl&) {
        // Another program put a profile on the mouse after the read.
        ChangeImage(0x0031, [](emulator::DeviceImage& image) {
            image.profiles.push_back(emulator::FactoryProfile(*emulator::FindProduct(0x0031), u"Elsewhere"));
        });
        // A timer that fires while the window is disabled for the wait, before
        // the warning: the window keeps handling events while it waits. A single
        // shot at a fixed moment could fall before the wait on a busy machine.
        bool ranWhileDisabled = false;
        QTimer probe;
        probe.setInterval(5);
        QObject::connect(&probe, &QTimer::timeout, [&] {
            if (!window.isEnabled() && !WasRun("ImporttProfileWarningPopup.xml"))
                ranWhileDisabled = true;
        });
        probe.start();
        ModalScript::EndNextRun("ImporttProfileWarningPopup.xml", IDOK);
        ClickPage(window, ItemId::BUTTON_IMPORTPROFILE);
        probe.stop();
        EXPECT_TRUE(ranWhileDisabled) << "the window must keep handling events, disabled, while it waits";
        EXPECT_TRUE(window.isEnabled());
        EXPECT_TRUE(WasRun("ImporttProfileWarningPopup.xml"));
        for (const ModalRecord& record : ModalScript::Records())
            EXPECT_NE(record.kind, ModalRecord::Kind::OpenFile) << "no file is asked for";
        EXPECT_EQ(window.Config()->GetProfileCount(), 1u);
        EXPECT_FALSE(window.ApplyButton()->isEnabled());
    });
}

TEST_F(ProfilesPageTest, FilesThatAreNoProfilesAreRefusedAndChangeNothing)
{
    Plug(0x0031);
    std::filesystem::create_directories(temp_ / "folder.zmp");
    std::ofstream(FilePath("garbage.zmp")) << "not a profile at all";
    std::ofstream(FilePath("locked.zmp")) << "{}";
    std::filesystem::permissions(temp_ / "locked.zmp", std::filesystem::perms::none);
    RunOnProfilesPage([&](CTovikEliteAppDlg& window, CXListCtrl& list) {
        IMouseConfig& config = *window.Config();
        for (const char* name : {"folder.zmp", "garbage.zmp", "locked.zmp", "missing.zmp"}) {
            SCOPED_TRACE(name);
            ModalScript::AnswerNextOpenFile(QString::fromStdString(FilePath(name)).toStdU16String());
            ModalScript::EndNextRun("ProfileFileWarningPopup.xml", IDOK);
            ClickPage(window, ItemId::BUTTON_IMPORTPROFILE);
            EXPECT_EQ(ModalScript::PendingAnswers(), 0u) << "the refusal is shown";
            EXPECT_EQ(config.GetProfileCount(), 1u);
            EXPECT_EQ(list.RowCount(), 1);
            EXPECT_FALSE(window.ApplyButton()->isEnabled());
        }
        for (const char* name : {"folder.zmp", "no-such-folder/out.zmp"}) {
            SCOPED_TRACE(name);
            ModalScript::AnswerNextSaveFile(QString::fromStdString(FilePath(name)).toStdU16String());
            ModalScript::EndNextRun("ProfileFileWarningPopup.xml", IDOK);
            ClickPage(window, ItemId::BUTTON_EXPORTPROFILE);
            EXPECT_EQ(ModalScript::PendingAnswers(), 0u) << "the refusal is shown";
        }
        EXPECT_TRUE(std::filesystem::is_directory(temp_ / "folder.zmp"));

        // A good file still goes in after all that.
        ModalScript::AnswerNextSaveFile(QString::fromStdString(FilePath("good.zmp")).toStdU16String());
        ClickPage(window, ItemId::BUTTON_EXPORTPROFILE);
        ModalScript::AnswerNextOpenFile(QString::fromStdString(FilePath("good.zmp")).toStdU16String());
        ClickPage(window, ItemId::BUTTON_IMPORTPROFILE);
        EXPECT_EQ(config.GetProfileCount(), 2u);
        EXPECT_EQ(Names(list), (std::vector<std::u16string>{u"PROFILE01", u"PROFILE01"}));
        EXPECT_TRUE(window.ApplyButton()->isEnabled());
    });
    const emulator::DeviceImage image = Image(0x0031);
    ASSERT_EQ(image.profiles.size(), 2u) << "the device holds the imported profile at once";
    EXPECT_TRUE(SameSettings(image.profiles[0], image.profiles[1]));
    std::filesystem::permissions(temp_ / "locked.zmp", std::filesystem::perms::owner_all);
}

} // namespace
