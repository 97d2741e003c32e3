// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Key fields (`EDITCTRLSK` and `EDITCTRLSKMMO`, kind 20): bordered fields that show
// the name of the key the user presses instead of typed text. They read the keyboard
// through raw input (WM_INPUT), which the popup holding them registers for them;
// typing into them does nothing.
#include <cstdint>
#include <functional>

#include "controls/EditItem.h"
#include "platform/core/RawInput.h"

class CEditItemSingleKeyInput : public CEditItem {
public:
    CEditItemSingleKeyInput(int itemId, CSkinWindow* parent, CSkinWindow* itemOwner, const SkinRect& rect,
                            int borderWidth);
    static std::unique_ptr<CEditItemSingleKeyInput> FromElement(const EditCtrlElement& element, CSkinWindow* itemOwner);

    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

    // One raw keyboard record, as WM_INPUT delivers it.
    virtual void OnRawKey(const RawKeyboard& key);

    // The name shown for a key: its scan code's name, with the extended bit for
    // extended keys and for Num Lock (144) and the key 194.
    static std::u16string KeyName(const RawKeyboard& key);

    const std::u16string& LastKeyName() const { return lastName_; }
    USHORT LastVirtualKey() const { return lastVirtualKey_; }
    USHORT LastScanCode() const { return lastScanCode_; }
    USHORT LastFlags() const { return lastFlags_; }

protected:
    // Shows the text with the caret at its end.
    void ShowKeyText(const QString& text);
    // Tab is a key to record here, not a way out: the field keeps it.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::u16string lastName_;
    USHORT lastVirtualKey_ = 0;
    USHORT lastScanCode_ = 0;
    USHORT lastFlags_ = 0;
};

// One key together with the modifiers Ctrl, Shift and Alt held with it. Each change
// of the shown key is sent to the owner (1247).
class CEditItemSingleKeyInputMMO : public CEditItemSingleKeyInput {
public:
    enum State { Idle = 0, ModifiersHeld = 1, KeyCaptured = 2, Released = 6 };
    static constexpr int kCtrl = 4;
    static constexpr int kAlt = 2;
    static constexpr int kShift = 8;
    static constexpr int kExtended = 1;

    CEditItemSingleKeyInputMMO(int itemId, CSkinWindow* parent, CSkinWindow* itemOwner, const SkinRect& rect,
                               int borderWidth);
    static std::unique_ptr<CEditItemSingleKeyInputMMO> FromElement(const EditCtrlElement& element,
                                                                   CSkinWindow* itemOwner);

    void OnRawKey(const RawKeyboard& key) override;
    // Key messages that reach the field (when raw input leaves them through): a
    // repeated key-down and the keys that only move or edit text are swallowed;
    // any other key shows its name.
    void OnKeyMessage(const RawKeyboard& key, bool autoRepeat);

    State GetState() const { return state_; }
    int Modifiers() const { return modifiers_; }
    USHORT CapturedScanCode() const { return capturedScan_; }
    USHORT CapturedVirtualKey() const { return capturedVirtualKey_; }
    QString ShownText() const { return shown_; }

    // The clock in whole seconds that the released state is timed with (tests set
    // their own); shared by all fields, like the reference time.
    static void SetSecondsClock(std::function<uint32_t()> clock);
    static void ResetReferenceTime();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    static int ModifierFlag(USHORT scanCode);
    void Capture(const RawKeyboard& key);
    void ClearCapture();
    void SetShown(const QString& text);

    State state_ = Idle;
    int modifiers_ = 0;
    USHORT capturedScan_ = 0;
    USHORT capturedVirtualKey_ = 0;
    QString shown_;
};
