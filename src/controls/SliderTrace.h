#pragma once
// Trace lines of the sliders, written to the debugger output: the logging category
// "zt.debugger", off unless enabled (QT_LOGGING_RULES="zt.debugger.debug=true").
#include <QLoggingCategory>

Q_DECLARE_LOGGING_CATEGORY(lcSliderTrace)

// Formats one line with a format of the program's own (never a translated one) and
// writes it without its trailing line break.
void SliderTrace(const char* format, ...) __attribute__((format(printf, 1, 2)));
