// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Milliseconds of a steady clock, wrapping at 32 bits like the counter the macro
// recorder measures delays with. Differences of two readings (unsigned
// subtraction) stay right across the wrap.
#include "platform/core/WinTypes.h"

DWORD GetTickCount();
