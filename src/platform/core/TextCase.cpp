// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/core/TextCase.h"

#include <unicode/uchar.h>

namespace {

bool IsHighSurrogate(char16_t unit)
{
    return unit >= 0xD800 && unit <= 0xDBFF;
}

bool IsLowSurrogate(char16_t unit)
{
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

// Appends the folded form of the code point that starts at text[i] and returns
// how many units it took.
std::size_t AppendFolded(std::u16string_view text, std::size_t i, std::u16string& out)
{
    const char16_t unit = text[i];
    if (IsHighSurrogate(unit) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
        const char32_t codePoint = 0x10000 + ((char32_t(unit) - 0xD800) << 10) + (char32_t(text[i + 1]) - 0xDC00);
        const char32_t folded = FoldCase(codePoint);
        if (folded >= 0x10000) {
            out.push_back(char16_t(0xD800 + ((folded - 0x10000) >> 10)));
            out.push_back(char16_t(0xDC00 + ((folded - 0x10000) & 0x3FF)));
        } else {
            // No such folding exists today; keep the text's length if one appears.
            out.push_back(unit);
            out.push_back(text[i + 1]);
        }
        return 2;
    }
    if (IsHighSurrogate(unit) || IsLowSurrogate(unit)) {
        out.push_back(unit);
        return 1;
    }
    const char32_t folded = FoldCase(char32_t(unit));
    out.push_back(folded <= 0xFFFF ? char16_t(folded) : unit);
    return 1;
}

} // namespace

char32_t FoldCase(char32_t codePoint)
{
    if (codePoint < 0x80)
        return (codePoint >= U'A' && codePoint <= U'Z') ? codePoint + 0x20 : codePoint;
    if (codePoint > 0x10FFFF || (codePoint >= 0xD800 && codePoint <= 0xDFFF))
        return codePoint;
    return char32_t(u_foldCase(UChar32(codePoint), U_FOLD_CASE_DEFAULT));
}

std::u16string FoldCase(std::u16string_view text)
{
    std::u16string folded;
    folded.reserve(text.size());
    for (std::size_t i = 0; i < text.size();)
        i += AppendFolded(text, i, folded);
    return folded;
}

bool EqualsIgnoringCase(std::u16string_view a, std::u16string_view b)
{
    return a.size() == b.size() && FoldCase(a) == FoldCase(b);
}

bool StartsWithIgnoringCase(std::u16string_view text, std::u16string_view prefix)
{
    return text.size() >= prefix.size() && FoldCase(text.substr(0, prefix.size())) == FoldCase(prefix);
}
