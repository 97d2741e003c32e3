// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One page of the main window: its skin items (loaded from the page's skin file
// with the main window as owner) and the hooks through which the page's own logic
// takes part in the window's life. The base class shows the skin only; each page
// with logic of its own derives from it and overrides the hooks it needs.
#include "skin/GUIItems.h"

#include <optional>
#include <string>

class CTovikEliteAppDlg;
class IMouseConfig;
class IMouseProfile;

// The page bits `ShowPage` takes.
namespace PageBit {
constexpr int ButtonAssignment = 1;
constexpr int ButtonAssignmentAlt = 2; // shows the button assignment page too
constexpr int Performance = 4;
constexpr int Profiles = 8;
constexpr int Macros = 16;
constexpr int Lighting = 32;
} // namespace PageBit

class CMainWindowPage {
public:
    CMainWindowPage(int pageBit, std::u16string skinFile) : pageBit_(pageBit), skinFile_(std::move(skinFile)) {}
    virtual ~CMainWindowPage() = default;
    CMainWindowPage(const CMainWindowPage&) = delete;
    CMainWindowPage& operator=(const CMainWindowPage&) = delete;

    int PageBit() const { return pageBit_; }
    const std::u16string& SkinFile() const { return skinFile_; }
    CGUIItems& Items() { return items_; }
    const CGUIItems& Items() const { return items_; }

    // Finds the page's controls once its skin is loaded (and gives them the window
    // as notification target where they need it).
    virtual void Bind(CTovikEliteAppDlg& /*window*/) {}
    // Fills the page from the configuration after the first read.
    virtual void SetUp(CTovikEliteAppDlg& /*window*/, IMouseConfig& /*config*/) {}
    // The page was chosen with its navigation button: refill what depends on the
    // configuration (check boxes, the macro controls, the lighting page).
    virtual void OnShown(CTovikEliteAppDlg& /*window*/) {}
    // Every page hears of each page switch, with whether it is the one shown now
    // (the lighting page sets its battery warning's visibility here).
    virtual void OnPageSwitched(CTovikEliteAppDlg& /*window*/, bool /*isShown*/) {}
    // A click on one of the page's items; false when the page does not handle it.
    virtual bool OnItemClick(CTovikEliteAppDlg& /*window*/, int /*itemId*/) { return false; }
    // A control notification the page serves; nothing when it is not the page's.
    virtual std::optional<LRESULT> OnControlMessage(CTovikEliteAppDlg& /*window*/, UINT /*msg*/, WPARAM /*wParam*/,
                                                    LPARAM /*lParam*/)
    {
        return std::nullopt;
    }
    // Another mouse or generation was read in (the window has already switched its
    // device code and show groups): refill everything the page shows from `config`.
    virtual void OnDeviceChanged(CTovikEliteAppDlg& /*window*/, IMouseConfig& /*config*/) {}
    // The configuration changed since the page last showed it (another page, a
    // popup, the profile strip): show what it holds now. The window calls it when
    // a page that missed such a change is shown again.
    virtual void Refresh(CTovikEliteAppDlg& /*window*/) {}
    // While true the window ignores every item but the stop button, and Enter,
    // Escape and help (macro recording).
    virtual bool IsRecording() const { return false; }

    // Set by the window when the configuration changes while the page is hidden;
    // cleared when the page has been refreshed.
    bool IsStale() const { return stale_; }
    void SetStale(bool stale) { stale_ = stale; }

    // --- calls between pages ----------------------------------------------------
    // One page asks another to refresh through these (window.Page(bit)->...), so no
    // page depends on another's class. The page that owns the behaviour overrides
    // its hook; the others keep the default, which does nothing.
    // Lighting and power page: set every control from the active profile and the
    // configuration again.
    virtual void FillLightingPage(CTovikEliteAppDlg& /*window*/) {}
    // Lighting and power page: the battery-life estimate after a change of the
    // polling rate or the reduced brightness.
    virtual void UpdateBatteryEstimate(CTovikEliteAppDlg& /*window*/) {}
    // Lighting and power page: the three power texts after the power values changed.
    virtual void UpdateBrightnessText(CTovikEliteAppDlg& /*window*/) {}
    virtual void UpdateSleepText(CTovikEliteAppDlg& /*window*/) {}
    virtual void UpdateFlashText(CTovikEliteAppDlg& /*window*/) {}
    // Button page: rebuild every button's menu from the active profile.
    virtual void FillButtonMenus(CTovikEliteAppDlg& /*window*/) {}
    // Profiles page: refill the profile options list and the profile display check box.
    virtual void FillProfileOptions(CTovikEliteAppDlg& /*window*/) {}
    // Performance page: set every control from the configuration (it rebuilds the
    // button menus too).
    virtual void FillPerformancePage(CTovikEliteAppDlg& /*window*/) {}
    // Profiles page: refill the profile list.
    virtual void FillProfileList(CTovikEliteAppDlg& /*window*/) {}
    // Profiles page: the profile of the row selected in its list; null when the
    // page has none (the active profile stands in for it then).
    virtual IMouseProfile* SelectedProfile(CTovikEliteAppDlg& /*window*/) { return nullptr; }

private:
    int pageBit_;
    std::u16string skinFile_;
    CGUIItems items_;
    bool stale_ = false;
};
