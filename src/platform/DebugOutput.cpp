// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/DebugOutput.h"

#include <cstdarg>
#include <cstdio>
#include <string>

Q_LOGGING_CATEGORY(lcDebugOutput, "zemko.tovik.debug", QtInfoMsg)

namespace {

void Emit(QString line)
{
    while (line.endsWith(u'\n') || line.endsWith(u'\r'))
        line.chop(1);
    qCDebug(lcDebugOutput).noquote() << line;
}

} // namespace

void OutputDebugString(const char* text)
{
    if (text && lcDebugOutput().isDebugEnabled())
        Emit(QString::fromUtf8(text));
}

void OutputDebugStringW(const char16_t* text)
{
    if (text && lcDebugOutput().isDebugEnabled())
        Emit(QString::fromUtf16(text));
}

void DebugPrintf(const char* format, ...)
{
    if (!format || !lcDebugOutput().isDebugEnabled())
        return;
    va_list args;
    va_start(args, format);
    va_list copy;
    va_copy(copy, args);
    const int length = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    if (length >= 0) {
        std::string text(size_t(length) + 1, '\0');
        std::vsnprintf(text.data(), text.size(), format, args);
        text.resize(size_t(length));
        Emit(QString::fromUtf8(text.data(), qsizetype(text.size())));
    }
    va_end(args);
}
