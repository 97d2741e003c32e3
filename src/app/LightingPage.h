// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The lighting and power page: switches the LEDs on and off, picks the scroll
// wheel's colour or spectrum cycling and its brightness, and sets the wireless
// power management (reduced brightness, idle time before sleep, battery warning
// level), with a battery-life estimate that follows these choices and the polling
// rate. Every edit goes at once into the active profile (LEDs) or the
// configuration (power) and marks the settings as changed.
#include "app/MainWindowPage.h"
#include "platform/core/WinTypes.h"
#include "settings/MouseTypes.h"

#include <QPointer>
#include <optional>

class CBitmapBtn;
class CDropdownColorButton;
class CPHSlider;
class CTextItem;

class CLightingPage : public CMainWindowPage {
public:
    CLightingPage(int pageBit, std::u16string skinFile) : CMainWindowPage(pageBit, std::move(skinFile)) {}

    void Bind(CTovikEliteAppDlg& window) override;
    void SetUp(CTovikEliteAppDlg& window, IMouseConfig& config) override;
    void OnShown(CTovikEliteAppDlg& window) override;
    void OnPageSwitched(CTovikEliteAppDlg& window, bool isShown) override;
    bool OnItemClick(CTovikEliteAppDlg& window, int itemId) override;
    std::optional<LRESULT> OnControlMessage(CTovikEliteAppDlg& window, UINT msg, WPARAM wParam, LPARAM lParam) override;
    void OnDeviceChanged(CTovikEliteAppDlg& window, IMouseConfig& config) override;
    void Refresh(CTovikEliteAppDlg& window) override;

    // Sets every control from the active profile and the configuration. The
    // earlier generation has no colour, brightness or effect controls, and only
    // its charging dock has the dock LED pair.
    void FillLightingPage(CTovikEliteAppDlg& window) override;
    void UpdateBatteryEstimate(CTovikEliteAppDlg& window) override;
    // Shown only when the reduced-brightness level changed since it was last shown.
    void UpdateBrightnessText(CTovikEliteAppDlg& window) override;
    void UpdateSleepText(CTovikEliteAppDlg& window) override;
    void UpdateFlashText(CTovikEliteAppDlg& window) override;
    // The warning is visible exactly while this page is shown and the reduced
    // brightness is normal or bright.
    void UpdateBatteryWarning(bool pageShown);

private:
    // Whether the device in use has power settings (reduced brightness, sleep,
    // battery warning); hides that section when shown for one that has not.
    static bool HasPowerSettings(const CTovikEliteAppDlg& window);
    void ShowPowerSection(CTovikEliteAppDlg& window, bool pageShown);
    struct LedPair {
        QPointer<CBitmapBtn> on;
        QPointer<CBitmapBtn> off;
    };

    static void Highlight(const LedPair& pair, bool on);
    void SetLed(CTovikEliteAppDlg& window, const LedPair& pair, tLEDType led, bool on);
    void ChooseEffect(CTovikEliteAppDlg& window, bool spectrumCycling);
    void OnSlider(CTovikEliteAppDlg& window, bool released, int thumbId, int value);
    void SetSliderRanges();
    // The dock LED pair belongs to the earlier generation's dock only.
    void ShowDockPair(CTovikEliteAppDlg& window, bool pageShown);
    void FillAll(CTovikEliteAppDlg& window, bool pageShown);

    // The reduced-brightness level the slider stands for (0..3).
    int ReducedBrightnessLevel() const;
    static void Label(CPHSlider* thumb, int level);
    static int SliderValue(const CPHSlider* thumb, int fallback);

    LedPair scrollWheel_;
    LedPair batteryIndicator_;
    LedPair dock_;
    QPointer<CBitmapBtn> fixedColour_;
    QPointer<CBitmapBtn> spectrumCycling_;
    QPointer<CDropdownColorButton> colour_;
    QPointer<CPHSlider> ledBrightness_;
    QPointer<CPHSlider> reducedBrightness_;
    QPointer<CPHSlider> sleep_;
    QPointer<CPHSlider> flash_;
    QPointer<CTextItem> brightnessText_;
    QPointer<CTextItem> sleepText_;
    QPointer<CTextItem> flashText_;
    QPointer<CTextItem> estimateText_;
    QPointer<CTextItem> warningText_;
    // The reduced-brightness level the text shows; none until it is first shown.
    std::optional<int> shownBrightnessLevel_;
    CTextItem* powerNote_ = nullptr; // explains the power section, or says there is none
    QString powerNoteSkinText_;
};
