// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/PredefinedMacroList.h"

#include "platform/core/TextCase.h"

#include <initializer_list>

namespace {

// A key as the keystroke events store it: set-1 make code, virtual key, E0 prefix.
struct Key {
    uint16_t scanCode;
    uint16_t virtualKey;
    bool extended = false;
};

constexpr Key kCtrl{0x1D, 0x11};
constexpr Key kShift{0x2A, 0x10};
constexpr Key kAlt{0x38, 0x12};
constexpr Key kWindows{0x5B, 0x5B, true};
constexpr Key kTab{0x0F, 0x09};
constexpr Key kF4{0x3E, 0x73};
constexpr Key kEquals{0x0D, 0xBB};
constexpr Key kMinus{0x0C, 0xBD};

constexpr Key Letter(char letter)
{
    // Set-1 make codes of the letters A..Z.
    constexpr uint16_t kCodes[26] = {0x1E, 0x30, 0x2E, 0x20, 0x12, 0x21, 0x22, 0x23, 0x17, 0x24, 0x25, 0x26, 0x32,
                                     0x31, 0x18, 0x19, 0x10, 0x13, 0x1F, 0x14, 0x16, 0x2F, 0x11, 0x2D, 0x15, 0x2C};
    return Key{kCodes[letter - 'A'], uint16_t(letter)};
}

// Every modifier pressed in order, the key pressed and released, the modifiers
// released in reverse order.
PredefinedMacro Command(std::u16string name, std::initializer_list<Key> modifiers, Key key)
{
    PredefinedMacro command{std::move(name), {}};
    auto add = [&](const Key& k, bool press) {
        command.events.push_back(MacroEvent::Keystroke(k.scanCode, k.virtualKey, press, k.extended));
    };
    for (const Key& modifier : modifiers)
        add(modifier, true);
    add(key, true);
    add(key, false);
    for (auto it = std::rbegin(modifiers); it != std::rend(modifiers); ++it)
        add(*it, false);
    return command;
}

} // namespace

CPredefinedMacroList::CPredefinedMacroList()
{
    basic_ = {
        Command(u"$Copy", {kCtrl}, Letter('C')),  Command(u"$cut", {kCtrl}, Letter('X')),
        Command(u"$paste", {kCtrl}, Letter('V')), Command(u"$undo", {kCtrl}, Letter('Z')),
        Command(u"$all", {kCtrl}, Letter('A')),   Command(u"$find", {kCtrl}, Letter('F')),
        Command(u"$print", {kCtrl}, Letter('P')),
    };
    additional_ = {
        Command(u"$swapwindows", {kAlt}, kTab),
        Command(u"$Nexttab", {kCtrl}, kTab),
        Command(u"$Previoustab", {kCtrl, kShift}, kTab),
        Command(u"$closewindow", {kAlt}, kF4),
        Command(u"$showdesktop", {kWindows}, Letter('D')),
        Command(u"$lockpc", {kWindows}, Letter('L')),
        Command(u"$zoomin", {kCtrl}, kEquals),
        Command(u"$zoomout", {kCtrl}, kMinus),
    };
}

const CPredefinedMacroList& CPredefinedMacroList::Instance()
{
    static const CPredefinedMacroList list;
    return list;
}

const PredefinedMacro* CPredefinedMacroList::Find(std::u16string_view name) const
{
    for (const auto* list : {&basic_, &additional_})
        for (const PredefinedMacro& command : *list)
            if (EqualsIgnoringCase(command.name, name))
                return &command;
    return nullptr;
}
