// SPDX-License-Identifier: GPL-3.0-or-later
// The one UTF-8/UTF-16 converter: strict decoding, and replacement of what is
// malformed, one U+FFFD per maximal ill-formed part.
#include "platform/core/Utf.h"

#include <gtest/gtest.h>

namespace {

const std::u16string kReplacement = u"\uFFFD";

TEST(Utf, WellFormedTextSurvivesBothWays)
{
    const std::u16string texts[] = {u"", u"plain", u"\u00e9\u07ff\u0800\uffff", u"\U00010000\U0010FFFF\U0001F600",
                                    std::u16string(1, u'\0') + u"after a zero"};
    for (const std::u16string& text : texts) {
        SCOPED_TRACE(testing::PrintToString(Utf16ToUtf8(text)));
        const std::string bytes = Utf16ToUtf8(text);
        EXPECT_EQ(Utf8ToUtf16(bytes), text);
        ASSERT_TRUE(DecodeUtf8(bytes));
        EXPECT_EQ(*DecodeUtf8(bytes), text);
    }
    EXPECT_EQ(Utf16ToUtf8(u"a\u00E9\U0001F600"), "a\xC3\xA9\xF0\x9F\x98\x80");
}

struct Malformed {
    const char* what;
    std::string bytes;
    std::u16string replaced;
};

TEST(Utf, MalformedSequencesAreRefusedOrReplacedPartByPart)
{
    const std::u16string r = kReplacement;
    const Malformed cases[] = {
        {"truncated two-byte sequence", "a\xC3", u"a" + r},
        {"truncated three-byte sequence is one part", "\xE2\x82", r},
        {"truncated four-byte sequence is one part", "\xF0\x9F\x98x", r + u"x"},
        {"overlong slash", "\xC0\xAF", r + r},
        {"overlong three-byte NUL", "\xE0\x80\x80", r + r + r},
        {"overlong four-byte form", "\xF0\x8F\xBF\xBF", r + r + r + r},
        {"encoded high surrogate", "\xED\xA0\x80", r + r + r},
        {"encoded low surrogate", "\xED\xBF\xBF", r + r + r},
        {"beyond U+10FFFF", "\xF4\x90\x80\x80", r + r + r + r},
        {"five-byte lead", "\xF8\x88\x80\x80\x80", r + r + r + r + r},
        {"stray continuation byte", "a\x80z", u"a" + r + u"z"},
        {"bytes that never occur", "\xFE\xFF", r + r},
        {"a lead cut short by a new lead", "\xE2\xC3\xA9", r + u"\u00e9"},
    };
    for (const Malformed& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_FALSE(DecodeUtf8(c.bytes));
        EXPECT_EQ(Utf8ToUtf16(c.bytes), c.replaced);
    }
}

TEST(Utf, UnpairedSurrogatesBecomeReplacementCharacters)
{
    const std::u16string highOnly(1, char16_t(0xD800));
    const std::u16string lowOnly(1, char16_t(0xDC00));
    EXPECT_EQ(Utf16ToUtf8(highOnly), "\xEF\xBF\xBD");
    EXPECT_EQ(Utf16ToUtf8(lowOnly + u"a"), "\xEF\xBF\xBD"
                                           "a");
    EXPECT_EQ(Utf16ToUtf8(highOnly + highOnly + lowOnly), "\xEF\xBF\xBD\xF0\x90\x80\x80");
    EXPECT_EQ(Utf16ToUtf8(lowOnly + highOnly), "\xEF\xBF\xBD\xEF\xBF\xBD");
}

TEST(Utf, DecodingOneCodePointMovesPastExactlyWhatItRead)
{
    const std::string text = "\xE2\x82\xAC\xE2\x82!";
    std::size_t pos = 0;
    EXPECT_EQ(DecodeUtf8CodePoint(text, pos), std::optional<char32_t>(U'\u20AC'));
    EXPECT_EQ(pos, 3u);
    EXPECT_EQ(DecodeUtf8CodePoint(text, pos), std::nullopt);
    EXPECT_EQ(pos, 5u) << "the failure covers the truncated sequence, not the byte after it";
    EXPECT_EQ(DecodeUtf8CodePoint(text, pos), std::optional<char32_t>(U'!'));
    EXPECT_EQ(pos, 6u);
}

} // namespace
