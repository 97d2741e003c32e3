// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a screen reader calls a skinned control. Every control is drawn from the
// skin, so nothing names it unless we do: its caption, else its tooltip, else a
// text made from the name the skin gives the item.
#include <QString>

class QWidget;

// Words for a skin item name: the current language's text for the name with a
// dollar sign before it when it has one, else the name without its kind prefix,
// in words ("BUTTON_SENSITIVITY_STAGES" -> "Sensitivity stages"). Empty for an
// empty name.
QString TextFromSkinName(const QString& skinName);

// The caption when it holds more than blanks, else the widget's tooltip, else the
// text from its skin name (its object name). Line breaks become spaces.
QString AccessibleControlName(const QWidget& widget, const QString& caption);
