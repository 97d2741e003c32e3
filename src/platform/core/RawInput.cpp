// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/core/RawInput.h"

#include <mutex>

namespace {

struct Registrations {
    std::mutex mutex;
    std::optional<RawInputDevice> keyboard;
    std::optional<RawInputDevice> mouse;

    std::optional<RawInputDevice>* Slot(USHORT usage)
    {
        if (usage == HID_USAGE_GENERIC_KEYBOARD)
            return &keyboard;
        if (usage == HID_USAGE_GENERIC_MOUSE)
            return &mouse;
        return nullptr;
    }
};

Registrations& State()
{
    static Registrations state;
    return state;
}

bool IsValid(const RawInputDevice& device)
{
    if (device.usagePage != HID_USAGE_PAGE_GENERIC)
        return false;
    if (device.usage != HID_USAGE_GENERIC_KEYBOARD && device.usage != HID_USAGE_GENERIC_MOUSE)
        return false;
    if (device.flags & RIDEV_REMOVE)
        return device.target == nullptr;
    // Input has to go somewhere: unlike the original platform there is no
    // "the focused window" fallback, so a target is always required.
    return device.target != nullptr;
}

} // namespace

LPARAM KeyMessageLParam(const RawKeyboard& key, bool repeated)
{
    const bool released = key.flags & RI_KEY_BREAK;
    DWORD value = 1u | (DWORD(key.makeCode & 0xFF) << 16);
    if (key.flags & RI_KEY_E0)
        value |= 1u << 24;
    if (key.message == WM_SYSKEYDOWN || key.message == WM_SYSKEYUP)
        value |= 1u << 29;
    if (repeated || released)
        value |= 1u << 30;
    if (released)
        value |= 1u << 31;
    // The parameter is the 32-bit pattern, not a sign-extended number.
    return LPARAM(value);
}

bool RegisterRawInputDevices(const RawInputDevice* devices, UINT count)
{
    if (!devices || count == 0)
        return false;
    for (UINT i = 0; i < count; ++i) {
        if (!IsValid(devices[i]))
            return false;
    }
    auto& state = State();
    std::lock_guard lock(state.mutex);
    for (UINT i = 0; i < count; ++i) {
        auto* slot = state.Slot(devices[i].usage);
        if (devices[i].flags & RIDEV_REMOVE)
            slot->reset();
        else
            *slot = devices[i];
    }
    return true;
}

std::optional<RawInputDevice> GetRawInputRegistration(USHORT usage)
{
    auto& state = State();
    std::lock_guard lock(state.mutex);
    auto* slot = state.Slot(usage);
    return slot ? *slot : std::nullopt;
}

void ForgetRawInputTarget(HWND window)
{
    auto& state = State();
    std::lock_guard lock(state.mutex);
    for (auto* slot : {&state.keyboard, &state.mouse}) {
        if (*slot && (*slot)->target == window)
            slot->reset();
    }
}

bool DeliverRawInput(const RawInput& record)
{
    const USHORT usage = record.type == RIM_TYPEKEYBOARD ? HID_USAGE_GENERIC_KEYBOARD : HID_USAGE_GENERIC_MOUSE;
    const auto registration = GetRawInputRegistration(usage);
    if (!registration)
        return false;
    // Sent without the lock held: the window may register or unregister while handling it.
    ::SendMessage(registration->target, WM_INPUT, 0, reinterpret_cast<LPARAM>(&record));
    return true;
}
