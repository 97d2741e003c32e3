// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The button assignment page: one drop-down menu per mouse button, listing the
// assignment kinds the button may take with the current one marked by its detail.
// A choice builds the new assignment (asking for the key, macro, sensitivity or
// profile through popups where the kind needs one) and stores it in the active
// profile, unless it would leave no button with a left click. The page also
// restores the active profile's defaults.
#include "app/MainWindowPage.h"
#include "settings/AssignmentRecord.h"
#include "settings/MouseTypes.h"

#include <map>
#include <optional>

class CDropdownListItem;
class CListPanelItem;

class CButtonAssignmentPage : public CMainWindowPage {
public:
    explicit CButtonAssignmentPage(std::u16string skinFile);

    void Bind(CTovikEliteAppDlg& window) override;
    void SetUp(CTovikEliteAppDlg& window, IMouseConfig& config) override;
    void OnDeviceChanged(CTovikEliteAppDlg& window, IMouseConfig& config) override;
    void Refresh(CTovikEliteAppDlg& window) override;
    bool OnItemClick(CTovikEliteAppDlg& window, int itemId) override;
    std::optional<LRESULT> OnControlMessage(CTovikEliteAppDlg& window, UINT msg, WPARAM wParam, LPARAM lParam) override;
    void FillButtonMenus(CTovikEliteAppDlg& window) override;

    // The menu of a button (null for a button the page has no menu for).
    CDropdownListItem* Menu(tMouseButton button) const;
    CListPanelItem* ProfileSubMenu() const { return profileSubMenu_; }
    CListPanelItem* MacroSubMenu() const { return macroSubMenu_; }

    // The name restoring the defaults shows for a profile: names longer than 20
    // characters are cut to 17 and end in "...".
    static std::u16string ShortProfileName(std::u16string_view name);

private:
    // The entry at `index` of the button's menu was chosen.
    void AssignFromMenu(CTovikEliteAppDlg& window, CDropdownListItem& menu, tMouseButton button, int index);
    // The new record for the chosen kind, or nothing when the user backed out.
    std::optional<AssignmentRecord> BuildAssignment(CTovikEliteAppDlg& window, int32_t kind,
                                                    const CDropdownListItem& menu, tMouseButton button,
                                                    const AssignmentRecord& current);
    std::optional<AssignmentRecord> ChooseSingleKey(CTovikEliteAppDlg& window, const AssignmentRecord& current);
    std::optional<AssignmentRecord> ChooseMacro(CTovikEliteAppDlg& window, tMouseButton button,
                                                const AssignmentRecord& current);
    std::optional<AssignmentRecord> ChooseTemporarySensitivity(CTovikEliteAppDlg& window,
                                                               const AssignmentRecord& current);
    std::optional<AssignmentRecord> ChooseProfile(CTovikEliteAppDlg& window, const CDropdownListItem& menu);
    void RefillSubMenus(CTovikEliteAppDlg& window);
    void RestoreDefaults(CTovikEliteAppDlg& window);

    std::map<tMouseButton, CDropdownListItem*> menus_;
    CListPanelItem* profileSubMenu_ = nullptr;
    CListPanelItem* macroSubMenu_ = nullptr;
};
