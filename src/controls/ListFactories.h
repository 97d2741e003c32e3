#pragma once
// Registers with the skin loader the factories of the list, edit, drop-down and
// progress controls: `LISTCTRL`, `LISTPANEL`, `COMBO`, `COMBOCOLOR`, `EDITCTRL` and
// `PROGRESSPANELITEM`.
void RegisterListControlFactories();
