// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Random bytes from the operating system's generator, for identifiers that must
// differ between processes started at the same moment (GUIDs, attach tokens).
#include <cstddef>
#include <cstdint>

// Fills `size` bytes. Throws std::system_error only when the system has no
// working random source at all; never returns partly filled bytes.
void FillWithSystemRandom(void* buffer, std::size_t size);

// Eight random bytes as one number.
uint64_t SystemRandom64();
