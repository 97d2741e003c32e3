// SPDX-License-Identifier: GPL-3.0-or-later
// The strict reader under the file formats.
#include "emulator/Json.h"

#include <gtest/gtest.h>

using namespace emulator;

TEST(Json, RoundTripsEveryUtf16StringExactly)
{
    const std::u16string texts[] = {u"plain", u"quote \" backslash \\ slash /", u"tab\tnewline\n",
                                    u"\u00E9\u4E2D\U0001F600", std::u16string(1, char16_t(0xD800)) + u"x"};
    for (const auto& text : texts) {
        const JsonValue parsed = ParseJson(WriteJson(JsonValue(JsonArray{JsonValue(text)})));
        ASSERT_TRUE(parsed.AsArray());
        ASSERT_TRUE((*parsed.AsArray())[0].AsString());
        EXPECT_EQ(*(*parsed.AsArray())[0].AsString(), text);
    }
}

TEST(Json, ReadsRawUtf8AndTheFullIntegerRange)
{
    const JsonValue v = ParseJson("{\"a\": \"\xE2\x82\xAC\xF0\x9F\x98\x80\", \"b\": -9223372036854775808, \"c\": "
                                  "9223372036854775807, \"d\": [true, false, null]}");
    JsonFields f(v, "test");
    EXPECT_EQ(f.String("a", 10), u"\u20AC\U0001F600");
    EXPECT_EQ(f.Int("b", INT64_MIN, INT64_MAX), INT64_MIN);
    EXPECT_EQ(f.Int("c", INT64_MIN, INT64_MAX), INT64_MAX);
    EXPECT_EQ(f.Array("d", 3).size(), 3u);
    EXPECT_NO_THROW(f.Finish());
}

TEST(Json, RefusesAnythingLoose)
{
    const char* bad[] = {"",
                         "{",
                         "{\"a\":1,}",
                         "[1,]",
                         "{'a':1}",
                         "{\"a\":01}",
                         "{\"a\":1.0}",
                         "{\"a\":1e3}",
                         "{\"a\":-}",
                         "{\"a\":9223372036854775808}",
                         "{\"a\":1}{}",
                         "{\"a\":1,\"a\":2}",
                         "[\"\\x\"]",
                         "[\"\\u12\"]",
                         "[\"unterminated]",
                         "[\"\x01\"]",
                         "[\"\xFF\"]",
                         "[\"\xED\xA0\x80\"]",     // an encoded surrogate
                         "[\"\xF4\x90\x80\x80\"]", // beyond U+10FFFF
                         "[tru]",
                         "nul"};
    for (const char* text : bad)
        EXPECT_THROW(ParseJson(text), JsonError) << text;
    std::string deep(65, '[');
    deep += std::string(65, ']');
    EXPECT_THROW(ParseJson(deep), JsonError);
    std::string fine(60, '[');
    fine += std::string(60, ']');
    EXPECT_NO_THROW(ParseJson(fine));
}

TEST(Json, FieldReaderChecksTypesRangesAndLeftovers)
{
    const JsonValue v = ParseJson("{\"n\": 5, \"s\": \"abc\", \"extra\": 1}");
    JsonFields f(v, "obj");
    EXPECT_THROW(f.Int("n", 6, 10), JsonError);
    EXPECT_THROW(f.Bool("s"), JsonError);
    EXPECT_THROW(f.String("s", 2), JsonError);
    EXPECT_THROW(f.Take("missing"), JsonError);
    EXPECT_THROW(f.Finish(), JsonError) << "\"extra\" was never asked for";
    EXPECT_THROW(JsonFields(ParseJson("[1]"), "array"), JsonError);
}

TEST(Json, Utf8ConversionReplacesWhatCannotBeEncoded)
{
    EXPECT_EQ(ToUtf8(u"a\u00E9\U0001F600"), "a\xC3\xA9\xF0\x9F\x98\x80");
    EXPECT_EQ(ToUtf8(std::u16string(1, char16_t(0xDC00))), "\xEF\xBF\xBD");
    EXPECT_EQ(FromUtf8("a\xC3\xA9\xF0\x9F\x98\x80"), u"a\u00E9\U0001F600");
    EXPECT_EQ(FromUtf8("\xC3"), u"\uFFFD");
    EXPECT_EQ(FromUtf8("\xC0\xAF"), u"\uFFFD\uFFFD");
}
