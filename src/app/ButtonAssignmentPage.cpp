// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ButtonAssignmentPage.h"

#include "app/ButtonAssignmentDetail.h"
#include "app/TovikEliteAppDlg.h"
#include "app/WarningPopup.h"
#include "controls/DropdownListItem.h"
#include "controls/ListPanelItem.h"
#include "platform/core/Messages.h"
#include "popups/TovikEliteMacroAssignmentPopup.h"
#include "popups/TovikEliteNumEntryPopup.h"
#include "popups/TovikElitePopupBoxSingleKeyEntry.h"
#include "popups/TovikEliteTempDPIPopup.h"
#include "popups/TovikEliteWarningDlg.h"
#include "settings/AllowedKinds.h"
#include "settings/IMouseConfig.h"
#include "settings/IMouseProfile.h"
#include "settings/Macro.h"
#include "skin/ItemIds.h"
#include "skin/LangTable.h"

#include <algorithm>
#include <vector>

namespace {

struct ButtonMenu {
    tMouseButton button;
    int menuItem;
};

// The buttons in menu order, each with the skin item of its menu.
constexpr ButtonMenu kButtonMenus[] = {
    {MOUSE_BUTTON_LEFT, ItemId::BUTTON_ASSNLEFTCLICK},
    {MOUSE_BUTTON_RIGHT, ItemId::BUTTON_ASSNRIGHTCLICK},
    {MOUSE_BUTTON_WHEEL, ItemId::BUTTON_ASSNSCROLLBUTTON},
    {MOUSE_BUTTON_4, ItemId::BUTTON_ASSNBUTTON4},
    {MOUSE_BUTTON_5, ItemId::BUTTON_ASSNBUTTON5},
    {MOUSE_BUTTON_10, ItemId::BUTTON_ASSNBUTTONLEFTFRONT},
    {MOUSE_BUTTON_11, ItemId::BUTTON_ASSNBUTTONLEFTREAR},
    {MOUSE_BUTTON_WHEEL_UP, ItemId::BUTTON_ASSNSCROLLUP},
    {MOUSE_BUTTON_WHEEL_DOWN, ItemId::BUTTON_ASSNSCROLLDOWN},
};

// Profile names up to this length are shown whole in the restore notice.
constexpr size_t kShortNameLimit = 20;
constexpr size_t kShortNameKept = 17;

std::u16string FromAscii(std::string_view text)
{
    return std::u16string(text.begin(), text.end());
}

std::string ToAscii(std::u16string_view text)
{
    std::string ascii;
    for (char16_t unit : text) {
        if (unit > 0x7F)
            return {}; // no name key holds anything but ASCII
        ascii.push_back(char(unit));
    }
    return ascii;
}

std::vector<int32_t> KindsOffered(const CTovikEliteAppDlg& window, IMouseConfig& config, tMouseButton button)
{
    if (IsEarlierGenerationCode(window.GetDeviceCode())) {
        const auto kinds = AllowedKinds::ForEarlierGeneration(button);
        return {kinds.begin(), kinds.end()};
    }
    std::vector<int32_t> kinds;
    if (IMouseProfile* profile = config.GetCurrentProfile())
        profile->GetAllowedKinds(kinds, button);
    return kinds;
}

} // namespace

CButtonAssignmentPage::CButtonAssignmentPage(std::u16string skinFile)
    : CMainWindowPage(PageBit::ButtonAssignment, std::move(skinFile))
{
}

void CButtonAssignmentPage::Bind(CTovikEliteAppDlg&)
{
    menus_.clear();
    for (const ButtonMenu& entry : kButtonMenus) {
        if (auto* menu = Items().FindAs<CDropdownListItem>(entry.menuItem))
            menus_[entry.button] = menu;
    }
    profileSubMenu_ = Items().FindAs<CListPanelItem>(ItemId::LISTPANEL_ASSIGNSUBMENU_PR);
    macroSubMenu_ = Items().FindAs<CListPanelItem>(ItemId::LISTPANEL_ASSIGNSUBMENU_MA);
}

void CButtonAssignmentPage::SetUp(CTovikEliteAppDlg& window, IMouseConfig&)
{
    Refresh(window);
}

void CButtonAssignmentPage::OnDeviceChanged(CTovikEliteAppDlg& window, IMouseConfig&)
{
    Refresh(window);
}

void CButtonAssignmentPage::Refresh(CTovikEliteAppDlg& window)
{
    RefillSubMenus(window);
    FillButtonMenus(window);
}

CDropdownListItem* CButtonAssignmentPage::Menu(tMouseButton button) const
{
    auto it = menus_.find(button);
    return it == menus_.end() ? nullptr : it->second;
}

void CButtonAssignmentPage::FillButtonMenus(CTovikEliteAppDlg& window)
{
    IMouseConfig* config = window.Config();
    if (!config || !config->GetCurrentProfile())
        return;
    for (const auto& [button, menu] : menus_) {
        const AssignmentRecord current = config->GetButtonAssignment(button);
        const int32_t currentKind = MenuKindOfAssignment(current.kind);
        menu->ClearEntries();
        int selected = -1;
        for (int32_t kind : KindsOffered(window, *config, button)) {
            const auto name = AssignmentKindTextKey(kind);
            if (!name)
                continue;
            DropdownEntry entry;
            entry.text = FromAscii(*name);
            if (auto description = AssignmentKindDescriptionKey(kind))
                entry.description = FromAscii(*description);
            if (kind == AssignmentKind::ProfileById)
                entry.subMenu = profileSubMenu_;
            if (kind == AssignmentKind::MacroById && config->GetMacroCount() == 0)
                entry.disabled = true;
            if (kind == currentKind)
                entry.detail = AssignmentDetail(current, *config);
            const int index = menu->AddEntry(entry);
            if (kind == currentKind)
                selected = index;
        }
        menu->SetSelected(selected);
    }
}

std::optional<LRESULT> CButtonAssignmentPage::OnControlMessage(CTovikEliteAppDlg& window, UINT msg, WPARAM wParam,
                                                               LPARAM lParam)
{
    if (msg != WM_DROPDOWN_SELECTED && msg != WM_DROPDOWN_OPENING)
        return std::nullopt;
    const auto* sender = reinterpret_cast<const IMessageTarget*>(lParam);
    for (const auto& [button, menu] : menus_) {
        if (menu->GetHandle() != sender)
            continue;
        if (msg == WM_DROPDOWN_OPENING)
            RefillSubMenus(window);
        else if (int(intptr_t(wParam)) >= 0)
            AssignFromMenu(window, *menu, button, int(intptr_t(wParam)));
        return 0;
    }
    return std::nullopt;
}

bool CButtonAssignmentPage::OnItemClick(CTovikEliteAppDlg& window, int itemId)
{
    if (itemId != ItemId::BUTTON_RESET)
        return false;
    RestoreDefaults(window);
    return true;
}

void CButtonAssignmentPage::AssignFromMenu(CTovikEliteAppDlg& window, CDropdownListItem& menu, tMouseButton button,
                                           int index)
{
    IMouseConfig* config = window.Config();
    if (!config || !config->GetCurrentProfile())
        return;
    const std::optional<int32_t> kind = AssignmentKindFromTextKey(ToAscii(menu.EntryKey(index)));
    const AssignmentRecord previous = config->GetButtonAssignment(button);
    std::optional<AssignmentRecord> chosen;
    if (kind)
        chosen = BuildAssignment(window, *kind, menu, button, previous);
    if (!chosen || !config->SetButtonAssignment(button, *chosen)) {
        // Backed out, or a kind the button cannot take: the menu shows the
        // assignment as it still is.
        FillButtonMenus(window);
        return;
    }
    if (!config->HasClickAssignment()) {
        // Without a left click somewhere the mouse could not be used to undo this.
        RunWarningPopup(u"NoClickPopup.xml", &window);
        config->SetButtonAssignment(button, previous);
    }
    FillButtonMenus(window);
    if (config->GetButtonAssignment(button) != previous)
        window.SetSettingsChanged();
}

std::optional<AssignmentRecord> CButtonAssignmentPage::BuildAssignment(CTovikEliteAppDlg& window, int32_t kind,
                                                                       const CDropdownListItem& menu,
                                                                       tMouseButton button,
                                                                       const AssignmentRecord& current)
{
    switch (kind) {
    case AssignmentKind::Default:
        return window.Config()->GetDefaultButtonAssignment(button);
    case AssignmentKind::SingleKey:
        return ChooseSingleKey(window, current);
    case AssignmentKind::MacroById:
        return ChooseMacro(window, button, current);
    case AssignmentKind::ProfileById:
        return ChooseProfile(window, menu);
    case AssignmentKind::TemporarySensitivity:
        return ChooseTemporarySensitivity(window, current);
    default:
        return AssignmentRecord::OfKind(kind);
    }
}

std::optional<AssignmentRecord> CButtonAssignmentPage::ChooseSingleKey(CTovikEliteAppDlg& window,
                                                                       const AssignmentRecord& current)
{
    SingleKeyRecord key;
    if (current.kind == AssignmentKind::SingleKey) {
        const uint32_t word = current.ReadWord(0);
        key.scanCode = uint16_t(word & 0xFFFF);
        key.virtualKey = uint16_t(word >> 16);
        key.modifiers = int(current.ReadWord(1) & 0xFF);
        // The popup shows the modifiers itself; the record carries the key's name.
        if (key.scanCode != 0) {
            AssignmentRecord keyAlone = current;
            keyAlone.WriteWord(1, current.ReadWord(1) & SingleKeyRecord::kExtended);
            key.text = SingleKeyDetail(keyAlone);
        }
    }
    CTovikElitePopupBoxSingleKeyEntry popup(u"SingleKeyPopup.xml", &window, key);
    popup.DoModal();
    // Cancel empties the record: nothing was chosen.
    if (!key.HoldsKey() && (key.modifiers & ~SingleKeyRecord::kExtended) == 0)
        return std::nullopt;
    return MakeSingleKeyAssignment(key.scanCode, key.virtualKey, uint32_t(key.modifiers));
}

std::optional<AssignmentRecord> CButtonAssignmentPage::ChooseMacro(CTovikEliteAppDlg& window, tMouseButton button,
                                                                   const AssignmentRecord& current)
{
    IMouseConfig& config = *window.Config();
    std::vector<std::u16string> names;
    for (size_t i = 0; i < config.GetMacroCount(); ++i) {
        if (const CMacro* macro = config.GetMacro(i))
            names.push_back(macro->GetName());
    }
    std::u16string currentName;
    int playMode = MacroPlayMode::Once;
    if (current.kind == AssignmentKind::MacroById || current.kind == AssignmentKind::MacroByName) {
        const CMacro* macro = current.kind == AssignmentKind::MacroById ? config.FindMacroByGuid(current.ReadGuid())
                                                                        : config.FindMacroByName(current.ReadName());
        if (macro)
            currentName = macro->GetName();
        playMode = current.EffectivePlayMode();
    }
    CTovikEliteMacroAssignmentPopup popup(u"SelectMacroPopup.xml", &window, std::move(names), currentName, playMode,
                                          AllowedKinds::IsWheelDirection(button));
    if (popup.DoModal() != IDOK || popup.SelectedName().empty())
        return std::nullopt;
    const CMacro* macro = config.FindMacroByName(popup.SelectedName());
    if (!macro)
        return std::nullopt;

    int repeatCount = 0;
    if (popup.PlayMode() == MacroPlayMode::Multiple) {
        // Playing a macro a number of times needs that number; 0 is not one.
        repeatCount = current.kind == AssignmentKind::MacroById || current.kind == AssignmentKind::MacroByName
                          ? current.ReadRepeatCount()
                          : 0;
        for (;;) {
            CTovikEliteNumEntryPopup entry(u"MacroRepeatEntryPopup.xml", &window, repeatCount);
            if (entry.DoModal() != IDOK)
                return std::nullopt;
            if (repeatCount > 0)
                break;
            RunWarningPopup(u"MacroRepeatWarningPopup.xml", &window);
        }
    }
    return MakeMacroAssignment(*macro, popup.PlayMode(), uint8_t(repeatCount));
}

std::optional<AssignmentRecord> CButtonAssignmentPage::ChooseTemporarySensitivity(CTovikEliteAppDlg& window,
                                                                                  const AssignmentRecord& current)
{
    IMouseConfig& config = *window.Config();
    unsigned minimum = 0, maximum = 0, step = 0;
    config.GetSensitivityRange(minimum, maximum, step);
    SensitivityHold hold;
    hold.min = int32_t(minimum);
    hold.max = int32_t(maximum);
    hold.step = int32_t(std::max(1u, step));
    if (current.kind == AssignmentKind::TemporarySensitivity) {
        hold.value = int32_t(current.ReadWord(0));
        hold.x = int32_t(current.ReadWord(1));
        hold.y = int32_t(current.ReadWord(2));
        hold.separate = hold.x != hold.y;
    } else {
        // A new switch starts from the profile's second sensitivity.
        hold.value = int32_t(config.GetSecondDpi());
        hold.x = int32_t(config.GetSecondX());
        hold.y = int32_t(config.GetSecondY());
        hold.separate = config.GetSecondSeparate();
    }
    CTovikEliteTempDPIPopup popup(u"TempDPIPopup.xml", &window, hold);
    if (popup.DoModal() != IDOK)
        return std::nullopt;
    if (!hold.separate)
        hold.x = hold.y = hold.value;
    return MakeTemporarySensitivityAssignment(uint32_t(hold.value), uint32_t(hold.x), uint32_t(hold.y), hold.separate);
}

std::optional<AssignmentRecord> CButtonAssignmentPage::ChooseProfile(CTovikEliteAppDlg& window,
                                                                     const CDropdownListItem& menu)
{
    const int row = menu.LastSubMenuChoice();
    if (!profileSubMenu_ || row < 0 || row >= profileSubMenu_->RowCount())
        return std::nullopt;
    const std::u16string name = profileSubMenu_->EntryAt(row).text.toStdU16String();
    IMouseProfile* profile = name.empty() ? nullptr : window.Config()->FindProfileByName(name);
    if (!profile)
        return std::nullopt;
    // A name too long for the record gives an unset record: refused, not cut.
    AssignmentRecord record = MakeProfileAssignment(profile->GetName(), profile->GetGuid());
    if (record.kind == AssignmentKind::Unset)
        return std::nullopt;
    return record;
}

void CButtonAssignmentPage::RefillSubMenus(CTovikEliteAppDlg& window)
{
    IMouseConfig* config = window.Config();
    if (!config)
        return;
    if (macroSubMenu_) {
        macroSubMenu_->ClearEntries();
        for (size_t i = 0; i < config->GetMacroCount(); ++i) {
            if (const CMacro* macro = config->GetMacro(i))
                macroSubMenu_->AddShownEntry(QString::fromStdU16String(macro->GetName()));
        }
    }
    if (profileSubMenu_) {
        // A button never switches to the profile it belongs to: the active one,
        // whatever row the profiles page has selected.
        IMouseProfile* excluded = config->GetCurrentProfile();
        profileSubMenu_->ClearEntries();
        for (size_t i = 0; i < config->GetProfileCount(); ++i) {
            IMouseProfile* profile = config->GetProfile(i);
            if (profile && profile != excluded)
                profileSubMenu_->AddShownEntry(QString::fromStdU16String(profile->GetName()));
        }
    }
}

std::u16string CButtonAssignmentPage::ShortProfileName(std::u16string_view name)
{
    if (name.size() <= kShortNameLimit)
        return std::u16string(name);
    return std::u16string(name.substr(0, kShortNameKept)) + u"...";
}

void CButtonAssignmentPage::RestoreDefaults(CTovikEliteAppDlg& window)
{
    IMouseConfig* config = window.Config();
    IMouseProfile* profile = config ? config->GetCurrentProfile() : nullptr;
    if (!profile)
        return;
    const LangTranslation heading = TranslateWithCurrent(u"$RestoreDefaults");
    const std::u16string text = (heading.found ? heading.text : std::u16string(u"Restore Defaults")) + u" : " +
                                ShortProfileName(profile->GetName());
    CTovikEliteWarningDlg popup(u"RestorePopup.xml", &window);
    popup.SetMessage(text);
    if (popup.DoModal() != IDOK)
        return;
    config->ResetToDefaults(profile);
    // An earlier-generation mouse re-enumerates after its defaults are written.
    window.SetReenumerationGuard(true);
    if (CMainWindowPage* performance = window.Page(PageBit::Performance))
        performance->FillPerformancePage(window);
    FillButtonMenus(window);
    if (CMainWindowPage* lighting = window.Page(PageBit::Lighting)) {
        lighting->UpdateBrightnessText(window);
        lighting->UpdateSleepText(window);
        lighting->UpdateFlashText(window);
    }
    window.SetSettingsChanged();
}
