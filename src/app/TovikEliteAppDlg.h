// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// `CTovikEliteAppDlg`: the one main window. It shows one page at a time over the
// main page skin, dispatches clicks and control notifications to the pages, reads
// the device when it opens, writes changed settings on Apply and OK (the write
// runs on the device worker while timers watch for its end), shows the battery and
// connection state, and reacts when the device in use goes away or is replaced.
#include "app/BatteryDisplay.h"
#include "app/BatteryStatusReader.h"
#include "app/MainWindowPage.h"
#include "controls/GUIPanel.h"
#include "device/DeviceListener.h"
#include "device/GenDevice.h"

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

class CBitmapBtn;
class CMouse;
class CProgressPopup;
class CTextItem;
class IMouseConfig;

// Device codes the window keeps for the device in use.
namespace DeviceCode {
constexpr int Unknown = 0;
constexpr int EliteMouse = 1;
constexpr int EliteDock = 2;
constexpr int LegacyMouse = 4;
constexpr int LegacyDock = 8;
constexpr int None = 18;
} // namespace DeviceCode

// The product a removal must name for the window to treat it as the device in
// use; 0 for codes that stand for no product.
uint32_t ProductIdOfDeviceCode(int deviceCode);
bool IsDockCode(int deviceCode);
bool IsEarlierGenerationCode(int deviceCode);

// The window's timers.
namespace MainTimer {
constexpr UINT NoMouse = 1;
constexpr UINT EndOfTransfer = 2;
constexpr UINT EndOfWriteThenClose = 3;
constexpr UINT StartWrite = 4;
constexpr UINT StartWriteThenClose = 5;
constexpr UINT Status = 7;
} // namespace MainTimer

// Show groups: a group is a set of device codes (bit per code); the items of a
// group are shown only while the device in use is one of them (and their page is
// the one shown).
namespace ShowGroup {
constexpr int CurrentGeneration = 19; // codes 1, 2 and 16
constexpr int EarlierGeneration = 12; // codes 4 and 8
} // namespace ShowGroup

class CTovikEliteAppDlg : public CGUIPanel {
public:
    // `device` is the address of the application's device pointer, so the window
    // always uses the device object in use; `operationPopup` is the popup shown
    // around every transfer.
    CTovikEliteAppDlg(IMouseDevice** device, IMouseConfig* config, CProgressPopup* operationPopup);
    ~CTovikEliteAppDlg() override;

    // Loads the main page skin, the profile strip and the first page (whose file
    // depends on the device in use), binds them and shows that page. False when
    // the main page skin does not load.
    bool LoadSkins();
    // LoadSkins when not done yet, then the first read of the device (or the
    // no-mouse timer). False when the main page skin does not load.
    bool Initialise();
    // Runs the window modally (after Initialise) until it closes; returns the result.
    int DoModal();

    // Shows the first page whose bit is set (1, 4, 8, 16, 32, in that order).
    void ShowPage(int pageBits);
    // Starts writing the changed settings in 250 ms, then closes when asked to.
    void StartWrite(bool closeAfterwards);
    // A page changed the configuration: enables Apply, and every page not on show
    // refreshes itself from the configuration when it is shown next.
    void SetSettingsChanged();
    // The configuration changed: the pages not on show are refreshed when they are
    // shown next (the page on show keeps itself up to date).
    void ConfigurationChanged();
    bool AreSettingsChanged() const { return settingsChanged_; }
    // Set by a polling-rate change and by restoring a profile's defaults; an
    // earlier-generation mouse that re-enumerates during the next write is not
    // taken for removed. Cleared when that write has finished.
    void SetReenumerationGuard(bool on) { reenumerationGuard_ = on; }
    bool IsReenumerationGuardSet() const { return reenumerationGuard_; }

    // Ends the window with `result` (also before its modal run has started).
    void CloseWindow(int result);
    bool IsEnded() const { return ended_; }
    int EndResult() const { return endResult_; }

    // How the window finds a mouse plugged while the no-mouse notice is shown: the
    // application searches again and puts the device found (or a null device) at
    // the address the window was given.
    void SetDeviceSearch(std::function<void()> search) { deviceSearch_ = std::move(search); }

    // Called by the device picker, on any thread, with the product id of the new
    // device or -1 for none; handled on the window's thread.
    void PostDeviceChange(int productId);
    // The device code of a product id (0 for one that is not supported).
    static int DeviceCodeForProduct(int productId);
    // The picker's change callback; `userData` is the window.
    static void DeviceChangeCallback(CMouse* mouse, void* userData);

    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void OnTimer(UINT id) override;

    // --- what pages use -----------------------------------------------------------
    IMouseDevice* Device() const { return device_ ? *device_ : nullptr; }
    IMouseConfig* Config() const { return config_; }
    int GetDeviceCode() const { return deviceCode_; }
    CMainWindowPage* CurrentPage() const { return currentPage_; }
    // The page of a bit; null until the page is first shown (or made with EnsurePage).
    CMainWindowPage* Page(int pageBit) const;
    // The page of a bit, created now when it does not exist yet: its skin is loaded,
    // it is bound and, once the device has been read, filled from the configuration.
    // Its items stay hidden until ShowPage shows them. Null for a bit that names no page.
    CMainWindowPage* EnsurePage(int pageBit);
    CMainWindowPage& ProfileStrip() const { return *profileStrip_; }
    CGUIItems& LightingItemsCurrentGeneration() { return lightingCurrent_; }
    CGUIItems& LightingItemsEarlierGeneration() { return lightingEarlier_; }
    bool IsRecording() const;
    // Runs a blocking device call on a helper thread while this thread keeps
    // painting; timers wait until it is over. False when the call threw.
    bool RunDeviceCall(const std::function<void()>& work);

    // The LED brightness as the device stores it and as the page shows it.
    static constexpr std::array<int, 4> kBrightnessDeviceValues{37, 117, 207, 255};
    static constexpr std::array<int, 4> kBrightnessPercentages{15, 46, 82, 100};

    // --- state tests and tools look at ---------------------------------------------
    CBitmapBtn* ApplyButton() const { return applyButton_; }
    std::array<bool, 4> BatterySegmentsLit() const;
    bool IsConnectionShown(bool wired) const;
    QString DriverVersionText() const;
    QString FirmwareVersionText() const;
    bool IsFirstReadDone() const { return firstReadDone_; }
    bool HasWriteStarted() const { return writesStarted_ > 0; }
    int WritesStarted() const { return writesStarted_; }
    CBatteryDisplay& BatteryDisplay() { return batteryDisplay_; }
    // Refreshes the battery segments (and starts a status read when one is due).
    void RefreshBattery();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    // Pages are created here; the page tasks return their own classes.
    virtual std::unique_ptr<CMainWindowPage> CreatePage(int pageBit, std::u16string skinFile);

private:
    void LoadPages();
    std::unique_ptr<CMainWindowPage>* PageSlot(int pageBit);
    std::u16string PageSkinFile(int pageBit) const;
    void BindItems();
    void ReadFirstTime();
    void SetUpPages();
    void ApplyShowGroups();
    void ShowVersions();
    void RefreshConnection();

    void OnItemClick(const IMessageTarget* sender, int fallbackId);
    void OnMainItem(int itemId);
    std::optional<LRESULT> RouteToPages(UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT OnDeviceRemoval(WPARAM event, LPARAM lParam);
    void OnDeviceChanged(int productId);
    // Tells the user that the mouse is gone (after the popups open for it have
    // ended) and closes, unless a mouse is plugged while the notice is shown.
    void ShowNoMouseAndClose();
    void TellNoMouse();
    // Reads the mouse plugged during the no-mouse notice and shows it.
    void TakeUpArrivedMouse();
    // Makes the pages again when the device in use needs the other generation's
    // page files.
    void UseLayoutOfDevice();
    void OnOk();
    // Ctrl+Tab and Ctrl+Shift+Tab: the next or previous page, as its tab would.
    void SwitchPageByKeyboard(bool forward);
    void OpenHelp();
    void OpenAddress(std::u16string_view address);

    void OnStartWriteTimer(UINT id);
    void OnEndOfTransferTimer(UINT id);
    void ProbeDock(int argument);
    void PrepareNextWrite();
    void TakeScreenshotAndClose(const QString& path);
    // The benchmark's tour (see StartupMilestones.h): step `step` of showing every
    // page, then the Apply of one changed setting.
    void TourStep(size_t step);
    // The tour's Apply is over; `written` tells whether the write reached the device.
    void EndTourApply(bool written);

    IMouseDevice** device_;
    IMouseConfig* config_;
    CProgressPopup* operationPopup_;

    std::unique_ptr<CMainWindowPage> buttonPage_, performancePage_, profilesPage_, macrosPage_, lightingPage_,
        profileStrip_;
    CGUIItems lightingCurrent_; // added to the lighting page, show group 19
    CGUIItems lightingEarlier_; // added to the lighting page, show group 12
    CMainWindowPage* currentPage_ = nullptr;
    bool earlierLayout_ = false; // the page files of the earlier generation are in use
    bool pagesBound_ = false;    // pages made from now on are bound as they are made
    bool pagesSetUp_ = false;    // pages made from now on fill themselves from the configuration
    bool skinsLoaded_ = false;

    CBitmapBtn* okButton_ = nullptr;
    CBitmapBtn* applyButton_ = nullptr;
    std::array<CBitmapBtn*, 5> navigationButtons_{};
    std::array<CGUIItem*, 4> batterySegments_{};
    CGUIItem* wiredBitmap_ = nullptr;
    CGUIItem* wirelessBitmap_ = nullptr;
    CTextItem* driverText_ = nullptr;
    CTextItem* firmwareText_ = nullptr;
    QString driverCaption_;
    QString firmwareCaption_;

    CDeviceListener deviceListener_;
    UINT noMouseTimer_ = 0;
    std::function<void()> deviceSearch_;
    CSkinWindow* noMouseNotice_ = nullptr; // while the no-mouse notice is shown
    bool mouseArrived_ = false;
    int deviceCode_ = DeviceCode::Unknown;
    bool settingsChanged_ = false;
    bool reenumerationGuard_ = false;
    bool firstReadDone_ = false;
    bool writeStartFailed_ = false;
    bool writeWatched_ = false;    // the end-of-transfer timer waits for a started write
    bool closeAfterWrite_ = false; // OK came while a write was under way
    int writesStarted_ = 0;
    bool tourApplyPending_ = false;

    CBatteryDisplay batteryDisplay_;
    CBatteryStatusReader batteryReader_;
    std::optional<int64_t> lastBatteryReadStart_; // whole seconds of the system clock

    int deviceCallDepth_ = 0;
    std::optional<int> pendingDeviceChange_;

    bool ended_ = false;
    int endResult_ = IDCANCEL;
};
