// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The profiles page ("ManageProfiles.xml"): the list of profiles with the current
// one checked, and the commands on them (new, rename, copy, set active, link a
// program, automatic switching, delete, restore defaults, preview, export, import),
// from the page's buttons and from the list's context menu. Every change goes into
// the configuration and enables Apply; the device sees it only when it is written.
#include "app/MainWindowPage.h"

#include <optional>
#include <string>

class CBitmapBtn;
class CListPanelItem;
class CXListCtrl;
class IMouseProfile;

class CProfilesPage : public CMainWindowPage {
public:
    CProfilesPage(int pageBit, std::u16string skinFile);

    void Bind(CTovikEliteAppDlg& window) override;
    void SetUp(CTovikEliteAppDlg& window, IMouseConfig& config) override;
    void OnPageSwitched(CTovikEliteAppDlg& window, bool isShown) override;
    bool OnItemClick(CTovikEliteAppDlg& window, int itemId) override;
    std::optional<LRESULT> OnControlMessage(CTovikEliteAppDlg& window, UINT msg, WPARAM wParam, LPARAM lParam) override;
    void OnDeviceChanged(CTovikEliteAppDlg& window, IMouseConfig& config) override;
    void Refresh(CTovikEliteAppDlg& window) override;
    // Refills the list of profiles and the profile display check box.
    void FillProfileOptions(CTovikEliteAppDlg& window) override;
    void FillProfileList(CTovikEliteAppDlg& window) override { FillProfileOptions(window); }
    // The profile of the list's selected row; null when no row is selected.
    IMouseProfile* SelectedProfile(CTovikEliteAppDlg& window) override { return ProfileOfRow(window, -1); }

    // The commands, each on the profile of the row with this user value (the
    // profile's index in the configuration; -1 for the list's selected row).
    void NewProfile(CTovikEliteAppDlg& window);
    void RenameProfile(CTovikEliteAppDlg& window, int rowValue = -1);
    void CopyProfile(CTovikEliteAppDlg& window, int rowValue = -1);
    void SetActiveProfile(CTovikEliteAppDlg& window, int rowValue = -1);
    void DeleteProfile(CTovikEliteAppDlg& window, int rowValue = -1);
    void RestoreDefaults(CTovikEliteAppDlg& window, int rowValue = -1);
    void PreviewProfile(CTovikEliteAppDlg& window, int rowValue = -1);
    void ExportProfile(CTovikEliteAppDlg& window, int rowValue = -1);
    void ImportProfile(CTovikEliteAppDlg& window);

    CXListCtrl* List() const { return list_; }
    // True while an import waits for the device; other commands are ignored then.
    bool IsBusy() const { return busy_; }

private:
    IMouseProfile* ProfileOfRow(CTovikEliteAppDlg& window, int rowValue) const;
    void RefreshPages(CTovikEliteAppDlg& window);
    void MakeCurrent(CTovikEliteAppDlg& window, IMouseProfile* profile);
    bool RunContextCommand(CTovikEliteAppDlg& window, std::u16string_view chosen, int rowValue);
    void OnCheckToggled(CTovikEliteAppDlg& window, int rowValue, int column, bool checked);
    void OnProgramChosen(CTovikEliteAppDlg& window, int rowValue, std::u16string_view path);
    bool ProfileCountsAgree(CTovikEliteAppDlg& window);
    void ShowFileProblem(CTovikEliteAppDlg& window, std::u16string_view path);

    CXListCtrl* list_ = nullptr;
    CListPanelItem* contextMenu_ = nullptr;
    CBitmapBtn* osdCheckBox_ = nullptr;
    bool busy_ = false;
};
