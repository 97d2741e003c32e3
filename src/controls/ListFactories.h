// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Registers with the skin loader the factories of the list, edit, drop-down and
// progress controls: `LISTCTRL`, `LISTPANEL`, `COMBO`, `COMBOCOLOR`, `EDITCTRL`,
// `EDITCTRLSK`, `EDITCTRLSKMMO` and `PROGRESSPANELITEM`.
void RegisterListControlFactories();
