// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The notices the main window shows ("NoMousePopup.xml", "ChangeMousePopup.xml",
// "WriteFailedPopup.xml"), run modally over it.
#include <string_view>

class QWidget;

// Runs the notice of `skinFile` and returns its result (IDOK or IDCANCEL).
int RunWarningPopup(std::u16string_view skinFile, QWidget* parent);
