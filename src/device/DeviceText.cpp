// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/DeviceText.h"

#include <mutex>

namespace {

std::mutex translatorMutex;
DeviceTextTranslator translator;

} // namespace

void SetDeviceTextTranslator(DeviceTextTranslator value)
{
    std::lock_guard lock(translatorMutex);
    translator = std::move(value);
}

std::u16string TranslateDeviceText(std::u16string_view key)
{
    DeviceTextTranslator current;
    {
        std::lock_guard lock(translatorMutex);
        current = translator;
    }
    return current ? current(key) : std::u16string(key);
}
