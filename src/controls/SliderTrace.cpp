#include "controls/SliderTrace.h"

#include <cstdarg>
#include <cstdio>
#include <string>

Q_LOGGING_CATEGORY(lcSliderTrace, "zt.debugger", QtWarningMsg)

void SliderTrace(const char* format, ...)
{
    if (!lcSliderTrace().isDebugEnabled())
        return;
    va_list args;
    va_start(args, format);
    va_list copy;
    va_copy(copy, args);
    const int length = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    std::string line(length > 0 ? std::size_t(length) + 1 : 1, '\0');
    if (length > 0)
        std::vsnprintf(line.data(), line.size(), format, args);
    va_end(args);
    line.resize(length > 0 ? std::size_t(length) : 0);
    while (!line.empty() && line.back() == '\n')
        line.pop_back();
    qCDebug(lcSliderTrace).noquote() << QString::fromStdString(line);
}
