// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/Generation.h"

#include <atomic>

namespace {
// Set on the GUI thread, read wherever defaults are applied; atomic so that a
// read on another thread is never a data race.
std::atomic<bool> currentGenerationFlag{false};
} // namespace

void SetCurrentGeneration(bool currentGeneration)
{
    currentGenerationFlag.store(currentGeneration, std::memory_order_relaxed);
}

bool IsCurrentGeneration()
{
    return currentGenerationFlag.load(std::memory_order_relaxed);
}
