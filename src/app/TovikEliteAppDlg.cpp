// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/TovikEliteAppDlg.h"

#include "app/AppConstants.h"
#include "app/AppIcon.h"
#include "app/ButtonAssignmentPage.h"
#include "app/CurrentProfileStrip.h"
#include "app/LightingPage.h"
#include "app/MacrosPage.h"
#include "app/OpenFailedPopup.h"
#include "app/PerformancePage.h"
#include "app/ProfilesPage.h"
#include "app/ProgressPopup.h"
#include "app/StartupMilestones.h"
#include "app/WindowPlacement.h"
#include "controls/BitmapBtn.h"
#include "controls/FocusMark.h"
#include "controls/MacroDisplayItem.h"
#include "controls/TextItem.h"
#include "platform/HelperThread.h"
#include "platform/ModalService.h"
#include "platform/Shell.h"
#include "settings/Generation.h"
#include "settings/IMouseConfig.h"
#include "skin/AppPaths.h"
#include "skin/ItemIds.h"
#include "skin/SkinLoader.h"

#include <QApplication>
#include <QKeyEvent>
#include <algorithm>

uint32_t ProductIdOfDeviceCode(int deviceCode)
{
    switch (deviceCode) {
    case DeviceCode::EliteMouse:
        return 0x0031;
    case DeviceCode::EliteDock:
        return 0x0032;
    case DeviceCode::LegacyMouse:
        return 0x0013;
    case DeviceCode::LegacyDock:
        return 0x001B;
    default:
        return 0;
    }
}

bool IsDockCode(int deviceCode)
{
    return deviceCode == DeviceCode::EliteDock || deviceCode == DeviceCode::LegacyDock;
}

bool IsEarlierGenerationCode(int deviceCode)
{
    return deviceCode == DeviceCode::LegacyMouse || deviceCode == DeviceCode::LegacyDock;
}

CTovikEliteAppDlg::CTovikEliteAppDlg(IMouseDevice** device, IMouseConfig* config, CProgressPopup* operationPopup)
    : CGUIPanel(u"MainPage.xml", nullptr, Qt::Window | Qt::FramelessWindowHint), device_(device), config_(config),
      operationPopup_(operationPopup)
{
    setFocusPolicy(Qt::StrongFocus);
}

CTovikEliteAppDlg::~CTovikEliteAppDlg()
{
    if (IMouseDevice* device = Device())
        device->RemoveProgressListener(this);
    // The page controls are children of this window: destroy them while it exists.
    lightingEarlier_.Clear();
    lightingCurrent_.Clear();
    for (auto* page : {&profileStrip_, &lightingPage_, &macrosPage_, &profilesPage_, &performancePage_, &buttonPage_})
        page->reset();
}

std::unique_ptr<CMainWindowPage> CTovikEliteAppDlg::CreatePage(int pageBit, std::u16string skinFile)
{
    switch (pageBit) {
    case PageBit::Lighting:
        return std::make_unique<CLightingPage>(pageBit, std::move(skinFile));
    case PageBit::ButtonAssignment:
        return std::make_unique<CButtonAssignmentPage>(std::move(skinFile));
    case 0: // the current-profile strip
        return std::make_unique<CCurrentProfileStrip>(std::move(skinFile));
    case PageBit::Performance:
        return std::make_unique<CPerformancePage>(pageBit, std::move(skinFile));
    case PageBit::Macros:
        return std::make_unique<CMacrosPage>(pageBit, std::move(skinFile));
    case PageBit::Profiles:
        return std::make_unique<CProfilesPage>(pageBit, std::move(skinFile));
    default:
        // A page without logic of its own shows its skin only.
        return std::make_unique<CMainWindowPage>(pageBit, std::move(skinFile));
    }
}

CMainWindowPage* CTovikEliteAppDlg::Page(int pageBit) const
{
    switch (pageBit) {
    case PageBit::ButtonAssignment:
        return buttonPage_.get();
    case PageBit::Performance:
        return performancePage_.get();
    case PageBit::Profiles:
        return profilesPage_.get();
    case PageBit::Macros:
        return macrosPage_.get();
    case PageBit::Lighting:
        return lightingPage_.get();
    default:
        return nullptr;
    }
}

std::unique_ptr<CMainWindowPage>* CTovikEliteAppDlg::PageSlot(int pageBit)
{
    switch (pageBit) {
    case PageBit::ButtonAssignment:
        return &buttonPage_;
    case PageBit::Performance:
        return &performancePage_;
    case PageBit::Profiles:
        return &profilesPage_;
    case PageBit::Macros:
        return &macrosPage_;
    case PageBit::Lighting:
        return &lightingPage_;
    default:
        return nullptr;
    }
}

std::u16string CTovikEliteAppDlg::PageSkinFile(int pageBit) const
{
    switch (pageBit) {
    case PageBit::ButtonAssignment:
        return earlierLayout_ ? u"AssignButtons_MouseLegacy.xml" : u"AssignButtons_MouseRefresh.xml";
    case PageBit::Performance:
        return earlierLayout_ ? u"AdjustPerformance_MouseLegacy.xml" : u"AdjustPerformance_MouseRefresh.xml";
    case PageBit::Profiles:
        return u"ManageProfiles.xml";
    case PageBit::Macros:
        return u"ManageMacros.xml";
    case PageBit::Lighting:
        return u"LightingMaintenance.xml";
    default:
        return {};
    }
}

CMainWindowPage* CTovikEliteAppDlg::EnsurePage(int pageBit)
{
    std::unique_ptr<CMainWindowPage>* slot = PageSlot(pageBit);
    if (!slot)
        return nullptr;
    if (*slot)
        return slot->get();
    // Pages are made when first shown: most sessions see only one or two of them,
    // and every page's bitmaps and controls cost start-up time and memory.
    std::unique_ptr<CMainWindowPage> page = CreatePage(pageBit, PageSkinFile(pageBit));
    // A page whose file is missing or broken stays empty; the window still runs.
    LoadSkinFile(page->Items(), page->SkinFile(), this, false);
    page->Items().ShowAll(0);
    if (pageBit == PageBit::Lighting) {
        LoadSkinFile(lightingCurrent_, u"LightingMaintenance_MouseRefresh.xml", this, false);
        LoadSkinFile(lightingEarlier_, u"LightingMaintenance_MouseLegacy.xml", this, false);
        lightingCurrent_.ShowAll(0);
        lightingEarlier_.ShowAll(0);
    }
    *slot = std::move(page);
    CMainWindowPage& made = **slot;
    if (pagesBound_)
        made.Bind(*this);
    if (pagesSetUp_ && config_)
        made.SetUp(*this, *config_);
    return &made;
}

bool CTovikEliteAppDlg::IsRecording() const
{
    return currentPage_ && currentPage_ == macrosPage_.get() && currentPage_->IsRecording();
}

bool CTovikEliteAppDlg::RunDeviceCall(const std::function<void()>& work)
{
    bool completed = true;
    ++deviceCallDepth_;
    try {
        RunOnHelperThread(work);
    } catch (...) {
        // A device call that throws is a failed call; nothing of it is kept.
        completed = false;
    }
    --deviceCallDepth_;
    if (deviceCallDepth_ == 0 && pendingDeviceChange_) {
        // Handled after the caller has finished its step, never in the middle of it.
        const int productId = *pendingDeviceChange_;
        pendingDeviceChange_.reset();
        PostDeviceChange(productId);
    }
    return completed;
}

bool CTovikEliteAppDlg::Initialise()
{
    if (!skinsLoaded_ && !LoadSkins())
        return false;
    // 8 and 9.
    ReadFirstTime();
    return true;
}

bool CTovikEliteAppDlg::LoadSkins()
{
    if (!Create())
        return false;
    skinsLoaded_ = true;
    // 1. Removal notices of the device in use reach this window.
    deviceListener_.Register(this);
    // 2-4. The shape comes from the skin's mask; the whole client area drags.
    EnableClientAreaDrag(true);
    // The application's icon is already read (every window carries it): shared, not read again.
    const QIcon shared = QApplication::windowIcon();
    setWindowIcon(shared.isNull() ? ApplicationIcon(QString::fromStdU16String(GetAppDirectory())) : shared);
    setWindowTitle(QString::fromStdU16String(std::u16string(kAppWindowTitle)));

    // 5. The device decides the page files.
    int productId = 0;
    if (IMouseDevice* device = Device())
        RunDeviceCall([&] { productId = device->GetProductId(); });
    deviceCode_ = DeviceCodeForProduct(productId);
    LoadPages();
    RecordMilestone("skin-loaded");
    RecordFirstPaintOf(*this);
    // 6.
    BindItems();
    // 7. The button assignment page comes first.
    ShowPage(PageBit::ButtonAssignment);
    return true;
}

int CTovikEliteAppDlg::DeviceCodeForProduct(int productId)
{
    switch (productId) {
    case 0x0031:
        return DeviceCode::EliteMouse;
    case 0x0032:
        return DeviceCode::EliteDock;
    case 0x0013:
        return DeviceCode::LegacyMouse;
    case 0x001B:
        return DeviceCode::LegacyDock;
    default:
        return DeviceCode::Unknown;
    }
}

void CTovikEliteAppDlg::LoadPages()
{
    earlierLayout_ = IsEarlierGenerationCode(deviceCode_);
    // The profile defaults and the stage values offered follow the layout chosen.
    SetCurrentGeneration(!earlierLayout_);

    // Only what the first page shows: the strip above it and the page itself. The
    // other pages are made when they are first shown.
    profileStrip_ = CreatePage(0, u"CurrentProfile.xml");
    LoadSkinFile(profileStrip_->Items(), profileStrip_->SkinFile(), this, false);
    EnsurePage(PageBit::ButtonAssignment);
}

void CTovikEliteAppDlg::UseLayoutOfDevice()
{
    if (IsEarlierGenerationCode(deviceCode_) == earlierLayout_)
        return;
    // The pages are made anew from the other generation's files, as at start-up.
    currentPage_ = nullptr;
    lightingEarlier_.Clear();
    lightingCurrent_.Clear();
    for (auto* page : {&lightingPage_, &macrosPage_, &profilesPage_, &performancePage_, &buttonPage_})
        page->reset();
    earlierLayout_ = IsEarlierGenerationCode(deviceCode_);
    SetCurrentGeneration(!earlierLayout_);
    ShowPage(PageBit::ButtonAssignment);
}

void CTovikEliteAppDlg::BindItems()
{
    const CGUIItems& items = Items();
    okButton_ = items.FindAs<CBitmapBtn>(ItemId::BUTTON_OK);
    applyButton_ = items.FindAs<CBitmapBtn>(ItemId::BUTTON_APPLY);
    navigationButtons_ = {items.FindAs<CBitmapBtn>(ItemId::BUTTON_ASSIGNBUTTONS),
                          items.FindAs<CBitmapBtn>(ItemId::BUTTON_ADJUSTPERFORMANCE),
                          items.FindAs<CBitmapBtn>(ItemId::BUTTON_MANAGEPROFILES),
                          items.FindAs<CBitmapBtn>(ItemId::BUTTON_MANAGEMACROS),
                          items.FindAs<CBitmapBtn>(ItemId::BUTTON_LIGHTINGMAINTENANCE)};
    for (CBitmapBtn* tab : navigationButtons_)
        if (tab)
            tab->SetButtonRole(ButtonRole::PageTab);
    for (int i = 0; i < 4; ++i)
        batterySegments_[size_t(i)] = items.FindById(ItemId::BATTERY_LEVEL0 + i);
    wiredBitmap_ = items.FindById(ItemId::BITMAP_CONNECTION_WIRED);
    wirelessBitmap_ = items.FindById(ItemId::BITMAP_CONNECTION_WIRELESS);
    driverText_ = items.FindAs<CTextItem>(ItemId::TEXT_DRIVERVER);
    firmwareText_ = items.FindAs<CTextItem>(ItemId::TEXT_FIRMWAREVER);
    // The version lines are built from the captions the skin gives them.
    if (driverText_)
        driverCaption_ = driverText_->GetText();
    if (firmwareText_)
        firmwareCaption_ = firmwareText_->GetText();

    for (CMainWindowPage* page : {buttonPage_.get(), performancePage_.get(), profilesPage_.get(), macrosPage_.get(),
                                  lightingPage_.get(), profileStrip_.get()})
        if (page)
            page->Bind(*this);
    pagesBound_ = true;

    // Until the first read tells otherwise nothing is lit.
    for (CGUIItem* segment : batterySegments_)
        if (segment)
            segment->Show(0);
    RefreshConnection();
    if (applyButton_)
        applyButton_->setEnabled(false);
}

void CTovikEliteAppDlg::ShowPage(int pageBits)
{
    static constexpr int kOrder[] = {PageBit::ButtonAssignment, PageBit::Performance, PageBit::Profiles,
                                     PageBit::Macros, PageBit::Lighting};
    CMainWindowPage* chosen = nullptr;
    for (int bit : kOrder) {
        if (pageBits & bit) {
            chosen = EnsurePage(bit);
            break;
        }
    }
    if (!chosen || chosen == currentPage_)
        return;
    for (int bit : kOrder)
        if (CMainWindowPage* page = Page(bit))
            page->Items().ShowAll((pageBits & bit) ? 1 : 0);
    const bool lightingShown = (pageBits & PageBit::Lighting) != 0;
    lightingCurrent_.ShowAll(lightingShown ? 1 : 0);
    lightingEarlier_.ShowAll(lightingShown ? 1 : 0);

    bool stripShown = (pageBits & PageBit::ButtonAssignment) != 0;
    if (pageBits & (PageBit::ButtonAssignmentAlt | PageBit::Performance))
        stripShown = true;
    profileStrip_->Items().ShowAll(stripShown ? 1 : 0);

    const std::array<bool, 5> highlighted{(pageBits & (PageBit::ButtonAssignment | PageBit::ButtonAssignmentAlt)) != 0,
                                          (pageBits & PageBit::Performance) != 0, (pageBits & PageBit::Profiles) != 0,
                                          (pageBits & PageBit::Macros) != 0, (pageBits & PageBit::Lighting) != 0};
    for (size_t i = 0; i < navigationButtons_.size(); ++i) {
        if (navigationButtons_[i] && navigationButtons_[i]->IsHighlighted() != highlighted[i])
            navigationButtons_[i]->SetHighlighted(highlighted[i]);
    }
    currentPage_ = chosen;
    ApplyShowGroups();
    if (chosen->IsStale()) {
        // The configuration changed while the page was hidden.
        chosen->SetStale(false);
        if (pagesSetUp_)
            chosen->Refresh(*this);
    }
    for (int bit : kOrder)
        if (CMainWindowPage* page = Page(bit))
            page->OnPageSwitched(*this, page == currentPage_);
    profileStrip_->OnPageSwitched(*this, stripShown);
}

void CTovikEliteAppDlg::ApplyShowGroups()
{
    // Groups are sets of device codes; code 18 (no device) falls in the current
    // generation's group, as the values of the groups say.
    const bool lightingShown = currentPage_ == lightingPage_.get();
    const bool current = (ShowGroup::CurrentGeneration & deviceCode_) != 0;
    const bool earlier = (ShowGroup::EarlierGeneration & deviceCode_) != 0;
    lightingCurrent_.ShowAll(lightingShown && current ? 1 : 0);
    lightingEarlier_.ShowAll(lightingShown && earlier ? 1 : 0);
}

void CTovikEliteAppDlg::SetSettingsChanged()
{
    settingsChanged_ = true;
    if (applyButton_)
        applyButton_->setEnabled(true);
    ConfigurationChanged();
}

void CTovikEliteAppDlg::ConfigurationChanged()
{
    for (CMainWindowPage* page :
         {buttonPage_.get(), performancePage_.get(), profilesPage_.get(), macrosPage_.get(), lightingPage_.get()})
        if (page && page != currentPage_)
            page->SetStale(true);
}

void CTovikEliteAppDlg::StartWrite(bool closeAfterwards)
{
    IMouseDevice* device = Device();
    if (!device || device->IsBusy())
        return;
    settingsChanged_ = false;
    if (applyButton_)
        applyButton_->setEnabled(false);
    SetTimer(closeAfterwards ? MainTimer::StartWriteThenClose : MainTimer::StartWrite, 250);
}

void CTovikEliteAppDlg::CloseWindow(int result)
{
    ended_ = true;
    endResult_ = result;
    KillTimer(MainTimer::Status);
    EndModal(result);
}

int CTovikEliteAppDlg::DoModal()
{
    if (ended_)
        return endResult_;
    CenterOnScreen(*this);
    const int result = RunModal(*this, "MainPage.xml");
    ended_ = true;
    return result;
}

LRESULT CTovikEliteAppDlg::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_COMMAND:
        if (HIWORD(wParam) == BN_CLICKED) {
            OnItemClick(reinterpret_cast<const IMessageTarget*>(lParam), LOWORD(wParam));
            return 0;
        }
        if (auto handled = RouteToPages(msg, wParam, lParam))
            return *handled;
        return 0;
    case WM_DEVICECHANGE:
        return OnDeviceRemoval(wParam, lParam);
    case WM_HELP:
        if (!IsRecording())
            OpenHelp();
        return 0;
    case WM_DEVICE_PROGRESS:
    case WM_DEVICE_PROGRESS_TEXT:
        return 0;
    case WM_LIST_ROW_CLICKED:
        // Accepted whatever happens; the profiles page makes a chosen profile active.
        RouteToPages(msg, wParam, lParam);
        return 0;
    case WM_SLIDER_RELEASED:
    case WM_SLIDER_CHANGING:
    case WM_SLIDER_TRACK_CLICKED:
    case WM_SINGLE_KEY_CHANGED:
    case WM_LIST_APP_CELL_CHANGED:
    case WM_LIST_CHECK_TOGGLED:
    case WM_LIST_CELL_DOUBLE_CLICKED:
    case WM_LIST_CONTEXT_MENU_OPENING:
    case WM_LIST_CONTEXT_MENU_CHOSEN:
    case WM_DROPDOWN_SELECTED:
    case WM_DROPDOWN_OPENING:
    case WM_PAGE_NOTIFY_FIRST:
    case WM_PAGE_NOTIFY_SECOND:
    case WM_PAGE_NOTIFY_THIRD:
    case WM_EDIT_TEXT_CHANGED:
    case WM_LIST_PANEL_ROW_CHOSEN:
    case WM_MACRO_EVENT_MENU:
        if (auto handled = RouteToPages(msg, wParam, lParam))
            return *handled;
        return 0;
    default:
        return CGUIPanel::WindowProc(msg, wParam, lParam);
    }
}

std::optional<LRESULT> CTovikEliteAppDlg::RouteToPages(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (currentPage_) {
        if (auto handled = currentPage_->OnControlMessage(*this, msg, wParam, lParam))
            return handled;
    }
    if (profileStrip_)
        return profileStrip_->OnControlMessage(*this, msg, wParam, lParam);
    return std::nullopt;
}

void CTovikEliteAppDlg::OnItemClick(const IMessageTarget* sender, int fallbackId)
{
    // Buttons identify themselves by their window, text items also by their number.
    auto idIn = [&](const CGUIItems& items) -> std::optional<int> {
        if (const CGUIItem* item = items.FindByHandle(sender))
            return item->id;
        return std::nullopt;
    };
    if (auto id = idIn(Items())) {
        if (!IsRecording() || *id == ItemId::BUTTON_MACRO_RECORD_STOP)
            OnMainItem(*id);
        return;
    }
    if (currentPage_) {
        std::optional<int> id = idIn(currentPage_->Items());
        if (!id && currentPage_ == lightingPage_.get()) {
            id = idIn(lightingCurrent_);
            if (!id)
                id = idIn(lightingEarlier_);
        }
        if (id) {
            if (!IsRecording() || *id == ItemId::BUTTON_MACRO_RECORD_STOP)
                currentPage_->OnItemClick(*this, *id);
            return;
        }
    }
    if (auto id = profileStrip_ ? idIn(profileStrip_->Items()) : std::nullopt) {
        if (!IsRecording())
            profileStrip_->OnItemClick(*this, *id);
        return;
    }
    (void)fallbackId; // clicks on items found nowhere are not ours
}

void CTovikEliteAppDlg::OnMainItem(int itemId)
{
    switch (itemId) {
    case ItemId::BUTTON_OK:
        OnOk();
        break;
    case ItemId::BUTTON_CANCEL:
    case ItemId::BUTTON_EXIT:
        CloseWindow(IDCANCEL);
        break;
    case ItemId::BUTTON_APPLY:
        StartWrite(false);
        break;
    case ItemId::BUTTON_ASSIGNBUTTONS:
    case ItemId::TEXT_TOPVIEW_BUTTON:
        ShowPage(PageBit::ButtonAssignment);
        break;
    case ItemId::BUTTON_ADJUSTPERFORMANCE:
        ShowPage(PageBit::Performance);
        if (performancePage_)
            performancePage_->OnShown(*this);
        break;
    case ItemId::BUTTON_MANAGEPROFILES:
        ShowPage(PageBit::Profiles);
        break;
    case ItemId::BUTTON_MANAGEMACROS:
        ShowPage(PageBit::Macros);
        if (macrosPage_)
            macrosPage_->OnShown(*this);
        break;
    case ItemId::BUTTON_LIGHTINGMAINTENANCE:
        ShowPage(PageBit::Lighting);
        if (lightingPage_)
            lightingPage_->OnShown(*this);
        break;
    case ItemId::BUTTON_HELP:
        OpenHelp();
        break;
    case ItemId::BUTTON_UPDATE:
    case ItemId::BUTTON_UPDATE_LEGACY:
        OpenAddress(kDriverDownloadAddress);
        break;
    case ItemId::BUTTON_FB:
        OpenAddress(kCommunityForumAddress);
        break;
    case ItemId::BUTTON_TWITTER:
        OpenAddress(kSocialNewsAddress);
        break;
    case ItemId::BUTTON_KORU:
        OpenAddress(kMakerWebsiteAddress);
        break;
    default:
        break;
    }
}

void CTovikEliteAppDlg::OnOk()
{
    if (HasTimer(MainTimer::StartWrite)) {
        // Apply's write has not started yet: it becomes OK's write, which closes
        // the window once everything has reached the device.
        KillTimer(MainTimer::StartWrite);
        SetTimer(MainTimer::StartWriteThenClose, 250);
        return;
    }
    if (HasTimer(MainTimer::StartWriteThenClose) || HasTimer(MainTimer::EndOfWriteThenClose))
        return; // OK's write is already on its way
    if (writeWatched_ || writeStartFailed_) {
        // A write is under way: the window closes when it has ended well.
        closeAfterWrite_ = true;
        return;
    }
    if (settingsChanged_)
        StartWrite(true);
    else
        CloseWindow(IDOK);
}

void CTovikEliteAppDlg::OpenHelp()
{
    // Without a program that opens it, the user at least learns where it is.
    const std::u16string manual = GetAppDirectory() + std::u16string(kManualPath);
    if (!ShellOpen(ShellRequest{u"OPEN", manual, {}, {}}))
        ShowOpenFailed(COpenFailedPopup::What::Manual, manual, this);
}

void CTovikEliteAppDlg::OpenAddress(std::u16string_view address)
{
    if (!ShellOpen(ShellRequest{u"OPEN", std::u16string(address), {}, {}}))
        ShowOpenFailed(COpenFailedPopup::What::WebPage, address, this);
}

void CTovikEliteAppDlg::SwitchPageByKeyboard(bool forward)
{
    const auto count = std::ptrdiff_t(navigationButtons_.size());
    const auto shown = std::find_if(navigationButtons_.begin(), navigationButtons_.end(),
                                    [](const CBitmapBtn* tab) { return tab && tab->IsHighlighted(); });
    const std::ptrdiff_t from = shown == navigationButtons_.end() ? 0 : shown - navigationButtons_.begin();
    for (std::ptrdiff_t step = 1; step < count; ++step) {
        CBitmapBtn* tab = navigationButtons_[std::size_t((from + (forward ? step : count - step)) % count)];
        if (!tab || !tab->isVisible() || !tab->isEnabled())
            continue;
        // The tab of the page takes the focus, where a tab bar would keep it.
        CFocusMark::UseKeyboardCues();
        tab->setFocus(Qt::ShortcutFocusReason);
        OnMainItem(tab->id);
        return;
    }
}

void CTovikEliteAppDlg::keyPressEvent(QKeyEvent* event)
{
    const bool ctrlOnly = (event->modifiers() & ~Qt::ShiftModifier) == Qt::ControlModifier;
    if (ctrlOnly && (event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab)) {
        if (!IsRecording())
            SwitchPageByKeyboard(event->key() == Qt::Key_Tab && !(event->modifiers() & Qt::ShiftModifier));
        return;
    }
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // Enter means OK: changed settings are written before the window closes.
        if (!IsRecording())
            OnOk();
        return;
    case Qt::Key_Escape:
        if (!IsRecording())
            CloseWindow(IDCANCEL);
        return;
    case Qt::Key_F1:
        SendMessage(WM_HELP, 0, 0);
        return;
    default:
        CGUIPanel::keyPressEvent(event);
    }
}
