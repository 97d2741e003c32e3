// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/LangCase.h"

#include <QChar>

char16_t FoldLangCase(char16_t c)
{
    if (c < 0x80)
        return (c >= u'A' && c <= u'Z') ? char16_t(c - u'A' + u'a') : c;
    // Surrogate halves are left alone; they only ever compare equal to themselves.
    if (QChar::isSurrogate(c))
        return c;
    const char32_t folded = QChar::toCaseFolded(char32_t(c));
    return folded <= 0xFFFF ? char16_t(folded) : c;
}

std::u16string FoldLangCase(std::u16string_view text)
{
    std::u16string folded(text);
    for (auto& c : folded)
        c = FoldLangCase(c);
    return folded;
}

bool EqualsIgnoringCase(std::u16string_view a, std::u16string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (FoldLangCase(a[i]) != FoldLangCase(b[i]))
            return false;
    }
    return true;
}

bool StartsWithIgnoringCase(std::u16string_view text, std::u16string_view prefix)
{
    return text.size() >= prefix.size() && EqualsIgnoringCase(text.substr(0, prefix.size()), prefix);
}
