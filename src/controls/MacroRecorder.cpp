// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/MacroRecorder.h"

#include "platform/core/KeyNames.h"

#include <algorithm>

namespace {

// A virtual key of 0xFF says "no virtual key of its own": the key before it decides.
constexpr USHORT kNoVirtualKey = 0xFF;

// Held keys are told apart by their prefix too: E1 1D (Pause) is not left Ctrl.
uint32_t HeldKeyOf(const RawKeyboard& key)
{
    return uint32_t(key.makeCode) | (uint32_t(key.flags & (RI_KEY_E0 | RI_KEY_E1)) << 16);
}

} // namespace

bool CMacroRecorder::Start()
{
    if (readOnly_)
        return false;
    events_.clear();
    held_.clear();
    lastVirtualKey_ = 0;
    lastTick_ = 0;
    recording_ = true;
    return true;
}

void CMacroRecorder::SetReadOnly(bool readOnly)
{
    readOnly_ = readOnly;
    if (readOnly_)
        recording_ = false;
}

void CMacroRecorder::SetDefaultDelay(uint32_t milliseconds)
{
    defaultDelayMs_ = std::clamp<uint32_t>(milliseconds, 1, kMaxDelayMs);
}

bool CMacroRecorder::IsFull() const
{
    return maxEvents_ > 0 && events_.size() >= maxEvents_;
}

std::optional<CMacroRecorder::Click> CMacroRecorder::ClickOfButtonFlags(USHORT buttonFlags)
{
    switch (buttonFlags) {
    case RI_MOUSE_LEFT_BUTTON_DOWN:
        return Click{1, true};
    case RI_MOUSE_LEFT_BUTTON_UP:
        return Click{1, false};
    case RI_MOUSE_RIGHT_BUTTON_DOWN:
        return Click{2, true};
    case RI_MOUSE_RIGHT_BUTTON_UP:
        return Click{2, false};
    case RI_MOUSE_MIDDLE_BUTTON_DOWN:
        return Click{3, true};
    case RI_MOUSE_MIDDLE_BUTTON_UP:
        return Click{3, false};
    case RI_MOUSE_BUTTON_4_DOWN:
        return Click{4, true};
    case RI_MOUSE_BUTTON_4_UP:
        return Click{4, false};
    case RI_MOUSE_BUTTON_5_DOWN:
        return Click{5, true};
    case RI_MOUSE_BUTTON_5_UP:
        return Click{5, false};
    default:
        return std::nullopt;
    }
}

int CMacroRecorder::OnRawInput(const RawInput& record, DWORD tick, bool stopControlCaptured)
{
    if (!recording_ || readOnly_)
        return 0;
    if (record.type == RIM_TYPEKEYBOARD)
        return OnKeyboard(record.keyboard, tick);
    if (record.type != RIM_TYPEMOUSE || stopControlCaptured)
        return 0;
    const auto click = ClickOfButtonFlags(record.mouse.buttonFlags);
    if (!click)
        return 0;
    return Append(MacroDisplayEvent::MouseButton(click->button, click->down), tick);
}

int CMacroRecorder::OnKeyboard(const RawKeyboard& key, DWORD tick)
{
    const bool release = (key.flags & RI_KEY_BREAK) != 0;
    const uint32_t heldKey = HeldKeyOf(key);
    const auto held = std::find(held_.begin(), held_.end(), heldKey);
    if (release) {
        if (held != held_.end())
            held_.erase(held);
    } else if (held != held_.end()) {
        return 0; // auto-repeat of a key already down
    } else {
        held_.push_back(heldKey);
    }

    const USHORT virtualKey = key.vKey == kNoVirtualKey ? lastVirtualKey_ : key.vKey;
    lastVirtualKey_ = virtualKey;
    const bool extended = (key.flags & RI_KEY_E0) != 0;
    if (key.makeCode == 0 || (key.flags & RI_KEY_E1) != 0 || (extended && key.vKey == kNoVirtualKey))
        return 0;
    if (KeyNameForScanCode(key.makeCode, extended).empty())
        return 0;
    return Append(MacroDisplayEvent::Key(key.makeCode, virtualKey, !release, extended), tick);
}

int CMacroRecorder::Append(const MacroDisplayEvent& event, DWORD tick)
{
    if (events_.empty()) {
        if (IsFull())
            return 0;
        lastTick_ = tick;
        events_.push_back(event);
        return 1;
    }
    const bool withDelay = !ignoreDelays_;
    if (maxEvents_ > 0 && events_.size() + (withDelay ? 2 : 1) > maxEvents_)
        return 0;
    int appended = 0;
    if (withDelay) {
        // Unsigned difference: right across the counter's wrap.
        const uint32_t gap = std::clamp<uint32_t>(DWORD(tick - lastTick_), 1, kMaxDelayMs);
        events_.push_back(MacroDisplayEvent::Delay(useDefaultDelay_ ? defaultDelayMs_ : gap));
        ++appended;
    }
    lastTick_ = tick;
    events_.push_back(event);
    return appended + 1;
}
