// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/AllowedKinds.h"

#include <array>

namespace {

constexpr std::array<int32_t, 15> kGeneral = {1, 2, 3, 4, 6, 13, 14, 46, 45, 10, 5, 22, 53, 54, 8};
constexpr std::array<int32_t, 16> kGeneralWithTemporary = {1, 2, 3, 4, 6, 21, 13, 14, 46, 45, 10, 5, 22, 53, 54, 8};
constexpr std::array<int32_t, 6> kWheel = {6, 13, 14, 53, 54, 8};

} // namespace

namespace AllowedKinds {

std::span<const int32_t> General()
{
    return kGeneral;
}

std::span<const int32_t> GeneralWithTemporarySensitivity()
{
    return kGeneralWithTemporary;
}

std::span<const int32_t> Wheel()
{
    return kWheel;
}

bool IsWheelDirection(tMouseButton button)
{
    return button == MOUSE_BUTTON_WHEEL_UP || button == MOUSE_BUTTON_WHEEL_DOWN;
}

std::span<const int32_t> ForEarlierGeneration(tMouseButton button)
{
    return IsWheelDirection(button) ? Wheel() : General();
}

} // namespace AllowedKinds
