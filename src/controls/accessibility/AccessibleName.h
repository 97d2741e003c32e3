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
// The same words without looking for a text in the language: the last resort,
// which reads like the programmer's name it comes from.
QString WordsFromSkinName(const QString& skinName);

// The caption when it holds more than blanks, else the name set on the widget,
// else its tooltip, else the text from its skin name (its object name). Line
// breaks become spaces.
QString AccessibleControlName(const QWidget& widget, const QString& caption);

// How far to the left of a control a label may stand and still name it.
constexpr int kLabelReach = 120;
// The words of the label a sighted user reads as the control's name: a plain
// label on the control's line (its vertical middle), ending at most kLabelReach
// pixels before the control starts; the nearest wins. Empty when there is none.
QString LabelBeside(const QWidget& control);
