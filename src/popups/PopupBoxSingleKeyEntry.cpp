// SPDX-License-Identifier: GPL-3.0-or-later
#include "popups/PopupBoxSingleKeyEntry.h"

#include <QKeyEvent>
#include <QLineEdit>

#include "controls/EditItemSingleKey.h"
#include "controls/FocusNavigation.h"
#include "platform/core/VirtualKeys.h"
#include "skin/ItemIds.h"

CPopupBoxSingleKeyEntry::CPopupBoxSingleKeyEntry(std::u16string skinFile, QWidget* parent, SingleKeyRecord& record,
                                                 int templateId)
    : CPopupBox(templateId, std::move(skinFile), parent), record_(record)
{
}

CPopupBoxSingleKeyEntry::~CPopupBoxSingleKeyEntry()
{
    RestoreKeyboard();
}

void CPopupBoxSingleKeyEntry::BindItems()
{
    field_ = BindItem<CEditItemSingleKeyInput>(ItemId::EDITCTRL_POPUP_SINGLEKEYENTRY, ItemKind::EDITCTRLSK);
}

bool CPopupBoxSingleKeyEntry::OnInitDialog()
{
    if (!CPopupBox::OnInitDialog())
        return false;
    if (field_) {
        field_->SetText(QString::fromStdU16String(InitialText()));
        field_->Edit()->setFocus();
        // After the field's own filter, so this one sees its key events first.
        field_->Edit()->installEventFilter(this);
    }
    RegisterKeyboard();
    return true;
}

void CPopupBoxSingleKeyEntry::RegisterKeyboard()
{
    if (registered_)
        return;
    // Whoever listened before (the macro recorder) gets the keyboard back afterwards.
    previousKeyboard_ = GetRawInputRegistration(HID_USAGE_GENERIC_KEYBOARD);
    const RawInputDevice keyboard{HID_USAGE_PAGE_GENERIC, HID_USAGE_GENERIC_KEYBOARD, RIDEV_INPUTSINK, GetHandle()};
    registered_ = RegisterRawInputDevices(&keyboard, 1);
}

void CPopupBoxSingleKeyEntry::RestoreKeyboard()
{
    if (!registered_)
        return;
    registered_ = false;
    const auto current = GetRawInputRegistration(HID_USAGE_GENERIC_KEYBOARD);
    if (!current || current->target != GetHandle())
        return; // someone registered after us; theirs stays
    if (previousKeyboard_) {
        RegisterRawInputDevices(&*previousKeyboard_, 1);
    } else {
        const RawInputDevice remove{HID_USAGE_PAGE_GENERIC, HID_USAGE_GENERIC_KEYBOARD, RIDEV_REMOVE, nullptr};
        RegisterRawInputDevices(&remove, 1);
    }
}

void CPopupBoxSingleKeyEntry::OnRunEnded()
{
    RestoreKeyboard();
}

LRESULT CPopupBoxSingleKeyEntry::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_INPUT) {
        const auto* input = reinterpret_cast<const RawInput*>(lParam);
        if (!input || input->type != RIM_TYPEKEYBOARD)
            return 0;
        if (!KeyFieldHasFocus()) {
            // The keys now work the popup's buttons; none of them is a key to record.
            gate_.Reset();
            return 0;
        }
        const CKeyFieldGate::Outcome outcome = gate_.Take(*input);
        for (const RawInput& record : outcome.deliver)
            DeliverToField(wParam, record);
        if (outcome.leaveForward)
            MoveFocus(*this, *outcome.leaveForward);
        return 0;
    }
    return CPopupBox::WindowProc(msg, wParam, lParam);
}

bool CPopupBoxSingleKeyEntry::eventFilter(QObject* watched, QEvent* event)
{
    // A Ctrl or Shift whose raw record is held back may begin Ctrl+Tab: its key
    // event must not show it in the field either.
    if (field_ && watched == field_->Edit() && event->type() == QEvent::KeyPress && gate_.IsHolding()) {
        const int key = static_cast<const QKeyEvent*>(event)->key();
        if (key == Qt::Key_Control || key == Qt::Key_Shift)
            return true;
    }
    return CPopupBox::eventFilter(watched, event);
}

bool CPopupBoxSingleKeyEntry::KeyFieldHasFocus() const
{
    if (!field_)
        return false;
    // Before anything had the focus the field is the popup's only listener.
    const QWidget* focused = focusWidget();
    return !focused || focused == this || focused == field_ || field_->isAncestorOf(focused);
}

void CPopupBoxSingleKeyEntry::DeliverToField(WPARAM wParam, const RawInput& record)
{
    const RawKeyboard& key = record.keyboard;
    const bool down = (key.flags & RI_KEY_BREAK) == 0;
    // Raw input arrives before the key event that would confirm or cancel.
    if (down && (key.vKey == VK_ESCAPE || key.vKey == VK_RETURN))
        keyboardMark_ = true;
    field_->SendMessage(WM_INPUT, wParam, reinterpret_cast<LPARAM>(&record));
    OnKeyRead(key);
}

void CPopupBoxSingleKeyEntry::OnKeyRead(const RawKeyboard&)
{
    if (!field_ || field_->LastKeyName().empty())
        return;
    SingleKeyRecord key;
    key.text = field_->LastKeyName();
    key.virtualKey = field_->LastVirtualKey();
    key.scanCode = field_->LastScanCode();
    key.modifiers = record_.modifiers & ~SingleKeyRecord::kExtended;
    if (field_->LastFlags() & RI_KEY_E0)
        key.modifiers |= SingleKeyRecord::kExtended;
    captured_ = key;
}

bool CPopupBoxSingleKeyEntry::OnCommand(CGUIItem* sender)
{
    // Commands from items are clicks: whatever the keyboard did before no longer counts.
    if (sender)
        keyboardMark_ = false;
    return CPopupBox::OnCommand(sender);
}

void CPopupBoxSingleKeyEntry::OnOK()
{
    if (keyboardMark_) {
        keyboardMark_ = false;
        return;
    }
    const bool pressed = captured_ && !captured_->text.empty();
    if (!pressed && !record_.HoldsKey())
        return; // nothing to hand back: wait for a key
    if (pressed)
        record_ = *captured_;
    FinishRecord(record_);
    CPopupBox::OnOK();
}

void CPopupBoxSingleKeyEntry::OnCancel()
{
    if (keyboardMark_) {
        keyboardMark_ = false;
        return;
    }
    record_.Clear();
    CPopupBox::OnCancel();
}

// ---- one key with modifiers -------------------------------------------------------------

void CPopupBoxSingleKeyEntryMMO::BindItems()
{
    CPopupBoxSingleKeyEntry::BindItems();
    mmoField_ = dynamic_cast<CEditItemSingleKeyInputMMO*>(KeyField());
}

LRESULT CPopupBoxSingleKeyEntryMMO::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_SINGLE_KEY_CHANGED && mmoField_ &&
        reinterpret_cast<const IMessageTarget*>(lParam) == static_cast<const IMessageTarget*>(mmoField_)) {
        OnKeyChanged();
        return 0;
    }
    return CPopupBoxSingleKeyEntry::WindowProc(msg, wParam, lParam);
}

void CPopupBoxSingleKeyEntryMMO::OnKeyChanged()
{
    const QString shown = mmoField_->ShownText();
    if (shown.isEmpty()) {
        SetCaptured(std::nullopt); // the field started over
        return;
    }
    SingleKeyRecord key;
    key.text = shown.toStdU16String();
    key.virtualKey = mmoField_->CapturedVirtualKey();
    key.scanCode = mmoField_->CapturedScanCode();
    key.modifiers = mmoField_->Modifiers();
    SetCaptured(key);
}
