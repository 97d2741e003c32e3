// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/CurrentProfileStrip.h"

#include "app/TovikEliteAppDlg.h"
#include "controls/DropdownListItem.h"
#include "platform/core/Messages.h"
#include "settings/IMouseConfig.h"
#include "settings/IMouseProfile.h"
#include "skin/ItemIds.h"

CCurrentProfileStrip::CCurrentProfileStrip(std::u16string skinFile) : CMainWindowPage(0, std::move(skinFile)) {}

void CCurrentProfileStrip::Bind(CTovikEliteAppDlg&)
{
    list_ = Items().FindAs<CDropdownListItem>(ItemId::LIST_GLOBALPROFILELIST);
}

void CCurrentProfileStrip::SetUp(CTovikEliteAppDlg&, IMouseConfig& config)
{
    FillProfiles(config);
}

void CCurrentProfileStrip::OnDeviceChanged(CTovikEliteAppDlg&, IMouseConfig& config)
{
    FillProfiles(config);
}

void CCurrentProfileStrip::Refresh(CTovikEliteAppDlg& window)
{
    if (window.Config())
        FillProfiles(*window.Config());
}

void CCurrentProfileStrip::OnPageSwitched(CTovikEliteAppDlg& window, bool isShown)
{
    // Profiles may have been added, renamed or switched on another page.
    if (isShown && window.Config())
        FillProfiles(*window.Config());
}

void CCurrentProfileStrip::FillProfiles(IMouseConfig& config)
{
    if (!list_)
        return;
    list_->ClearEntries();
    IMouseProfile* current = config.GetCurrentProfile();
    int selected = -1;
    for (size_t i = 0; i < config.GetProfileCount(); ++i) {
        IMouseProfile* profile = config.GetProfile(i);
        if (!profile)
            continue;
        DropdownEntry entry;
        entry.text = profile->GetName();
        entry.plainText = true;
        const int index = list_->AddEntry(entry);
        if (profile == current)
            selected = index;
    }
    list_->SetSelected(selected);
}

std::optional<LRESULT> CCurrentProfileStrip::OnControlMessage(CTovikEliteAppDlg& window, UINT msg, WPARAM wParam,
                                                              LPARAM lParam)
{
    if (!list_ || reinterpret_cast<const IMessageTarget*>(lParam) != list_->GetHandle())
        return std::nullopt;
    if (msg == WM_DROPDOWN_OPENING && window.Config()) {
        FillProfiles(*window.Config());
        return 0;
    }
    if (msg == WM_DROPDOWN_SELECTED) {
        if (int(intptr_t(wParam)) >= 0)
            OnProfileChosen(window, int(intptr_t(wParam)));
        return 0;
    }
    return std::nullopt;
}

void CCurrentProfileStrip::OnProfileChosen(CTovikEliteAppDlg& window, int index)
{
    IMouseConfig* config = window.Config();
    if (!config)
        return;
    IMouseProfile* profile = config->FindProfileByName(list_->EntryKey(index));
    if (!profile || profile == config->GetCurrentProfile()) {
        FillProfiles(*config);
        return;
    }
    config->SetCurrentProfile(profile);
    FillProfiles(*config);
    if (CMainWindowPage* profiles = window.Page(PageBit::Profiles))
        profiles->FillProfileList(window);
    if (CMainWindowPage* performance = window.Page(PageBit::Performance))
        performance->FillPerformancePage(window);
    // The performance page rebuilds the button menus; asked directly as well so
    // they follow the new profile whichever pages are there.
    if (CMainWindowPage* buttons = window.Page(PageBit::ButtonAssignment))
        buttons->FillButtonMenus(window);
    window.SetSettingsChanged();
}
