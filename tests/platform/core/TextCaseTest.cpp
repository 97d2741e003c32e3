// SPDX-License-Identifier: GPL-3.0-or-later
// The one case-insensitive comparison every name lookup of the program uses.
#include "platform/core/TextCase.h"

#include <gtest/gtest.h>

namespace {

struct CasePair {
    const char* what;
    std::u16string a;
    std::u16string b;
    bool equal;
};

TEST(TextCase, NamesThatDifferOnlyInLetterCaseAreEqual)
{
    const CasePair pairs[] = {
        {"ASCII", u"Profile 1", u"PROFILE 1", true},
        {"Latin-1", u"\u00c9t\u00e9", u"\u00e9T\u00c9", true},
        {"Latin Extended-A, both pairing directions", u"\u0141\u00f3d\u017a", u"\u0142\u00d3D\u0179", true},
        {"Cyrillic", u"\u041f\u0440\u043e\u0401", u"\u043f\u0420\u041e\u0451", true},
        {"Greek final sigma folds like sigma", u"\u03a3\u039f\u03a6\u039f\u03a3", u"\u03c3\u03bf\u03c6\u03bf\u03c2",
         true},
        {"long s folds to s", u"\u017ft", u"ST", true},
        {"micro sign folds to mu", u"\u00b5", u"\u039c", true},
        {"Kelvin sign folds to k", u"\u212a", u"k", true},
        {"Armenian", u"\u0531\u0532", u"\u0561\u0562", true},
        {"Deseret, outside the first plane", u"\U00010400x", u"\U00010428X", true},
        {"fullwidth Latin", u"\uff21", u"\uff41", true},
        {"multiplication and division signs are no pair", u"\u00d7", u"\u00f7", false},
        {"brackets are no letters", u"[", u"{", false},
        {"a longer text never equals", u"abc", u"abcd", false},
        {"dotted capital I has no simple folding", u"\u0130", u"i", false},
        {"sharp s is not expanded", u"\u00df", u"ss", false},
        {"a lone surrogate equals only itself", std::u16string(1, char16_t(0xD801)), u"\U00010428", false},
        {"lone surrogates are kept", std::u16string(1, char16_t(0xDC00)), std::u16string(1, char16_t(0xDC00)), true},
        {"empty texts", u"", u"", true},
    };
    for (const CasePair& pair : pairs) {
        SCOPED_TRACE(pair.what);
        EXPECT_EQ(EqualsIgnoringCase(pair.a, pair.b), pair.equal);
        EXPECT_EQ(EqualsIgnoringCase(pair.b, pair.a), pair.equal);
        EXPECT_EQ(FoldCase(pair.a) == FoldCase(pair.b), pair.equal) << "lookups by folded key must agree";
    }
}

TEST(TextCase, FoldingKeepsTheLengthSoPrefixesAndLimitsStayInUnits)
{
    for (const std::u16string text : {u"\U00010400\u00c9\u017f", u"\u0130\u212a", u"abc"}) {
        SCOPED_TRACE(testing::PrintToString(text.size()));
        EXPECT_EQ(FoldCase(text).size(), text.size());
    }
    EXPECT_TRUE(StartsWithIgnoringCase(u"ReadFromDevice", u"READ"));
    EXPECT_TRUE(StartsWithIgnoringCase(u"\u00c9t\u00e9", u"\u00e9"));
    EXPECT_TRUE(StartsWithIgnoringCase(u"abc", u""));
    EXPECT_FALSE(StartsWithIgnoringCase(u"Re", u"Read"));
    EXPECT_FALSE(StartsWithIgnoringCase(u"Write", u"R"));
}

} // namespace
