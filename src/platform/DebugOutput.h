// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Trace lines for developers, the stand-in for a debugger's output window. They go
// to the logging category "zemko.tovik.debug", which is off unless enabled, e.g.
// QT_LOGGING_RULES="zemko.tovik.debug=true".
#include <QLoggingCategory>

Q_DECLARE_LOGGING_CATEGORY(lcDebugOutput)

// One trace line; a trailing line break is dropped (each call is one line).
void OutputDebugString(const char* text);
void OutputDebugStringW(const char16_t* text);
// printf-style formatting, checked by the compiler.
void DebugPrintf(const char* format, ...) __attribute__((format(printf, 1, 2)));
