// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The server side of fault injection (see FaultInjection.h for the rules).
#include "platform/com/HResult.h"

#include <functional>
#include <string_view>

namespace emulator {

// Counts the call and applies the armed rules. `unplug` is run when an armed
// unplug falls due on this call (null for calls not bound to a device).
// Returns S_OK or the failure the call must answer.
HRESULT CheckCall(std::string_view operation, const std::function<void()>& unplug);

// True once after CorruptNextImageRead was armed.
bool TakeCorruptRead();

} // namespace emulator
