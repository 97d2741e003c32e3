// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/DeviceChoice.h"

#include "device/NullMouse.h"

std::unique_ptr<IMouseDevice> ChooseDevice(IMouseConfig* config, CMousePicker::ChangeCallback callback, void* userData)
{
    auto picker = std::make_unique<CMousePicker>(SupportedDevices(), userData);
    picker->SetChangeCallback(std::move(callback), userData);
    if (picker->ReadAll(config))
        return picker;
    picker.reset();
    auto null = std::make_unique<CNullMouse>();
    null->ReadAll(config);
    return null;
}
