// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// `CKeyboardKeyItem`: an on-screen key. It is a skinned button that cuts its look
// out of one keyboard picture shared by all keys of its list, and stands for one key
// of the keyboard definition: its scan code, extended flag and virtual key.
#include <optional>

#include "controls/BitmapBtn.h"
#include "skin/keyboard/KeyRecord.h"

class CKeyboardKeyItem : public CBitmapBtn {
public:
    CKeyboardKeyItem(const SkinRect& rect, QWidget* parent);
    static std::unique_ptr<CKeyboardKeyItem> FromElement(const KbdKeyElement& element);

    // Binds the key whose name hashes to `hash` in the process-wide keyboard
    // definition; false (and no key) when the definition does not know it.
    bool BindKey(uint32_t hash);

    const std::optional<KeyRecord>& Key() const { return key_; }
    UINT ScanCode() const { return scanCode_; }
    bool IsExtended() const { return extended_; }
    UINT VirtualKey() const { return virtualKey_; }
    const QString& TooltipText() const { return tooltip_; }
    void SetKeyTooltip(const QString& text);

private:
    std::optional<KeyRecord> key_;
    UINT scanCode_ = 0;
    bool extended_ = false;
    UINT virtualKey_ = 0;
    QString tooltip_;
};
