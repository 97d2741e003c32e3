// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Which device generation the program is configured for. The application sets it
// once it has chosen the current-generation page files; the factory defaults of a
// profile (stage values, sensitivity maximum, selected stage) depend on it.

void SetCurrentGeneration(bool currentGeneration);
bool IsCurrentGeneration();
