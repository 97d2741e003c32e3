// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's dealings with the device: the first read, the timers that
// start and watch writes, removal notices and the picker's change reports.
#include "app/AppConstants.h"
#include "app/PerformancePage.h"
#include "app/ProgressPopup.h"
#include "app/StartupMilestones.h"
#include "app/TovikEliteAppDlg.h"
#include "app/WarningPopup.h"
#include "controls/BitmapBtn.h"
#include "device/DeviceDescriptor.h"
#include "device/DevicePath.h"
#include "device/Mouse.h"
#include "device/ProgressMessenger.h"
#include "platform/ModalService.h"
#include "platform/core/DeviceBroadcast.h"
#include "popups/TovikEliteWarningDlg.h"
#include "settings/IMouseConfig.h"
#include "skin/LangTable.h"

#include <QMetaObject>
#include <cstdlib>

namespace {
constexpr uint32_t kVendorId = 0x2E7A;
}

void CTovikEliteAppDlg::ProbeDock(int argument)
{
    if (!IsDockCode(deviceCode_))
        return;
    if (IMouseDevice* device = Device())
        RunDeviceCall([&] { device->Probe(argument); });
}

void CTovikEliteAppDlg::ReadFirstTime()
{
    // With milestones on, how long the GUI thread is held up during the read.
    StartStallWatch();
    struct StallRecord {
        ~StallRecord() { RecordLongestStall("stall-first-read"); }
    } stallRecord;
    IMouseDevice* device = Device();
    if (!device || !device->IsPresent() || device->GetProductId() == 0) {
        operationPopup_->HidePopup();
        noMouseTimer_ = MainTimer::NoMouse;
        SetTimer(MainTimer::NoMouse, 500);
        return;
    }
    ProbeDock(1);
    RunDeviceCall([&] { device->Transfer(config_, TransferMode::Read, TransferFlags::All); });
    RecordMilestone("device-read");
    SetTimer(MainTimer::EndOfTransfer, 250);
    SetTimer(MainTimer::Status, 1000);
    RefreshBattery();

    if (!config_->GetCurrentProfile())
        config_->SetCurrentProfile(config_->GetProfile(0));
    if (!config_->GetCurrentProfile()) {
        operationPopup_->HidePopup();
        noMouseTimer_ = MainTimer::NoMouse;
        SetTimer(MainTimer::NoMouse, 500);
        return;
    }
    SetUpPages();
    ShowVersions();
    ApplyShowGroups();
    settingsChanged_ = false;
    if (applyButton_)
        applyButton_->setEnabled(false);
}

void CTovikEliteAppDlg::SetUpPages()
{
    // What the configuration takes from the device read, before any page shows it.
    if (IsEarlierGenerationCode(deviceCode_))
        CPerformancePage::TakeSelectedStages(*config_);
    // The profile list first, as the other pages show the active profile.
    for (CMainWindowPage* page : {profilesPage_.get(), buttonPage_.get(), macrosPage_.get(), performancePage_.get(),
                                  lightingPage_.get(), profileStrip_.get()})
        if (page)
            page->SetUp(*this, *config_);
    pagesSetUp_ = true;
}

void CTovikEliteAppDlg::OnTimer(UINT id)
{
    // The no-mouse popup wins over everything else.
    if (noMouseTimer_ != 0 && id != MainTimer::NoMouse)
        return;
    // A timer that fires while a device call is under way waits for its next tick.
    if (deviceCallDepth_ > 0)
        return;
    switch (id) {
    case MainTimer::NoMouse:
        TellNoMouse();
        return;
    case MainTimer::EndOfTransfer:
    case MainTimer::EndOfWriteThenClose:
        OnEndOfTransferTimer(id);
        return;
    case MainTimer::StartWrite:
    case MainTimer::StartWriteThenClose:
        OnStartWriteTimer(id);
        return;
    case MainTimer::Status:
        if (IMouseDevice* device = Device())
            device->IsPresent();
        RefreshBattery();
        return;
    default:
        CGUIPanel::OnTimer(id);
    }
}

void CTovikEliteAppDlg::OnStartWriteTimer(UINT id)
{
    KillTimer(id);
    // The popup was shown for the first read with a heading that says so.
    if (CurrentLanguage())
        operationPopup_->SetText(TranslateText(u"$Writetodevice"));
    operationPopup_->ShowPopup();
    setEnabled(false);
    ProbeDock(1);
    bool started = false;
    if (IMouseDevice* device = Device())
        RunDeviceCall([&] { started = device->Transfer(config_, TransferMode::Write, TransferFlags::All); });
    writeStartFailed_ = !started;
    writeWatched_ = started;
    if (started)
        ++writesStarted_;
    SetTimer(id == MainTimer::StartWrite ? MainTimer::EndOfTransfer : MainTimer::EndOfWriteThenClose, 100);
}

void CTovikEliteAppDlg::OnEndOfTransferTimer(UINT id)
{
    IMouseDevice* device = Device();
    if (device && device->IsBusy())
        return;
    ProbeDock(0);
    operationPopup_->HidePopup();
    setEnabled(true);
    KillTimer(id);

    const bool failedToStart = writeStartFailed_;
    const bool watched = writeWatched_;
    writeStartFailed_ = false;
    writeWatched_ = false;
    const bool failed = failedToStart || (watched && device && device->LastWriteResult() == false);
    if (failed) {
        // What did not reach the device is still pending in the configuration:
        // Apply stays available for a retry, the window stays open even when OK
        // asked to close, and the user learns that the write was incomplete.
        SetSettingsChanged();
    }
    if (watched || failedToStart)
        EndTourApply(!failed);
    const bool closeRequested =
        id == MainTimer::EndOfWriteThenClose || ((watched || failedToStart) && closeAfterWrite_);
    if (watched || failedToStart)
        closeAfterWrite_ = false;
    if (closeRequested && !failed && !settingsChanged_) {
        CloseWindow(IDOK);
        return;
    }
    PrepareNextWrite();
    if (closeRequested && !failed) {
        // Changed while the write ran: that change is written before closing too.
        StartWrite(true);
        return;
    }
    reenumerationGuard_ = false;
    activateWindow();
    if (failed)
        RunWarningPopup(u"WriteFailedPopup.xml", this);

    if (!firstReadDone_) {
        firstReadDone_ = true;
        if (const char* screenshot = std::getenv(kScreenshotVariable); screenshot && *screenshot)
            TakeScreenshotAndClose(QString::fromLocal8Bit(screenshot));
        else if (IsBenchTourRequested())
            TourStep(0);
    }
}

void CTovikEliteAppDlg::PrepareNextWrite()
{
    IMouseDevice* device = Device();
    CProgressMessenger* messenger = device ? device->GetProgressMessenger() : nullptr;
    const std::u16string text = CurrentLanguage() ? TranslateText(u"$Writetodevice") : std::u16string();
    operationPopup_->Attach(messenger, text.c_str());
    if (messenger) {
        messenger->SendProgress(0);
        messenger->SendProgressText(u"");
    }
}

LRESULT CTovikEliteAppDlg::OnDeviceRemoval(WPARAM event, LPARAM lParam)
{
    const auto* broadcast = reinterpret_cast<const DeviceInterfaceBroadcast*>(lParam);
    if ((event != DBT_DEVICEREMOVECOMPLETE && event != DBT_DEVICEARRIVAL) || !broadcast ||
        broadcast->deviceType != DBT_DEVTYP_DEVICEINTERFACE)
        return 1;
    const uint32_t vendor = VendorIdFromPath(broadcast->name);
    const uint32_t product = ProductIdFromPath(broadcast->name);
    if (event == DBT_DEVICEARRIVAL && noMouseNotice_ && vendor == kVendorId && FindSupportedDevice(product)) {
        // A mouse plugged while the no-mouse notice is shown is taken up.
        mouseArrived_ = true;
        noMouseNotice_->EndModal(IDOK);
        return 1;
    }
    const uint32_t inUse = ProductIdOfDeviceCode(deviceCode_);
    if (event != DBT_DEVICEREMOVECOMPLETE || vendor != kVendorId || inUse == 0 || product != inUse ||
        noMouseTimer_ != 0)
        return 1;
    // An earlier-generation device re-enumerates after some writes; that is not a removal.
    const bool currentGeneration = deviceCode_ == DeviceCode::EliteMouse || deviceCode_ == DeviceCode::EliteDock;
    if (!currentGeneration && reenumerationGuard_)
        return 1;
    noMouseTimer_ = MainTimer::NoMouse;
    SetTimer(MainTimer::NoMouse, 5);
    KillTimer(MainTimer::Status);
    return 1;
}

void CTovikEliteAppDlg::DeviceChangeCallback(CMouse* mouse, void* userData)
{
    if (auto* window = static_cast<CTovikEliteAppDlg*>(userData))
        window->PostDeviceChange(mouse ? mouse->GetProductId() : -1);
}

void CTovikEliteAppDlg::PostDeviceChange(int productId)
{
    // The picker reports from whichever thread ran the transfer; the window
    // handles it on its own thread once the current step is over.
    QMetaObject::invokeMethod(
        this, [this, productId] { OnDeviceChanged(productId); }, Qt::QueuedConnection);
}

void CTovikEliteAppDlg::OnDeviceChanged(int productId)
{
    if (ended_)
        return;
    if (deviceCallDepth_ > 0) {
        pendingDeviceChange_ = productId;
        return;
    }
    if (noMouseTimer_ != 0)
        return; // the no-mouse notice is on its way or shown; it decides what follows
    const int newCode = productId < 0 ? DeviceCode::None : DeviceCodeForProduct(productId);
    if (newCode != deviceCode_ && CancelModalRunsAbove(this) > 0) {
        // Popups open now belong to the mouse that went: they end as cancelled
        // first, and the change is handled once they have unwound.
        PostDeviceChange(productId);
        return;
    }
    if (newCode == DeviceCode::None) {
        ShowNoMouseAndClose();
        return;
    }
    if (deviceCode_ != DeviceCode::None && newCode != deviceCode_) {
        bool write = true;
        if (newCode == DeviceCode::LegacyMouse || deviceCode_ == DeviceCode::LegacyMouse)
            write = RunWarningPopup(u"ChangeMousePopup.xml", this) == IDOK;
        if (write) {
            if (IMouseDevice* device = Device())
                RunDeviceCall([&] { device->Transfer(config_, TransferMode::Write, TransferFlags::All); });
        }
    }
    deviceCode_ = newCode;
    RefreshConnection();
    ApplyShowGroups();
    RefreshBattery();
    if (IsEarlierGenerationCode(deviceCode_))
        CPerformancePage::TakeSelectedStages(*config_);
    // Pages not made yet fill themselves from the configuration when first shown.
    for (CMainWindowPage* page : {profilesPage_.get(), buttonPage_.get(), macrosPage_.get(), performancePage_.get(),
                                  lightingPage_.get(), profileStrip_.get()})
        if (page)
            page->OnDeviceChanged(*this, *config_);
}

void CTovikEliteAppDlg::ShowNoMouseAndClose()
{
    // Told from the timer, so that popups open now are ended first.
    noMouseTimer_ = MainTimer::NoMouse;
    KillTimer(MainTimer::Status);
    SetTimer(MainTimer::NoMouse, 5);
}

void CTovikEliteAppDlg::TellNoMouse()
{
    // A popup still open belongs to the mouse that is gone: it ends as cancelled
    // (nothing it holds is kept), and the notice comes once it has unwound. The
    // timer keeps running until then.
    if (CancelModalRunsAbove(this) > 0)
        return;
    KillTimer(MainTimer::NoMouse);
    operationPopup_->HidePopup();
    if (const char* screenshot = std::getenv(kScreenshotVariable); screenshot && *screenshot) {
        // Nobody is there to answer the popup: the picture shows the window as it is.
        TakeScreenshotAndClose(QString::fromLocal8Bit(screenshot));
        return;
    }
    CTovikEliteWarningDlg notice(u"NoMousePopup.xml", this);
    noMouseNotice_ = &notice;
    mouseArrived_ = false;
    notice.DoModal();
    noMouseNotice_ = nullptr;
    if (mouseArrived_ && !ended_) {
        TakeUpArrivedMouse();
        return;
    }
    CloseWindow(IDCANCEL);
}

void CTovikEliteAppDlg::TakeUpArrivedMouse()
{
    mouseArrived_ = false;
    noMouseTimer_ = 0;
    if (deviceSearch_)
        deviceSearch_();
    IMouseDevice* device = Device();
    int productId = 0;
    if (device)
        RunDeviceCall([&] { productId = device->IsPresent() ? device->GetProductId() : 0; });
    const int code = DeviceCodeForProduct(productId);
    if (code == DeviceCode::Unknown) {
        // Gone again before it could be read.
        ShowNoMouseAndClose();
        return;
    }
    // The mouse is read as at start-up, into the pages of its own generation.
    deviceCode_ = code;
    UseLayoutOfDevice();
    RefreshConnection();
    ReadFirstTime();
    if (noMouseTimer_ == 0)
        ShowPage(PageBit::ButtonAssignment);
}
