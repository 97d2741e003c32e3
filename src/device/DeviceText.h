// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// User-visible texts the device layer sends with its progress ("$Profile:"). The
// language tables live above this library, so the application installs the
// translation; without one a key is shown as written.
#include <functional>
#include <string>
#include <string_view>

using DeviceTextTranslator = std::function<std::u16string(std::u16string_view key)>;

void SetDeviceTextTranslator(DeviceTextTranslator translator);
std::u16string TranslateDeviceText(std::u16string_view key);
