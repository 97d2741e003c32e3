#pragma once
// Registers with the skin loader the factories of `DPISTAGEWINDOW` (sensitivity
// stage boxes) and `MACRODISPLAY` (the macro event list).
void RegisterStageAndMacroControlFactories();
