// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ProfilesPage.h"

#include "app/ExchangeFolder.h"
#include "app/ProfileFiles.h"
#include "app/ProfileNames.h"
#include "app/TovikEliteAppDlg.h"
#include "controls/BitmapBtn.h"
#include "controls/ListPanelItem.h"
#include "controls/XListCtrl.h"
#include "device/DeviceTiming.h"
#include "device/server/IDeviceProfileProperties.h"
#include "device/server/IDeviceProfiles.h"
#include "platform/ModalService.h"
#include "platform/core/TextCase.h"
#include "popups/TovikEliteNameEntryPopup.h"
#include "popups/TovikElitePreviewPopup.h"
#include "popups/TovikEliteWarningDlg.h"
#include "settings/IMouseConfig.h"
#include "settings/IMouseProfile.h"
#include "skin/AppPaths.h"
#include "skin/ColorTable.h"
#include "skin/ItemIds.h"
#include "skin/LangTable.h"

#include <QEventLoop>
#include <QFileInfo>
#include <QPointer>
#include <QTimer>
#include <array>

namespace {

// As many as the mouse holds.
constexpr size_t kProfileLimit = kMaxDeviceProfiles;
// The longest program path the mouse keeps; a longer one would fail every write.
constexpr size_t kMaxProgramPathLength = kProgramPathBytes / 2 - 1;

// The buttons the button page assigns; a deleted profile's switches are taken off them.
constexpr std::array<tMouseButton, 9> kPageButtons{MOUSE_BUTTON_LEFT, MOUSE_BUTTON_RIGHT,    MOUSE_BUTTON_WHEEL,
                                                   MOUSE_BUTTON_4,    MOUSE_BUTTON_5,        MOUSE_BUTTON_10,
                                                   MOUSE_BUTTON_11,   MOUSE_BUTTON_WHEEL_UP, MOUSE_BUTTON_WHEEL_DOWN};

// The context menu's commands, in the order the chosen entry is compared with them.
enum class Command { SetActive, Rename, New, Preview, Delete, Copy, Import, Export, RestoreDefault };
struct ContextEntry {
    std::u16string_view key;
    Command command;
};
constexpr ContextEntry kContextEntries[] = {
    {u"$SetActive", Command::SetActive}, {u"$Rename", Command::Rename}, {u"$New", Command::New},
    {u"$Preview", Command::Preview},     {u"$Delete", Command::Delete}, {u"$Copy", Command::Copy},
    {u"$Import", Command::Import},       {u"$Export", Command::Export}, {u"$RestoreDefault", Command::RestoreDefault},
};

std::u16string WithColon(const IMouseProfile& profile)
{
    return u": " + profile.GetName();
}

// A notice whose heading is replaced by the translation of `titleKey`.
void RunTitledWarning(CTovikEliteAppDlg& window, std::u16string_view skinFile, std::u16string_view titleKey)
{
    CTovikEliteWarningDlg popup{std::u16string(skinFile), &window};
    popup.SetMessage(TranslateText(titleKey));
    popup.DoModal();
}

int RunWarning(CTovikEliteAppDlg& window, std::u16string_view skinFile, std::u16string extraText = {})
{
    CTovikEliteWarningDlg popup{std::u16string(skinFile), &window, std::move(extraText)};
    return popup.DoModal();
}

// The name typed into a name-entry popup, whose field starts with `current` (a
// rename); nothing when cancelled or left empty.
std::optional<std::u16string> AskForName(CTovikEliteAppDlg& window, std::u16string_view skinFile,
                                         std::u16string current = {})
{
    std::u16string name;
    CTovikEliteNameEntryPopup popup{std::u16string(skinFile), &window, name};
    popup.SetInitialName(std::move(current));
    if (popup.DoModal() != IDOK || name.empty())
        return std::nullopt;
    return name;
}

// Whether a button's assignment switches to `profile` (by identity or by name).
bool SwitchesTo(const AssignmentRecord& record, const IMouseProfile& profile)
{
    if (record.kind == AssignmentKind::ProfileById)
        return record.ReadGuid() == profile.GetGuid();
    if (record.kind == AssignmentKind::ProfileByName)
        return EqualsIgnoringCase(record.ReadName(), profile.GetName());
    return false;
}

FileDialogRequest ProfileFileRequest(const IMouseConfig& config)
{
    const std::u16string extension = config.GetProfileFileExtension();
    FileDialogRequest request;
    request.defaultExtension = extension;
    request.filter = extension + u" Profile Files (*." + extension + u")|*." + extension + u"||";
    return request;
}

// A chosen path is used only when it is longer than the dotted extension.
bool IsUsablePath(const std::optional<std::u16string>& path, const IMouseConfig& config)
{
    return path && path->size() > config.GetProfileFileExtension().size() + 1;
}

} // namespace

CProfilesPage::CProfilesPage(int pageBit, std::u16string skinFile) : CMainWindowPage(pageBit, std::move(skinFile)) {}

void CProfilesPage::Bind(CTovikEliteAppDlg& /*window*/)
{
    list_ = Items().FindAs<CXListCtrl>(ItemId::LIST_PROFILELIST);
    contextMenu_ = Items().FindAs<CListPanelItem>(ItemId::LISTPANEL_PROFILEOPTIONS);
    osdCheckBox_ = Items().FindAs<CBitmapBtn>(ItemId::BUTTON_ENABLE_PROFILE_OSD);
    if (list_ && contextMenu_)
        list_->SetContextMenu(contextMenu_);
}

void CProfilesPage::SetUp(CTovikEliteAppDlg& window, IMouseConfig& /*config*/)
{
    FillProfileOptions(window);
}

void CProfilesPage::OnDeviceChanged(CTovikEliteAppDlg& window, IMouseConfig& /*config*/)
{
    FillProfileOptions(window);
}

void CProfilesPage::Refresh(CTovikEliteAppDlg& window)
{
    FillProfileOptions(window);
}

void CProfilesPage::OnPageSwitched(CTovikEliteAppDlg& window, bool isShown)
{
    // Other pages may have switched the active profile meanwhile.
    if (isShown)
        FillProfileOptions(window);
}

void CProfilesPage::FillProfileOptions(CTovikEliteAppDlg& window)
{
    IMouseConfig* config = window.Config();
    if (!list_ || !config)
        return;
    const int checkColumn = list_->ColumnOfKind(ListColumnKind::LCITEM_PROFILECURRENT);
    const int positionColumn = list_->ColumnOfKind(ListColumnKind::LCITEM_PROFILEID);
    const int nameColumn = list_->ColumnOfKind(ListColumnKind::LCITEM_PROFILENAME);
    const int programColumn = list_->ColumnOfKind(ListColumnKind::LCITEM_PROFILEEXE);
    const int autoColumn = list_->ColumnOfKind(ListColumnKind::LCITEM_AUTOSWITCH);

    IMouseProfile* current = config->GetCurrentProfile();
    list_->DeleteAllRows();
    for (size_t index = 0; index < config->GetProfileCount(); ++index) {
        IMouseProfile* profile = config->GetProfile(index);
        if (!profile)
            continue;
        const QString name = QString::fromStdU16String(profile->GetName());
        // A sorted list orders its rows by the first cell's text: the name.
        const int row = list_->AddRow(int(index), name);
        list_->SetCellChecked(row, checkColumn, profile == current);
        list_->SetCellText(row, positionColumn, QString::fromStdU16String(ProfilePositionText(int(index) + 1)));
        list_->SetCellText(row, nameColumn, name);
        list_->SetCellText(row, programColumn, QString::fromStdU16String(profile->GetLinkedProgram()));
        list_->SetCellChecked(row, autoColumn, profile->GetAutoSwitch());
    }
    if (list_->IsSorted()) {
        for (int row = 0; row < list_->RowCount(); ++row)
            list_->SetCellText(row, positionColumn, QString::fromStdU16String(ProfilePositionText(row + 1)));
    }
    int currentRow = 0;
    for (size_t index = 0; current && index < config->GetProfileCount(); ++index) {
        if (config->GetProfile(index) == current)
            currentRow = list_->FindRow(int(index));
    }
    list_->SelectRow(currentRow);
    list_->EnsureVisible(currentRow);
    if (osdCheckBox_)
        osdCheckBox_->SetChecked(config->GetProfileOsd());
}

IMouseProfile* CProfilesPage::ProfileOfRow(CTovikEliteAppDlg& window, int rowValue) const
{
    IMouseConfig* config = window.Config();
    if (!config)
        return nullptr;
    if (rowValue < 0 && list_)
        rowValue = list_->RowUserValue(list_->SelectedRow());
    return rowValue >= 0 ? config->GetProfile(size_t(rowValue)) : nullptr;
}

void CProfilesPage::RefreshPages(CTovikEliteAppDlg& window)
{
    FillProfileOptions(window);
    if (CMainWindowPage* performance = window.Page(PageBit::Performance))
        performance->FillPerformancePage(window);
}

void CProfilesPage::MakeCurrent(CTovikEliteAppDlg& window, IMouseProfile* profile)
{
    window.Config()->SetCurrentProfile(profile);
    RefreshPages(window);
    window.SetSettingsChanged();
}

bool CProfilesPage::OnItemClick(CTovikEliteAppDlg& window, int itemId)
{
    if (busy_)
        return true;
    switch (itemId) {
    case ItemId::BUTTON_NEWPROFILE:
        NewProfile(window);
        return true;
    case ItemId::BUTTON_IMPORTPROFILE:
        ImportProfile(window);
        return true;
    case ItemId::BUTTON_EXPORTPROFILE:
        ExportProfile(window);
        return true;
    case ItemId::BUTTON_SAVEPROFILE:
        CopyProfile(window);
        return true;
    case ItemId::BUTTON_DELETEPROFILE:
        DeleteProfile(window);
        return true;
    case ItemId::BUTTON_ENABLE_PROFILE_OSD:
        // Every profile shows (or hides) profile changes alike.
        if (osdCheckBox_ && window.Config()) {
            window.Config()->SetProfileOsdForAll(osdCheckBox_->IsChecked());
            window.SetSettingsChanged();
        }
        return true;
    default:
        return false;
    }
}

std::optional<LRESULT> CProfilesPage::OnControlMessage(CTovikEliteAppDlg& window, UINT msg, WPARAM wParam,
                                                       LPARAM lParam)
{
    if (!list_)
        return std::nullopt;
    const WPARAM listHandle = reinterpret_cast<WPARAM>(list_->GetHandle());
    if (msg == WM_LIST_ROW_CLICKED) {
        if (WPARAM(lParam) != listHandle)
            return std::nullopt;
        // Choosing another profile's row makes it the active one.
        IMouseProfile* profile = ProfileOfRow(window, int(int32_t(uint32_t(wParam))));
        if (!busy_ && profile && profile != window.Config()->GetCurrentProfile())
            MakeCurrent(window, profile);
        return 0;
    }
    if (wParam != listHandle || lParam == 0)
        return std::nullopt;
    const auto* record = reinterpret_cast<const ListCellRecord*>(lParam);
    switch (msg) {
    case WM_LIST_CHECK_TOGGLED:
        if (!busy_ && record->value)
            OnCheckToggled(window, record->rowUserValue, record->column,
                           *static_cast<const int32_t*>(record->value) != 0);
        return 0;
    case WM_LIST_APP_CELL_CHANGED:
        if (!busy_ && record->value)
            OnProgramChosen(window, record->rowUserValue, static_cast<const char16_t*>(record->value));
        return 0;
    case WM_LIST_CONTEXT_MENU_CHOSEN:
        if (!busy_ && record->value)
            RunContextCommand(window, static_cast<const char16_t*>(record->value), record->rowUserValue);
        return 0;
    case WM_LIST_CONTEXT_MENU_OPENING:
        // The menu acts on the row it was opened on.
        if (list_->FindRow(record->rowUserValue) >= 0)
            list_->SelectRow(list_->FindRow(record->rowUserValue));
        return 0;
    default:
        return std::nullopt;
    }
}

bool CProfilesPage::RunContextCommand(CTovikEliteAppDlg& window, std::u16string_view chosen, int rowValue)
{
    for (const ContextEntry& entry : kContextEntries) {
        // The menu reports the entry as shown: compare with the key's translation.
        if (chosen != entry.key && chosen != TranslateText(entry.key))
            continue;
        switch (entry.command) {
        case Command::SetActive:
            SetActiveProfile(window, rowValue);
            break;
        case Command::Rename:
            RenameProfile(window, rowValue);
            break;
        case Command::New:
            NewProfile(window);
            break;
        case Command::Preview:
            PreviewProfile(window, rowValue);
            break;
        case Command::Delete:
            DeleteProfile(window, rowValue);
            break;
        case Command::Copy:
            CopyProfile(window, rowValue);
            break;
        case Command::Import:
            ImportProfile(window);
            break;
        case Command::Export:
            ExportProfile(window, rowValue);
            break;
        case Command::RestoreDefault:
            RestoreDefaults(window, rowValue);
            break;
        }
        return true;
    }
    return false;
}

void CProfilesPage::OnCheckToggled(CTovikEliteAppDlg& window, int rowValue, int column, bool checked)
{
    IMouseProfile* profile = ProfileOfRow(window, rowValue);
    if (!profile || !list_)
        return;
    const int kind = list_->ColumnAt(column).columnKind;
    if (kind == ListColumnKind::LCITEM_PROFILECURRENT) {
        if (checked && profile != window.Config()->GetCurrentProfile())
            MakeCurrent(window, profile);
        return;
    }
    if (kind != ListColumnKind::LCITEM_AUTOSWITCH)
        return;
    if (checked && profile->GetLinkedProgram().empty()) {
        RunWarning(window, u"SelectApplicationWarningPopup.xml", WithColon(*profile));
        list_->SetCellChecked(list_->FindRow(rowValue), column, false);
        return;
    }
    if (profile->GetAutoSwitch() == checked)
        return;
    window.Config()->SetAutoSwitch(checked, profile);
    window.SetSettingsChanged();
}

void CProfilesPage::OnProgramChosen(CTovikEliteAppDlg& window, int rowValue, std::u16string_view path)
{
    IMouseProfile* profile = ProfileOfRow(window, rowValue);
    if (!profile)
        return;
    if (path.size() > kMaxProgramPathLength) {
        RunWarning(window, u"ProgramPathWarningPopup.xml", WithColon(*profile));
        FillProfileOptions(window); // the cell shows the program kept before
        return;
    }
    window.Config()->SetLinkedProgramPath(path, profile);
    window.SetSettingsChanged();
}

void CProfilesPage::NewProfile(CTovikEliteAppDlg& window)
{
    IMouseConfig* config = window.Config();
    if (!config)
        return;
    if (config->GetProfileCount() >= kProfileLimit) {
        RunTitledWarning(window, u"ProfileLimitReachedPopup.xml", u"$CreateProfile");
        return;
    }
    const auto name = AskForName(window, u"ProfileNamePopup.xml");
    if (!name)
        return;
    if (IsProfileNameTaken(*config, *name)) {
        RunWarning(window, u"DuplicateProfileWarningPopup.xml", u": " + config->FindProfileByName(*name)->GetName());
        return;
    }
    if (IMouseProfile* created = config->CreateProfile(*name))
        MakeCurrent(window, created);
}

void CProfilesPage::RenameProfile(CTovikEliteAppDlg& window, int rowValue)
{
    IMouseConfig* config = window.Config();
    IMouseProfile* profile = ProfileOfRow(window, rowValue);
    if (!profile)
        return;
    const auto name = AskForName(window, u"ProfileRenamePopup.xml", profile->GetName());
    // The name offered unchanged changes nothing.
    if (!name || *name == profile->GetName())
        return;
    // The profile itself counts too, so a change of letter case alone is refused.
    if (IsProfileNameTaken(*config, *name)) {
        RunWarning(window, u"DuplicateProfileWarningPopup.xml", u": " + config->FindProfileByName(*name)->GetName());
        return;
    }
    if (config->RenameProfile(profile, name->c_str())) {
        FillProfileOptions(window);
        window.SetSettingsChanged();
    }
}

void CProfilesPage::CopyProfile(CTovikEliteAppDlg& window, int rowValue)
{
    IMouseConfig* config = window.Config();
    if (!config)
        return;
    if (config->GetProfileCount() > kProfileLimit - 1) {
        RunTitledWarning(window, u"ProfileLimitReachedPopup.xml", u"$Copy");
        return;
    }
    IMouseProfile* source = ProfileOfRow(window, rowValue);
    if (!source)
        return;
    const auto name = FreeCopyName(*config, source->GetName());
    if (!name)
        return;
    if (IMouseProfile* copy = config->CopyProfileAs(source, name->c_str()))
        MakeCurrent(window, copy);
}

void CProfilesPage::SetActiveProfile(CTovikEliteAppDlg& window, int rowValue)
{
    if (IMouseProfile* profile = ProfileOfRow(window, rowValue))
        MakeCurrent(window, profile);
}

void CProfilesPage::DeleteProfile(CTovikEliteAppDlg& window, int rowValue)
{
    IMouseConfig* config = window.Config();
    IMouseProfile* profile = ProfileOfRow(window, rowValue);
    if (!profile)
        return;
    const IMouseProfile* first = config->GetProfile(0);
    // Profiles not yet on the device have no identity: only a real one can match.
    const bool sameIdentity = first && !profile->GetGuid().IsNull() && profile->GetGuid() == first->GetGuid();
    if (profile == first || sameIdentity) {
        RunWarning(window, u"DisallowDeletePopup.xml", WithColon(*profile));
        return;
    }
    if (RunWarning(window, u"ConfirmDeletePopup.xml", WithColon(*profile)) != IDOK)
        return;
    if (profile->HasStoredFile())
        RemoveKeptProfileFile(profile->GetStoredFilePath(), GetSaveDirectory(), config->GetProfileFileExtension());
    for (size_t index = 0; index < config->GetProfileCount(); ++index) {
        IMouseProfile* other = config->GetProfile(index);
        for (tMouseButton button : kPageButtons) {
            if (other && SwitchesTo(config->GetButtonAssignment(button, other), *profile))
                config->SetButtonAssignment(button, config->GetDefaultButtonAssignment(button), other);
        }
    }
    config->DeleteProfile(profile);
    window.SetSettingsChanged();
    if (!config->GetCurrentProfile())
        config->SetCurrentProfile(config->GetProfile(0));
    RefreshPages(window);
}

void CProfilesPage::RestoreDefaults(CTovikEliteAppDlg& window, int rowValue)
{
    IMouseConfig* config = window.Config();
    IMouseProfile* profile = ProfileOfRow(window, rowValue);
    if (!profile)
        return;
    CTovikEliteWarningDlg popup{u"RestorePopup.xml", &window};
    popup.SetMessage(TranslateText(u"$RestoreDefaults") + u" : " + profile->GetName());
    if (popup.DoModal() != IDOK)
        return;
    config->ResetToDefaults(profile);
    window.SetReenumerationGuard(true);
    // The other pages show the active profile; the list shows every profile.
    RefreshPages(window);
    window.SetSettingsChanged();
}

void CProfilesPage::PreviewProfile(CTovikEliteAppDlg& window, int rowValue)
{
    IMouseProfile* profile = ProfileOfRow(window, rowValue);
    if (!profile)
        return;
    CTovikElitePreviewPopup popup(&window, profile, window.Config());
    popup.SetDeviceCode(window.GetDeviceCode());
    popup.DoModal();
}

void CProfilesPage::ExportProfile(CTovikEliteAppDlg& window, int rowValue)
{
    IMouseConfig* config = window.Config();
    IMouseProfile* profile = ProfileOfRow(window, rowValue);
    IMouseDevice* device = window.Device();
    if (!profile || !device)
        return;
    bool held = false;
    if (!window.RunDeviceCall([&] { held = device->HasDeviceProfile(profile); }) || !held) {
        RunWarning(window, u"ExportProfileWarningPopup.xml", WithColon(*profile));
        return;
    }
    const auto path = AskExchangeFileToSave(ProfileFileRequest(*config));
    if (!IsUsablePath(path, *config))
        return;
    bool exported = false;
    if (IsWritableFilePath(*path)) {
        device = window.Device();
        if (device)
            window.RunDeviceCall([&] { exported = device->ExportProfile(*path, profile); });
    }
    if (!exported)
        ShowFileProblem(window, *path);
}

bool CProfilesPage::ProfileCountsAgree(CTovikEliteAppDlg& window)
{
    auto deviceCount = [&window]() {
        int count = -1;
        if (IMouseDevice* device = window.Device())
            window.RunDeviceCall([&] { count = device->GetDeviceProfileCount(); });
        return count;
    };
    if (deviceCount() == int(window.Config()->GetProfileCount()))
        return true;
    // A write may still be settling on the device: ask once more a little later,
    // with the window painting but closed to input meanwhile.
    QPointer<CTovikEliteAppDlg> guard(&window);
    window.setEnabled(false);
    QEventLoop wait;
    QTimer::singleShot(GetDeviceTiming().importRetry, &wait, &QEventLoop::quit);
    wait.exec();
    if (!guard || window.IsEnded())
        return false;
    window.setEnabled(true);
    return deviceCount() == int(window.Config()->GetProfileCount());
}

void CProfilesPage::ImportProfile(CTovikEliteAppDlg& window)
{
    IMouseConfig* config = window.Config();
    if (!config || busy_)
        return;
    if (config->GetProfileCount() >= kProfileLimit) {
        RunTitledWarning(window, u"ProfileLimitReachedPopup.xml", u"$ImportProfile");
        return;
    }
    busy_ = true;
    const bool agree = ProfileCountsAgree(window);
    busy_ = false;
    if (window.IsEnded())
        return;
    if (!agree) {
        RunTitledWarning(window, u"ImporttProfileWarningPopup.xml", u"$ImportProfile");
        return;
    }
    const auto path = AskExchangeFileToOpen(ProfileFileRequest(*config));
    if (!IsUsablePath(path, *config))
        return;
    bool imported = false;
    const size_t before = config->GetProfileCount();
    if (IsReadableFile(*path)) {
        window.setEnabled(false);
        if (IMouseDevice* device = window.Device())
            window.RunDeviceCall([&] { imported = device->ImportProfile(*path, config); });
        window.setEnabled(true);
    }
    if (!imported || config->GetProfileCount() != before + 1) {
        ShowFileProblem(window, *path);
        return;
    }
    FillProfileOptions(window);
    window.SetSettingsChanged();
}

void CProfilesPage::ShowFileProblem(CTovikEliteAppDlg& window, std::u16string_view path)
{
    const QString name = QFileInfo(QString::fromUtf16(path.data(), qsizetype(path.size()))).fileName();
    RunWarning(window, u"ProfileFileWarningPopup.xml", u": " + name.toStdU16String());
}
