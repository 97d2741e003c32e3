#pragma once
// Registers with the skin loader the factories of the slider family: `SLIDERTRACK`,
// `VSLIDER`, `HSLIDERM`, `HSLIDERMAPM` and `DMARKER`.
void RegisterSliderControlFactories();
