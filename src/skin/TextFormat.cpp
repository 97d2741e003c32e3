// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/TextFormat.h"

#include "skin/LangTable.h"

#include <clocale>
#include <cstdint>
#include <cstdio>
#include <locale.h>

namespace {

enum class IntegerWidth { Char, Short, Int, LongLong };

// One parsed conversion: everything between the % and the conversion letter.
struct Conversion {
    std::size_t begin = 0; // index of the '%'
    std::size_t end = 0;   // one past the conversion letter
    std::string flags;
    int width = -1;
    int precision = -1;
    IntegerWidth integerWidth = IntegerWidth::Int;
    char letter = 0;
    FormatKind kind = FormatKind::Integer;
};

// A piece of a format: literal text (with "%%" already collapsed) or a conversion.
struct Piece {
    std::u16string literal;
    std::optional<Conversion> conversion;
};

bool IsDigit(char16_t c)
{
    return c >= u'0' && c <= u'9';
}

// Reads up to three digits; more (or a value above the limit) is refused.
bool ReadNumber(std::u16string_view format, std::size_t& i, int limit, int& value)
{
    value = 0;
    std::size_t digits = 0;
    while (i < format.size() && IsDigit(format[i])) {
        if (++digits > 3)
            return false;
        value = value * 10 + (format[i] - u'0');
        ++i;
    }
    return value <= limit;
}

std::optional<FormatKind> KindOfLetter(char16_t letter)
{
    switch (letter) {
    case u'd':
    case u'i':
    case u'u':
    case u'o':
    case u'x':
    case u'X':
        return FormatKind::Integer;
    case u'c':
    case u'C':
        return FormatKind::Character;
    case u'f':
    case u'F':
    case u'e':
    case u'E':
    case u'g':
    case u'G':
    case u'a':
    case u'A':
        return FormatKind::Floating;
    case u's':
    case u'S':
        return FormatKind::String;
    default:
        return std::nullopt; // %n and %p among them: never accepted
    }
}

// Parses the conversion starting at format[start] == '%'. None when unacceptable.
std::optional<Conversion> ParseConversion(std::u16string_view format, std::size_t start)
{
    Conversion conversion;
    conversion.begin = start;
    std::size_t i = start + 1;
    while (i < format.size()) {
        const char16_t c = format[i];
        if (c != u'-' && c != u'+' && c != u' ' && c != u'#' && c != u'0')
            break;
        if (conversion.flags.find(char(c)) == std::string::npos)
            conversion.flags.push_back(char(c));
        ++i;
    }
    if (i < format.size() && IsDigit(format[i])) {
        if (!ReadNumber(format, i, kFormatMaxWidth, conversion.width))
            return std::nullopt;
        // "%1$s": arguments by number are refused, the program passes them in order.
        if (i < format.size() && format[i] == u'$')
            return std::nullopt;
    }
    if (i < format.size() && format[i] == u'.') {
        ++i;
        if (!ReadNumber(format, i, kFormatMaxPrecision, conversion.precision))
            return std::nullopt;
    }
    auto startsWith = [&](std::u16string_view text) { return format.substr(i).starts_with(text); };
    if (startsWith(u"I64") || startsWith(u"ll")) {
        conversion.integerWidth = IntegerWidth::LongLong;
        i += startsWith(u"ll") ? 2 : 3;
    } else if (startsWith(u"I32")) {
        i += 3;
    } else if (startsWith(u"hh")) {
        conversion.integerWidth = IntegerWidth::Char;
        i += 2;
    } else if (startsWith(u"h")) {
        conversion.integerWidth = IntegerWidth::Short;
        i += 1;
    } else if (startsWith(u"l") || startsWith(u"L") || startsWith(u"w")) {
        i += 1; // 32-bit long, long double and wide texts need nothing different here
    }
    if (i >= format.size())
        return std::nullopt;
    const auto kind = KindOfLetter(format[i]);
    if (!kind)
        return std::nullopt;
    conversion.letter = char(format[i]);
    conversion.kind = *kind;
    conversion.end = i + 1;
    return conversion;
}

// Splits a format into pieces. With `strict`, an unacceptable conversion makes the
// whole format unacceptable; otherwise its text is kept as a literal.
std::optional<std::vector<Piece>> Split(std::u16string_view format, bool strict)
{
    std::vector<Piece> pieces(1);
    std::size_t i = 0;
    while (i < format.size()) {
        const char16_t c = format[i];
        if (c != u'%') {
            pieces.back().literal.push_back(c);
            ++i;
            continue;
        }
        if (i + 1 < format.size() && format[i + 1] == u'%') {
            pieces.back().literal.push_back(u'%');
            i += 2;
            continue;
        }
        auto conversion = ParseConversion(format, i);
        if (!conversion) {
            if (strict)
                return std::nullopt;
            pieces.back().literal.push_back(c);
            ++i;
            continue;
        }
        i = conversion->end;
        pieces.push_back(Piece{{}, std::move(conversion)});
        pieces.push_back(Piece{});
    }
    return pieces;
}

// printf of one number with the "C" locale, whatever locale the application runs in,
// so that decimals always use a point.
template <class T>
std::u16string FormatNumber(const std::string& format, T value)
{
    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", locale_t(0));
    const locale_t previous = cLocale ? uselocale(cLocale) : locale_t(0);
    std::u16string result;
    const int length = std::snprintf(nullptr, 0, format.c_str(), value);
    if (length > 0) {
        std::string buffer(std::size_t(length) + 1, '\0');
        std::snprintf(buffer.data(), buffer.size(), format.c_str(), value);
        buffer.resize(std::size_t(length));
        result.assign(buffer.begin(), buffer.end());
    }
    if (cLocale)
        uselocale(previous);
    return result;
}

std::string NumberFormat(const Conversion& conversion, const char* lengthModifier)
{
    std::string format = "%" + conversion.flags;
    if (conversion.width >= 0)
        format += std::to_string(conversion.width);
    if (conversion.precision >= 0)
        format += "." + std::to_string(conversion.precision);
    format += lengthModifier;
    format.push_back(conversion.letter);
    return format;
}

std::u16string Pad(std::u16string text, const Conversion& conversion)
{
    if (conversion.width > 0 && text.size() < std::size_t(conversion.width)) {
        const std::u16string padding(std::size_t(conversion.width) - text.size(), u' ');
        if (conversion.flags.find('-') != std::string::npos)
            text += padding;
        else
            text.insert(0, padding);
    }
    return text;
}

std::u16string FormatInteger(const Conversion& conversion, long long value)
{
    const bool isSigned = conversion.letter == 'd' || conversion.letter == 'i';
    switch (conversion.integerWidth) {
    case IntegerWidth::LongLong:
        return isSigned ? FormatNumber(NumberFormat(conversion, "ll"), value)
                        : FormatNumber(NumberFormat(conversion, "ll"), static_cast<unsigned long long>(value));
    case IntegerWidth::Short:
        return isSigned ? FormatNumber(NumberFormat(conversion, ""), int(static_cast<int16_t>(value)))
                        : FormatNumber(NumberFormat(conversion, ""), unsigned(static_cast<uint16_t>(value)));
    case IntegerWidth::Char:
        return isSigned ? FormatNumber(NumberFormat(conversion, ""), int(static_cast<int8_t>(value)))
                        : FormatNumber(NumberFormat(conversion, ""), unsigned(static_cast<uint8_t>(value)));
    case IntegerWidth::Int:
        break;
    }
    // Plain conversions are 32 bits wide, as the values the program shows are.
    return isSigned ? FormatNumber(NumberFormat(conversion, ""), int(static_cast<int32_t>(value)))
                    : FormatNumber(NumberFormat(conversion, ""), unsigned(static_cast<uint32_t>(value)));
}

// The filled conversion, or none when the argument does not suit it.
std::optional<std::u16string> Fill(const Conversion& conversion, const FormatArg& arg)
{
    switch (conversion.kind) {
    case FormatKind::Integer:
        if (!arg.IsInteger())
            return std::nullopt;
        return FormatInteger(conversion, arg.Integer());
    case FormatKind::Character:
        if (!arg.IsInteger())
            return std::nullopt;
        return Pad(std::u16string(1, char16_t(arg.Integer() & 0xFFFF)), conversion);
    case FormatKind::Floating:
        if (!arg.IsFloating())
            return std::nullopt;
        return FormatNumber(NumberFormat(conversion, ""), arg.Floating());
    case FormatKind::String: {
        if (!arg.IsString())
            return std::nullopt;
        std::u16string text = arg.String();
        if (conversion.precision >= 0 && text.size() > std::size_t(conversion.precision))
            text.resize(std::size_t(conversion.precision));
        return Pad(std::move(text), conversion);
    }
    }
    return std::nullopt;
}

std::u16string Render(std::u16string_view format, const std::vector<Piece>& pieces,
                      std::initializer_list<FormatArg> args)
{
    std::u16string result;
    auto next = args.begin();
    for (const auto& piece : pieces) {
        result += piece.literal;
        if (!piece.conversion)
            continue;
        const Conversion& conversion = *piece.conversion;
        std::optional<std::u16string> filled;
        if (next != args.end())
            filled = Fill(conversion, *next++);
        if (filled)
            result += *filled;
        else
            result += format.substr(conversion.begin, conversion.end - conversion.begin);
    }
    return result;
}

std::vector<FormatKind> KindsOf(const std::vector<Piece>& pieces)
{
    std::vector<FormatKind> kinds;
    for (const auto& piece : pieces) {
        if (piece.conversion)
            kinds.push_back(piece.conversion->kind);
    }
    return kinds;
}

} // namespace

std::optional<std::vector<FormatKind>> FormatConversionKinds(std::u16string_view format)
{
    const auto pieces = Split(format, true);
    if (!pieces)
        return std::nullopt;
    return KindsOf(*pieces);
}

std::u16string FormatText(std::u16string_view format, std::initializer_list<FormatArg> args)
{
    return Render(format, *Split(format, false), args);
}

std::u16string FormatWithFallback(std::u16string_view format, std::u16string_view builtInFormat,
                                  std::initializer_list<FormatArg> args)
{
    const auto builtIn = Split(builtInFormat, false);
    const auto translated = Split(format, true);
    if (translated && KindsOf(*translated) == KindsOf(*builtIn))
        return Render(format, *translated, args);
    return Render(builtInFormat, *builtIn, args);
}

std::u16string FormatTranslated(std::u16string_view key, std::u16string_view builtInFormat,
                                std::initializer_list<FormatArg> args)
{
    const LangTranslation translation = TranslateWithCurrent(key);
    if (!translation.found)
        return FormatText(builtInFormat, args);
    return FormatWithFallback(translation.text, builtInFormat, args);
}

QString FormatTranslatedQ(std::u16string_view key, std::u16string_view builtInFormat,
                          std::initializer_list<FormatArg> args)
{
    return QString::fromStdU16String(FormatTranslated(key, builtInFormat, args));
}
