// SPDX-License-Identifier: GPL-3.0-or-later
// One checker per page: each visible control's value against the configuration.
// A page is compared only while it is shown, as a user sees it; what a hidden page
// holds must be right by the time it is shown again, which a later step checks.
#include "WindowWalk.h"

#include "app/ButtonAssignmentDetail.h"
#include "app/ButtonAssignmentPage.h"
#include "app/CurrentProfileStrip.h"
#include "app/LightingLevels.h"
#include "app/MacroEventConversion.h"
#include "app/MacrosPage.h"
#include "app/ProfilesPage.h"
#include "app/TovikEliteAppDlg.h"
#include "controls/BitmapBtn.h"
#include "controls/DropdownColorButton.h"
#include "controls/DropdownListItem.h"
#include "controls/MacroDisplayItem.h"
#include "controls/PHSlider.h"
#include "controls/SliderHMulti.h"
#include "controls/TextItem.h"
#include "controls/XListCtrl.h"
#include "device/ButtonRecordCodec.h"
#include "device/DeviceValues.h"
#include "device/MacroEventBlock.h"
#include "device/MouseSupport.h"
#include "emulator/Products.h"
#include "popups/PopupSliders.h"
#include "settings/AssignmentKind.h"
#include "settings/IMouseConfig.h"
#include "settings/IMouseProfile.h"
#include "settings/Macro.h"
#include "skin/ColorTable.h"
#include "skin/ItemIds.h"

#include <QRegularExpression>
#include <algorithm>
#include <cstring>
#include <sstream>

namespace walk {
namespace {

std::string Utf8(std::u16string_view text)
{
    return QString::fromUtf16(text.data(), qsizetype(text.size())).toStdString();
}

std::string Utf8(const QString& text)
{
    return text.toStdString();
}

std::string YesNo(bool on)
{
    return on ? "on" : "off";
}

class Checker {
public:
    Checker(std::vector<Mismatch>& out, std::string page) : out_(out), page_(std::move(page)) {}

    template <class A, class B>
    void Same(const std::string& control, const A& shown, const B& held)
    {
        if (!(shown == held))
            out_.push_back({page_, control, Text(shown), Text(held)});
    }

private:
    static std::string Text(const std::string& value) { return "'" + value + "'"; }
    static std::string Text(const char* value) { return Text(std::string(value)); }
    static std::string Text(bool value) { return YesNo(value); }
    template <class T>
    static std::string Text(const T& value)
    {
        std::ostringstream out;
        out << value;
        return out.str();
    }

    std::vector<Mismatch>& out_;
    std::string page_;
};

bool Visible(CTovikEliteAppDlg& window, const CGUIItem* item)
{
    return item && item->window && item->window->isVisibleTo(&window);
}

// The first whole number in a text, or -1.
int FirstNumber(const QString& text)
{
    const QRegularExpressionMatch match = QRegularExpression(QStringLiteral("(\\d+)")).match(text);
    return match.hasMatch() ? match.captured(1).toInt() : -1;
}

// An assignment as a person reads it: its kind's name and its detail.
std::string KindName(const AssignmentRecord& record, const IMouseConfig& config)
{
    const auto key = AssignmentKindTextKey(MenuKindOfAssignment(record.kind));
    std::string text = key ? std::string(*key) : "kind " + std::to_string(record.kind);
    const std::u16string detail = AssignmentDetail(record, config);
    return detail.empty() ? text : text + " (" + Utf8(detail) + ")";
}

constexpr tMouseButton kButtons[] = {MOUSE_BUTTON_LEFT, MOUSE_BUTTON_RIGHT,    MOUSE_BUTTON_WHEEL,
                                     MOUSE_BUTTON_4,    MOUSE_BUTTON_5,        MOUSE_BUTTON_10,
                                     MOUSE_BUTTON_11,   MOUSE_BUTTON_WHEEL_UP, MOUSE_BUTTON_WHEEL_DOWN};

void CheckButtonPage(CTovikEliteAppDlg& window, IMouseConfig& config, std::vector<Mismatch>& out)
{
    auto* page = dynamic_cast<CButtonAssignmentPage*>(window.Page(PageBit::ButtonAssignment));
    if (!page)
        return;
    Checker check(out, "buttons");
    for (tMouseButton button : kButtons) {
        CDropdownListItem* menu = page->Menu(button);
        if (!menu)
            continue;
        const std::string name = "menu of button " + std::to_string(int(button));
        const AssignmentRecord record = config.GetButtonAssignment(button);
        const auto key = AssignmentKindTextKey(MenuKindOfAssignment(record.kind));
        const int selected = menu->Selected();
        check.Same(name + " (assignment)", selected >= 0 ? Utf8(menu->EntryKey(selected)) : std::string("(none)"),
                   key ? std::string(*key) : std::string("(none)"));
        if (selected >= 0)
            check.Same(name + " (detail)", Utf8(menu->EntryDetail(selected)), Utf8(AssignmentDetail(record, config)));
        for (int row = 0; row < menu->EntryCount(); ++row)
            if (menu->EntryKey(row) == u"$macro")
                check.Same(name + " (macro entry can be chosen)", !menu->IsEntryDisabled(row),
                           config.GetMacroCount() > 0);
    }
}

void CheckProfileStrip(CTovikEliteAppDlg& window, IMouseConfig& config, std::vector<Mismatch>& out)
{
    auto* strip = dynamic_cast<CCurrentProfileStrip*>(&window.ProfileStrip());
    CDropdownListItem* list = strip ? strip->ProfileList() : nullptr;
    if (!list || !Visible(window, list))
        return;
    Checker check(out, "current-profile strip");
    std::vector<std::string> shown, held;
    for (int row = 0; row < list->EntryCount(); ++row)
        shown.push_back(Utf8(list->EntryKey(row)));
    for (size_t i = 0; i < config.GetProfileCount(); ++i)
        held.push_back(Utf8(config.GetProfile(i)->GetName()));
    std::string shownList, heldList;
    for (const auto& name : shown)
        shownList += name + ";";
    for (const auto& name : held)
        heldList += name + ";";
    check.Same("profile list", shownList, heldList);
    const int selected = list->Selected();
    IMouseProfile* current = config.GetCurrentProfile();
    check.Same("active profile", selected >= 0 ? Utf8(list->EntryKey(selected)) : std::string("(none)"),
               current ? Utf8(current->GetName()) : std::string("(none)"));
}

void CheckPerformancePage(CTovikEliteAppDlg& window, IMouseConfig& config, std::vector<Mismatch>& out)
{
    CMainWindowPage* page = window.Page(PageBit::Performance);
    if (!page)
        return;
    Checker check(out, "performance");
    const CGUIItems& items = page->Items();
    const bool separate = config.GetCurrentSeparate();
    if (auto* box = items.FindAs<CBitmapBtn>(ItemId::BUTTON_ENABLEXY))
        check.Same("separate X/Y box", box->IsChecked(), separate);
    auto sliderValue = [&](int id) { return SliderValueOr(items.FindAs<CSliderHMulti>(id), -1); };
    auto text = [&](int id) {
        auto* item = items.FindAs<CTextItem>(id);
        return item ? Utf8(item->GetText()) : std::string("(missing)");
    };
    if (separate) {
        check.Same("X sensitivity slider shown", Visible(window, items.FindById(ItemId::SLIDER_DPI_MULTI_X)), true);
        check.Same("combined sensitivity slider shown", Visible(window, items.FindById(ItemId::SLIDER_DPI_MULTI)),
                   false);
        check.Same("X sensitivity slider", sliderValue(ItemId::SLIDER_DPI_MULTI_X), int(config.GetCurrentX()));
        check.Same("Y sensitivity slider", sliderValue(ItemId::SLIDER_DPI_MULTI_Y), int(config.GetCurrentY()));
        check.Same("first sensitivity number", text(ItemId::TEXT_DPIVALUE1), std::to_string(config.GetCurrentX()));
        check.Same("second sensitivity number", text(ItemId::TEXT_DPIVALUE2), std::to_string(config.GetCurrentY()));
    } else {
        check.Same("combined sensitivity slider shown", Visible(window, items.FindById(ItemId::SLIDER_DPI_MULTI)),
                   true);
        check.Same("X sensitivity slider shown", Visible(window, items.FindById(ItemId::SLIDER_DPI_MULTI_X)), false);
        check.Same("combined sensitivity slider", sliderValue(ItemId::SLIDER_DPI_MULTI), int(config.GetCurrentDpi()));
        check.Same("first sensitivity number", text(ItemId::TEXT_DPIVALUE1), std::to_string(config.GetCurrentDpi()));
    }
    const bool acceleration = config.GetAccelerationOn();
    if (auto* box = items.FindAs<CBitmapBtn>(ItemId::BUTTON_ENABLEACCELERATION))
        check.Same("acceleration box", box->IsChecked(), acceleration);
    const int shownSlider = acceleration ? ItemId::SLIDER_ID_ACCEL : ItemId::SLIDER_ID_ACCELDISB;
    const int hiddenSlider = acceleration ? ItemId::SLIDER_ID_ACCELDISB : ItemId::SLIDER_ID_ACCEL;
    check.Same("acceleration slider shown", Visible(window, items.FindById(shownSlider)), true);
    check.Same("other acceleration slider shown", Visible(window, items.FindById(hiddenSlider)), false);
    check.Same("acceleration slider", sliderValue(shownSlider), int(config.GetAccelerationLevel()));
    const int rate = int(config.GetPollingRate());
    for (int i = 0; i < 3; ++i) {
        auto* button = items.FindAs<CBitmapBtn>(ItemId::BUTTON_RATE1 + i);
        if (button && button->isEnabled())
            check.Same("rate button " + std::to_string(i + 1) + " chosen", button->IsHighlighted(), i == rate);
    }
    if (auto* box = items.FindAs<CBitmapBtn>(ItemId::BUTTON_ENABLE_DPI_OSD))
        check.Same("sensitivity display box", box->IsChecked(), config.GetDpiOsd());
}

CGUIItem* LightingItem(CTovikEliteAppDlg& window, int id)
{
    const CMainWindowPage* page = window.Page(PageBit::Lighting);
    const std::initializer_list<const CGUIItems*> all = {page ? &page->Items() : nullptr,
                                                         &window.LightingItemsCurrentGeneration(),
                                                         &window.LightingItemsEarlierGeneration()};
    for (const CGUIItems* items : all)
        if (CGUIItem* item = items ? items->FindById(id) : nullptr)
            return item;
    return nullptr;
}

void CheckLightingPage(CTovikEliteAppDlg& window, IMouseConfig& config, std::vector<Mismatch>& out)
{
    if (!window.Page(PageBit::Lighting))
        return;
    Checker check(out, "lighting");
    auto pair = [&](const char* name, int on, int off, bool held) {
        auto* a = dynamic_cast<CBitmapBtn*>(LightingItem(window, on));
        auto* b = dynamic_cast<CBitmapBtn*>(LightingItem(window, off));
        if (!a || !b || !Visible(window, a))
            return;
        check.Same(std::string(name) + " on chosen", a->IsHighlighted(), held);
        check.Same(std::string(name) + " off chosen", b->IsHighlighted(), !held);
    };
    pair("scroll wheel light", ItemId::SCROLL_LEDON, ItemId::SCROLL_LEDOFF, config.GetLedState(LED_SCROLL_WHEEL));
    pair("battery indicator light", ItemId::BATTERY_ID_LEDON, ItemId::BATTERY_ID_LEDOFF,
         config.GetLedState(LED_BATTERY_INDICATOR));
    pair("colour or cycling", ItemId::TOVIKELITE_COLOR_ON, ItemId::SPECTRUM_CYCLING_ON,
         config.GetLedEffect(LED_SCROLL_WHEEL) != LED_EFFECT_SPECTRUM_CYCLING);

    if (auto* colour = dynamic_cast<CDropdownColorButton*>(LightingItem(window, ItemId::DROPDOWN_MOUSE_COLOR));
        colour && Visible(window, colour))
        check.Same("scroll wheel colour", colour->Colour(), config.GetLedColour(LED_SCROLL_WHEEL));
    auto thumb = [&](int slider, int thumbId) -> CPHSlider* {
        auto* multi = dynamic_cast<CSliderHMulti*>(LightingItem(window, slider));
        return multi && Visible(window, multi) ? multi->ThumbById(thumbId) : nullptr;
    };
    // The thumbs snap to the four levels; the level is what the page shows (a level
    // whose position lies below the slider's range shows at its left end).
    const int ledPosition = LedBrightnessPosition(int(config.GetLedBrightness(LED_SCROLL_WHEEL)));
    if (CPHSlider* led = thumb(ItemId::SLIDER_LED_BRIGHTNESS, ItemId::SLIDER_LED_BRIGHTNESS_STAGE))
        check.Same("light brightness slider (level)",
                   LevelIn(CTovikEliteAppDlg::kBrightnessPercentages, led->GetValue()),
                   LevelIn(CTovikEliteAppDlg::kBrightnessPercentages, ledPosition));
    const int reducedPosition = ReducedBrightnessPlacement(int(std::min(config.GetReducedBrightness(), 255u)));
    const int reducedLevel = LevelIn(CTovikEliteAppDlg::kBrightnessDeviceValues, reducedPosition);
    if (CPHSlider* reduced = thumb(ItemId::SLIDER_POWER_BRIGHTNESS, ItemId::SLIDER_POWER_REDUCE_BRIGHTNESS_STAGE))
        check.Same("reduced brightness slider (level)",
                   LevelIn(CTovikEliteAppDlg::kBrightnessDeviceValues, reduced->GetValue()), reducedLevel);
    const int minutes = std::clamp(int(config.GetIdleTimeBeforeSleep() / 60u), 1, 15);
    if (CPHSlider* sleep = thumb(ItemId::SLIDER_POWER_SLEEPTOIDLE, ItemId::SLIDER_POWER_IDLE_TO_SLEEP_STAGE))
        check.Same("sleep slider (minutes)", sleep->GetValue(), minutes);
    const int warning = std::clamp(int(config.GetBatteryWarningLevel()), 5, 25);
    if (CPHSlider* flash = thumb(ItemId::SLIDER_POWER_FLASHSCROLL, ItemId::SLIDER_POWER_FLASH_WARNING_STAGE))
        check.Same("battery warning slider", flash->GetValue(), warning);
    auto number = [&](int id) -> std::optional<int> {
        auto* text = dynamic_cast<CTextItem*>(LightingItem(window, id));
        if (!text || !Visible(window, text))
            return std::nullopt;
        return FirstNumber(text->GetText());
    };
    if (auto shown = number(ItemId::TEXT_SLEEPAFTERIDLEHEADING))
        check.Same("sleep text (minutes)", *shown, minutes);
    if (auto shown = number(ItemId::TEXT_FLASHSCROLLWHEELHEADING))
        check.Same("battery warning text (percent)", *shown, warning);
    if (auto shown = number(ItemId::TEXT_BATTERYLIFEESTIMATE_HEADER))
        check.Same("battery life estimate (hours)", *shown,
                   EstimatedBatteryHours(int(config.GetPollingRate()), reducedLevel));
}

void CheckProfilesPage(CTovikEliteAppDlg& window, IMouseConfig& config, std::vector<Mismatch>& out)
{
    auto* page = dynamic_cast<CProfilesPage*>(window.Page(PageBit::Profiles));
    CXListCtrl* list = page ? page->List() : nullptr;
    if (!list)
        return;
    Checker check(out, "profiles");
    check.Same("number of rows", list->RowCount(), int(config.GetProfileCount()));
    const int checkColumn = list->ColumnOfKind(ListColumnKind::LCITEM_PROFILECURRENT);
    const int nameColumn = list->ColumnOfKind(ListColumnKind::LCITEM_PROFILENAME);
    const int programColumn = list->ColumnOfKind(ListColumnKind::LCITEM_PROFILEEXE);
    const int autoColumn = list->ColumnOfKind(ListColumnKind::LCITEM_AUTOSWITCH);
    for (int row = 0; row < list->RowCount(); ++row) {
        const int index = list->RowUserValue(row);
        const std::string where = "row " + std::to_string(row + 1);
        if (index < 0 || size_t(index) >= config.GetProfileCount()) {
            check.Same(where + " profile", std::to_string(index), std::string("a profile"));
            continue;
        }
        IMouseProfile* profile = config.GetProfile(size_t(index));
        if (nameColumn >= 0)
            check.Same(where + " name", Utf8(list->CellText(row, nameColumn)), Utf8(profile->GetName()));
        if (checkColumn >= 0)
            check.Same(where + " active mark", list->IsCellChecked(row, checkColumn),
                       profile == config.GetCurrentProfile());
        if (programColumn >= 0)
            check.Same(where + " linked program", Utf8(list->CellText(row, programColumn)),
                       Utf8(profile->GetLinkedProgram()));
        if (autoColumn >= 0)
            check.Same(where + " automatic switching", list->IsCellChecked(row, autoColumn), profile->GetAutoSwitch());
    }
    if (auto* box = page->Items().FindAs<CBitmapBtn>(ItemId::BUTTON_ENABLE_PROFILE_OSD))
        check.Same("profile display box", box->IsChecked(), config.GetProfileOsd());
}

void CheckMacrosPage(CTovikEliteAppDlg& window, IMouseConfig& config, std::vector<Mismatch>& out)
{
    auto* page = dynamic_cast<CMacrosPage*>(window.Page(PageBit::Macros));
    if (!page)
        return;
    Checker check(out, "macros");
    auto* list = page->Items().FindAs<CDropdownListItem>(ItemId::LIST_GLOBALMACROLIST);
    std::vector<std::string> shown, held;
    if (list)
        for (int row = 0; row < list->EntryCount(); ++row)
            shown.push_back(Utf8(list->Entry(row)));
    for (size_t i = 0; i < config.GetMacroCount(); ++i)
        held.push_back(Utf8(config.GetMacro(i)->GetName()));
    // The list may be sorted: the same names, in any order.
    std::sort(shown.begin(), shown.end());
    std::sort(held.begin(), held.end());
    std::string shownList, heldList;
    for (const auto& name : shown)
        shownList += name + ";";
    for (const auto& name : held)
        heldList += name + ";";
    check.Same("macro list", shownList, heldList);

    CMacro* selected = page->SelectedMacro();
    bool known = selected == nullptr;
    for (size_t i = 0; i < config.GetMacroCount(); ++i)
        known = known || config.GetMacro(i) == selected;
    if (!known) {
        check.Same("selected macro", std::string("a macro no longer held"), std::string("a held macro"));
        return;
    }
    if (list && list->Selected() >= 0 && selected)
        check.Same("selected entry", Utf8(list->Entry(list->Selected())), Utf8(selected->GetName()));
    if (!selected && config.GetMacroCount() > 0)
        check.Same("selected macro", std::string("(none)"), std::string("one of the macros"));
    if (CMacroDisplayItem* display = page->Display();
        display && selected && page->State() != MacroPageState::Previewing) {
        const std::vector<MacroEvent> events = ToMacroEvents(display->Events());
        check.Same("events of " + Utf8(selected->GetName()) + " (count)", events.size(), selected->GetEvents().size());
        check.Same("events of " + Utf8(selected->GetName()) + " (same)", events == selected->GetEvents(), true);
    }
}

} // namespace

std::string Describe(const Mismatch& mismatch)
{
    return "page " + mismatch.page + ", " + mismatch.control + ": shows " + mismatch.shown +
           ", the configuration holds " + mismatch.held;
}

std::string ShownPageName(CTovikEliteAppDlg& window)
{
    const CMainWindowPage* page = window.CurrentPage();
    if (!page)
        return "none";
    switch (page->PageBit()) {
    case PageBit::ButtonAssignment:
        return "buttons";
    case PageBit::Performance:
        return "performance";
    case PageBit::Profiles:
        return "profiles";
    case PageBit::Macros:
        return "macros";
    case PageBit::Lighting:
        return "lighting";
    default:
        return "page " + std::to_string(page->PageBit());
    }
}

std::vector<Mismatch> CheckShownPage(CTovikEliteAppDlg& window)
{
    std::vector<Mismatch> out;
    IMouseConfig* config = window.Config();
    const CMainWindowPage* page = window.CurrentPage();
    if (!config || !page || !config->GetCurrentProfile())
        return out;
    switch (page->PageBit()) {
    case PageBit::ButtonAssignment:
        CheckButtonPage(window, *config, out);
        break;
    case PageBit::Performance:
        CheckPerformancePage(window, *config, out);
        break;
    case PageBit::Profiles:
        CheckProfilesPage(window, *config, out);
        break;
    case PageBit::Macros:
        CheckMacrosPage(window, *config, out);
        break;
    case PageBit::Lighting:
        CheckLightingPage(window, *config, out);
        break;
    default:
        break;
    }
    CheckProfileStrip(window, *config, out);
    return out;
}

std::vector<std::string> DeviceDifferences(IMouseConfig& held, IMouseConfig& read, uint32_t productId)
{
    std::vector<std::string> out;
    auto differ = [&](const std::string& what, const auto& inConfig, const auto& onDevice) {
        if (!(inConfig == onDevice)) {
            std::ostringstream line;
            line << what << ": the configuration holds " << inConfig << ", the device " << onDevice;
            out.push_back(line.str());
        }
    };
    differ("number of profiles", held.GetProfileCount(), read.GetProfileCount());
    for (size_t i = 0; i < held.GetProfileCount(); ++i) {
        IMouseProfile* h = held.GetProfile(i);
        const std::string name = "profile '" + Utf8(h->GetName()) + "'";
        IMouseProfile* r = h->GetGuid().IsNull() ? nullptr : read.FindProfileByGuid(h->GetGuid());
        if (!r)
            r = read.FindProfileByName(h->GetName());
        if (!r) {
            out.push_back(name + ": not on the device");
            continue;
        }
        differ(name + " name", Utf8(h->GetName()), Utf8(r->GetName()));
        differ(name + " linked program", Utf8(h->GetLinkedProgramPath()), Utf8(r->GetLinkedProgramPath()));
        differ(name + " automatic switching", h->GetAutoSwitch() && !h->GetLinkedProgramPath().empty(),
               r->GetAutoSwitch());
        differ(name + " sensitivity display", h->GetDpiOsd(), r->GetDpiOsd());
        differ(name + " profile display", h->GetProfileOsd(), r->GetProfileOsd());
        differ(name + " stages", h->GetStageCount(), r->GetStageCount());
        differ(name + " stages in use", h->GetStagesInUse(), r->GetStagesInUse());
        differ(name + " selected stage", h->GetSelectedStage(), r->GetSelectedStage());
        for (unsigned n = 1; n <= std::min(h->GetStageCount(), r->GetStageCount()); ++n) {
            const std::string stage = name + " stage " + std::to_string(n);
            differ(stage + " separate", h->GetStageSeparate(n), r->GetStageSeparate(n));
            if (h->GetStageSeparate(n)) {
                differ(stage + " X", h->GetStageX(n), r->GetStageX(n));
                differ(stage + " Y", h->GetStageY(n), r->GetStageY(n));
            } else {
                differ(stage + " sensitivity", h->GetStageDpi(n), r->GetStageDpi(n));
            }
        }
        const bool separate = h->GetCurrentSeparate();
        differ(name + " current X", separate ? h->GetCurrentX() : h->GetCurrentDpi(), r->GetCurrentX());
        differ(name + " current Y", separate ? h->GetCurrentY() : h->GetCurrentDpi(), r->GetCurrentY());
        for (uint32_t bit = 1; bit <= emulator::kButtonMask; bit <<= 1) {
            if (!(bit & emulator::kButtonMask))
                continue;
            const tMouseButton button = ButtonOfBit(bit);
            AssignmentRecord a = h->GetButtonAssignment(button);
            AssignmentRecord b = r->GetButtonAssignment(button);
            // A macro named rather than identified is sent with the identity of the macro of that name.
            for (auto [record, config] : {std::pair<AssignmentRecord*, IMouseConfig*>{&a, &held},
                                          std::pair<AssignmentRecord*, IMouseConfig*>{&b, &read}}) {
                if (record->kind == AssignmentKind::MacroByName) {
                    const CMacro* macro = config->FindMacroByName(record->ReadName());
                    std::memset(record->payload.data(), 0, AssignmentRecord::kPlayModeOffset);
                    if (macro)
                        record->WriteGuid(macro->GetGuid());
                }
            }
            const ButtonRecord x = MakeButtonRecord(a), y = MakeButtonRecord(b);
            if (std::memcmp(x.bytes, y.bytes, kButtonRecordSize) != 0)
                out.push_back(name + " button " + std::to_string(int(button)) + ": the configuration holds " +
                              KindName(a, held) + ", the device " + KindName(b, read));
        }
        if (const emulator::ProductInfo* product = emulator::FindProduct(productId)) {
            for (uint32_t number : product->lights) {
                const auto led = static_cast<tLEDType>(LedKeyFromLightNumber(number));
                const std::string light = name + " light " + std::to_string(number);
                differ(light + " on", h->GetLedState(led), r->GetLedState(led));
                differ(light + " colour", h->GetLedColour(led), r->GetLedColour(led));
                differ(light + " brightness", h->GetLedBrightness(led), r->GetLedBrightness(led));
                differ(light + " effect", EffectToDevice(h->GetLedEffect(led)), EffectToDevice(r->GetLedEffect(led)));
            }
        }
    }
    IMouseProfile* current = held.GetCurrentProfile();
    IMouseProfile* active = read.GetCurrentProfile();
    differ("active profile", current ? Utf8(current->GetName()) : std::string("(none)"),
           active ? Utf8(active->GetName()) : std::string("(none)"));

    differ("number of macros", held.GetMacroCount(), read.GetMacroCount());
    for (size_t i = 0; i < held.GetMacroCount(); ++i) {
        const CMacro* h = held.GetMacro(i);
        const std::string name = "macro '" + Utf8(h->GetName()) + "'";
        const CMacro* r = h->GetGuid().IsNull() ? nullptr : read.FindMacroByGuid(h->GetGuid());
        if (!r)
            r = read.FindMacroByName(h->GetName());
        if (!r) {
            out.push_back(name + ": not on the device");
            continue;
        }
        differ(name + " name", Utf8(h->GetName()), Utf8(r->GetName()));
        differ(name + " events", BuildMacroEventBlock(h->GetEvents()) == BuildMacroEventBlock(r->GetEvents()), true);
    }
    differ("battery warning level", held.GetBatteryWarningLevel(), read.GetBatteryWarningLevel());
    differ("reduced brightness", held.GetReducedBrightness(), read.GetReducedBrightness());
    differ("idle time before sleep", held.GetIdleTimeBeforeSleep(), read.GetIdleTimeBeforeSleep());
    differ("polling rate", int(held.GetPollingRate()), int(read.GetPollingRate()));
    differ("acceleration level", held.GetAccelerationLevel(), read.GetAccelerationLevel());
    differ("acceleration", held.GetAccelerationOn(), read.GetAccelerationOn());
    differ("surface calibration", held.GetSurfaceCalibration(), read.GetSurfaceCalibration());
    differ("automatic lift-off", held.GetAutomaticLiftOff(), read.GetAutomaticLiftOff());
    differ("lift-off range", held.GetLiftOffRange(), read.GetLiftOffRange());
    return out;
}

} // namespace walk
