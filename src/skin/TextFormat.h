// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// printf-style formatting of shown texts whose format may come from a language file.
// A translation is only used when its conversions are exactly the ones the program
// expects (same number, same kinds, in the same order); otherwise the program's own
// English format is used. The formatter never hands an argument to a conversion of
// another kind, and refuses conversions that write memory (%n), take extra arguments
// (*) or address arguments by number, so a language file can neither crash the
// program nor read memory through a format.
#include <cstddef>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include <QString>

enum class FormatKind {
    Integer,   // %d %i %u %o %x %X
    Character, // %c %C
    Floating,  // %f %F %e %E %g %G %a %A
    String,    // %s %S
};

// One argument of a format; integers, floating-point numbers and texts.
class FormatArg {
public:
    FormatArg(int value) : value_(static_cast<long long>(value)) {}
    FormatArg(unsigned value) : value_(static_cast<long long>(value)) {}
    FormatArg(long value) : value_(static_cast<long long>(value)) {}
    FormatArg(unsigned long value) : value_(static_cast<long long>(value)) {}
    FormatArg(long long value) : value_(value) {}
    FormatArg(unsigned long long value) : value_(static_cast<long long>(value)) {}
    FormatArg(double value) : value_(value) {}
    FormatArg(float value) : value_(static_cast<double>(value)) {}
    FormatArg(std::u16string_view text) : value_(std::u16string(text)) {}
    FormatArg(const std::u16string& text) : value_(text) {}
    FormatArg(const char16_t* text) : value_(std::u16string(text ? text : u"")) {}
    FormatArg(const QString& text) : value_(text.toStdU16String()) {}

    bool IsInteger() const { return std::holds_alternative<long long>(value_); }
    bool IsFloating() const { return std::holds_alternative<double>(value_); }
    bool IsString() const { return std::holds_alternative<std::u16string>(value_); }
    long long Integer() const { return std::get<long long>(value_); }
    double Floating() const { return std::get<double>(value_); }
    const std::u16string& String() const { return std::get<std::u16string>(value_); }

private:
    std::variant<long long, double, std::u16string> value_;
};

// Field widths and precisions above these make a format unacceptable.
constexpr int kFormatMaxWidth = 256;
constexpr int kFormatMaxPrecision = 64;

// The kinds of a format's conversions in order, or none when the format holds a
// conversion that is not accepted (unknown letter, %n, %p, *, n$, a width or
// precision that is too large, or a lone % at the end).
std::optional<std::vector<FormatKind>> FormatConversionKinds(std::u16string_view format);

// Formats by a format the program wrote itself. A conversion whose argument is
// missing or of another kind is copied as written instead of being filled.
std::u16string FormatText(std::u16string_view format, std::initializer_list<FormatArg> args);

// Formats by `format` (typically a translation) when its conversions match those of
// `builtInFormat`, else by `builtInFormat`.
std::u16string FormatWithFallback(std::u16string_view format, std::u16string_view builtInFormat,
                                  std::initializer_list<FormatArg> args);

// Translates `key` ("$..." or "#...") through the current language and formats by
// the translation; the built-in format is used when the key has no translation or
// the translation's conversions do not match.
std::u16string FormatTranslated(std::u16string_view key, std::u16string_view builtInFormat,
                                std::initializer_list<FormatArg> args);
QString FormatTranslatedQ(std::u16string_view key, std::u16string_view builtInFormat,
                          std::initializer_list<FormatArg> args);
