// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The device the application uses for its run: a picker over the supported
// products when one of them can be read, otherwise the null device with its
// default profile.
#include "device/MousePicker.h"

#include <memory>

std::unique_ptr<IMouseDevice> ChooseDevice(IMouseConfig* config, CMousePicker::ChangeCallback callback = nullptr,
                                           void* userData = nullptr);
