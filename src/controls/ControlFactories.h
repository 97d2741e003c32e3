// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Teaches the skin loader to build every control of this library. Start-up (and any
// test that loads skins with live controls) calls RegisterAllControls() once before
// the first skin file is loaded; the call is explicit because a static library drops
// self-registering objects nobody references.

// Registers the factories of all control families.
void RegisterAllControls();

// The families, each in its own *Factories.cpp with its own header (for instance
// SliderFactories.h); RegisterAllControls() calls every one of them.
void RegisterBasicControlFactories(); // buttons, keys, text items, bitmap items and windows, clip buttons
