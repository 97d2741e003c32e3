// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Runs a blocking piece of work (a device read, the start-up search) on a helper
// thread while the calling GUI thread keeps processing events in a local loop. The
// caller still sees a synchronous call, windows keep painting, and the work may
// SendMessage to windows of the GUI thread without deadlocking.
#include <functional>

// Returns when `work` has finished; an exception thrown by `work` is rethrown here.
// Meanwhile windows paint and handle messages, but keyboard and mouse input waits
// until the call returns (unless `allowUserInput`), so that the caller's window is
// not re-entered by the user in the middle of what looks like one call.
void RunOnHelperThread(const std::function<void()>& work, bool allowUserInput = false);
