// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The current-profile strip above the button and performance pages: a drop-down
// of every profile with the active one selected. Choosing another profile makes it
// the active one; the pages that show the active profile are refilled.
#include "app/MainWindowPage.h"

class CDropdownListItem;

class CCurrentProfileStrip : public CMainWindowPage {
public:
    explicit CCurrentProfileStrip(std::u16string skinFile);

    void Bind(CTovikEliteAppDlg& window) override;
    void SetUp(CTovikEliteAppDlg& window, IMouseConfig& config) override;
    void OnDeviceChanged(CTovikEliteAppDlg& window, IMouseConfig& config) override;
    void Refresh(CTovikEliteAppDlg& window) override;
    void OnPageSwitched(CTovikEliteAppDlg& window, bool isShown) override;
    std::optional<LRESULT> OnControlMessage(CTovikEliteAppDlg& window, UINT msg, WPARAM wParam, LPARAM lParam) override;

    CDropdownListItem* ProfileList() const { return list_; }
    // Lists every profile of the configuration, the active one selected.
    void FillProfiles(IMouseConfig& config);

private:
    void OnProfileChosen(CTovikEliteAppDlg& window, int index);

    CDropdownListItem* list_ = nullptr;
};
