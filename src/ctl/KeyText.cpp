// SPDX-License-Identifier: GPL-3.0-or-later
#include "ctl/KeyText.h"

#include "ctl/CtlText.h"
#include "platform/core/KeyNames.h"
#include "platform/core/VirtualKeys.h"

#include <cstdio>

namespace {

// The modifier bits of a single-key record, as the button page stores them.
constexpr uint32_t kExtendedBit = 1;
constexpr uint32_t kAltBit = 2;
constexpr uint32_t kCtrlBit = 4;
constexpr uint32_t kShiftBit = 8;

struct Modifier {
    std::u16string_view name;
    uint32_t bit;
};
constexpr Modifier kModifiers[] = {{u"Ctrl", kCtrlBit}, {u"Shift", kShiftBit}, {u"Alt", kAltBit}};

std::string KeyWords(uint16_t scanCode, bool extended)
{
    const std::u16string name = KeyNameForScanCode(scanCode, extended);
    if (!name.empty())
        return ToUtf8(name);
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "scan 0x%02X%s", unsigned(scanCode), extended ? " extended" : "");
    return buffer;
}

std::optional<KeyChoice> KeyFromWords(std::u16string_view text)
{
    if (std::optional<KeyChoice> key = KeyByName(text))
        return key;
    // "scan 0xNN" or "scan 0xNN extended": a key without a name.
    std::u16string_view rest = text;
    if (rest.substr(0, 7) != u"scan 0x")
        return std::nullopt;
    rest.remove_prefix(7);
    bool extended = false;
    if (rest.size() > 9 && rest.substr(rest.size() - 9) == u" extended") {
        extended = true;
        rest.remove_suffix(9);
    }
    if (rest.empty() || rest.size() > 2)
        return std::nullopt;
    uint32_t value = 0;
    for (char16_t c : rest) {
        int d = c >= u'0' && c <= u'9'   ? c - u'0'
                : c >= u'A' && c <= u'F' ? c - u'A' + 10
                : c >= u'a' && c <= u'f' ? c - u'a' + 10
                                         : -1;
        if (d < 0)
            return std::nullopt;
        value = value * 16 + uint32_t(d);
    }
    if (value == 0)
        return std::nullopt;
    KeyChoice key;
    key.scanCode = uint16_t(value);
    key.extended = extended;
    key.virtualKey = uint16_t(MapVirtualKey(value | (extended ? 0xE000u : 0u), MAPVK_VSC_TO_VK_EX));
    return key;
}

} // namespace

std::optional<KeyChoice> KeyByName(std::u16string_view name)
{
    for (int extended = 0; extended < 2; ++extended) {
        for (uint16_t scan = 1; scan < 0x80; ++scan) {
            const std::u16string known = KeyNameForScanCode(scan, extended != 0);
            if (!known.empty() && SameIgnoringCase(known, name)) {
                KeyChoice key;
                key.scanCode = scan;
                key.extended = extended != 0;
                key.virtualKey = uint16_t(MapVirtualKey(scan | (key.extended ? 0xE000u : 0u), MAPVK_VSC_TO_VK_EX));
                return key;
            }
        }
    }
    return std::nullopt;
}

std::optional<AssignmentRecord> ParseSingleKey(std::u16string_view text, std::string& error)
{
    uint32_t modifiers = 0;
    std::u16string_view rest = text;
    for (bool found = true; found;) {
        found = false;
        for (const Modifier& modifier : kModifiers) {
            const size_t length = modifier.name.size();
            if (rest.size() > length + 1 && rest[length] == u'+' &&
                SameIgnoringCase(rest.substr(0, length), modifier.name)) {
                modifiers |= modifier.bit;
                rest.remove_prefix(length + 1);
                found = true;
            }
        }
    }
    std::optional<KeyChoice> key = KeyFromWords(rest);
    if (!key) {
        error = "no key is named \"" + ToUtf8(rest) +
                "\" (modifiers Ctrl+, Shift+, Alt+ before a key name such as A, F5, "
                "Page Up, Num 7, Space)";
        return std::nullopt;
    }
    if (key->extended)
        modifiers |= kExtendedBit;
    return MakeSingleKeyAssignment(key->scanCode, key->virtualKey, modifiers);
}

std::string SingleKeyWords(const AssignmentRecord& record)
{
    const uint32_t word = record.ReadWord(0);
    const uint32_t modifiers = record.ReadWord(1) & 0xFF;
    std::string text;
    for (const Modifier& modifier : kModifiers) {
        if (modifiers & modifier.bit)
            text += ToUtf8(modifier.name) + "+";
    }
    const uint16_t scan = uint16_t(word & 0xFF);
    if (scan == 0) {
        if (!text.empty())
            text.pop_back();
        return text.empty() ? "none" : text;
    }
    return text + KeyWords(scan, (modifiers & kExtendedBit) != 0);
}

std::string MacroEventWords(const MacroEvent& event)
{
    switch (event.kind) {
    case MacroEventKind::Keystroke:
        return std::string(event.IsPress() ? "press " : "release ") + KeyWords(event.ScanCode(), event.IsExtended());
    case MacroEventKind::MouseButton:
        return std::string(event.IsPress() ? "press" : "release") + " mouse " + std::to_string(event.data1);
    case MacroEventKind::Delay:
        return "delay " + std::to_string(event.data1);
    default:
        return "unknown " + std::to_string(event.kind);
    }
}

std::optional<MacroEvent> ParseMacroEvent(std::u16string_view text, std::string& error)
{
    auto startsWith = [&text](std::u16string_view prefix) {
        return text.size() > prefix.size() && text.substr(0, prefix.size()) == prefix;
    };
    if (startsWith(u"delay ")) {
        std::optional<uint32_t> ms = ParseNumber(text.substr(6), 16777215);
        if (!ms || *ms == 0) {
            error = "a delay is 1..16777215 milliseconds";
            return std::nullopt;
        }
        return MacroEvent::Delay(*ms);
    }
    bool press = false;
    std::u16string_view rest;
    if (startsWith(u"press ")) {
        press = true;
        rest = text.substr(6);
    } else if (startsWith(u"release ")) {
        rest = text.substr(8);
    } else {
        error = "\"" + ToUtf8(text) +
                "\" is no macro event (press KEY, release KEY, press mouse N, release mouse N, delay MS)";
        return std::nullopt;
    }
    if (rest.size() > 6 && rest.substr(0, 6) == u"mouse ") {
        std::optional<uint32_t> button = ParseNumber(rest.substr(6), 5);
        if (!button || *button == 0) {
            error = "mouse buttons in macros are 1..5";
            return std::nullopt;
        }
        return MacroEvent::MouseButton(*button, press);
    }
    std::optional<KeyChoice> key = KeyFromWords(rest);
    if (!key) {
        error = "no key is named \"" + ToUtf8(rest) + "\"";
        return std::nullopt;
    }
    return MacroEvent::Keystroke(key->scanCode, key->virtualKey, press, key->extended);
}
