// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/EditItemSingleKey.h"

#include "platform/RawInputFilter.h"
#include "platform/core/KeyNames.h"
#include "platform/core/RecordedKey.h"
#include "platform/core/TickCount.h"
#include "skin/SkinElements.h"

#include <QKeyEvent>
#include <algorithm>
#include <array>
#include <optional>

namespace {

constexpr USHORT kNumLock = 144;
constexpr USHORT kKey194 = 194;

std::function<uint32_t()>& SecondsClock()
{
    static std::function<uint32_t()> clock = [] { return uint32_t(GetTickCount() / 1000); };
    return clock;
}

// The time of the last release, shared by every key-with-modifiers field.
std::optional<uint32_t>& ReferenceTime()
{
    static std::optional<uint32_t> time;
    return time;
}

// The record as the key it records: left and right sides told apart, Pause one
// key (scan code 0x45, virtual key 19) rather than Ctrl; nothing for the second
// record Pause sends.
std::optional<RawKeyboard> AsRecordedKey(const RawKeyboard& key)
{
    const std::optional<RecordedKey> recorded = ReadRecordedKey(key);
    if (!recorded)
        return std::nullopt;
    RawKeyboard result = key;
    result.makeCode = recorded->scanCode;
    result.vKey = recorded->virtualKey;
    result.flags = USHORT((key.flags & RI_KEY_BREAK) | (recorded->extended ? RI_KEY_E0 : 0));
    return result;
}

bool IsDown(const RawKeyboard& key)
{
    return (key.flags & RI_KEY_BREAK) == 0;
}

EditColours ColoursOf(const EditCtrlElement& element)
{
    EditColours colours;
    const ListColors& c = element.colors;
    colours.text = c.fontColor.value_or(colours.text);
    colours.back = c.backColor.value_or(colours.back);
    colours.border = c.borderColor.value_or(colours.border);
    colours.hoverText = c.fontColorHighlight.value_or(colours.hoverText);
    colours.hoverBack = c.backColorHighlight.value_or(colours.hoverBack);
    return colours;
}

} // namespace

// ---- one key ------------------------------------------------------------------------

CEditItemSingleKeyInput::CEditItemSingleKeyInput(int itemId, CSkinWindow* parent, CSkinWindow* itemOwner,
                                                 const SkinRect& rect, int borderWidth)
    : CEditItem(itemId, parent, itemOwner, rect, borderWidth, ItemKind::EDITCTRLSK)
{
    Edit()->setReadOnly(true);
    Edit()->setAcceptDrops(false);
}

std::unique_ptr<CEditItemSingleKeyInput> CEditItemSingleKeyInput::FromElement(const EditCtrlElement& element,
                                                                              CSkinWindow* itemOwner)
{
    auto field = std::make_unique<CEditItemSingleKeyInput>(element.id, element.parentWindow, itemOwner, element.rect,
                                                           element.borderWidth);
    field->SetColours(ColoursOf(element));
    field->SetMaxLength(element.maxLength);
    field->show();
    return field;
}

std::u16string CEditItemSingleKeyInput::KeyName(const RawKeyboard& key)
{
    const bool extended = (key.flags & RI_KEY_E0) != 0 || key.vKey == kNumLock || key.vKey == kKey194;
    return KeyNameForScanCode(key.makeCode, extended);
}

LRESULT CEditItemSingleKeyInput::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_INPUT) {
        const auto* record = reinterpret_cast<const RawInput*>(lParam);
        if (record && record->type == RIM_TYPEKEYBOARD) {
            if (const std::optional<RawKeyboard> key = AsRecordedKey(record->keyboard))
                OnRawKey(*key);
        }
        return 0;
    }
    return CEditItem::WindowProc(msg, wParam, lParam);
}

void CEditItemSingleKeyInput::OnRawKey(const RawKeyboard& key)
{
    const std::u16string name = KeyName(key);
    if (name.empty())
        return; // a key without a name leaves the text as it is
    lastName_ = name;
    lastVirtualKey_ = key.vKey;
    lastScanCode_ = key.makeCode;
    lastFlags_ = key.flags;
    ShowKeyText(QString::fromStdU16String(name));
}

bool CEditItemSingleKeyInput::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == Edit() && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<const QKeyEvent*>(event);
        const bool tab = key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab;
        if (tab && !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)))
            return true;
    }
    return CEditItem::eventFilter(watched, event);
}

void CEditItemSingleKeyInput::ShowKeyText(const QString& text)
{
    // Shown without the text-changed notice of plain edit fields: key fields report
    // their own way.
    Edit()->blockSignals(true);
    Edit()->setText(text);
    Edit()->blockSignals(false);
    Edit()->setCursorPosition(int(text.size()));
}

// ---- one key with modifiers -----------------------------------------------------------

CEditItemSingleKeyInputMMO::CEditItemSingleKeyInputMMO(int itemId, CSkinWindow* parent, CSkinWindow* itemOwner,
                                                       const SkinRect& rect, int borderWidth)
    : CEditItemSingleKeyInput(itemId, parent, itemOwner, rect, borderWidth)
{
    Edit()->installEventFilter(this);
}

bool CEditItemSingleKeyInputMMO::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == Edit() && (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease)) {
        const auto* keyEvent = static_cast<const QKeyEvent*>(event);
        if (const auto record = RawInputFilter::KeyboardRecord(*keyEvent))
            OnKeyMessage(record->keyboard, keyEvent->isAutoRepeat());
        return true; // the field never takes typed text
    }
    return CEditItemSingleKeyInput::eventFilter(watched, event);
}

void CEditItemSingleKeyInputMMO::OnKeyMessage(const RawKeyboard& key, bool autoRepeat)
{
    // Backspace, Tab, Pause, Caps Lock, Space, Home to Down, the Windows and
    // application keys, Num Lock and Scroll Lock leave the text as it is.
    static constexpr std::array<USHORT, 14> kIgnored{8, 9, 19, 20, 32, 36, 37, 38, 39, 40, 91, 92, 93, 144};
    if (!IsDown(key) || autoRepeat)
        return;
    if (std::find(kIgnored.begin(), kIgnored.end(), key.vKey) != kIgnored.end() || key.vKey == 145)
        return;
    const std::u16string name = KeyName(key);
    if (!name.empty())
        SetShown(QString::fromStdU16String(name));
}

std::unique_ptr<CEditItemSingleKeyInputMMO> CEditItemSingleKeyInputMMO::FromElement(const EditCtrlElement& element,
                                                                                    CSkinWindow* itemOwner)
{
    auto field = std::make_unique<CEditItemSingleKeyInputMMO>(element.id, element.parentWindow, itemOwner, element.rect,
                                                              element.borderWidth);
    field->SetColours(ColoursOf(element));
    field->SetMaxLength(element.maxLength);
    field->show();
    return field;
}

void CEditItemSingleKeyInputMMO::SetSecondsClock(std::function<uint32_t()> clock)
{
    SecondsClock() = clock ? std::move(clock) : [] { return uint32_t(GetTickCount() / 1000); };
}

void CEditItemSingleKeyInputMMO::ResetReferenceTime()
{
    ReferenceTime().reset();
}

int CEditItemSingleKeyInputMMO::ModifierFlag(USHORT scanCode)
{
    switch (scanCode) {
    case 29:
        return kCtrl;
    case 42:
    case 54:
        return kShift;
    case 56:
        return kAlt;
    default:
        return 0;
    }
}

void CEditItemSingleKeyInputMMO::SetShown(const QString& text)
{
    if (text == shown_)
        return;
    shown_ = text;
    ShowKeyText(text);
    if (CSkinWindow* target = owner ? owner : GetParentWindow())
        target->SendMessage(WM_SINGLE_KEY_CHANGED, 0, reinterpret_cast<LPARAM>(GetHandle()));
}

void CEditItemSingleKeyInputMMO::Capture(const RawKeyboard& key)
{
    const std::u16string name = KeyName(key);
    if (name.empty())
        return; // a key without a name changes nothing
    // A key that replaces another brings its own extended bit.
    modifiers_ &= ~kExtended;
    capturedScan_ = key.makeCode;
    capturedVirtualKey_ = key.vKey;
    if (key.flags & RI_KEY_E0)
        modifiers_ |= kExtended;
    state_ = KeyCaptured;
    SetShown(QString::fromStdU16String(name));
}

void CEditItemSingleKeyInputMMO::ClearCapture()
{
    capturedScan_ = 0;
    capturedVirtualKey_ = 0;
    modifiers_ &= ~kExtended;
    state_ = Idle;
    SetShown(QString());
}

void CEditItemSingleKeyInputMMO::OnRawKey(const RawKeyboard& key)
{
    const uint32_t now = SecondsClock()();
    auto& reference = ReferenceTime();
    if (!reference)
        reference = now;

    const int flag = ModifierFlag(key.makeCode);
    const bool down = IsDown(key);

    if (state_ == Released) {
        const bool modifiersRecorded = (modifiers_ & (kCtrl | kAlt | kShift)) != 0;
        if (down && flag == 0 && modifiersRecorded) {
            Capture(key);
            return;
        }
        if (now <= *reference) {
            // Within the second of the release: the combination stays and the time is
            // renewed; modifiers pressed meanwhile still count for the next key.
            reference = now;
            if (flag != 0) {
                if (down)
                    modifiers_ |= flag;
                else
                    modifiers_ &= ~flag;
            }
            return;
        }
        // Later input starts over as from the idle state.
        ClearCapture();
        modifiers_ = 0;
    }

    if (down) {
        if (flag != 0) {
            modifiers_ |= flag;
            if (state_ != KeyCaptured)
                state_ = ModifiersHeld;
        } else {
            Capture(key);
        }
        return;
    }

    // A release.
    if (state_ == ModifiersHeld || (state_ == KeyCaptured && flag == 0)) {
        state_ = Released;
        reference = now;
        if (flag != 0)
            modifiers_ |= flag;
    }
    if (flag != 0)
        modifiers_ &= ~flag;
}
