// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The macros page ("ManageMacros.xml"): the macro list and its commands (create,
// rename, delete, import, export), the event display with recording, preview and
// navigation, hand-inserted delays, ready-made commands and keystroke editing.
// Every change goes straight into the configuration's macro and enables Apply.
#include "app/MainWindowPage.h"
#include "device/server/IDeviceMacros.h"

#include <vector>

class CBitmapBtn;
class CDropdownListItem;
class CEditItem;
class CListPanelItem;
class CMacro;
class CMacroDisplayItem;
struct MacroDisplayEvent;
struct PredefinedMacro;

// The page states.
namespace MacroPageState {
constexpr int NoMacro = 0;
constexpr int Idle = 1;
constexpr int Previewing = 2;
constexpr int Recording = 3;
} // namespace MacroPageState

class CMacrosPage : public CMainWindowPage {
public:
    // When the configuration holds this many macros (as many as the mouse holds),
    // no more are created or imported.
    static constexpr size_t kMaxMacros = kMaxDeviceMacros;
    static constexpr unsigned kBlinkPeriodMs = 500;

    CMacrosPage(int pageBit, std::u16string skinFile);
    ~CMacrosPage() override;

    void Bind(CTovikEliteAppDlg& window) override;
    void SetUp(CTovikEliteAppDlg& window, IMouseConfig& config) override;
    void OnShown(CTovikEliteAppDlg& window) override;
    void OnPageSwitched(CTovikEliteAppDlg& window, bool isShown) override;
    bool OnItemClick(CTovikEliteAppDlg& window, int itemId) override;
    std::optional<LRESULT> OnControlMessage(CTovikEliteAppDlg& window, UINT msg, WPARAM wParam, LPARAM lParam) override;
    void OnDeviceChanged(CTovikEliteAppDlg& window, IMouseConfig& config) override;
    void Refresh(CTovikEliteAppDlg& window) override;
    bool IsRecording() const override { return state_ == MacroPageState::Recording; }

    int State() const { return state_; }
    CMacro* SelectedMacro() const;
    CMacroDisplayItem* Display() const { return display_; }
    CMacroDisplayItem* PreviewDisplay() const { return preview_; }

    // --- the page's commands (the buttons and lists call these) ---------------------
    void CreateMacro(CTovikEliteAppDlg& window);
    void RenameMacro(CTovikEliteAppDlg& window);
    void DeleteMacro(CTovikEliteAppDlg& window);
    void ImportMacro(CTovikEliteAppDlg& window);
    void ExportMacro(CTovikEliteAppDlg& window);
    void ToggleRecording(CTovikEliteAppDlg& window);
    void Stop(CTovikEliteAppDlg& window);
    void Preview(CTovikEliteAppDlg& window);
    void InsertDelay(CTovikEliteAppDlg& window);
    // Inserts the ready-made command of that name after the selected event; false
    // when there is no such command or it does not fit.
    bool InsertCommand(CTovikEliteAppDlg& window, std::u16string_view name);
    void EditKeystroke(CTovikEliteAppDlg& window, int row);
    void DeleteEvent(CTovikEliteAppDlg& window, int row);
    void SelectFirstEvent();
    void SelectLastEvent();
    void SelectMacro(int index);

private:
    // Tells the user when the mouse holds no more macros; true then.
    bool IsMacroLimitReached(CTovikEliteAppDlg& window) const;
    // A macro file that could not be read or written, named in the notice.
    void ShowFileProblem(CTovikEliteAppDlg& window, std::u16string_view path);
    void FillMacroList(IMouseConfig& config, const CMacro* select);
    void FillCommandLists();
    void ShowMacroEvents();
    void EnableMacroControls();
    void StopRecordingAndStore(CTovikEliteAppDlg& window);
    void EndPreview();
    void AbandonActivity(CTovikEliteAppDlg& window);
    // Stores the display's rows into the selected macro and enables Apply.
    void StoreDisplayedEvents(CTovikEliteAppDlg& window);
    void OnEventOptions(CTovikEliteAppDlg& window, int row);
    void OnEventOption(CTovikEliteAppDlg& window, const CListPanelItem& panel, int choice);
    CListPanelItem* OptionsPanelFor(const MacroDisplayEvent& event) const;
    std::optional<unsigned> ReadDelayBox(const CEditItem* box) const;

    IMouseConfig* config_ = nullptr;
    std::vector<CMacro*> listedMacros_; // in the order of the list's entries
    int state_ = MacroPageState::NoMacro;

    CDropdownListItem* macroList_ = nullptr;
    CDropdownListItem* basicCommands_ = nullptr;
    CDropdownListItem* additionalCommands_ = nullptr;
    std::vector<const PredefinedMacro*> basicShown_;
    std::vector<const PredefinedMacro*> additionalShown_;
    CMacroDisplayItem* display_ = nullptr;
    CMacroDisplayItem* preview_ = nullptr;
    CBitmapBtn* recordButton_ = nullptr;
    CBitmapBtn* stopButton_ = nullptr;
    CBitmapBtn* ignoreDelays_ = nullptr;
    CBitmapBtn* useDefaultDelay_ = nullptr;
    CEditItem* defaultDelayBox_ = nullptr;
    CEditItem* delayBox_ = nullptr;
    CListPanelItem* keystrokeOptions_ = nullptr;
    CListPanelItem* delayOptions_ = nullptr;
    CListPanelItem* mouseClickOptions_ = nullptr;
};
