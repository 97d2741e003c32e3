// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Registers with the skin loader the factories of `DPISTAGEWINDOW` (sensitivity
// stage boxes) and `MACRODISPLAY` (the macro event list).
void RegisterStageAndMacroControlFactories();
