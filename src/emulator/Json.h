// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A small, strict JSON reader and writer for the server's own files (device
// images, profile and macro files). Strict on purpose: the files are ours, so
// anything unusual is treated as damage rather than guessed at.
//  - integers only (no fractions or exponents), within 64-bit signed range;
//  - strings decoded to UTF-16; "\uXXXX" escapes may carry any code unit, so
//    every UTF-16 string (even an unpaired surrogate) survives a round trip;
//  - no duplicate keys, no trailing data, at most 64 arrays or objects deep.
#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

namespace emulator {

class JsonValue;
using JsonArray = std::vector<JsonValue>;
using JsonObject = std::vector<std::pair<std::string, JsonValue>>; // keys in file order

class JsonValue {
public:
    JsonValue() = default; // null
    JsonValue(bool b) : value_(b) {}
    JsonValue(int64_t n) : value_(n) {}
    JsonValue(uint32_t n) : value_(int64_t(n)) {}
    JsonValue(int32_t n) : value_(int64_t(n)) {}
    JsonValue(std::u16string s) : value_(std::move(s)) {}
    JsonValue(JsonArray a) : value_(std::make_shared<JsonArray>(std::move(a))) {}
    JsonValue(JsonObject o) : value_(std::make_shared<JsonObject>(std::move(o))) {}

    bool IsNull() const { return std::holds_alternative<std::monostate>(value_); }
    const bool* AsBool() const { return std::get_if<bool>(&value_); }
    const int64_t* AsInt() const { return std::get_if<int64_t>(&value_); }
    const std::u16string* AsString() const { return std::get_if<std::u16string>(&value_); }
    const JsonArray* AsArray() const;
    const JsonObject* AsObject() const;

private:
    std::variant<std::monostate, bool, int64_t, std::u16string, std::shared_ptr<JsonArray>, std::shared_ptr<JsonObject>>
        value_;
};

// Raised by the reader and by the strict field readers below; the message says
// what was wrong and where.
class JsonError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

JsonValue ParseJson(std::string_view text);
std::string WriteJson(const JsonValue& value);

// Reads the fields of one object strictly: each field is taken once, with its
// type and range checked, and `Finish` rejects fields nobody asked for.
class JsonFields {
public:
    JsonFields(const JsonValue& value, std::string context);

    bool Has(std::string_view key) const;
    const JsonValue& Take(std::string_view key);
    int64_t Int(std::string_view key, int64_t minimum, int64_t maximum);
    bool Bool(std::string_view key);
    std::u16string String(std::string_view key, size_t maxLength);
    const JsonArray& Array(std::string_view key, size_t maxItems);
    void Finish() const;

    const std::string& context() const { return context_; }

private:
    const JsonObject* object_;
    std::string context_;
    std::vector<bool> used_;
};

// Checks of a single value, for array elements.
int64_t JsonInt(const JsonValue& value, int64_t minimum, int64_t maximum, const std::string& context);

} // namespace emulator
