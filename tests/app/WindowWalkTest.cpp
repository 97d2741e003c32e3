// SPDX-License-Identifier: GPL-3.0-or-later
// A seeded walk through the main window over the emulated mouse: random user
// actions on every page and popup (profiles and macros made, copied, renamed,
// deleted and switched, buttons assigned, sliders moved, lights toggled, popups
// confirmed or cancelled, Apply, Apply then OK, OK, Cancel, the mouse unplugged
// and plugged in again, also while a popup is open). After every step the page
// shown must show what the configuration holds; after every write a fresh read of
// the device must equal the configuration.
//
// ZT_WALK_SEED=N replays one walk (default: a new seed, printed at the start);
// ZT_WALK_STEPS=N sets its length. A failure prints the seed and every step taken.
#include "WindowWalk.h"
#include "AppTestSupport.h"
#include "LightingPageInput.h"

#include "app/ButtonAssignmentPage.h"
#include "app/CurrentProfileStrip.h"
#include "app/MacrosPage.h"
#include "app/ProfilesPage.h"
#include "controls/BitmapBtn.h"
#include "controls/ColourPalette.h"
#include "controls/DropdownColorButton.h"
#include "controls/DropdownListItem.h"
#include "controls/EditItem.h"
#include "controls/ListPanelItem.h"
#include "controls/ListPanelPopup.h"
#include "controls/SliderMath.h"
#include "controls/SliderTrack.h"
#include "controls/XListCtrl.h"
#include "device/DeviceDescriptor.h"
#include "device/Mouse.h"
#include "device/server/IDeviceMacros.h"
#include "platform/NativeKeyEvent.h"
#include "popups/PopupBox.h"
#include "popups/TovikEliteMacroAssignmentPopup.h"
#include "popups/TovikEliteNameEntryPopup.h"
#include "popups/TovikEliteNumEntryPopup.h"
#include "settings/IMouseConfig.h"
#include "settings/IMouseProfile.h"
#include "settings/Macro.h"
#include "settings/TovikEliteConfig.h"
#include "skin/ColorTable.h"
#include "skin/ItemIds.h"

#include <QApplication>
#include <QLineEdit>
#include <QWindow>
#include <chrono>
#include <iostream>
#include <random>
#include <set>

namespace {

constexpr uint32_t kMouse = 0x0031;

uint64_t NumberFromEnvironment(const char* name, uint64_t fallback)
{
    const char* text = std::getenv(name);
    return text && *text ? std::strtoull(text, nullptr, 10) : fallback;
}

std::string Utf8(std::u16string_view text)
{
    return QString::fromUtf16(text.data(), qsizetype(text.size())).toStdString();
}

bool WindowIdle(CTovikEliteAppDlg& window)
{
    return window.IsFirstReadDone() && !window.HasTimer(MainTimer::StartWrite) &&
           !window.HasTimer(MainTimer::StartWriteThenClose) && !window.HasTimer(MainTimer::EndOfTransfer) &&
           !window.HasTimer(MainTimer::EndOfWriteThenClose) && window.Device() && !window.Device()->IsBusy() &&
           window.isEnabled();
}

void Click(QWidget* widget, Qt::MouseButton button = Qt::LeftButton, QPoint at = {})
{
    if (widget)
        QTest::mouseClick(widget, button, {}, at.isNull() ? widget->rect().center() : at);
}

void ClickItemOf(const CGUIItems& items, int id)
{
    if (CGUIItem* item = items.FindById(id))
        Click(item->window);
}

// Clicks a row of an open list-panel pop-up and waits until it has closed with it.
void ClickRowAndWait(CSkinWindow& window, int row)
{
    auto* popup = dynamic_cast<CListPanel*>(&window);
    if (!popup)
        return;
    QPointer<CListPanel> alive(popup);
    QTest::mouseClick(popup->List(), Qt::LeftButton, {}, popup->List()->RowRect(row).center());
    WaitUntil([&] { return !alive || alive->isHidden(); });
}

// The keys a single-key popup is given: a scan code and its Qt key.
struct Key {
    uint8_t scanCode;
    int qtKey;
    const char* name;
};
constexpr Key kKeys[] = {{0x1E, Qt::Key_A, "A"}, {0x1F, Qt::Key_S, "S"}, {0x20, Qt::Key_D, "D"},
                         {0x21, Qt::Key_F, "F"}, {0x22, Qt::Key_G, "G"}, {0x2C, Qt::Key_Z, "Z"}};

void PressKeyIn(CSkinWindow& popup, uint8_t scanCode, int qtKey, bool release)
{
    QWindow* handle = popup.windowHandle();
    if (!handle)
        return;
    auto down = MakeNativeKeyEvent(QEvent::KeyPress, Set1ScanCode{scanCode, false, false}, qtKey);
    QApplication::sendEvent(handle, down.get());
    if (release) {
        auto up = MakeNativeKeyEvent(QEvent::KeyRelease, Set1ScanCode{scanCode, false, false}, qtKey);
        QApplication::sendEvent(handle, up.get());
    }
}

class WindowWalkTest : public AppTest {
protected:
    // --- the walk's record ----------------------------------------------------------
    int Pick(int low, int high) // both ends included
    {
        return high <= low ? low : low + int(rng_() % uint64_t(high - low + 1));
    }
    bool Chance(int percent) { return int(rng_() % 100) < percent; }

    void Note(const std::string& text)
    {
        if (!step_.empty())
            step_ += "; ";
        step_ += text;
    }
    void Fail(const std::string& text)
    {
        if (failure_.empty())
            failure_ = "step " + std::to_string(stepNumber_) + " (page " + page_ + "): " + text;
    }
    bool Failed() const { return !failure_.empty(); }
    void Allow(const char* popup) { allowed_.insert(popup); }

    std::string Replay() const
    {
        std::string text = "replay with ZT_WALK_SEED=" + std::to_string(seed_) +
                           " ZT_WALK_STEPS=" + std::to_string(stepNumber_) + "\nsteps taken:\n";
        for (const std::string& step : steps_)
            text += "  " + step + "\n";
        return text;
    }

    // --- device --------------------------------------------------------------------
    void PlugMouse()
    {
        if (!plugged_)
            Plug(kMouse);
        plugged_ = true;
    }
    void UnplugMouse()
    {
        if (plugged_)
            Unplug(kMouse);
        plugged_ = false;
    }

    // A fresh device object reads the mouse into a fresh configuration, which must
    // hold everything `config` holds.
    void CompareWithDevice(IMouseConfig& config, const std::string& when)
    {
        CTovikEliteConfig fresh;
        CMouse mouse(*FindSupportedDevice(kMouse));
        if (!mouse.ReadAll(&fresh) || !mouse.Transfer(&fresh, TransferMode::Read, TransferFlags::All)) {
            Fail("the mouse could not be read " + when);
            return;
        }
        const std::vector<std::string> differences = walk::DeviceDifferences(config, fresh, kMouse);
        if (differences.empty())
            return;
        std::string text = "a fresh read of the device " + when + " differs from the configuration:";
        for (const std::string& line : differences)
            text += "\n    " + line;
        Fail(text);
    }

    // --- helpers for the pages -----------------------------------------------------
    static CMainWindowPage* PageOf(CTovikEliteAppDlg& window, int bit) { return window.Page(bit); }

    void ClickMain(CTovikEliteAppDlg& window, int id) { ClickItemOf(window.Items(), id); }
    void ClickPage(CTovikEliteAppDlg& window, int bit, int id)
    {
        if (CMainWindowPage* page = PageOf(window, bit))
            ClickItemOf(page->Items(), id);
    }

    // Opens `menu` and chooses its row `row` (and the sub-menu's row `subRow`).
    void ChooseRow(CDropdownListItem& menu, int row, int subRow = -1)
    {
        ModalScript::EndNextRun(kListPanelRunName, IDCANCEL,
                                [row](CSkinWindow& popup) { ClickRowAndWait(popup, row); });
        if (subRow >= 0)
            ModalScript::EndNextRun(kListPanelRunName, IDCANCEL,
                                    [subRow](CSkinWindow& popup) { ClickRowAndWait(popup, subRow); });
        Click(&menu);
    }

    // A name for a new profile or macro: a fresh one, or now and then the name of
    // one that exists (with its letters' case changed for profiles).
    std::u16string NewName(const char* prefix, const std::vector<std::u16string>& taken, bool changeCase,
                           bool& duplicate)
    {
        duplicate = !taken.empty() && Chance(15);
        if (duplicate) {
            QString name = QString::fromStdU16String(taken[size_t(Pick(0, int(taken.size()) - 1))]);
            return (changeCase ? name.toLower() : name).toStdU16String();
        }
        return QString::fromLatin1("%1%2").arg(QLatin1String(prefix)).arg(++serial_).toStdU16String();
    }

    // The next name-entry popup of `skin` is cancelled, or gets `name` typed and
    // confirmed. With `expectedStart`, the field must open holding it.
    void AnswerName(const char* skin, std::optional<std::u16string> name,
                    std::optional<std::u16string> expectedStart = std::nullopt)
    {
        ModalScript::EndNextRun(skin, IDCANCEL, [this, skin, name, expectedStart](CSkinWindow& window) {
            auto* popup = dynamic_cast<CTovikEliteNameEntryPopup*>(&window);
            if (!popup || !popup->NameField())
                return;
            QLineEdit* edit = popup->NameField()->Edit();
            if (expectedStart && edit->text().toStdU16String() != *expectedStart)
                Fail(std::string("popup ") + skin + ", name field: shows '" + edit->text().toStdString() +
                     "', the configuration holds '" + Utf8(*expectedStart) + "'");
            if (!name)
                return;
            edit->selectAll();
            QTest::keyClicks(edit, QString::fromStdU16String(*name));
            QTest::keyClick(edit, Qt::Key_Return);
        });
    }

    // --- the window's frame --------------------------------------------------------
    void ShowSomePage(CTovikEliteAppDlg& window)
    {
        static constexpr std::pair<int, const char*> kTabs[] = {{ItemId::BUTTON_ASSIGNBUTTONS, "buttons"},
                                                                {ItemId::BUTTON_ADJUSTPERFORMANCE, "performance"},
                                                                {ItemId::BUTTON_MANAGEPROFILES, "profiles"},
                                                                {ItemId::BUTTON_MANAGEMACROS, "macros"},
                                                                {ItemId::BUTTON_LIGHTINGMAINTENANCE, "lighting"}};
        const auto& [id, name] = kTabs[Pick(0, 4)];
        Note(std::string("show the ") + name + " page");
        ClickMain(window, id);
    }

    void Apply(CTovikEliteAppDlg& window)
    {
        const bool enabled = window.ApplyButton() && window.ApplyButton()->isEnabled();
        Note(enabled ? "Apply" : "Apply (disabled)");
        ClickMain(window, ItemId::BUTTON_APPLY);
        if (!WaitUntil([&] { return WindowIdle(window) || window.IsEnded(); })) {
            Fail("the write started by Apply did not end");
            return;
        }
        if (!window.IsEnded())
            CompareWithDevice(*window.Config(), "after Apply");
    }

    // OK (after Apply when asked): the window writes what is unwritten, then closes.
    void Ok(CTovikEliteAppDlg& window, bool applyFirst)
    {
        Note(applyFirst ? "Apply, then OK at once" : "OK");
        if (applyFirst)
            ClickMain(window, ItemId::BUTTON_APPLY);
        ClickMain(window, ItemId::BUTTON_OK);
        if (!WaitUntil([&] { return window.IsEnded(); })) {
            Fail("OK did not close the window");
            return;
        }
        CompareWithDevice(*window.Config(), "after OK closed the window");
    }

    void Cancel(CTovikEliteAppDlg& window)
    {
        Note("Cancel");
        ClickMain(window, ItemId::BUTTON_CANCEL);
        if (!window.IsEnded())
            Fail("Cancel did not close the window");
    }

    void UnplugAndPlug(CTovikEliteAppDlg& window)
    {
        const bool plugDuringNotice = Chance(50);
        Note(plugDuringNotice ? "unplug the mouse, plug it in while the notice is shown" : "unplug the mouse");
        bool noticeShown = false;
        Allow("NoMousePopup.xml");
        ModalScript::EndNextRun("NoMousePopup.xml", IDOK,
                                [this, plugDuringNotice, &noticeShown, &window](CSkinWindow& notice) {
                                    noticeShown = true;
                                    if (!plugDuringNotice)
                                        return;
                                    // A mouse plugged while the notice is shown may end it.
                                    PlugMouse();
                                    QPointer<CSkinWindow> shown(&notice);
                                    WaitUntil([&] { return !shown || shown->IsModalRunEnded() || window.IsEnded(); });
                                });
        UnplugMouse();
        if (!WaitUntil([&] { return noticeShown || window.IsEnded(); }) || !noticeShown) {
            Fail("the no-mouse notice was not shown after the mouse was unplugged");
            return;
        }
        WaitUntil([&] { return window.IsEnded() || WindowIdle(window); });
        if (!window.IsEnded() && plugged_) {
            Note("(the window took the mouse up again)");
            CompareWithDevice(*window.Config(), "after the mouse was taken up again");
        }
    }

    // A popup is opened and the mouse unplugged while it is open: the popup must be
    // ended (as cancelled) before the no-mouse notice shows, and nothing written.
    void UnplugDuringPopup(CTovikEliteAppDlg& window)
    {
        struct Opener {
            int pageBit;
            int itemId;
            const char* skin;
        };
        static constexpr Opener kOpeners[] = {
            {PageBit::Performance, ItemId::BUTTON_SENSITIVITY_STAGES, "DPIStagesPopup_MouseRefresh.xml"},
            {PageBit::Performance, ItemId::BUTTON_SENSOR_SETTINGS, "SensorCalibration_Popup.xml"},
            {PageBit::ButtonAssignment, ItemId::BUTTON_RESET, "RestorePopup.xml"},
            {PageBit::Profiles, ItemId::BUTTON_NEWPROFILE, "ProfileNamePopup.xml"},
            {PageBit::Macros, ItemId::BUTTON_MACRO_CREATE, "MacroNamePopup.xml"},
        };
        std::vector<const Opener*> usable;
        IMouseConfig& config = *window.Config();
        for (const Opener& opener : kOpeners) {
            // At their limits the name popups are not shown: a notice says why.
            const bool full =
                (opener.itemId == ItemId::BUTTON_NEWPROFILE && config.GetProfileCount() >= 5) ||
                (opener.itemId == ItemId::BUTTON_MACRO_CREATE && config.GetMacroCount() >= kMaxDeviceMacros);
            if (!full && window.CurrentPage() && window.CurrentPage()->PageBit() == opener.pageBit)
                usable.push_back(&opener);
        }
        if (usable.empty()) {
            ShowSomePage(window);
            return;
        }
        const Opener& opener = *usable[size_t(Pick(0, int(usable.size()) - 1))];
        Note(std::string("open ") + opener.skin + ", unplug the mouse while it is open, then press its OK");
        const bool wasChanged = window.AreSettingsChanged();
        emulator::FaultInjection::ResetCounters();
        bool noticeShown = false;
        bool popupOpenAtNotice = false;
        QPointer<CSkinWindow> popup;
        Allow("NoMousePopup.xml");
        Allow(opener.skin);
        ModalScript::EndNextRun(opener.skin, IDOK, [&](CSkinWindow& opened) {
            popup = &opened;
            ModalScript::EndNextRun("NoMousePopup.xml", IDOK, [&](CSkinWindow&) {
                noticeShown = true;
                popupOpenAtNotice = popup && popup->IsInModalRun() && !popup->IsModalRunEnded();
            });
            UnplugMouse();
            WaitUntil([&] { return noticeShown || !popup || popup->IsModalRunEnded(); });
            if (popup && popup->IsInModalRun() && !popup->IsModalRunEnded()) {
                // The user presses OK on a popup of a mouse that is gone.
                if (auto* name = dynamic_cast<CTovikEliteNameEntryPopup*>(popup.data()); name && name->NameField())
                    QTest::keyClicks(name->NameField()->Edit(), QStringLiteral("Gone%1").arg(++serial_));
                for (int ok : {ItemId::BUTTON_DPISTAGES_OK, ItemId::BUTTON_SENSOR_OK, ItemId::BUTTON_POPUP_OK})
                    if (popup && popup->IsInModalRun())
                        if (auto* box = dynamic_cast<CPopupBox*>(popup.data()))
                            ClickItemOf(box->Items(), ok);
            }
        });
        ClickPage(window, opener.pageBit, opener.itemId);
        if (!WaitUntil([&] { return noticeShown || window.IsEnded(); }) || !noticeShown) {
            Fail("the no-mouse notice was not shown after the mouse was unplugged under " + std::string(opener.skin));
            return;
        }
        WaitUntil([&] { return window.IsEnded() || WindowIdle(window); });
        if (popupOpenAtNotice)
            Fail(std::string(opener.skin) + " was still open when the no-mouse notice was shown");
        else if (!window.IsEnded() && window.AreSettingsChanged() != wasChanged)
            Fail(std::string(opener.skin) + " marked the settings changed for a mouse that is gone");
        for (const auto& [operation, count] : emulator::FaultInjection::CallCounts())
            for (const char* verb : {".Set", ".Turn", ".Create", ".Delete", ".Import", ".Activate"})
                if (operation.find(verb) != std::string::npos)
                    Fail("the device was written (" + operation + ") after it was unplugged under " + opener.skin);
    }

    // --- the button page -----------------------------------------------------------
    void AssignButton(CTovikEliteAppDlg& window)
    {
        auto* page = dynamic_cast<CButtonAssignmentPage*>(PageOf(window, PageBit::ButtonAssignment));
        static constexpr tMouseButton kButtons[] = {MOUSE_BUTTON_LEFT, MOUSE_BUTTON_RIGHT,    MOUSE_BUTTON_WHEEL,
                                                    MOUSE_BUTTON_4,    MOUSE_BUTTON_5,        MOUSE_BUTTON_10,
                                                    MOUSE_BUTTON_11,   MOUSE_BUTTON_WHEEL_UP, MOUSE_BUTTON_WHEEL_DOWN};
        const tMouseButton button = kButtons[Pick(0, 8)];
        CDropdownListItem* menu = page ? page->Menu(button) : nullptr;
        if (!menu || menu->EntryCount() == 0)
            return;
        IMouseConfig& config = *window.Config();
        std::vector<int> rows;
        for (int row = 0; row < menu->EntryCount(); ++row) {
            if (menu->IsEntryDisabled(row))
                continue;
            // The profile sub-menu lists every profile but one.
            if (menu->EntryKey(row) == u"$profile" && config.GetProfileCount() < 2)
                continue;
            rows.push_back(row);
        }
        if (rows.empty())
            return;
        const int row = rows[size_t(Pick(0, int(rows.size()) - 1))];
        const std::u16string key = menu->EntryKey(row);
        std::string note = "button " + std::to_string(int(button)) + ": choose " + Utf8(key);
        Allow("NoClickPopup.xml");
        const bool cancel = Chance(20);
        int subRow = -1;
        if (key == u"$SingleKey") {
            const Key& k = kKeys[Pick(0, int(std::size(kKeys)) - 1)];
            const bool ctrl = Chance(30);
            note += cancel ? " (cancelled)" : std::string(" key ") + (ctrl ? "Ctrl+" : "") + k.name;
            Allow("SingleKeyPopup.xml");
            ModalScript::EndNextRun("SingleKeyPopup.xml", IDCANCEL, [cancel, ctrl, k](CSkinWindow& popup) {
                if (cancel)
                    return ClickItemOf(static_cast<CPopupBox&>(popup).Items(), ItemId::BUTTON_POPUP_CANCEL);
                if (ctrl)
                    PressKeyIn(popup, 0x1D, Qt::Key_Control, false);
                PressKeyIn(popup, k.scanCode, k.qtKey, true);
                ClickItemOf(static_cast<CPopupBox&>(popup).Items(), ItemId::BUTTON_POPUP_OK);
            });
        } else if (key == u"$macro") {
            const int macroRow = Pick(0, int(config.GetMacroCount()) - 1);
            const bool repeat = Chance(25);
            const int count = Pick(1, 5);
            note += cancel ? " (cancelled)"
                           : " macro row " + std::to_string(macroRow + 1) +
                                 (repeat ? " played " + std::to_string(count) + " times" : std::string());
            Allow("SelectMacroPopup.xml");
            Allow("MacroRepeatEntryPopup.xml");
            ModalScript::EndNextRun("SelectMacroPopup.xml", IDCANCEL, [this, cancel, macroRow, repeat](CSkinWindow& w) {
                auto& popup = static_cast<CTovikEliteMacroAssignmentPopup&>(w);
                if (cancel)
                    return;
                if (popup.List() && popup.List()->EntryCount() > macroRow)
                    ChooseRow(*popup.List(), macroRow);
                if (repeat)
                    Click(popup.ModeButton(MacroPlayMode::Multiple));
                ClickItemOf(popup.Items(), ItemId::BUTTON_POPUP_OK);
            });
            if (repeat && !cancel)
                ModalScript::EndNextRun("MacroRepeatEntryPopup.xml", IDCANCEL, [count](CSkinWindow& w) {
                    auto& popup = static_cast<CTovikEliteNumEntryPopup&>(w);
                    if (!popup.NumberField())
                        return;
                    popup.NumberField()->Edit()->clear();
                    QTest::keyClicks(popup.NumberField()->Edit(), QString::number(count));
                    ClickItemOf(popup.Items(), ItemId::BUTTON_POPUP_OK);
                });
        } else if (key == u"$TemporaryDPISwitch") {
            unsigned min = 0, max = 0, step = 0;
            config.GetSensitivityRange(min, max, step);
            step = std::max(1u, step);
            const int value = int(min + step * unsigned(Pick(0, int((max - min) / step))));
            note += cancel ? " (cancelled)" : " at " + std::to_string(value);
            Allow("TempDPIPopup.xml");
            ModalScript::EndNextRun("TempDPIPopup.xml", IDCANCEL, [cancel, value](CSkinWindow& popup) {
                popup.SendMessage(WM_SLIDER_RELEASED, WPARAM(value), ItemId::SLIDER_DPI_MULTI_POPUP);
                ClickItemOf(static_cast<CPopupBox&>(popup).Items(),
                            cancel ? ItemId::BUTTON_DPISTAGES_CANCEL : ItemId::BUTTON_DPISTAGES_OK);
            });
        } else if (key == u"$profile") {
            subRow = Pick(0, int(config.GetProfileCount()) - 2);
            note += " sub-menu row " + std::to_string(subRow + 1);
        }
        Note(note);
        // While the menu is open its profile sub-menu lists every profile but the active one.
        ModalScript::EndNextRun(kListPanelRunName, IDCANCEL, [this, page, row, &config](CSkinWindow& popup) {
            if (CListPanelItem* sub = page->ProfileSubMenu()) {
                std::string shown, held;
                for (int i = 0; i < sub->RowCount(); ++i)
                    shown += sub->EntryAt(i).text.toStdString() + ";";
                for (size_t i = 0; i < config.GetProfileCount(); ++i)
                    if (config.GetProfile(i) != config.GetCurrentProfile())
                        held += Utf8(config.GetProfile(i)->GetName()) + ";";
                if (shown != held)
                    Fail("page buttons, profile sub-menu: shows '" + shown +
                         "', the profiles other than the active one are '" + held + "'");
            }
            ClickRowAndWait(popup, row);
        });
        if (subRow >= 0)
            ModalScript::EndNextRun(kListPanelRunName, IDCANCEL,
                                    [subRow](CSkinWindow& popup) { ClickRowAndWait(popup, subRow); });
        Click(menu);
    }

    void RestoreButtonDefaults(CTovikEliteAppDlg& window)
    {
        const bool confirm = Chance(60);
        Note(confirm ? "restore the defaults (confirmed)" : "restore the defaults (cancelled)");
        Allow("RestorePopup.xml");
        ModalScript::EndNextRun("RestorePopup.xml", confirm ? IDOK : IDCANCEL);
        ClickPage(window, PageBit::ButtonAssignment, ItemId::BUTTON_RESET);
    }

    void ChooseInStrip(CTovikEliteAppDlg& window)
    {
        auto* strip = dynamic_cast<CCurrentProfileStrip*>(&window.ProfileStrip());
        CDropdownListItem* list = strip ? strip->ProfileList() : nullptr;
        if (!list || list->EntryCount() == 0)
            return;
        const int row = Pick(0, list->EntryCount() - 1);
        Note("choose profile row " + std::to_string(row + 1) + " in the strip");
        ChooseRow(*list, row);
    }

    // --- the performance page ------------------------------------------------------
    void ReleaseThumb(const CGUIItems& items, int trackId, int thumbId, WPARAM value)
    {
        if (auto* track = dynamic_cast<CSliderTrack*>(items.FindById(trackId, ItemKind::SLIDERTRACK)))
            track->SendMessage(WM_SLIDER_RELEASED, value, LPARAM(thumbId));
        QCoreApplication::processEvents();
    }

    int RandomSensitivity(IMouseConfig& config)
    {
        unsigned min = 0, max = 0, step = 0;
        config.GetSensitivityRange(min, max, step);
        step = std::max(1u, step);
        return int(min + step * unsigned(Pick(0, int((max - min) / step))));
    }

    void PerformanceAction(CTovikEliteAppDlg& window)
    {
        CMainWindowPage* page = PageOf(window, PageBit::Performance);
        if (!page)
            return;
        IMouseConfig& config = *window.Config();
        const CGUIItems& items = page->Items();
        switch (Pick(0, 8)) {
        case 0: {
            const int value = RandomSensitivity(config);
            if (config.GetCurrentSeparate()) {
                const bool x = Chance(50);
                Note(std::string("release the ") + (x ? "X" : "Y") + " sensitivity slider at " + std::to_string(value));
                ReleaseThumb(items, x ? ItemId::BITMAP_SLSENSTRK_X : ItemId::BITMAP_SLSENSTRK_Y,
                             x ? ItemId::SLIDER_DPI_MULTI_X_STAGE1 : ItemId::SLIDER_DPI_MULTI_Y_STAGE1, WPARAM(value));
            } else {
                Note("release the sensitivity slider at " + std::to_string(value));
                ReleaseThumb(items, ItemId::BITMAP_SLSENSTRK_XY, ItemId::SLIDER_DPI_MULTI_STAGE1, WPARAM(value));
            }
            break;
        }
        case 1:
            Note("toggle separate X/Y");
            ClickItemOf(items, ItemId::BUTTON_ENABLEXY);
            break;
        case 2:
            Note("toggle acceleration");
            ClickItemOf(items, ItemId::BUTTON_ENABLEACCELERATION);
            break;
        case 3: {
            if (!config.GetAccelerationOn())
                return PerformanceAction(window);
            const int level = Pick(int(config.GetAccelerationLevelMin()), int(config.GetAccelerationLevelMax()));
            Note("release the acceleration slider at " + std::to_string(level));
            ReleaseThumb(items, ItemId::BITMAP_SLACCLTRK, ItemId::SLIDER_ACCEL_STAGE1, WPARAM(level));
            break;
        }
        case 4: {
            const int rate = Pick(0, 2);
            Note("choose rate button " + std::to_string(rate + 1));
            ClickItemOf(items, ItemId::BUTTON_RATE1 + rate);
            break;
        }
        case 5:
            Note("toggle the sensitivity display");
            ClickItemOf(items, ItemId::BUTTON_ENABLE_DPI_OSD);
            break;
        case 6:
        case 7:
            Stages(window, config);
            break;
        default:
            Calibration(window);
            break;
        }
    }

    void Stages(CTovikEliteAppDlg& window, IMouseConfig& config)
    {
        const bool ok = Chance(70);
        const int change = Pick(-1, 1);
        const int stage = Pick(1, 5);
        const int value = RandomSensitivity(config);
        Note("stages popup: count " +
             std::string(change < 0   ? "-1"
                         : change > 0 ? "+1"
                                      : "kept") +
             ", choose stage " + std::to_string(stage) + " at " + std::to_string(value) + (ok ? ", OK" : ", cancel"));
        const char* skin = "DPIStagesPopup_MouseRefresh.xml";
        Allow(skin);
        ModalScript::EndNextRun(skin, IDCANCEL, [this, ok, change, stage, value](CSkinWindow& popup) {
            auto& box = static_cast<CPopupBox&>(popup);
            if (change != 0)
                ClickItemOf(box.Items(), change < 0 ? ItemId::BUTTON_DPISTAGES_DEC : ItemId::BUTTON_DPISTAGES_INC);
            ClickItemOf(box.Items(), ItemId::DPISTAGEWINDOW_01 + stage - 1);
            ReleaseThumb(box.Items(), ItemId::BITMAP_SLSENSTRK_XY_POPUP, ItemId::SLIDER_DPI_MULTI_STAGE1_POPUP,
                         WPARAM(value));
            ClickItemOf(box.Items(), ok ? ItemId::BUTTON_DPISTAGES_OK : ItemId::BUTTON_DPISTAGES_CANCEL);
        });
        ClickPage(window, PageBit::Performance, ItemId::BUTTON_SENSITIVITY_STAGES);
    }

    void Calibration(CTovikEliteAppDlg& window)
    {
        const bool ok = Chance(70);
        const bool on = Chance(50);
        const bool automatic = Chance(50);
        const int tenths = Pick(0, 100);
        Note(std::string("calibration popup: ") + (on ? "on" : "off") + ", " + (automatic ? "automatic" : "custom") +
             " lift-off " + std::to_string(tenths) + (ok ? ", OK" : ", cancel"));
        const char* skin = "SensorCalibration_Popup.xml";
        Allow(skin);
        ModalScript::EndNextRun(skin, IDCANCEL, [this, ok, on, automatic, tenths](CSkinWindow& popup) {
            auto& box = static_cast<CPopupBox&>(popup);
            ClickItemOf(box.Items(), on ? ItemId::CALIBRATION_ON : ItemId::CALIBRATION_OFF);
            ClickItemOf(box.Items(), automatic ? ItemId::LIFTOFF_AUTO : ItemId::LIFTOFF_CUSTOM);
            const SliderScale scale{0, 10, 0.1f};
            ReleaseThumb(box.Items(), ItemId::BITMAP_LIFTOFF_RANGE, ItemId::SLIDER_LIFTOFF_RANGE,
                         scale.MessageValue(uint32_t(tenths)));
            ClickItemOf(box.Items(), ok ? ItemId::BUTTON_SENSOR_OK : ItemId::BUTTON_SENSOR_CANCEL);
        });
        ClickPage(window, PageBit::Performance, ItemId::BUTTON_SENSOR_SETTINGS);
    }

    // --- the lighting and power page ---------------------------------------------------
    void LightingAction(CTovikEliteAppDlg& window)
    {
        using namespace lightinginput;
        switch (Pick(0, 5)) {
        case 0: {
            static constexpr std::pair<int, const char*> kChoices[] = {
                {ItemId::SCROLL_LEDON, "scroll wheel light on"}, {ItemId::SCROLL_LEDOFF, "scroll wheel light off"},
                {ItemId::BATTERY_ID_LEDON, "battery light on"},  {ItemId::BATTERY_ID_LEDOFF, "battery light off"},
                {ItemId::TOVIKELITE_COLOR_ON, "fixed colour"},   {ItemId::SPECTRUM_CYCLING_ON, "spectrum cycling"}};
            const auto& [id, name] = kChoices[Pick(0, 5)];
            Note(std::string("choose ") + name);
            lightinginput::Click(window, id);
            break;
        }
        case 1: {
            auto* colour = dynamic_cast<CDropdownColorButton*>(Item(window, ItemId::DROPDOWN_MOUSE_COLOR));
            if (!colour)
                return;
            const int index = Pick(0, int(CColourPalette::Colours().size()) - 1);
            Note("choose palette colour " + std::to_string(index));
            lightinginput::Click(window, ItemId::DROPDOWN_MOUSE_COLOR);
            if (colour->Palette()) {
                QPointer<CColourPalette> palette = colour->Palette();
                QTest::mouseClick(palette, Qt::LeftButton, {}, palette->CellRect(index).center());
                WaitUntil([&] { return !palette || !colour->IsPaletteOpen(); });
            }
            break;
        }
        default: {
            struct Slider {
                int id;
                int low, high;
                const char* name;
            };
            static constexpr Slider kSliders[] = {{ItemId::SLIDER_LED_BRIGHTNESS, 1, 100, "light brightness"},
                                                  {ItemId::SLIDER_POWER_BRIGHTNESS, 1, 255, "reduced brightness"},
                                                  {ItemId::SLIDER_POWER_SLEEPTOIDLE, 1, 15, "sleep"},
                                                  {ItemId::SLIDER_POWER_FLASHSCROLL, 5, 25, "battery warning"}};
            const Slider& slider = kSliders[Pick(0, 3)];
            const int value = Pick(slider.low, slider.high);
            Note(std::string("drag the ") + slider.name + " slider to " + std::to_string(value));
            CPHSlider* thumb = Thumb(window, slider.id);
            if (thumb && thumb->isVisible())
                Drag(thumb, value);
            break;
        }
        }
    }

    // --- the profiles page -----------------------------------------------------------
    std::vector<std::u16string> ProfileNames(IMouseConfig& config)
    {
        std::vector<std::u16string> names;
        for (size_t i = 0; i < config.GetProfileCount(); ++i)
            names.push_back(config.GetProfile(i)->GetName());
        return names;
    }

    // Right-clicks `row` of the list and chooses the menu entry of `key`.
    void ContextCommand(CXListCtrl& list, int row, std::u16string key)
    {
        ModalScript::EndNextRun(kListPanelRunName, IDCANCEL, [key](CSkinWindow& window) {
            auto* popup = dynamic_cast<CListPanel*>(&window);
            if (!popup)
                return;
            for (int entry = 0; entry < popup->List()->Panel().RowCount(); ++entry)
                if (popup->List()->Panel().EntryAt(entry).key == key)
                    return ClickRowAndWait(window, entry);
        });
        const int column = list.ColumnOfKind(ListColumnKind::LCITEM_PROFILENAME);
        Click(&list, Qt::RightButton, list.CellRect(row, column).center());
    }

    void ProfilesAction(CTovikEliteAppDlg& window)
    {
        auto* page = dynamic_cast<CProfilesPage*>(PageOf(window, PageBit::Profiles));
        CXListCtrl* list = page ? page->List() : nullptr;
        if (!list || list->RowCount() == 0)
            return;
        IMouseConfig& config = *window.Config();
        const int row = Pick(0, list->RowCount() - 1);
        const int index = list->RowUserValue(row);
        IMouseProfile* profile =
            index >= 0 && size_t(index) < config.GetProfileCount() ? config.GetProfile(size_t(index)) : nullptr;
        const std::string rowName =
            "row " + std::to_string(row + 1) + (profile ? " '" + Utf8(profile->GetName()) + "'" : std::string());
        const bool full = config.GetProfileCount() >= 5;
        Allow("ProfileLimitReachedPopup.xml");
        Allow("DuplicateProfileWarningPopup.xml");
        switch (Pick(0, 10)) {
        case 0:
        case 1: {
            bool duplicate = false;
            const bool cancel = Chance(15);
            const std::u16string name = NewName("Profile", ProfileNames(config), true, duplicate);
            Note(std::string("new profile") + (full     ? " (limit reached)"
                                               : cancel ? " (cancelled)"
                                                        : " '" + Utf8(name) + "'"));
            if (!full) {
                Allow("ProfileNamePopup.xml");
                AnswerName("ProfileNamePopup.xml", cancel ? std::nullopt : std::optional(name));
            }
            if (Chance(50))
                ClickItemOf(page->Items(), ItemId::BUTTON_NEWPROFILE);
            else
                ContextCommand(*list, row, u"$New");
            break;
        }
        case 2: {
            if (!profile)
                return;
            bool duplicate = false;
            const std::u16string name = NewName("Renamed", ProfileNames(config), true, duplicate);
            Note("rename " + rowName + " to '" + Utf8(name) + "'");
            Allow("ProfileRenamePopup.xml");
            AnswerName("ProfileRenamePopup.xml", name, profile->GetName());
            ContextCommand(*list, row, u"$Rename");
            break;
        }
        case 3:
            Note("copy " + rowName + (full ? " (limit reached)" : ""));
            if (Chance(50))
                ContextCommand(*list, row, u"$Copy");
            else {
                list->SelectRow(row);
                Click(list, Qt::LeftButton,
                      list->CellRect(row, list->ColumnOfKind(ListColumnKind::LCITEM_PROFILEID)).center());
                Note("(the row click makes it active)");
                ClickItemOf(page->Items(), ItemId::BUTTON_SAVEPROFILE);
            }
            break;
        case 4: {
            const bool confirm = Chance(70);
            Note("delete " + rowName + (confirm ? "" : " (cancelled)"));
            Allow("DisallowDeletePopup.xml");
            if (index != 0) {
                Allow("ConfirmDeletePopup.xml");
                ModalScript::EndNextRun("ConfirmDeletePopup.xml", confirm ? IDOK : IDCANCEL);
            }
            ContextCommand(*list, row, u"$Delete");
            break;
        }
        case 5:
        case 6:
            Note("set " + rowName + " active");
            if (Chance(50))
                ContextCommand(*list, row, u"$SetActive");
            else
                Click(list, Qt::LeftButton,
                      list->CellRect(row, list->ColumnOfKind(ListColumnKind::LCITEM_PROFILEID)).center());
            break;
        case 7: {
            const bool confirm = Chance(60);
            Note("restore the defaults of " + rowName + (confirm ? "" : " (cancelled)"));
            Allow("RestorePopup.xml");
            ModalScript::EndNextRun("RestorePopup.xml", confirm ? IDOK : IDCANCEL);
            ContextCommand(*list, row, u"$RestoreDefault");
            break;
        }
        case 8:
            Note("preview " + rowName);
            Allow("PreviewPopup.xml");
            ModalScript::EndNextRun("PreviewPopup.xml", IDOK);
            ContextCommand(*list, row, u"$Preview");
            break;
        case 9:
            Note("toggle automatic switching of " + rowName);
            Allow("SelectApplicationWarningPopup.xml");
            list->ClickCheck(row, list->ColumnOfKind(ListColumnKind::LCITEM_AUTOSWITCH));
            break;
        default:
            Note("toggle the profile display");
            ClickItemOf(page->Items(), ItemId::BUTTON_ENABLE_PROFILE_OSD);
            break;
        }
    }

    // --- the macros page -------------------------------------------------------------
    void MacrosAction(CTovikEliteAppDlg& window)
    {
        auto* page = dynamic_cast<CMacrosPage*>(PageOf(window, PageBit::Macros));
        if (!page)
            return;
        IMouseConfig& config = *window.Config();
        std::vector<std::u16string> names;
        for (size_t i = 0; i < config.GetMacroCount(); ++i)
            names.push_back(config.GetMacro(i)->GetName());
        // The page's selection is used only while the configuration still holds it.
        CMacro* selected = nullptr;
        for (size_t i = 0; i < config.GetMacroCount(); ++i)
            if (config.GetMacro(i) == page->SelectedMacro())
                selected = page->SelectedMacro();
        const std::string selectedName = selected ? " '" + Utf8(selected->GetName()) + "'" : std::string(" (none)");
        Allow("DuplicateMacroWarningPopup.xml");
        Allow("MacroLimitReachedPopup.xml");
        Allow("MacroFileWarningPopup.xml");
        const bool full = config.GetMacroCount() >= kMaxDeviceMacros;
        switch (Pick(0, 9)) {
        case 0:
        case 1: {
            bool duplicate = false;
            const bool cancel = Chance(15);
            const std::u16string name = NewName("Macro", names, false, duplicate);
            if (full) {
                Note("create macro (limit reached)");
                ClickItemOf(page->Items(), ItemId::BUTTON_MACRO_CREATE);
                break;
            }
            Note("create macro" + (cancel ? std::string(" (cancelled)") : " '" + Utf8(name) + "'"));
            Allow("MacroNamePopup.xml");
            AnswerName("MacroNamePopup.xml", cancel ? std::nullopt : std::optional(name));
            ClickItemOf(page->Items(), ItemId::BUTTON_MACRO_CREATE);
            break;
        }
        case 2: {
            if (!selected)
                return MacrosAction(window);
            bool duplicate = false;
            const std::u16string name = NewName("Renamed", names, false, duplicate);
            Note("rename macro" + selectedName + " to '" + Utf8(name) + "'");
            Allow("MacroRenamePopup.xml");
            AnswerName("MacroRenamePopup.xml", name, selected->GetName());
            ClickItemOf(page->Items(), ItemId::BUTTON_MACRO_RENAME);
            break;
        }
        case 3: {
            if (!selected)
                return MacrosAction(window);
            const bool confirm = Chance(70);
            Note("delete macro" + selectedName + (confirm ? "" : " (cancelled)"));
            Allow("ConfirmDeleteMacroPopup.xml");
            ModalScript::EndNextRun("ConfirmDeleteMacroPopup.xml", confirm ? IDOK : IDCANCEL);
            ClickItemOf(page->Items(), ItemId::BUTTON_MACRO_DELETE);
            break;
        }
        case 4: {
            auto* list = page->Items().FindAs<CDropdownListItem>(ItemId::LIST_GLOBALMACROLIST);
            if (!list || list->EntryCount() == 0)
                return MacrosAction(window);
            const int row = Pick(0, list->EntryCount() - 1);
            Note("select macro row " + std::to_string(row + 1));
            ChooseRow(*list, row);
            break;
        }
        case 5: {
            if (!selected)
                return MacrosAction(window);
            const int delay = Pick(1, 3000);
            Note("insert a delay of " + std::to_string(delay) + " ms into" + selectedName);
            if (auto* box = page->Items().FindAs<CEditItem>(ItemId::EDITCTRL_INSERT_DELAY))
                box->SetText(QString::number(delay));
            ClickItemOf(page->Items(), ItemId::BUTTON_INSERT_DELAY);
            break;
        }
        case 8: {
            if (!selected)
                return MacrosAction(window);
            bool onDevice = false;
            if (IMouseDevice* device = window.Device())
                onDevice = device->HasDeviceMacro(selected);
            const std::u16string path =
                QString::fromStdString((temp_ / ("exported" + std::to_string(++serial_) + ".zmm")).string())
                    .toStdU16String();
            Note("export macro" + selectedName + (onDevice ? " to " + Utf8(path) : std::string(" (not on the mouse)")));
            if (onDevice) {
                ModalScript::AnswerNextSaveFile(path);
                exported_.push_back(path);
            } else {
                Allow("ExportMacroWarningPopup.xml");
            }
            ClickItemOf(page->Items(), ItemId::BUTTON_MACRO_EXPORT);
            break;
        }
        case 9: {
            if (exported_.empty())
                return MacrosAction(window);
            const std::u16string path = exported_[size_t(Pick(0, int(exported_.size()) - 1))];
            Note("import macro file " + Utf8(path) + (full ? " (limit reached)" : ""));
            if (!full)
                ModalScript::AnswerNextOpenFile(path);
            ClickItemOf(page->Items(), ItemId::BUTTON_MACRO_IMPORT);
            break;
        }
        default: {
            auto* list = page->Items().FindAs<CDropdownListItem>(ItemId::LIST_GLOBAL_BASIC_COMMANDS);
            if (!selected || !list || list->EntryCount() == 0)
                return MacrosAction(window);
            const int row = Pick(0, list->EntryCount() - 1);
            Note("insert ready-made command row " + std::to_string(row + 1) + " into" + selectedName);
            ChooseRow(*list, row);
            break;
        }
        }
    }

    // --- one step --------------------------------------------------------------------
    void Step(CTovikEliteAppDlg& window)
    {
        const int shown = window.CurrentPage() ? window.CurrentPage()->PageBit() : 0;
        const int roll = Pick(0, 99);
        if (roll < 16)
            return ShowSomePage(window);
        if (roll < 22)
            return Apply(window);
        if (roll < 24)
            return Ok(window, true);
        if (roll < 25)
            return Ok(window, false);
        if (roll < 26)
            return Cancel(window);
        if (roll < 28)
            return UnplugAndPlug(window);
        if (roll < 30)
            return UnplugDuringPopup(window);
        switch (shown) {
        case PageBit::ButtonAssignment:
            if (roll < 40)
                return ChooseInStrip(window);
            if (roll < 44)
                return RestoreButtonDefaults(window);
            return AssignButton(window);
        case PageBit::Performance:
            if (roll < 38)
                return ChooseInStrip(window);
            return PerformanceAction(window);
        case PageBit::Profiles:
            return ProfilesAction(window);
        case PageBit::Macros:
            return MacrosAction(window);
        case PageBit::Lighting:
            return LightingAction(window);
        default:
            return ShowSomePage(window);
        }
    }

    void CheckAfterStep(CTovikEliteAppDlg& window, size_t recordsBefore)
    {
        const auto& records = ModalScript::Records();
        for (size_t i = recordsBefore; i < records.size(); ++i) {
            const ModalRecord& record = records[i];
            if (record.kind != ModalRecord::Kind::Window || record.name == kListPanelRunName)
                continue;
            if (!allowed_.count(record.name))
                Fail("an unexpected popup was shown: " + record.name);
        }
        if (ModalScript::PendingAnswers() > 0)
            Fail("a popup the step expected was not shown (" + std::to_string(ModalScript::PendingAnswers()) +
                 " answers left)");
        if (window.IsEnded() || Failed())
            return;
        if (window.ApplyButton() && window.ApplyButton()->isEnabled() != window.AreSettingsChanged())
            Fail(std::string("the Apply button is ") + (window.ApplyButton()->isEnabled() ? "enabled" : "disabled") +
                 " while the settings are " + (window.AreSettingsChanged() ? "changed" : "unchanged"));
        // A change the configuration holds must be one Apply can write.
        if (auto* config = dynamic_cast<CTovikEliteConfig*>(window.Config());
            config && config->IsAnyModified() && !window.AreSettingsChanged())
            Fail("the configuration holds unwritten changes, but Apply is disabled");
        for (const walk::Mismatch& mismatch : walk::CheckShownPage(window)) {
            Fail(walk::Describe(mismatch));
            break;
        }
    }

    // Steps in one window until it closes, the walk is over or a check fails.
    void WalkWindow(CTovikEliteAppDlg& window)
    {
        if (!WaitUntil([&] { return WindowIdle(window) || window.IsEnded(); }) || window.IsEnded()) {
            Fail("the window did not finish reading the mouse");
            return;
        }
        page_ = walk::ShownPageName(window);
        CheckAfterStep(window, ModalScript::Records().size());
        while (!Failed() && stepNumber_ < stepsWanted_ && !window.IsEnded()) {
            ++stepNumber_;
            page_ = walk::ShownPageName(window);
            step_.clear();
            allowed_.clear();
            const size_t recordsBefore = ModalScript::Records().size();
            Step(window);
            if (!window.IsEnded() && !Failed() && !WaitUntil([&] { return WindowIdle(window) || window.IsEnded(); }))
                Fail("the window did not become idle again");
            steps_.push_back(std::to_string(stepNumber_) + " [" + page_ + "] " + step_);
            page_ = window.IsEnded() ? page_ : walk::ShownPageName(window);
            CheckAfterStep(window, recordsBefore);
        }
    }

    std::mt19937_64 rng_;
    uint64_t seed_ = 0;
    int stepsWanted_ = 0;
    int stepNumber_ = 0;
    std::string step_;
    std::string page_ = "none";
    std::vector<std::string> steps_;
    std::set<std::string> allowed_;
    std::string failure_;
    unsigned serial_ = 0;
    std::vector<std::u16string> exported_; // macro files written by the walk
    bool plugged_ = false;
};

TEST_F(WindowWalkTest, EveryPageShowsWhatTheConfigurationHoldsAndEveryWriteReachesTheMouse)
{
    const auto now = uint64_t(std::chrono::system_clock::now().time_since_epoch().count());
    seed_ = NumberFromEnvironment("ZT_WALK_SEED", now % 1000000007u);
    stepsWanted_ = int(NumberFromEnvironment("ZT_WALK_STEPS", 250));
    rng_.seed(seed_);
    std::cout << "window walk: ZT_WALK_SEED=" << seed_ << " ZT_WALK_STEPS=" << stepsWanted_ << std::endl;

    PlugMouse();
    int windows = 0;
    while (!Failed() && stepNumber_ < stepsWanted_) {
        PlugMouse();
        ModalScript::Reset();
        ModalScript::SetStrict(true);
        ++windows;
        RunApp([&](CTovikEliteAppDlg& window) { WalkWindow(window); });
        if (!Failed() && windows > stepsWanted_ + 1)
            Fail("windows keep closing without a step");
    }
    std::cout << "window walk: " << stepNumber_ << " steps in " << windows << " windows" << std::endl;
    if (Failed())
        ADD_FAILURE() << "ZT_WALK_SEED=" << seed_ << ": " << failure_ << "\n" << Replay();
}

} // namespace
