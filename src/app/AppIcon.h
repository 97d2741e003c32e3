// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program's icon (the title bar, the task switcher, every popup), and the
// name the desktop knows the program by.
#include <QIcon>
#include <QString>

// The desktop entry's name without ".desktop", by which the desktop matches the
// program's windows to its menu entry.
inline constexpr const char* kDesktopName = "com.example.zemko.tovik";
// The icon's name in the icon theme.
inline constexpr const char* kIconName = "zemko-tovik";

// The icon drawn for this build, found beside `appDirectory` (the theme folder of
// IconThemeDirectory); the desktop's icon theme when those files are missing; a
// null icon when neither has it.
QIcon ApplicationIcon(const QString& appDirectory);
