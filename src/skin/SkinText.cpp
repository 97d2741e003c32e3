// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/SkinText.h"

#include <climits>

namespace {

template <class Char>
Char UpperAscii(Char c)
{
    return (c >= Char('a') && c <= Char('z')) ? Char(c - 'a' + 'A') : c;
}

template <class Char>
bool EqualsFolded(std::basic_string_view<Char> a, std::basic_string_view<Char> b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (UpperAscii(a[i]) != UpperAscii(b[i]))
            return false;
    return true;
}

} // namespace

std::string AsciiUpper(std::string_view text)
{
    std::string out(text);
    for (auto& c : out)
        c = UpperAscii(c);
    return out;
}

std::u16string AsciiUpper(std::u16string_view text)
{
    std::u16string out(text);
    for (auto& c : out)
        c = UpperAscii(c);
    return out;
}

bool EqualsIgnoreAsciiCase(std::string_view a, std::string_view b)
{
    return EqualsFolded(a, b);
}

bool EqualsIgnoreAsciiCase(std::u16string_view a, std::u16string_view b)
{
    return EqualsFolded(a, b);
}

bool NarrowAscii(std::u16string_view text, std::string& out)
{
    out.clear();
    out.reserve(text.size());
    for (char16_t c : text) {
        if (c > 0x7F)
            return false;
        out.push_back(static_cast<char>(c));
    }
    return true;
}

QString ToQString(std::u16string_view text)
{
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

std::u16string FromQString(const QString& text)
{
    return text.toStdU16String();
}

int ParseLeadingInt(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t' || text[i] == '\n' || text[i] == '\r' ||
                               text[i] == '\v' || text[i] == '\f'))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    long long value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > static_cast<long long>(INT_MAX) + 1)
            value = static_cast<long long>(INT_MAX) + 1;
    }
    if (negative)
        value = -value;
    if (value > INT_MAX)
        value = INT_MAX;
    return static_cast<int>(value);
}

bool ParseSkinBool(std::string_view text)
{
    if (text.empty())
        return false;
    char c = text.front();
    return c == '1' || c == 't' || c == 'T' || c == 'y' || c == 'Y';
}
