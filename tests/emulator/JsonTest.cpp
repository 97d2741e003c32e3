// SPDX-License-Identifier: GPL-3.0-or-later
// The strict reader and writer under the server's files: what they keep exactly,
// what they refuse, and where their limits are.
#include "emulator/Json.h"

#include <gtest/gtest.h>

#include <climits>

using namespace emulator;

namespace {

JsonValue Single(const std::u16string& text)
{
    return JsonValue(JsonArray{JsonValue(text)});
}

std::u16string StringIn(const JsonValue& array)
{
    const JsonArray* items = array.AsArray();
    if (!items || items->size() != 1 || !(*items)[0].AsString())
        return u"(not a one-string array)";
    return *(*items)[0].AsString();
}

std::string Nested(char open, int depth)
{
    std::string text;
    for (int i = 0; i < depth; ++i)
        text += open == '[' ? "[" : "{\"a\":";
    text += "1";
    for (int i = 0; i < depth; ++i)
        text += open == '[' ? "]" : "}";
    return text;
}

TEST(Json, EveryUtf16StringSurvivesARoundTripExactly)
{
    std::u16string controls;
    for (char16_t c = 0; c < 0x20; ++c)
        controls.push_back(c);
    const std::u16string texts[] = {
        u"plain",
        u"quote \" backslash \\ slash /",
        controls + u"\u007f",
        u"\u00E9\u4E2D\U0001F600\uFFFF",
        std::u16string(1, char16_t(0xD800)) + u"x",         // lone high surrogate
        u"x" + std::u16string(1, char16_t(0xDFFF)),         // lone low surrogate
        std::u16string{char16_t(0xDC00), char16_t(0xD800)}, // a pair the wrong way round
        u"",
    };
    for (const auto& text : texts) {
        SCOPED_TRACE(testing::PrintToString(WriteJson(Single(text))));
        const std::string written = WriteJson(Single(text));
        for (const char c : written)
            ASSERT_TRUE(static_cast<unsigned char>(c) >= 0x20 || c == '\n') << "the file stays printable ASCII";
        EXPECT_EQ(StringIn(ParseJson(written)), text);
    }
}

TEST(Json, ReadsEscapesRawUtf8AndTheWholeIntegerRange)
{
    struct Case {
        const char* json;
        std::u16string text;
    };
    const Case cases[] = {
        {R"(["\"\\\/\b\f\n\r\t"])", u"\"\\/\b\f\n\r\t"},
        {R"(["\u00e9\u00C9"])", u"\u00e9\u00c9"},
        {R"(["\uD83D\uDE00"])", u"\U0001F600"},
        {R"(["\uDE00\uD83D"])", std::u16string{char16_t(0xDE00), char16_t(0xD83D)}},
        {"[\"\xE2\x82\xAC\xF0\x9F\x98\x80\"]", u"\u20AC\U0001F600"},
        {"[\"\\u0000\"]", std::u16string(1, u'\0')},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.json);
        EXPECT_EQ(StringIn(ParseJson(c.json)), c.text);
    }

    const JsonValue v = ParseJson(" {\"min\": -9223372036854775808, \"max\": 9223372036854775807, \"zero\": -0,"
                                  " \"list\": [true, false, null]}\r\n\t");
    JsonFields f(v, "test");
    EXPECT_EQ(f.Int("min", INT64_MIN, INT64_MAX), INT64_MIN);
    EXPECT_EQ(f.Int("max", INT64_MIN, INT64_MAX), INT64_MAX);
    EXPECT_EQ(f.Int("zero", 0, 0), 0);
    const JsonArray& list = f.Array("list", 3);
    ASSERT_EQ(list.size(), 3u);
    EXPECT_TRUE(list[2].IsNull());
    EXPECT_NO_THROW(f.Finish());

    EXPECT_TRUE(ParseJson("7").AsInt());
    EXPECT_TRUE(ParseJson("\"top\"").AsString());
    EXPECT_TRUE(ParseJson("null").IsNull());
}

TEST(Json, RefusesAnythingOutsideItsStrictForm)
{
    const char* bad[] = {
        // structure
        "", "   ", "{", "}", "[1,]", "{\"a\":1,}", "{\"a\" 1}", "{\"a\":1 \"b\":2}", "{a:1}", "{'a':1}", "[1 2]",
        "{\"a\":1}{}", "[1] x", "\xEF\xBB\xBF[1]", "[1]//", "/* c */[1]", "[\f1]", "[\v1]",
        "[\xC2\xA0"
        "1]",
        // numbers: integers only, no leading zeros or plus, within 64 bits
        "[01]", "[-01]", "[00]", "[+1]", "[- 1]", "[-]", "[.5]", "[1.]", "[1.0]", "[1e3]", "[1E3]", "[0x10]",
        "[9223372036854775808]", "[-9223372036854775809]", "[99999999999999999999]", "[Infinity]", "[NaN]",
        // literals
        "[tru]", "nul", "[True]", "[nulls]", "[falsey]",
        // strings
        "[\"unterminated]", "[\"\\x\"]", "[\"\\a\"]", "[\"\\u12\"]", "[\"\\u12G4\"]", "[\"\\U0041\"]", "[\"\\",
        "[\"tab\there\"]", "[\"new\nline\"]", "[\"\x01\"]",
        // UTF-8 that is not strictly well formed
        "[\"\xFF\"]", "[\"\xC0\xAF\"]", "[\"\xE0\x80\xAF\"]", "[\"\xED\xA0\x80\"]", "[\"\xF4\x90\x80\x80\"]",
        "[\"\xC3\"]", "[\"\xE2\x82\"]", "[\"\x80\"]",
        // duplicate keys, however they are spelled
        "{\"a\":1,\"a\":2}", "{\"a\":1,\"\\u0061\":2}", "{\"\":1,\"\":2}", "{\"\xC3\xA9\":1,\"\\u00e9\":2}"};
    for (const char* text : bad) {
        SCOPED_TRACE(testing::PrintToString(std::string(text)));
        EXPECT_THROW(ParseJson(text), JsonError);
    }
    EXPECT_NO_THROW(ParseJson("[{\"a\":1},{\"a\":2},{\"b\":{\"a\":3}}]")) << "the same key in different objects";
}

TEST(Json, NestingIsAllowedToSixtyFourContainersAndNoDeeper)
{
    EXPECT_NO_THROW(ParseJson(std::string(64, '[') + std::string(64, ']')));
    for (const char open : {'[', '{'}) {
        SCOPED_TRACE(open);
        EXPECT_NO_THROW(ParseJson(Nested(open, 64)));
        EXPECT_THROW(ParseJson(Nested(open, 65)), JsonError);
        EXPECT_THROW(ParseJson(Nested(open, 100000)), JsonError) << "refused without exhausting the stack";
    }
}

TEST(Json, ErrorsSayWhereTheTextWentWrong)
{
    const std::pair<const char*, const char*> cases[] = {
        {"[1, 2, x]", "at byte 7"},
        {"{\"a\":1,\"a\":2}", "duplicate key \"a\""},
        {"[1.5]", "only integers"},
        {"[\"ab\xFF\"]", "invalid UTF-8 at byte 4"},
    };
    for (const auto& [text, expected] : cases) {
        SCOPED_TRACE(text);
        try {
            ParseJson(text);
            ADD_FAILURE() << "accepted";
        } catch (const JsonError& error) {
            EXPECT_NE(std::string(error.what()).find(expected), std::string::npos) << error.what();
        }
    }
}

TEST(Json, WriterKeepsKeyOrderAndNonAsciiKeysAndReadsBackTheSame)
{
    const JsonValue value(JsonObject{
        {"z", JsonValue(int64_t(-1))},
        {"a", JsonValue(JsonArray{JsonValue(true), JsonValue(), JsonValue(std::u16string(u"s"))})},
        {"\xC3\xA9t\xC3\xA9", JsonValue(JsonObject{{"inner", JsonValue(INT64_MIN)}})},
        {"empty", JsonValue(JsonArray{})},
    });
    const std::string written = WriteJson(value);
    const JsonValue back = ParseJson(written);
    const JsonObject* members = back.AsObject();
    ASSERT_TRUE(members);
    ASSERT_EQ(members->size(), 4u);
    EXPECT_EQ((*members)[0].first, "z");
    EXPECT_EQ((*members)[1].first, "a");
    EXPECT_EQ((*members)[2].first, "\xC3\xA9t\xC3\xA9") << "a key outside ASCII must come back as it was";
    EXPECT_EQ(WriteJson(back), written);
}

TEST(Json, AnObjectWithVeryManyKeysIsReadAndItsLastDuplicateStillFound)
{
    constexpr int kKeys = 50000;
    std::string text = "{";
    for (int i = 0; i < kKeys; ++i)
        text += "\"k" + std::to_string(i) + "\":" + std::to_string(i) + ",";
    const std::string withDuplicate = text + "\"k0\":0}";
    text += "\"last\":0}";
    const JsonValue value = ParseJson(text);
    ASSERT_TRUE(value.AsObject());
    EXPECT_EQ(value.AsObject()->size(), size_t(kKeys + 1));
    EXPECT_THROW(ParseJson(withDuplicate), JsonError);
}

TEST(Json, FieldReaderChecksTypesInclusiveLimitsAndLeftovers)
{
    const JsonValue v = ParseJson(R"({"n": 5, "s": "abc", "z": "a\u0000b", "b": true, "l": [1, 2], "extra": 1})");
    JsonFields f(v, "obj");
    EXPECT_EQ(f.Int("n", 5, 5), 5);
    EXPECT_THROW(f.Int("n", 6, 10), JsonError);
    EXPECT_THROW(f.Int("n", 0, 4), JsonError);
    EXPECT_THROW(f.Int("s", 0, 10), JsonError);
    EXPECT_THROW(f.Bool("s"), JsonError);
    EXPECT_TRUE(f.Bool("b"));
    EXPECT_EQ(f.String("s", 3), u"abc");
    EXPECT_THROW(f.String("s", 2), JsonError);
    EXPECT_THROW(f.String("z", 10), JsonError) << "a zero character would cut a name short";
    EXPECT_EQ(f.Array("l", 2).size(), 2u);
    EXPECT_THROW(f.Array("l", 1), JsonError);
    EXPECT_THROW(f.Array("n", 5), JsonError);
    EXPECT_THROW(f.Take("missing"), JsonError);
    EXPECT_THROW(f.Finish(), JsonError) << "\"extra\" was never asked for";
    f.Take("extra");
    EXPECT_NO_THROW(f.Finish());
    EXPECT_THROW(JsonFields(ParseJson("[1]"), "array"), JsonError);

    EXPECT_EQ(JsonInt(ParseJson("-3"), -3, 3, "item"), -3);
    EXPECT_THROW(JsonInt(ParseJson("true"), 0, 1, "item"), JsonError);
    EXPECT_THROW(JsonInt(ParseJson("4"), -3, 3, "item"), JsonError);
}

} // namespace
