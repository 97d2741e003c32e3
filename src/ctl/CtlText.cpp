// SPDX-License-Identifier: GPL-3.0-or-later
#include "ctl/CtlText.h"

#include "platform/core/TextCase.h"
#include "platform/core/Utf.h"

#include <cstdio>

std::string ToUtf8(std::u16string_view text)
{
    return Utf16ToUtf8(text);
}

std::optional<std::u16string> FromUtf8(std::string_view text)
{
    return DecodeUtf8(text);
}

std::string Escaped(std::u16string_view text)
{
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i];
        char buffer[16];
        switch (unit) {
        case u'\n':
            out += "\\n";
            continue;
        case u'\t':
            out += "\\t";
            continue;
        case u'\r':
            out += "\\r";
            continue;
        case u'\\':
            out += "\\\\";
            continue;
        case u'"':
            out += "\\\"";
            continue;
        default:
            break;
        }
        if (unit < 0x20 || unit == 0x7F) {
            std::snprintf(buffer, sizeof buffer, "\\x%02X", unsigned(unit));
            out += buffer;
            continue;
        }
        const bool high = unit >= 0xD800 && unit <= 0xDBFF;
        const bool pairs = high && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF;
        if ((unit >= 0x80 && unit <= 0x9F) || unit == 0x2028 || unit == 0x2029 ||
            (unit >= 0xD800 && unit <= 0xDFFF && !pairs)) {
            // C1 controls, line separators and lone surrogates: printed by number.
            std::snprintf(buffer, sizeof buffer, "\\u{%04X}", unsigned(unit));
            out += buffer;
            continue;
        }
        if (pairs) {
            out += Utf16ToUtf8(text.substr(i, 2));
            ++i;
            continue;
        }
        out += Utf16ToUtf8(text.substr(i, 1));
    }
    return out;
}

std::string ControlsEscaped(std::string_view utf8)
{
    std::string out;
    for (unsigned char c : utf8) {
        if (c < 0x20 || c == 0x7F) {
            char buffer[8];
            std::snprintf(buffer, sizeof buffer, "\\x%02X", unsigned(c));
            out += buffer;
        } else {
            out.push_back(char(c));
        }
    }
    return out;
}

std::string Quoted(std::u16string_view text)
{
    return "\"" + Escaped(text) + "\"";
}

namespace {

int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

} // namespace

std::optional<std::vector<std::u16string>> SplitWords(std::string_view text, std::string& error)
{
    std::optional<std::u16string> decoded = DecodeUtf8(text);
    if (!decoded) {
        error = "not valid UTF-8";
        return std::nullopt;
    }
    std::vector<std::u16string> words;
    const std::u16string& s = *decoded;
    size_t i = 0;
    while (i < s.size()) {
        if (s[i] == u' ') {
            ++i;
            continue;
        }
        std::u16string word;
        if (s[i] != u'"') {
            while (i < s.size() && s[i] != u' ')
                word.push_back(s[i++]);
            words.push_back(std::move(word));
            continue;
        }
        ++i;
        bool closed = false;
        while (i < s.size()) {
            const char16_t c = s[i++];
            if (c == u'"') {
                closed = true;
                break;
            }
            if (c != u'\\') {
                word.push_back(c);
                continue;
            }
            if (i >= s.size())
                break;
            const char16_t e = s[i++];
            switch (e) {
            case u'n':
                word.push_back(u'\n');
                break;
            case u't':
                word.push_back(u'\t');
                break;
            case u'r':
                word.push_back(u'\r');
                break;
            case u'\\':
            case u'"':
                word.push_back(e);
                break;
            case u'x': {
                const int a = i + 1 < s.size() && s[i] < 0x80 ? HexDigit(char(s[i])) : -1;
                const int b = a >= 0 && s[i + 1] < 0x80 ? HexDigit(char(s[i + 1])) : -1;
                if (b < 0) {
                    error = "\\x needs two hexadecimal digits";
                    return std::nullopt;
                }
                word.push_back(char16_t(a * 16 + b));
                i += 2;
                break;
            }
            case u'u': {
                if (i >= s.size() || s[i] != u'{') {
                    error = "\\u needs {HHHH}";
                    return std::nullopt;
                }
                ++i;
                uint32_t value = 0;
                size_t digits = 0;
                while (i < s.size() && s[i] != u'}' && digits < 4) {
                    const int d = s[i] < 0x80 ? HexDigit(char(s[i])) : -1;
                    if (d < 0)
                        break;
                    value = value * 16 + uint32_t(d);
                    ++digits;
                    ++i;
                }
                if (digits == 0 || i >= s.size() || s[i] != u'}') {
                    error = "\\u needs {HHHH}";
                    return std::nullopt;
                }
                ++i;
                word.push_back(char16_t(value));
                break;
            }
            default:
                error = "unknown escape \\" + Utf16ToUtf8(std::u16string(1, e));
                return std::nullopt;
            }
        }
        if (!closed) {
            error = "a quote is not closed";
            return std::nullopt;
        }
        words.push_back(std::move(word));
    }
    return words;
}

std::optional<uint32_t> ParseNumber(std::u16string_view text, uint32_t maximum)
{
    if (text.empty() || text.size() > 10)
        return std::nullopt;
    uint64_t value = 0;
    for (char16_t c : text) {
        if (c < u'0' || c > u'9')
            return std::nullopt;
        value = value * 10 + uint64_t(c - u'0');
    }
    if (value > maximum)
        return std::nullopt;
    return uint32_t(value);
}

std::optional<uint32_t> ParseNumber(std::string_view text, uint32_t maximum)
{
    return ParseNumber(std::u16string(text.begin(), text.end()), maximum);
}

std::optional<bool> ParseSwitch(std::u16string_view text)
{
    for (std::u16string_view on : {u"on", u"1", u"true", u"yes"}) {
        if (EqualsIgnoringCase(text, on))
            return true;
    }
    for (std::u16string_view off : {u"off", u"0", u"false", u"no"}) {
        if (EqualsIgnoringCase(text, off))
            return false;
    }
    return std::nullopt;
}

bool SameIgnoringCase(std::u16string_view a, std::u16string_view b)
{
    return EqualsIgnoringCase(a, b);
}
