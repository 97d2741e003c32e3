// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Registers with the skin loader the factories of the slider family: `SLIDERTRACK`,
// `VSLIDER`, `HSLIDERM`, `HSLIDERMAPM` and `DMARKER`.
void RegisterSliderControlFactories();
