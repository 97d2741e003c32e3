// SPDX-License-Identifier: GPL-3.0-or-later
#include "emulator/Json.h"

#include "platform/core/Utf.h"

#include <cstdio>
#include <unordered_set>

namespace emulator {

const JsonArray* JsonValue::AsArray() const
{
    const auto* p = std::get_if<std::shared_ptr<JsonArray>>(&value_);
    return p ? p->get() : nullptr;
}

const JsonObject* JsonValue::AsObject() const
{
    const auto* p = std::get_if<std::shared_ptr<JsonObject>>(&value_);
    return p ? p->get() : nullptr;
}

namespace {

constexpr int kMaxDepth = 64;

class Parser {
public:
    explicit Parser(std::string_view text) : text_(text) {}

    JsonValue Document()
    {
        JsonValue v = Value(0);
        SkipSpace();
        if (pos_ != text_.size())
            Fail("unexpected data after the end");
        return v;
    }

private:
    [[noreturn]] void Fail(const std::string& what) const
    {
        throw JsonError("JSON: " + what + " at byte " + std::to_string(pos_));
    }

    void SkipSpace()
    {
        while (pos_ < text_.size() &&
               (text_[pos_] == ' ' || text_[pos_] == '\t' || text_[pos_] == '\n' || text_[pos_] == '\r'))
            ++pos_;
    }

    char Peek()
    {
        if (pos_ >= text_.size())
            Fail("unexpected end");
        return text_[pos_];
    }

    void Expect(char c)
    {
        if (Peek() != c)
            Fail(std::string("expected '") + c + "'");
        ++pos_;
    }

    void Literal(std::string_view word)
    {
        if (text_.substr(pos_, word.size()) != word)
            Fail("unknown literal");
        pos_ += word.size();
    }

    JsonValue Value(int depth)
    {
        SkipSpace();
        const char c = Peek();
        switch (c) {
        case '{':
            return Object(depth);
        case '[':
            return Array(depth);
        case '"':
            return JsonValue(String());
        case 't':
            Literal("true");
            return JsonValue(true);
        case 'f':
            Literal("false");
            return JsonValue(false);
        case 'n':
            Literal("null");
            return JsonValue();
        default:
            if (c == '-' || (c >= '0' && c <= '9'))
                return JsonValue(Number());
            Fail("unexpected character");
        }
    }

    // `depth` counts the containers around this one; a value inside the deepest
    // allowed container is still fine, another container is not.
    void CheckDepth(int depth)
    {
        if (depth >= kMaxDepth)
            Fail("nesting too deep");
    }

    JsonValue Object(int depth)
    {
        CheckDepth(depth);
        Expect('{');
        JsonObject members;
        std::unordered_set<std::string> keys; // a set, so that a huge object cannot make the check quadratic
        SkipSpace();
        if (Peek() == '}') {
            ++pos_;
            return JsonValue(std::move(members));
        }
        for (;;) {
            SkipSpace();
            if (Peek() != '"')
                Fail("expected a key");
            const std::string key = Utf16ToUtf8(String());
            if (!keys.insert(key).second)
                Fail("duplicate key \"" + key + "\"");
            SkipSpace();
            Expect(':');
            JsonValue v = Value(depth + 1);
            members.emplace_back(key, std::move(v));
            SkipSpace();
            if (Peek() == ',') {
                ++pos_;
                continue;
            }
            Expect('}');
            return JsonValue(std::move(members));
        }
    }

    JsonValue Array(int depth)
    {
        CheckDepth(depth);
        Expect('[');
        JsonArray items;
        SkipSpace();
        if (Peek() == ']') {
            ++pos_;
            return JsonValue(std::move(items));
        }
        for (;;) {
            items.push_back(Value(depth + 1));
            SkipSpace();
            if (Peek() == ',') {
                ++pos_;
                continue;
            }
            Expect(']');
            return JsonValue(std::move(items));
        }
    }

    int64_t Number()
    {
        const bool negative = Peek() == '-';
        if (negative)
            ++pos_;
        if (Peek() < '0' || Peek() > '9')
            Fail("expected a digit");
        if (Peek() == '0' && pos_ + 1 < text_.size() && text_[pos_ + 1] >= '0' && text_[pos_ + 1] <= '9')
            Fail("leading zero");
        // Accumulate as a negative number so that INT64_MIN is representable.
        int64_t value = 0;
        while (pos_ < text_.size() && text_[pos_] >= '0' && text_[pos_] <= '9') {
            const int digit = text_[pos_] - '0';
            if (value < (INT64_MIN + digit) / 10)
                Fail("number out of range");
            value = value * 10 - digit;
            ++pos_;
        }
        if (pos_ < text_.size() && (text_[pos_] == '.' || text_[pos_] == 'e' || text_[pos_] == 'E'))
            Fail("only integers are allowed");
        if (!negative) {
            if (value == INT64_MIN)
                Fail("number out of range");
            value = -value;
        }
        return value;
    }

    unsigned Hex4()
    {
        if (pos_ + 4 > text_.size())
            Fail("short \\u escape");
        unsigned v = 0;
        for (int i = 0; i < 4; ++i) {
            const char c = text_[pos_++];
            v <<= 4;
            if (c >= '0' && c <= '9')
                v |= unsigned(c - '0');
            else if (c >= 'a' && c <= 'f')
                v |= unsigned(c - 'a' + 10);
            else if (c >= 'A' && c <= 'F')
                v |= unsigned(c - 'A' + 10);
            else
                Fail("bad \\u escape");
        }
        return v;
    }

    // One UTF-8 sequence, strictly: no overlong forms, no surrogates, at most U+10FFFF.
    char32_t Utf8()
    {
        const size_t start = pos_;
        if (const std::optional<char32_t> codePoint = DecodeUtf8CodePoint(text_, pos_))
            return *codePoint;
        pos_ = start;
        Fail("invalid UTF-8");
    }

    std::u16string String()
    {
        Expect('"');
        std::u16string out;
        for (;;) {
            const char c = Peek();
            if (c == '"') {
                ++pos_;
                return out;
            }
            if (static_cast<unsigned char>(c) < 0x20)
                Fail("control character in string");
            if (c != '\\') {
                AppendUtf16(out, Utf8());
                continue;
            }
            ++pos_;
            const char e = Peek();
            ++pos_;
            switch (e) {
            case '"':
                out.push_back(u'"');
                break;
            case '\\':
                out.push_back(u'\\');
                break;
            case '/':
                out.push_back(u'/');
                break;
            case 'b':
                out.push_back(u'\b');
                break;
            case 'f':
                out.push_back(u'\f');
                break;
            case 'n':
                out.push_back(u'\n');
                break;
            case 'r':
                out.push_back(u'\r');
                break;
            case 't':
                out.push_back(u'\t');
                break;
            case 'u':
                out.push_back(char16_t(Hex4()));
                break;
            default:
                Fail("bad escape");
            }
        }
    }

    std::string_view text_;
    size_t pos_ = 0;
};

void WriteString(std::string& out, std::u16string_view s)
{
    out.push_back('"');
    for (const char16_t c : s) {
        if (c == u'"') {
            out += "\\\"";
        } else if (c == u'\\') {
            out += "\\\\";
        } else if (c >= 0x20 && c < 0x7F) {
            out.push_back(char(c));
        } else {
            char buffer[8];
            std::snprintf(buffer, sizeof buffer, "\\u%04X", unsigned(c));
            out += buffer;
        }
    }
    out.push_back('"');
}

void Write(std::string& out, const JsonValue& v, int indent)
{
    const auto newline = [&](int level) {
        out.push_back('\n');
        out.append(size_t(level) * 2, ' ');
    };
    if (v.IsNull()) {
        out += "null";
    } else if (const bool* b = v.AsBool()) {
        out += *b ? "true" : "false";
    } else if (const int64_t* n = v.AsInt()) {
        out += std::to_string(*n);
    } else if (const std::u16string* s = v.AsString()) {
        WriteString(out, *s);
    } else if (const JsonArray* a = v.AsArray()) {
        // Arrays of plain values stay on one line; arrays of objects get a line each.
        bool nested = false;
        for (const auto& item : *a)
            nested = nested || item.AsArray() || item.AsObject();
        out.push_back('[');
        for (size_t i = 0; i < a->size(); ++i) {
            if (i)
                out.push_back(',');
            if (nested)
                newline(indent + 1);
            else if (i)
                out.push_back(' ');
            Write(out, (*a)[i], indent + 1);
        }
        if (nested && !a->empty())
            newline(indent);
        out.push_back(']');
    } else if (const JsonObject* o = v.AsObject()) {
        out.push_back('{');
        for (size_t i = 0; i < o->size(); ++i) {
            if (i)
                out.push_back(',');
            newline(indent + 1);
            WriteString(out, Utf8ToUtf16((*o)[i].first));
            out += ": ";
            Write(out, (*o)[i].second, indent + 1);
        }
        if (!o->empty())
            newline(indent);
        out.push_back('}');
    }
}

} // namespace

JsonValue ParseJson(std::string_view text)
{
    return Parser(text).Document();
}

std::string WriteJson(const JsonValue& value)
{
    std::string out;
    Write(out, value, 0);
    out.push_back('\n');
    return out;
}

JsonFields::JsonFields(const JsonValue& value, std::string context)
    : object_(value.AsObject()), context_(std::move(context))
{
    if (!object_)
        throw JsonError(context_ + ": expected an object");
    used_.assign(object_->size(), false);
}

bool JsonFields::Has(std::string_view key) const
{
    for (const auto& member : *object_)
        if (member.first == key)
            return true;
    return false;
}

const JsonValue& JsonFields::Take(std::string_view key)
{
    for (size_t i = 0; i < object_->size(); ++i) {
        if ((*object_)[i].first == key) {
            used_[i] = true;
            return (*object_)[i].second;
        }
    }
    throw JsonError(context_ + ": missing \"" + std::string(key) + "\"");
}

int64_t JsonFields::Int(std::string_view key, int64_t minimum, int64_t maximum)
{
    return JsonInt(Take(key), minimum, maximum, context_ + "." + std::string(key));
}

bool JsonFields::Bool(std::string_view key)
{
    const bool* b = Take(key).AsBool();
    if (!b)
        throw JsonError(context_ + "." + std::string(key) + ": expected true or false");
    return *b;
}

std::u16string JsonFields::String(std::string_view key, size_t maxLength)
{
    const std::u16string* s = Take(key).AsString();
    if (!s)
        throw JsonError(context_ + "." + std::string(key) + ": expected a string");
    if (s->size() > maxLength)
        throw JsonError(context_ + "." + std::string(key) + ": longer than " + std::to_string(maxLength));
    if (s->find(u'\0') != std::u16string::npos)
        throw JsonError(context_ + "." + std::string(key) + ": contains a zero character");
    return *s;
}

const JsonArray& JsonFields::Array(std::string_view key, size_t maxItems)
{
    const JsonArray* a = Take(key).AsArray();
    if (!a)
        throw JsonError(context_ + "." + std::string(key) + ": expected an array");
    if (a->size() > maxItems)
        throw JsonError(context_ + "." + std::string(key) + ": more than " + std::to_string(maxItems) + " items");
    return *a;
}

void JsonFields::Finish() const
{
    for (size_t i = 0; i < used_.size(); ++i)
        if (!used_[i])
            throw JsonError(context_ + ": unknown field \"" + (*object_)[i].first + "\"");
}

int64_t JsonInt(const JsonValue& value, int64_t minimum, int64_t maximum, const std::string& context)
{
    const int64_t* n = value.AsInt();
    if (!n)
        throw JsonError(context + ": expected an integer");
    if (*n < minimum || *n > maximum)
        throw JsonError(context + ": " + std::to_string(*n) + " is outside " + std::to_string(minimum) + ".." +
                        std::to_string(maximum));
    return *n;
}

} // namespace emulator
