// SPDX-License-Identifier: GPL-3.0-or-later
// The macros page in the real main window against the emulator: recording from
// raw input, editing, the device after Apply, rename and delete across profiles,
// and macro files.
#include "AppTestSupport.h"

#include "app/MacrosPage.h"
#include "controls/BitmapBtn.h"
#include "controls/DropdownListItem.h"
#include "controls/EditItem.h"
#include "controls/ListPanelPopup.h"
#include "controls/MacroDisplayItem.h"
#include "device/server/IDeviceMacros.h"
#include "platform/NativeKeyEvent.h"
#include "platform/core/RawInput.h"
#include "popups/TovikEliteNameEntryPopup.h"
#include "popups/TovikElitePopupBoxSingleKeyEntry.h"
#include "settings/IMouseConfig.h"
#include "settings/IMouseProfile.h"
#include "settings/Macro.h"
#include "skin/ItemIds.h"

#include <QApplication>
#include <QDir>

namespace {

constexpr Set1ScanCode kA{0x1E};
constexpr Set1ScanCode kB{0x30};

CMacrosPage& MacrosPage(CTovikEliteAppDlg& window)
{
    return *dynamic_cast<CMacrosPage*>(window.EnsurePage(PageBit::Macros));
}

template <class T>
T* Item(CTovikEliteAppDlg& window, int id)
{
    return MacrosPage(window).Items().FindAs<T>(id);
}

void ClickWidget(QWidget* widget, Qt::MouseButton button = Qt::LeftButton, QPoint at = {})
{
    ASSERT_NE(widget, nullptr);
    QTest::mouseClick(widget, button, {}, at.isNull() ? widget->rect().center() : at);
}

void ClickItem(CTovikEliteAppDlg& window, int id)
{
    CGUIItem* item = window.Items().FindById(id);
    if (!item)
        item = MacrosPage(window).Items().FindById(id);
    ASSERT_NE(item, nullptr) << "no item " << id;
    ClickWidget(item->window);
}

bool WaitUntilIdle(CTovikEliteAppDlg& window)
{
    return WaitUntil([&] {
        return window.IsFirstReadDone() && !window.HasTimer(MainTimer::StartWrite) &&
               !window.HasTimer(MainTimer::EndOfTransfer) && !window.Device()->IsBusy() && window.isEnabled();
    });
}

// A key as the keyboard delivers it to the window in front.
void TypeKey(CTovikEliteAppDlg& window, Set1ScanCode key, int qtKey, QEvent::Type type)
{
    auto event = MakeNativeKeyEvent(type, key, qtKey);
    QApplication::sendEvent(window.windowHandle(), event.get());
}

// A click as the pointer makes it: moved onto the widget, pressed and released,
// all arriving at the window in front.
void ClickAsUser(CTovikEliteAppDlg& window, QWidget* widget)
{
    ASSERT_NE(widget, nullptr);
    const QPoint at = widget->mapTo(&window, widget->rect().center());
    QTest::mouseMove(window.windowHandle(), at);
    QTest::mouseClick(window.windowHandle(), Qt::LeftButton, {}, at);
}

// The next popup of `skin` is answered with OK after `action`.
void AnswerNameWithOk(const char* skin, QString name)
{
    ModalScript::EndNextRun(skin, IDCANCEL, [name](CSkinWindow& popup) {
        auto& entry = dynamic_cast<CTovikEliteNameEntryPopup&>(popup);
        QTest::keyClicks(entry.NameField()->Edit(), name);
        ClickWidget(entry.Items().FindById(ItemId::BUTTON_POPUP_OK, ItemKind::BUTTON)->window);
    });
}

void AnswerOk(const char* skin)
{
    ModalScript::EndNextRun(skin, IDCANCEL, [](CSkinWindow& popup) {
        ClickWidget(
            dynamic_cast<CPopupBox&>(popup).Items().FindById(ItemId::BUTTON_POPUP_OK, ItemKind::BUTTON)->window);
    });
}

CMacro* CreateMacroThroughThePage(CTovikEliteAppDlg& window, const char* name)
{
    AnswerNameWithOk("MacroNamePopup.xml", QString::fromLatin1(name));
    ClickItem(window, ItemId::BUTTON_MACRO_CREATE);
    return window.Config()->FindMacroByName(QString::fromLatin1(name).toStdU16String());
}

std::string Describe(const std::vector<MacroEvent>& events)
{
    std::string text;
    for (const MacroEvent& event : events) {
        if (event.kind == MacroEventKind::Keystroke)
            text += "key" + std::to_string(event.ScanCode()) + (event.IsPress() ? "v " : "^ ");
        else if (event.kind == MacroEventKind::MouseButton)
            text += "btn" + std::to_string(event.data1) + (event.IsPress() ? "v " : "^ ");
        else
            text += std::to_string(event.data1) + "ms ";
    }
    return text;
}

// The same, for the events the emulated device holds.
std::string Describe(const std::vector<emulator::MacroEvent>& events)
{
    std::string text;
    for (const auto& event : events) {
        if (event.type == kMacroEventKeystroke)
            text += "key" + std::to_string(event.code) + ((event.flags & kMacroKeyRelease) ? "^ " : "v ");
        else if (event.type == kMacroEventMouseButton)
            text += "btn" + std::to_string(event.code & 0x7F) + ((event.code & 0x80) ? "^ " : "v ");
        else
            text += std::to_string(event.milliseconds) + "ms ";
    }
    return text;
}

const emulator::MacroImage* FindMacro(const emulator::DeviceImage& image, std::u16string_view name)
{
    for (const auto& macro : image.macros)
        if (macro.name == name)
            return &macro;
    return nullptr;
}

void SavePicture(QWidget& window, const char* name)
{
    const QString folder = QStringLiteral(ZT_TEST_SCREENSHOT_DIR);
    QDir().mkpath(folder);
    EXPECT_TRUE(window.grab().toImage().save(folder + QStringLiteral("/%1.png").arg(QLatin1String(name))));
}

class MacrosPageTest : public AppTest {
protected:
    void SetUp() override
    {
        AppTest::SetUp();
        Plug(0x0031);
    }
};

} // namespace

TEST_F(MacrosPageTest, ARecordedAndEditedMacroReachesTheMouseOnApply)
{
    std::string recorded, edited, stored;
    RunApp([&](CTovikEliteAppDlg& window) {
        ASSERT_TRUE(WaitUntilIdle(window));
        ClickItem(window, ItemId::BUTTON_MANAGEMACROS);
        CMacrosPage& page = MacrosPage(window);
        CMacro* macro = CreateMacroThroughThePage(window, "Combo");
        ASSERT_NE(macro, nullptr);
        EXPECT_EQ(page.SelectedMacro(), macro);
        EXPECT_TRUE(window.ApplyButton()->isEnabled());

        // Every gap is the default delay, so the recording is the same on any machine.
        ClickItem(window, ItemId::BUTTON_INSERTDEFAULT_DELAY);
        Item<CEditItem>(window, ItemId::EDITCTRL_DEFAULT_DELAY)->SetText(QStringLiteral("40"));
        ClickItem(window, ItemId::BUTTON_MACRO_RECORD);
        ASSERT_EQ(page.State(), MacroPageState::Recording);
        ASSERT_TRUE(window.IsRecording());
        EXPECT_TRUE(Item<CBitmapBtn>(window, ItemId::BUTTON_MACRO_RECORD)->IsBlinking());

        // A held key repeats; a click in the display; Enter and Escape are keys to record.
        TypeKey(window, kA, Qt::Key_A, QEvent::KeyPress);
        for (int i = 0; i < 3; ++i) {
            auto repeat = MakeNativeKeyEvent(QEvent::KeyPress, kA, Qt::Key_A, Qt::NoModifier, true);
            QApplication::sendEvent(window.windowHandle(), repeat.get());
        }
        TypeKey(window, kA, Qt::Key_A, QEvent::KeyRelease);
        ClickAsUser(window, page.Display());
        TypeKey(window, Set1ScanCode{0x01}, Qt::Key_Escape, QEvent::KeyPress);
        TypeKey(window, Set1ScanCode{0x01}, Qt::Key_Escape, QEvent::KeyRelease);
        EXPECT_FALSE(window.IsEnded()) << "Escape closed the window while recording";
        // Other commands are ignored while recording.
        ClickItem(window, ItemId::BUTTON_MACRO_DELETE);
        SavePicture(window, "macros-recording");
        ClickAsUser(window, Item<CBitmapBtn>(window, ItemId::BUTTON_MACRO_RECORD_STOP));
        EXPECT_EQ(page.State(), MacroPageState::Idle);
        EXPECT_FALSE(Item<CBitmapBtn>(window, ItemId::BUTTON_MACRO_RECORD)->IsBlinking());
        EXPECT_EQ(GetRawInputRegistration(HID_USAGE_GENERIC_KEYBOARD), std::nullopt);
        EXPECT_EQ(GetRawInputRegistration(HID_USAGE_GENERIC_MOUSE), std::nullopt);
        recorded = Describe(macro->GetEvents());

        // A delay of 250 ms after the first event.
        page.Display()->Select(0);
        Item<CEditItem>(window, ItemId::EDITCTRL_INSERT_DELAY)->SetText(QStringLiteral("250"));
        ClickItem(window, ItemId::BUTTON_INSERT_DELAY);
        EXPECT_EQ(page.Display()->Selected(), 1);
        // "Copy" (the first basic command) at the end.
        ClickItem(window, ItemId::BUTTON_MACRO_RECORD_FORWARD);
        ClickItem(window, ItemId::BUTTON_ADD_BASIC_MACRO_CMDS);
        // The first event's key becomes B through the event's options.
        ModalScript::EndNextRun(kListPanelRunName, IDCANCEL, [](CSkinWindow& popup) {
            auto& panel = dynamic_cast<CListPanel&>(popup);
            QTest::mouseClick(panel.List(), Qt::LeftButton, {}, panel.List()->RowRect(0).center());
            WaitUntil([&] { return panel.ChosenRow() == 0; }, 2000);
        });
        ModalScript::EndNextRun("EditSingleKeyPopup.xml", IDCANCEL, [](CSkinWindow& popup) {
            auto& entry = dynamic_cast<CPopupBox&>(popup);
            auto down = MakeNativeKeyEvent(QEvent::KeyPress, kB, Qt::Key_B);
            QApplication::sendEvent(entry.windowHandle(), down.get());
            auto up = MakeNativeKeyEvent(QEvent::KeyRelease, kB, Qt::Key_B);
            QApplication::sendEvent(entry.windowHandle(), up.get());
            ClickWidget(entry.Items().FindById(ItemId::BUTTON_POPUP_OK, ItemKind::BUTTON)->window);
        });
        const QPoint firstRow(page.Display()->width() / 2, page.Display()->RowHeight() / 2 + 2);
        ClickWidget(page.Display(), Qt::RightButton, firstRow);
        EXPECT_TRUE(WaitUntil([] { return ModalScript::PendingAnswers() == 0; }));
        edited = Describe(macro->GetEvents());
        SavePicture(window, "macros-edited");

        ClickItem(window, ItemId::BUTTON_APPLY);
        ASSERT_TRUE(WaitUntil([&] { return window.WritesStarted() > 0; }));
        ASSERT_TRUE(WaitUntilIdle(window));
        // Button 4 of the profile in use plays the macro the mouse now holds.
        ASSERT_TRUE(window.Config()->SetButtonAssignment(MOUSE_BUTTON_4, MakeMacroAssignment(*macro)));
        window.SetSettingsChanged();
        ClickItem(window, ItemId::BUTTON_APPLY);
        ASSERT_TRUE(WaitUntil([&] { return window.WritesStarted() > 1; }));
        ASSERT_TRUE(WaitUntilIdle(window));
    });
    // Key A, 40 ms, A released, 40 ms, the click, Escape pressed and released; the
    // stop click is not part of it.
    EXPECT_EQ(recorded, "key30v 40ms key30^ 40ms btn1v 40ms btn1^ 40ms key1v 40ms key1^ ");
    EXPECT_EQ(edited, "key48v 250ms 40ms key30^ 40ms btn1v 40ms btn1^ 40ms key1v 40ms key1^ "
                      "key29v key46v key46^ key29^ ");
    const emulator::DeviceImage image = Image(0x0031);
    const emulator::MacroImage* onDevice = FindMacro(image, u"Combo");
    ASSERT_NE(onDevice, nullptr);
    EXPECT_EQ(Describe(onDevice->events), edited);

    // A second window on the same mouse finds the macro and the button playing it.
    RunApp([&](CTovikEliteAppDlg& window) {
        ASSERT_TRUE(WaitUntilIdle(window));
        CMacro* macro = window.Config()->FindMacroByName(u"Combo");
        ASSERT_NE(macro, nullptr);
        stored = Describe(macro->GetEvents());
        const AssignmentRecord button = window.Config()->GetButtonAssignment(MOUSE_BUTTON_4);
        EXPECT_EQ(button.kind, AssignmentKind::MacroById);
        EXPECT_EQ(button.ReadGuid(), macro->GetGuid());
        ClickItem(window, ItemId::BUTTON_MANAGEMACROS);
        EXPECT_EQ(MacrosPage(window).SelectedMacro(), window.Config()->GetMacro(0));
    });
    EXPECT_EQ(stored, edited);
}

TEST_F(MacrosPageTest, RenameKeepsAndDeleteResetsTheButtonsOfEveryProfile)
{
    RunApp([&](CTovikEliteAppDlg& window) {
        ASSERT_TRUE(WaitUntilIdle(window));
        IMouseConfig& config = *window.Config();
        while (config.GetProfileCount() < 2)
            ASSERT_NE(config.CreateProfile(u"Second"), nullptr);
        IMouseProfile* first = config.GetProfile(0);
        IMouseProfile* second = config.GetProfile(1);
        config.SetCurrentProfile(first);
        ClickItem(window, ItemId::BUTTON_MANAGEMACROS);
        CMacro* other = CreateMacroThroughThePage(window, "Other");
        CMacro* macro = CreateMacroThroughThePage(window, "Alpha");
        ASSERT_TRUE(other && macro);
        const GUID id = MakeGuid(0x11, 0x22, 0x33, {1, 2, 3, 4, 5, 6, 7, 8});
        macro->SetGuid(id);

        AssignmentRecord byId = AssignmentRecord::OfKind(AssignmentKind::MacroById);
        byId.WriteGuid(id);
        byId.WritePlayMode(MacroPlayMode::Multiple);
        byId.WriteRepeatCount(3);
        // Played by name in the profile that is not in use.
        AssignmentRecord byName = AssignmentRecord::OfKind(AssignmentKind::MacroByName);
        byName.WriteName(u"ALPHA");
        byName.WritePlayMode(MacroPlayMode::WhilePressed);
        byName.WriteRepeatCount(2);
        AssignmentRecord otherByName = MakeMacroAssignment(*other, MacroPlayMode::Multiple, 5);
        ASSERT_TRUE(config.SetButtonAssignment(MOUSE_BUTTON_4, byId, first));
        ASSERT_TRUE(config.SetButtonAssignment(MOUSE_BUTTON_5, byName, second));
        ASSERT_TRUE(config.SetButtonAssignment(MOUSE_BUTTON_10, otherByName, second));

        // A name in use (any case) is refused and changes nothing.
        AnswerNameWithOk("MacroRenamePopup.xml", QStringLiteral("OTHER"));
        AnswerOk("DuplicateMacroWarningPopup.xml");
        ClickItem(window, ItemId::BUTTON_MACRO_RENAME);
        EXPECT_EQ(macro->GetName(), u"Alpha");
        EXPECT_EQ(config.GetButtonAssignment(MOUSE_BUTTON_5, second), byName);

        AnswerNameWithOk("MacroRenamePopup.xml", QStringLiteral("Beta"));
        ClickItem(window, ItemId::BUTTON_MACRO_RENAME);
        EXPECT_EQ(macro->GetName(), u"Beta");
        struct Case {
            const char* name;
            tMouseButton button;
            IMouseProfile* profile;
            int32_t playMode;
        };
        for (const Case& c : {Case{"by identity", MOUSE_BUTTON_4, first, MacroPlayMode::Multiple},
                              Case{"by name, other profile", MOUSE_BUTTON_5, second, MacroPlayMode::WhilePressed}}) {
            SCOPED_TRACE(c.name);
            const AssignmentRecord record = config.GetButtonAssignment(c.button, c.profile);
            EXPECT_EQ(record.kind, AssignmentKind::MacroById);
            EXPECT_EQ(record.ReadGuid(), id);
            EXPECT_EQ(record.ReadPlayMode(), c.playMode);
            EXPECT_EQ(record.ReadRepeatCount(), 0);
        }
        EXPECT_EQ(config.GetButtonAssignment(MOUSE_BUTTON_10, second), otherByName);

        // Deleting: cancel keeps everything; OK gives the buttons their defaults back.
        ModalScript::EndNextRun("ConfirmDeleteMacroPopup.xml", IDCANCEL);
        ClickItem(window, ItemId::BUTTON_MACRO_DELETE);
        EXPECT_EQ(config.FindMacroByName(u"Beta"), macro);
        AnswerOk("ConfirmDeleteMacroPopup.xml");
        ClickItem(window, ItemId::BUTTON_MACRO_DELETE);
        EXPECT_EQ(config.FindMacroByName(u"Beta"), nullptr);
        EXPECT_EQ(config.GetButtonAssignment(MOUSE_BUTTON_4, first), config.GetDefaultButtonAssignment(MOUSE_BUTTON_4));
        EXPECT_EQ(config.GetButtonAssignment(MOUSE_BUTTON_5, second),
                  config.GetDefaultButtonAssignment(MOUSE_BUTTON_5));
        EXPECT_EQ(config.GetButtonAssignment(MOUSE_BUTTON_10, second), otherByName);
        EXPECT_EQ(MacrosPage(window).SelectedMacro(), other);
        EXPECT_EQ(ModalScript::PendingAnswers(), 0u);
    });
}

TEST_F(MacrosPageTest, AnExportedMacroImportsWithTheSameEvents)
{
    const std::string file = (temp_ / "saved.zmm").string();
    std::vector<MacroEvent> exported, imported;
    RunApp([&](CTovikEliteAppDlg& window) {
        ASSERT_TRUE(WaitUntilIdle(window));
        ClickItem(window, ItemId::BUTTON_MANAGEMACROS);
        CMacrosPage& page = MacrosPage(window);
        CMacro* macro = CreateMacroThroughThePage(window, "Saved");
        ASSERT_NE(macro, nullptr);
        ASSERT_TRUE(page.InsertCommand(window, u"$swapwindows"));
        Item<CEditItem>(window, ItemId::EDITCTRL_INSERT_DELAY)->SetText(QStringLiteral("75"));
        ClickItem(window, ItemId::BUTTON_INSERT_DELAY);
        exported = macro->GetEvents();

        // Not on the mouse yet: the warning, no file dialog.
        AnswerOk("ExportMacroWarningPopup.xml");
        ClickItem(window, ItemId::BUTTON_MACRO_EXPORT);
        ClickItem(window, ItemId::BUTTON_APPLY);
        ASSERT_TRUE(WaitUntil([&] { return window.WritesStarted() > 0; }));
        ASSERT_TRUE(WaitUntilIdle(window));

        ModalScript::AnswerNextSaveFile(QString::fromStdString(file).toStdU16String());
        ClickItem(window, ItemId::BUTTON_MACRO_EXPORT);
        ASSERT_TRUE(QFile::exists(QString::fromStdString(file)));
        const ModalRecord& dialog = ModalScript::Records().back();
        EXPECT_EQ(dialog.kind, ModalRecord::Kind::SaveFile);
        EXPECT_EQ(dialog.fileRequest.defaultExtension, u".zmm");

        AnswerOk("ConfirmDeleteMacroPopup.xml");
        ClickItem(window, ItemId::BUTTON_MACRO_DELETE);
        ASSERT_EQ(window.Config()->FindMacroByName(u"Saved"), nullptr);
        ASSERT_TRUE(window.ApplyButton()->isEnabled()) << "the deletion alone is a change to write";
        ClickItem(window, ItemId::BUTTON_APPLY);
        ASSERT_TRUE(WaitUntil([&] { return window.WritesStarted() > 1; }));
        ASSERT_TRUE(WaitUntilIdle(window));

        ModalScript::AnswerNextOpenFile(QString::fromStdString(file).toStdU16String());
        ClickItem(window, ItemId::BUTTON_MACRO_IMPORT);
        CMacro* back = window.Config()->FindMacroByName(u"Saved");
        ASSERT_NE(back, nullptr);
        EXPECT_EQ(page.SelectedMacro(), back);
        EXPECT_TRUE(window.ApplyButton()->isEnabled());
        imported = back->GetEvents();

        // A file that is not a macro changes nothing.
        const std::string junk = (temp_ / "junk.zmm").string();
        QFile out(QString::fromStdString(junk));
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write("not a macro");
        out.close();
        const size_t count = window.Config()->GetMacroCount();
        ModalScript::AnswerNextOpenFile(QString::fromStdString(junk).toStdU16String());
        ClickItem(window, ItemId::BUTTON_MACRO_IMPORT);
        EXPECT_EQ(window.Config()->GetMacroCount(), count);
    });
    ASSERT_EQ(exported.size(), 5u);
    EXPECT_EQ(Describe(imported), Describe(exported));
}

TEST_F(MacrosPageTest, RecordingNeedsAMacroAndAFixedDelayAndPreviewPlaysInTheReadOnlyDisplay)
{
    RunApp([&](CTovikEliteAppDlg& window) {
        ASSERT_TRUE(WaitUntilIdle(window));
        ClickItem(window, ItemId::BUTTON_MANAGEMACROS);
        CMacrosPage& page = MacrosPage(window);
        ASSERT_EQ(page.SelectedMacro(), nullptr);
        // Without a macro, record asks for a new one instead.
        AnswerNameWithOk("MacroNamePopup.xml", QStringLiteral("Quick"));
        ClickItem(window, ItemId::BUTTON_MACRO_RECORD);
        ASSERT_NE(page.SelectedMacro(), nullptr);
        EXPECT_EQ(page.State(), MacroPageState::Idle);

        // A fixed delay that is empty or 0 is refused before anything is recorded.
        ClickItem(window, ItemId::BUTTON_INSERTDEFAULT_DELAY);
        for (const char* text : {"", "0"}) {
            SCOPED_TRACE(text);
            Item<CEditItem>(window, ItemId::EDITCTRL_DEFAULT_DELAY)->SetText(QString::fromLatin1(text));
            AnswerOk("DefaultDelayWarningPopup.xml");
            ClickItem(window, ItemId::BUTTON_MACRO_RECORD);
            EXPECT_EQ(page.State(), MacroPageState::Idle);
            EXPECT_FALSE(GetRawInputRegistration(HID_USAGE_GENERIC_KEYBOARD));
        }
        EXPECT_EQ(ModalScript::PendingAnswers(), 0u);

        ASSERT_TRUE(page.InsertCommand(window, u"$undo"));
        ClickItem(window, ItemId::BUTTON_MACRO_RECORD_PLAY);
        EXPECT_EQ(page.State(), MacroPageState::Previewing);
        EXPECT_TRUE(page.PreviewDisplay()->isVisible());
        EXPECT_FALSE(page.Display()->isVisible());
        EXPECT_TRUE(WaitUntil([&] { return page.PreviewDisplay()->Count() == 4; }));
        ClickItem(window, ItemId::BUTTON_MACRO_RECORD_STOP);
        EXPECT_EQ(page.State(), MacroPageState::Idle);
        EXPECT_FALSE(page.PreviewDisplay()->IsPreviewing());
        EXPECT_FALSE(page.PreviewDisplay()->isVisible());
        EXPECT_TRUE(page.Display()->isVisible());
        EXPECT_EQ(page.Display()->Count(), 4);

        // Leaving the page while recording ends the recording and keeps what was taken.
        Item<CEditItem>(window, ItemId::EDITCTRL_DEFAULT_DELAY)->SetText(QStringLiteral("20"));
        ClickItem(window, ItemId::BUTTON_MACRO_RECORD);
        ASSERT_TRUE(window.IsRecording());
        TypeKey(window, kB, Qt::Key_B, QEvent::KeyPress);
        page.OnPageSwitched(window, false);
        EXPECT_FALSE(window.IsRecording());
        EXPECT_FALSE(GetRawInputRegistration(HID_USAGE_GENERIC_KEYBOARD));
        EXPECT_EQ(Describe(page.SelectedMacro()->GetEvents()), "key48v ");
    });
}

// Each command of the page that changes the configuration enables Apply by itself,
// and one that changes nothing (cancelled, or only reading) leaves it disabled.
// Every command starts in a fresh window on a mouse holding the macro "Alpha".
TEST_F(MacrosPageTest, EachCommandThatChangesAMacroEnablesApplyByItself)
{
    // "Saved" goes to the mouse and into a file, to be imported; the mouse then
    // calls it "Alpha".
    const std::string file = (temp_ / "saved.zmm").string();
    RunApp([&](CTovikEliteAppDlg& window) {
        ASSERT_TRUE(WaitUntilIdle(window));
        ClickItem(window, ItemId::BUTTON_MANAGEMACROS);
        ASSERT_NE(CreateMacroThroughThePage(window, "Saved"), nullptr);
        ASSERT_TRUE(MacrosPage(window).InsertCommand(window, u"$swapwindows"));
        ClickItem(window, ItemId::BUTTON_APPLY);
        ASSERT_TRUE(WaitUntil([&] { return window.WritesStarted() > 0; }));
        ASSERT_TRUE(WaitUntilIdle(window));
        ModalScript::AnswerNextSaveFile(QString::fromStdString(file).toStdU16String());
        ClickItem(window, ItemId::BUTTON_MACRO_EXPORT);
        ASSERT_TRUE(QFile::exists(QString::fromStdString(file)));
    });
    ChangeImage(0x0031, [](emulator::DeviceImage& image) {
        ASSERT_EQ(image.macros.size(), 1u);
        image.macros[0].name = u"Alpha";
    });

    const auto rightClickFirstEvent = [](CMacrosPage& page) {
        const QPoint firstRow(page.Display()->width() / 2, page.Display()->RowHeight() / 2 + 2);
        ClickWidget(page.Display(), Qt::RightButton, firstRow);
    };
    const auto chooseOption = [](int row) {
        ModalScript::EndNextRun(kListPanelRunName, IDCANCEL, [row](CSkinWindow& popup) {
            auto& panel = dynamic_cast<CListPanel&>(popup);
            QTest::mouseClick(panel.List(), Qt::LeftButton, {}, panel.List()->RowRect(row).center());
            WaitUntil([&] { return panel.ChosenRow() == row; }, 2000);
        });
    };
    struct Case {
        const char* what;
        std::function<void(CTovikEliteAppDlg&, CMacrosPage&)> act;
        // What the command did to the configuration (or left alone).
        std::function<void(IMouseConfig&, const std::string& eventsBefore)> check;
        bool changes;
    };
    const auto alphaEvents = [](IMouseConfig& config) {
        const CMacro* alpha = config.FindMacroByName(u"Alpha");
        return alpha ? Describe(alpha->GetEvents()) : std::string("<no Alpha>");
    };
    const Case cases[] = {
        {"create",
         [](CTovikEliteAppDlg& window, CMacrosPage&) {
             AnswerNameWithOk("MacroNamePopup.xml", QStringLiteral("Beta"));
             ClickItem(window, ItemId::BUTTON_MACRO_CREATE);
         },
         [](IMouseConfig& config, const std::string&) { EXPECT_NE(config.FindMacroByName(u"Beta"), nullptr); }, true},
        {"rename",
         [](CTovikEliteAppDlg& window, CMacrosPage&) {
             AnswerNameWithOk("MacroRenamePopup.xml", QStringLiteral("Gamma"));
             ClickItem(window, ItemId::BUTTON_MACRO_RENAME);
         },
         [](IMouseConfig& config, const std::string&) { EXPECT_NE(config.FindMacroByName(u"Gamma"), nullptr); }, true},
        {"delete",
         [](CTovikEliteAppDlg& window, CMacrosPage&) {
             AnswerOk("ConfirmDeleteMacroPopup.xml");
             ClickItem(window, ItemId::BUTTON_MACRO_DELETE);
         },
         [](IMouseConfig& config, const std::string&) { EXPECT_EQ(config.FindMacroByName(u"Alpha"), nullptr); }, true},
        {"record",
         [](CTovikEliteAppDlg& window, CMacrosPage& page) {
             ClickItem(window, ItemId::BUTTON_MACRO_RECORD);
             ASSERT_EQ(page.State(), MacroPageState::Recording);
             TypeKey(window, kB, Qt::Key_B, QEvent::KeyPress);
             TypeKey(window, kB, Qt::Key_B, QEvent::KeyRelease);
             ClickAsUser(window, Item<CBitmapBtn>(window, ItemId::BUTTON_MACRO_RECORD_STOP));
             EXPECT_EQ(page.State(), MacroPageState::Idle);
         },
         [&](IMouseConfig& config, const std::string& before) {
             EXPECT_NE(alphaEvents(config), before);
             EXPECT_NE(alphaEvents(config).find("key48v"), std::string::npos);
         },
         true},
        {"recording ended by leaving the page",
         [](CTovikEliteAppDlg& window, CMacrosPage& page) {
             ClickItem(window, ItemId::BUTTON_MACRO_RECORD);
             ASSERT_EQ(page.State(), MacroPageState::Recording);
             TypeKey(window, kB, Qt::Key_B, QEvent::KeyPress);
             window.ShowPage(PageBit::Performance);
             EXPECT_FALSE(window.IsRecording());
         },
         [&](IMouseConfig& config, const std::string& before) { EXPECT_NE(alphaEvents(config), before); }, true},
        {"insert a delay",
         [](CTovikEliteAppDlg& window, CMacrosPage&) {
             Item<CEditItem>(window, ItemId::EDITCTRL_INSERT_DELAY)->SetText(QStringLiteral("250"));
             ClickItem(window, ItemId::BUTTON_INSERT_DELAY);
         },
         [&](IMouseConfig& config, const std::string& before) {
             EXPECT_EQ(alphaEvents(config).size(), before.size() + std::string("250ms ").size());
         },
         true},
        {"insert a command",
         [](CTovikEliteAppDlg& window, CMacrosPage&) { ClickItem(window, ItemId::BUTTON_ADD_BASIC_MACRO_CMDS); },
         [&](IMouseConfig& config, const std::string& before) { EXPECT_GT(alphaEvents(config).size(), before.size()); },
         true},
        {"edit a keystroke",
         [&](CTovikEliteAppDlg&, CMacrosPage& page) {
             chooseOption(0);
             ModalScript::EndNextRun("EditSingleKeyPopup.xml", IDCANCEL, [](CSkinWindow& popup) {
                 auto& entry = dynamic_cast<CPopupBox&>(popup);
                 for (QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
                     auto event = MakeNativeKeyEvent(type, kB, Qt::Key_B);
                     QApplication::sendEvent(entry.windowHandle(), event.get());
                 }
                 ClickWidget(entry.Items().FindById(ItemId::BUTTON_POPUP_OK, ItemKind::BUTTON)->window);
             });
             rightClickFirstEvent(page);
         },
         [&](IMouseConfig& config, const std::string&) { EXPECT_EQ(alphaEvents(config).rfind("key48v ", 0), 0u); },
         true},
        {"delete an event",
         [&](CTovikEliteAppDlg&, CMacrosPage& page) {
             chooseOption(1);
             rightClickFirstEvent(page);
         },
         [&](IMouseConfig& config, const std::string& before) { EXPECT_LT(alphaEvents(config).size(), before.size()); },
         true},
        // Commands that change nothing.
        {"create cancelled",
         [](CTovikEliteAppDlg& window, CMacrosPage&) {
             ModalScript::EndNextRun("MacroNamePopup.xml", IDCANCEL);
             ClickItem(window, ItemId::BUTTON_MACRO_CREATE);
         },
         [](IMouseConfig& config, const std::string&) { EXPECT_EQ(config.GetMacroCount(), 1u); }, false},
        {"rename cancelled",
         [](CTovikEliteAppDlg& window, CMacrosPage&) {
             ModalScript::EndNextRun("MacroRenamePopup.xml", IDCANCEL);
             ClickItem(window, ItemId::BUTTON_MACRO_RENAME);
         },
         [](IMouseConfig& config, const std::string&) { EXPECT_NE(config.FindMacroByName(u"Alpha"), nullptr); }, false},
        {"delete cancelled",
         [](CTovikEliteAppDlg& window, CMacrosPage&) {
             ModalScript::EndNextRun("ConfirmDeleteMacroPopup.xml", IDCANCEL);
             ClickItem(window, ItemId::BUTTON_MACRO_DELETE);
         },
         [](IMouseConfig& config, const std::string&) { EXPECT_NE(config.FindMacroByName(u"Alpha"), nullptr); }, false},
        {"export",
         [&](CTovikEliteAppDlg& window, CMacrosPage&) {
             ModalScript::AnswerNextSaveFile(QString::fromStdString((temp_ / "again.zmm").string()).toStdU16String());
             ClickItem(window, ItemId::BUTTON_MACRO_EXPORT);
         },
         [&](IMouseConfig& config, const std::string& before) {
             EXPECT_TRUE(QFile::exists(QString::fromStdString((temp_ / "again.zmm").string())));
             EXPECT_EQ(alphaEvents(config), before);
         },
         false},
        {"preview",
         [](CTovikEliteAppDlg& window, CMacrosPage& page) {
             ClickItem(window, ItemId::BUTTON_MACRO_RECORD_PLAY);
             EXPECT_EQ(page.State(), MacroPageState::Previewing);
             ClickItem(window, ItemId::BUTTON_MACRO_RECORD_STOP);
         },
         [&](IMouseConfig& config, const std::string& before) { EXPECT_EQ(alphaEvents(config), before); }, false},
        // Last: an imported macro is put on the mouse at once, so the next window
        // would find two.
        {"import",
         [&](CTovikEliteAppDlg& window, CMacrosPage&) {
             ModalScript::AnswerNextOpenFile(QString::fromStdString(file).toStdU16String());
             ClickItem(window, ItemId::BUTTON_MACRO_IMPORT);
         },
         [](IMouseConfig& config, const std::string&) { EXPECT_NE(config.FindMacroByName(u"Saved"), nullptr); }, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        RunApp([&](CTovikEliteAppDlg& window) {
            ASSERT_TRUE(WaitUntilIdle(window));
            ClickItem(window, ItemId::BUTTON_MANAGEMACROS);
            CMacrosPage& page = MacrosPage(window);
            IMouseConfig& config = *window.Config();
            ASSERT_EQ(config.GetMacroCount(), 1u);
            ASSERT_EQ(page.SelectedMacro(), config.FindMacroByName(u"Alpha"));
            ASSERT_FALSE(window.ApplyButton()->isEnabled());
            const std::string before = alphaEvents(config);
            c.act(window, page);
            EXPECT_TRUE(WaitUntil([] { return ModalScript::PendingAnswers() == 0; }));
            c.check(config, before);
            EXPECT_EQ(window.ApplyButton()->isEnabled(), c.changes);
        });
    }
}
