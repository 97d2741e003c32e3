// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Makes the skinned controls visible to assistive tools: installs the factory that
// gives buttons, labels, sliders, list panels, drop-downs and edit fields their
// accessibility interfaces. Safe to call more than once; later calls do nothing.
void InstallControlAccessibility();
