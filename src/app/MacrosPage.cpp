// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/MacrosPage.h"

#include "app/ExchangeFolder.h"
#include "app/MacroButtonBindings.h"
#include "app/MacroEventConversion.h"
#include "app/ProfileFiles.h"
#include "app/TovikEliteAppDlg.h"
#include "controls/BitmapBtn.h"
#include "controls/DropdownListItem.h"
#include "controls/EditItem.h"
#include "controls/ListPanelItem.h"
#include "controls/MacroDisplayItem.h"
#include "device/server/IDeviceMacros.h"
#include "platform/ModalService.h"
#include "popups/TovikEliteNameEntryPopup.h"
#include "popups/TovikEliteWarningDlg.h"
#include "settings/IMouseConfig.h"
#include "settings/Macro.h"
#include "settings/PredefinedMacroList.h"
#include "skin/AppPaths.h"
#include "skin/ItemIds.h"

#include <QFileInfo>
#include <algorithm>

namespace {

constexpr char16_t kMacroExtension[] = u"zmm";

bool IsFrom(LPARAM lParam, const CGUIItem* item)
{
    return item && item->window && reinterpret_cast<HWND>(lParam) == item->window->GetHandle();
}

FileDialogRequest MacroFileRequest()
{
    FileDialogRequest request;
    const std::u16string extension = kMacroExtension;
    request.filter = u"zmm Macro Files (*." + extension + u")|*." + extension + u"||";
    request.defaultExtension = u"." + extension;
    return request;
}

// A chosen path must be more than the dotted extension alone.
bool IsUsablePath(const std::optional<std::u16string>& path)
{
    return path && path->size() > std::u16string_view(kMacroExtension).size() + 1;
}

void SetButtonEnabled(CBitmapBtn* button, bool enabled)
{
    if (button && button->isEnabled() != enabled)
        button->setEnabled(enabled);
}

} // namespace

CMacrosPage::CMacrosPage(int pageBit, std::u16string skinFile) : CMainWindowPage(pageBit, std::move(skinFile)) {}

CMacrosPage::~CMacrosPage()
{
    // The display removes its raw input registration when it goes away.
    if (display_ && display_->IsRecording())
        display_->StopRecording();
}

void CMacrosPage::Bind(CTovikEliteAppDlg& /*window*/)
{
    const CGUIItems& items = Items();
    macroList_ = items.FindAs<CDropdownListItem>(ItemId::LIST_GLOBALMACROLIST);
    basicCommands_ = items.FindAs<CDropdownListItem>(ItemId::LIST_GLOBAL_BASIC_COMMANDS);
    additionalCommands_ = items.FindAs<CDropdownListItem>(ItemId::LIST_GLOBAL_ADDITIONAL_COMMANDS);
    display_ = items.FindAs<CMacroDisplayItem>(ItemId::MACRO_DISPLAY);
    preview_ = items.FindAs<CMacroDisplayItem>(ItemId::MACRO_DISPLAY_READONLY);
    recordButton_ = items.FindAs<CBitmapBtn>(ItemId::BUTTON_MACRO_RECORD);
    stopButton_ = items.FindAs<CBitmapBtn>(ItemId::BUTTON_MACRO_RECORD_STOP);
    ignoreDelays_ = items.FindAs<CBitmapBtn>(ItemId::BUTTON_IGNORE_DELAY);
    useDefaultDelay_ = items.FindAs<CBitmapBtn>(ItemId::BUTTON_INSERTDEFAULT_DELAY);
    defaultDelayBox_ = items.FindAs<CEditItem>(ItemId::EDITCTRL_DEFAULT_DELAY);
    delayBox_ = items.FindAs<CEditItem>(ItemId::EDITCTRL_INSERT_DELAY);
    keystrokeOptions_ = items.FindAs<CListPanelItem>(ItemId::LISTPANEL_MACROOPTIONS_KEYSTROKE);
    delayOptions_ = items.FindAs<CListPanelItem>(ItemId::LISTPANEL_MACROOPTIONS_DELAY);
    mouseClickOptions_ = items.FindAs<CListPanelItem>(ItemId::LISTPANEL_MACROOPTIONS_MOUSECLICK);

    // The device holds a limited number of events per macro; nothing longer is made.
    for (CMacroDisplayItem* display : {display_, preview_}) {
        if (!display)
            continue;
        const int limit = int(kMaxMacroEvents);
        display->SetMaxEvents(display->MaxEvents() > 0 ? std::min(display->MaxEvents(), limit) : limit);
    }
    for (CEditItem* box : {defaultDelayBox_, delayBox_})
        if (box)
            box->SetNumeric(true, 0, int(CMacroRecorder::kMaxDelayMs));
    if (defaultDelayBox_)
        defaultDelayBox_->SetText(QString::number(CMacroRecorder::kFallbackDefaultDelayMs));
    FillCommandLists();
}

void CMacrosPage::SetUp(CTovikEliteAppDlg& /*window*/, IMouseConfig& config)
{
    config_ = &config;
    FillMacroList(config, nullptr);
    // The preview display takes the place of the event display only while it plays.
    if (preview_)
        preview_->Show(0);
    EnableMacroControls();
}

void CMacrosPage::OnShown(CTovikEliteAppDlg& /*window*/)
{
    if (preview_ && state_ != MacroPageState::Previewing)
        preview_->Show(0);
    EnableMacroControls();
}

void CMacrosPage::OnPageSwitched(CTovikEliteAppDlg& window, bool isShown)
{
    // Nothing is recorded or played for a page nobody sees.
    if (!isShown) {
        AbandonActivity(window);
        // Ending a preview brings the event display back; the page stays hidden.
        for (CMacroDisplayItem* display : {display_, preview_})
            if (display)
                display->Show(0);
    } else if (preview_ && state_ != MacroPageState::Previewing)
        preview_->Show(0);
}

void CMacrosPage::OnDeviceChanged(CTovikEliteAppDlg& window, IMouseConfig& config)
{
    AbandonActivity(window);
    SetUp(window, config);
}

void CMacrosPage::Refresh(CTovikEliteAppDlg& window)
{
    if (!config_)
        return;
    AbandonActivity(window);
    // The macro chosen before stays chosen while it exists.
    FillMacroList(*config_, SelectedMacro());
    EnableMacroControls();
}

void CMacrosPage::AbandonActivity(CTovikEliteAppDlg& window)
{
    if (state_ == MacroPageState::Recording)
        StopRecordingAndStore(window);
    else if (state_ == MacroPageState::Previewing)
        EndPreview();
}

CMacro* CMacrosPage::SelectedMacro() const
{
    if (!macroList_)
        return nullptr;
    const int index = macroList_->Selected();
    if (index < 0 || size_t(index) >= listedMacros_.size())
        return nullptr;
    return listedMacros_[size_t(index)];
}

void CMacrosPage::FillMacroList(IMouseConfig& config, const CMacro* select)
{
    listedMacros_.clear();
    std::vector<std::u16string> names;
    for (size_t i = 0; i < config.GetMacroCount(); ++i) {
        if (CMacro* macro = config.GetMacro(i)) {
            listedMacros_.push_back(macro);
            names.push_back(macro->GetName());
        }
    }
    int index = listedMacros_.empty() ? -1 : 0;
    if (select) {
        const auto found = std::find(listedMacros_.begin(), listedMacros_.end(), select);
        if (found != listedMacros_.end())
            index = int(found - listedMacros_.begin());
    }
    if (macroList_) {
        macroList_->SetSelected(-1);
        macroList_->SetEntries(names);
        macroList_->SetSelected(index);
        macroList_->update();
    }
    state_ = SelectedMacro() ? MacroPageState::Idle : MacroPageState::NoMacro;
    ShowMacroEvents();
}

void CMacrosPage::FillCommandLists()
{
    const CPredefinedMacroList& commands = CPredefinedMacroList::Instance();
    auto fill = [](CDropdownListItem* list, const std::vector<PredefinedMacro>& source,
                   std::vector<const PredefinedMacro*>& shown) {
        shown.clear();
        if (!list)
            return;
        std::vector<std::u16string> names;
        for (const PredefinedMacro& command : source) {
            shown.push_back(&command);
            names.push_back(command.name);
        }
        list->SetEntries(names);
        list->SetSelected(names.empty() ? -1 : 0);
    };
    fill(basicCommands_, commands.Basic(), basicShown_);
    fill(additionalCommands_, commands.Additional(), additionalShown_);
}

void CMacrosPage::ShowMacroEvents()
{
    if (!display_)
        return;
    if (const CMacro* macro = SelectedMacro())
        display_->SetEvents(ToDisplayEvents(macro->GetEvents()));
    else
        display_->Clear();
}

void CMacrosPage::SelectMacro(int index)
{
    if (!macroList_ || state_ == MacroPageState::Recording)
        return;
    if (state_ == MacroPageState::Previewing)
        EndPreview();
    macroList_->SetSelected(index);
    state_ = SelectedMacro() ? MacroPageState::Idle : MacroPageState::NoMacro;
    ShowMacroEvents();
    EnableMacroControls();
}

void CMacrosPage::EnableMacroControls()
{
    const bool recording = state_ == MacroPageState::Recording;
    const bool hasMacro = SelectedMacro() != nullptr;
    const bool editable = hasMacro && !recording;
    for (int id :
         {ItemId::BUTTON_MACRO_RENAME, ItemId::BUTTON_MACRO_DELETE, ItemId::BUTTON_MACRO_EXPORT,
          ItemId::BUTTON_MACRO_RECORD_PLAY, ItemId::BUTTON_MACRO_RECORD_BACKWARD, ItemId::BUTTON_MACRO_RECORD_FORWARD,
          ItemId::BUTTON_INSERT_DELAY, ItemId::BUTTON_ADD_BASIC_MACRO_CMDS, ItemId::BUTTON_ADD_ADV_MACRO_CMDS})
        SetButtonEnabled(Items().FindAs<CBitmapBtn>(id), editable);
    for (int id : {ItemId::BUTTON_MACRO_CREATE, ItemId::BUTTON_MACRO_IMPORT, ItemId::BUTTON_MACRO_SAVE})
        SetButtonEnabled(Items().FindAs<CBitmapBtn>(id), !recording);
    SetButtonEnabled(recordButton_, !recording);
    // The delay options are read when recording starts; they stay as they are meanwhile.
    SetButtonEnabled(ignoreDelays_, !recording);
    SetButtonEnabled(useDefaultDelay_, !recording);
    for (CEditItem* box : {defaultDelayBox_, delayBox_})
        if (box)
            box->SetEnabled(!recording);
    SetButtonEnabled(stopButton_, recording || state_ == MacroPageState::Previewing);
    for (CDropdownListItem* list : {basicCommands_, additionalCommands_})
        if (list)
            list->SetDisabled(!editable);
    if (macroList_)
        macroList_->SetDisabled(recording || listedMacros_.empty());
}

bool CMacrosPage::OnItemClick(CTovikEliteAppDlg& window, int itemId)
{
    switch (itemId) {
    case ItemId::BUTTON_MACRO_CREATE:
        CreateMacro(window);
        return true;
    case ItemId::BUTTON_MACRO_RENAME:
        RenameMacro(window);
        return true;
    case ItemId::BUTTON_MACRO_DELETE:
        DeleteMacro(window);
        return true;
    case ItemId::BUTTON_MACRO_IMPORT:
        ImportMacro(window);
        return true;
    case ItemId::BUTTON_MACRO_EXPORT:
        ExportMacro(window);
        return true;
    case ItemId::BUTTON_MACRO_SAVE:
        // Writes the macros (and whatever else changed) to the mouse now.
        if (window.AreSettingsChanged())
            window.StartWrite(false);
        return true;
    case ItemId::BUTTON_MACRO_RECORD:
        ToggleRecording(window);
        return true;
    case ItemId::BUTTON_MACRO_RECORD_STOP:
        Stop(window);
        return true;
    case ItemId::BUTTON_MACRO_RECORD_PLAY:
        Preview(window);
        return true;
    case ItemId::BUTTON_MACRO_RECORD_BACKWARD:
        SelectFirstEvent();
        return true;
    case ItemId::BUTTON_MACRO_RECORD_FORWARD:
        SelectLastEvent();
        return true;
    case ItemId::BUTTON_INSERT_DELAY:
        InsertDelay(window);
        return true;
    case ItemId::BUTTON_ADD_BASIC_MACRO_CMDS:
    case ItemId::BUTTON_ADD_ADV_MACRO_CMDS: {
        CDropdownListItem* list = itemId == ItemId::BUTTON_ADD_BASIC_MACRO_CMDS ? basicCommands_ : additionalCommands_;
        const auto& shown = itemId == ItemId::BUTTON_ADD_BASIC_MACRO_CMDS ? basicShown_ : additionalShown_;
        if (list && list->Selected() >= 0 && size_t(list->Selected()) < shown.size())
            InsertCommand(window, shown[size_t(list->Selected())]->name);
        return true;
    }
    default:
        return false;
    }
}

std::optional<LRESULT> CMacrosPage::OnControlMessage(CTovikEliteAppDlg& window, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_DROPDOWN_SELECTED: {
        const int index = int(wParam);
        if (IsFrom(lParam, macroList_)) {
            SelectMacro(index);
            return 0;
        }
        for (auto [list, shown] :
             {std::pair{basicCommands_, &basicShown_}, std::pair{additionalCommands_, &additionalShown_}}) {
            if (IsFrom(lParam, list)) {
                if (index >= 0 && size_t(index) < shown->size())
                    InsertCommand(window, (*shown)[size_t(index)]->name);
                return 0;
            }
        }
        return std::nullopt;
    }
    case WM_EDIT_TEXT_CHANGED:
        if (IsFrom(lParam, delayBox_)) {
            // Every change of the delay box sets the recorder's default delay.
            if (display_) {
                const auto value = ReadDelayBox(delayBox_);
                display_->Recorder().SetDefaultDelay(value && *value > 0 ? *value
                                                                         : CMacroRecorder::kFallbackDefaultDelayMs);
            }
            return 0;
        }
        if (IsFrom(lParam, defaultDelayBox_))
            return 0;
        return std::nullopt;
    case WM_LIST_PANEL_ROW_CHOSEN:
        for (CListPanelItem* panel : {keystrokeOptions_, delayOptions_, mouseClickOptions_}) {
            if (panel && LPARAM(panel->id) == lParam) {
                OnEventOption(window, *panel, int(wParam));
                return 0;
            }
        }
        return std::nullopt;
    case WM_MACRO_EVENT_MENU:
        if (display_ && lParam == LPARAM(display_->id)) {
            OnEventOptions(window, int(wParam));
            return 0;
        }
        return std::nullopt;
    default:
        return std::nullopt;
    }
}

std::optional<unsigned> CMacrosPage::ReadDelayBox(const CEditItem* box) const
{
    if (!box)
        return std::nullopt;
    const QString text = box->GetText().trimmed();
    if (text.isEmpty())
        return std::nullopt;
    bool ok = false;
    const qulonglong value = text.toULongLong(&ok, 10);
    if (!ok)
        return std::nullopt;
    return unsigned(std::min<qulonglong>(value, CMacroRecorder::kMaxDelayMs));
}

// --- macro commands ------------------------------------------------------------------

void CMacrosPage::CreateMacro(CTovikEliteAppDlg& window)
{
    if (!config_ || state_ == MacroPageState::Recording)
        return;
    if (IsMacroLimitReached(window))
        return;
    std::u16string name;
    CTovikEliteNameEntryPopup popup(u"MacroNamePopup.xml", &window, name);
    if (popup.DoModal() != IDOK || name.empty())
        return;
    if (const CMacro* existing = config_->FindMacroByName(name)) {
        CTovikEliteWarningDlg(u"DuplicateMacroWarningPopup.xml", &window, u": " + existing->GetName()).DoModal();
        return;
    }
    CMacro* macro = config_->CreateMacro(name);
    if (!macro)
        return;
    EndPreview();
    window.SetSettingsChanged();
    FillMacroList(*config_, macro);
    EnableMacroControls();
}

void CMacrosPage::RenameMacro(CTovikEliteAppDlg& window)
{
    CMacro* macro = SelectedMacro();
    if (!config_ || !macro || state_ == MacroPageState::Recording)
        return;
    std::u16string name;
    CTovikEliteNameEntryPopup popup(u"MacroRenamePopup.xml", &window, name);
    popup.SetInitialName(macro->GetName());
    // The name offered unchanged changes nothing.
    if (popup.DoModal() != IDOK || name.empty() || name == macro->GetName())
        return;
    const CMacro* existing = config_->FindMacroByName(name);
    if (existing && existing != macro) {
        CTovikEliteWarningDlg(u"DuplicateMacroWarningPopup.xml", &window, u": " + existing->GetName()).DoModal();
        return;
    }
    const std::u16string oldName = macro->GetName();
    if (!macro->SetName(name.substr(0, CMacro::kMaxNameLength)))
        return;
    // Buttons of every profile that play the macro keep playing it under its new name.
    RebindRenamedMacro(*config_, *macro, oldName);
    window.SetSettingsChanged();
    FillMacroList(*config_, macro);
    EnableMacroControls();
}

void CMacrosPage::DeleteMacro(CTovikEliteAppDlg& window)
{
    CMacro* macro = SelectedMacro();
    if (!config_ || !macro || state_ == MacroPageState::Recording)
        return;
    CTovikEliteWarningDlg confirm(u"ConfirmDeleteMacroPopup.xml", &window, u": " + macro->GetName());
    if (confirm.DoModal() != IDOK)
        return;
    EndPreview();
    window.SetSettingsChanged();
    ResetButtonsPlayingMacro(*config_, *macro);
    config_->DeleteMacro(macro);
    FillMacroList(*config_, nullptr);
    EnableMacroControls();
}

void CMacrosPage::ImportMacro(CTovikEliteAppDlg& window)
{
    IMouseDevice* device = window.Device();
    if (!config_ || !device || state_ == MacroPageState::Recording)
        return;
    if (IsMacroLimitReached(window))
        return;
    const auto path = AskExchangeFileToOpen(MacroFileRequest());
    if (!IsUsablePath(path))
        return;
    const size_t before = config_->GetMacroCount();
    bool imported = false;
    IMouseConfig* config = config_;
    device = window.Device(); // the dialog may have outlived the mouse
    if (IsReadableFile(*path) && device)
        window.RunDeviceCall([&] { imported = device->ImportMacro(*path, config); });
    if (!imported) {
        ShowFileProblem(window, *path);
        return;
    }
    EndPreview();
    window.SetSettingsChanged();
    // The imported macro is the one added last.
    const size_t after = config_->GetMacroCount();
    FillMacroList(*config_, after > before ? config_->GetMacro(after - 1) : SelectedMacro());
    EnableMacroControls();
}

void CMacrosPage::ExportMacro(CTovikEliteAppDlg& window)
{
    CMacro* macro = SelectedMacro();
    IMouseDevice* device = window.Device();
    if (!macro || !device || state_ == MacroPageState::Recording)
        return;
    bool onDevice = false;
    if (!window.RunDeviceCall([&] { onDevice = device->HasDeviceMacro(macro); }) || !onDevice) {
        CTovikEliteWarningDlg(u"ExportMacroWarningPopup.xml", &window, u": " + macro->GetName()).DoModal();
        return;
    }
    FileDialogRequest request = MacroFileRequest();
    request.initialFileName = macro->GetName();
    const auto path = AskExchangeFileToSave(request);
    if (!IsUsablePath(path))
        return;
    bool exported = false;
    device = window.Device(); // the dialog may have outlived the mouse
    if (IsWritableFilePath(*path) && device)
        window.RunDeviceCall([&] { exported = device->ExportMacro(*path, macro); });
    if (!exported)
        ShowFileProblem(window, *path);
}

bool CMacrosPage::IsMacroLimitReached(CTovikEliteAppDlg& window) const
{
    // The mouse holds no more; a macro made beyond that would fail every later write.
    if (config_->GetMacroCount() < kMaxMacros)
        return false;
    CTovikEliteWarningDlg(u"MacroLimitReachedPopup.xml", &window).DoModal();
    return true;
}

void CMacrosPage::ShowFileProblem(CTovikEliteAppDlg& window, std::u16string_view path)
{
    const QString name = QFileInfo(QString::fromUtf16(path.data(), qsizetype(path.size()))).fileName();
    CTovikEliteWarningDlg(u"MacroFileWarningPopup.xml", &window, u": " + name.toStdU16String()).DoModal();
}
