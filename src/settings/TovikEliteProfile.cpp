// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/TovikEliteProfile.h"

CTovikEliteProfile::CTovikEliteProfile(std::u16string_view name) : CMouseProfile(name) {}

CTovikEliteProfile::CTovikEliteProfile(const CTovikEliteProfile& other) : CMouseProfile()
{
    Assign(other);
    deviceWords_[0] = 0;
    deviceWords_[6] = 0;
}

uint32_t CTovikEliteProfile::GetDeviceWord(size_t index) const
{
    return index < deviceWords_.size() ? deviceWords_[index] : 0;
}

bool CTovikEliteProfile::SetDeviceWord(size_t index, uint32_t value)
{
    if (index >= deviceWords_.size())
        return false;
    deviceWords_[index] = value;
    return true;
}

void CTovikEliteProfile::Assign(const CBaseProfile& other)
{
    if (&other == this)
        return;
    CMouseProfile::Assign(other);
    if (const auto* source = dynamic_cast<const CTovikEliteProfile*>(&other))
        deviceWords_ = source->deviceWords_;
}
