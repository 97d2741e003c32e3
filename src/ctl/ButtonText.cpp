// SPDX-License-Identifier: GPL-3.0-or-later
#include "ctl/ButtonText.h"

#include "ctl/CtlText.h"
#include "ctl/KeyText.h"
#include "settings/AllowedKinds.h"
#include "settings/Generation.h"
#include "settings/IMouseConfig.h"
#include "settings/IMouseProfile.h"
#include "settings/Macro.h"

#include <algorithm>
#include <array>
#include <vector>

const char* const kAssignmentGrammar =
    "default | click | menu | universal-scroll | double-click | off | back | forward |\n"
    "scroll up | scroll down | sensitivity up | sensitivity down | on-the-fly-sensitivity |\n"
    "temporary-sensitivity DPI | temporary-sensitivity XxY | key [Ctrl+][Shift+][Alt+]KEY |\n"
    "macro NAME [once | repeat N | while-pressed | until-pressed] | profile NAME";

namespace {

struct PlainKind {
    const char* words;
    int32_t kind;
};

// Kinds that take no argument, in both directions.
constexpr std::array kPlainKinds = {
    PlainKind{"click", AssignmentKind::Click},
    PlainKind{"menu", AssignmentKind::Menu},
    PlainKind{"universal-scroll", AssignmentKind::UniversalScrolling},
    PlainKind{"double-click", AssignmentKind::DoubleClick},
    PlainKind{"off", AssignmentKind::ButtonOff},
    PlainKind{"on-the-fly-sensitivity", AssignmentKind::OnTheFlySensitivity},
    PlainKind{"sensitivity up", AssignmentKind::SensitivityStageUp},
    PlainKind{"sensitivity down", AssignmentKind::SensitivityStageDown},
    PlainKind{"back", AssignmentKind::Backward},
    PlainKind{"forward", AssignmentKind::Forward},
    PlainKind{"scroll up", AssignmentKind::ScrollUp},
    PlainKind{"scroll down", AssignmentKind::ScrollDown},
};

struct PlayMode {
    const char* words;
    int32_t mode;
};
constexpr std::array kPlayModes = {PlayMode{"once", MacroPlayMode::Once},
                                   PlayMode{"while-pressed", MacroPlayMode::WhilePressed},
                                   PlayMode{"until-pressed", MacroPlayMode::UntilPressed}};

std::string SensitivityWords(uint32_t x, uint32_t y)
{
    return x == y ? std::to_string(x) : std::to_string(x) + "x" + std::to_string(y);
}

// The kind the window's menu offers for a kind (by name becomes by identity).
int32_t MenuKind(int32_t kind)
{
    if (kind == AssignmentKind::ProfileByName)
        return AssignmentKind::ProfileById;
    if (kind == AssignmentKind::MacroByName)
        return AssignmentKind::MacroById;
    return kind;
}

// What the window's menu offers for the button: an earlier-generation mouse has
// its own lists (never the temporary sensitivity), whatever the profile allows.
std::vector<int32_t> OfferedKinds(IMouseProfile& profile, tMouseButton button)
{
    if (!IsCurrentGeneration()) {
        const auto kinds = AllowedKinds::ForEarlierGeneration(button);
        return {kinds.begin(), kinds.end()};
    }
    std::vector<int32_t> kinds;
    profile.GetAllowedKinds(kinds, button);
    return kinds;
}

bool Offered(IMouseProfile& profile, tMouseButton button, int32_t kind)
{
    if (IsCurrentGeneration())
        return profile.IsKindAllowed(kind, button);
    const std::vector<int32_t> kinds = OfferedKinds(profile, button);
    return std::find(kinds.begin(), kinds.end(), kind) != kinds.end();
}

std::string AllowedWords(IMouseProfile& profile, tMouseButton button)
{
    const std::vector<int32_t> kinds = OfferedKinds(profile, button);
    std::string text;
    for (int32_t kind : kinds) {
        std::string word;
        for (const PlainKind& plain : kPlainKinds) {
            if (plain.kind == kind)
                word = plain.words;
        }
        if (kind == AssignmentKind::SingleKey)
            word = "key KEY";
        else if (kind == AssignmentKind::MacroById)
            word = "macro NAME";
        else if (kind == AssignmentKind::ProfileById)
            word = "profile NAME";
        else if (kind == AssignmentKind::TemporarySensitivity)
            word = "temporary-sensitivity DPI";
        if (word.empty())
            continue;
        text += (text.empty() ? "" : ", ") + word;
    }
    return text + ", default";
}

} // namespace

std::string AssignmentWords(const AssignmentRecord& record, const IMouseConfig& config)
{
    for (const PlainKind& plain : kPlainKinds) {
        if (plain.kind == record.kind)
            return plain.words;
    }
    switch (record.kind) {
    case AssignmentKind::Unset:
        return "unset";
    case AssignmentKind::Default:
        return "default";
    case AssignmentKind::SingleKey:
        return "key " + SingleKeyWords(record);
    case AssignmentKind::TemporarySensitivity:
        return "temporary-sensitivity " + SensitivityWords(record.ReadWord(1), record.ReadWord(2));
    case AssignmentKind::MacroById:
    case AssignmentKind::MacroByName: {
        const CMacro* macro = record.kind == AssignmentKind::MacroById ? config.FindMacroByGuid(record.ReadGuid())
                                                                       : config.FindMacroByName(record.ReadName());
        std::string text = "macro " + (macro                                        ? Quoted(macro->GetName())
                                       : record.kind == AssignmentKind::MacroByName ? Quoted(record.ReadName())
                                                                                    : std::string("(missing)"));
        const int32_t mode = record.EffectivePlayMode();
        if (mode == MacroPlayMode::Multiple)
            return text + " repeat " + std::to_string(record.ReadRepeatCount());
        for (const PlayMode& play : kPlayModes) {
            if (play.mode == mode && mode != MacroPlayMode::Once)
                return text + " " + play.words;
        }
        return text;
    }
    case AssignmentKind::ProfileById:
    case AssignmentKind::ProfileByName: {
        const IMouseProfile* profile = record.kind == AssignmentKind::ProfileById
                                           ? config.FindProfileByGuid(record.ReadGuid())
                                           : config.FindProfileByName(record.ReadName());
        if (profile)
            return "profile " + Quoted(profile->GetName());
        return "profile " + (record.kind == AssignmentKind::ProfileByName ? Quoted(record.ReadName()) : "(missing)");
    }
    default:
        return "kind " + std::to_string(record.kind);
    }
}

std::optional<AssignmentRecord> ParseAssignment(const std::string& words, IMouseConfig& config, IMouseProfile& profile,
                                                tMouseButton button, std::string& error)
{
    std::optional<AssignmentRecord> record;
    std::string splitError;
    std::optional<std::vector<std::u16string>> parts = SplitWords(words, splitError);
    if (!parts || parts->empty()) {
        error = parts ? "no assignment given" : splitError;
        return std::nullopt;
    }
    const std::vector<std::u16string>& w = *parts;
    const std::string first = ToUtf8(w[0]);
    // Plain kinds are compared word by word, so "scroll  up" is "scroll up".
    std::string joined;
    for (const std::u16string& part : w)
        joined += (joined.empty() ? "" : " ") + ToUtf8(part);
    for (const PlainKind& plain : kPlainKinds) {
        if (joined == plain.words)
            record = AssignmentRecord::OfKind(plain.kind);
    }
    if (record) {
        // nothing more to read
    } else if (joined == "default") {
        return config.GetDefaultButtonAssignment(button);
    } else if (first == "key" && w.size() >= 2) {
        // Key names hold spaces ("Page Up"): everything after "key" is the key.
        const size_t at = words.find("key") + 3;
        std::string rest = words.substr(at);
        rest.erase(0, rest.find_first_not_of(' '));
        while (!rest.empty() && rest.back() == ' ')
            rest.pop_back();
        std::optional<std::u16string> text = FromUtf8(rest);
        record = text ? ParseSingleKey(*text, error) : std::nullopt;
        if (!record)
            return std::nullopt;
    } else if (first == "temporary-sensitivity" && w.size() == 2) {
        unsigned minimum = 0, maximum = 0, step = 0;
        profile.GetSensitivityRange(minimum, maximum, step);
        const std::u16string& value = w[1];
        const size_t x = value.find(u'x');
        std::optional<uint32_t> vx = ParseNumber(value.substr(0, x));
        std::optional<uint32_t> vy = x == std::u16string::npos ? vx : ParseNumber(value.substr(x + 1));
        auto fits = [&](std::optional<uint32_t> v) {
            return v && *v >= minimum && *v <= maximum && (step == 0 || (*v - minimum) % step == 0);
        };
        if (!fits(vx) || !fits(vy)) {
            error = "temporary sensitivity: " + std::to_string(minimum) + ".." + std::to_string(maximum) +
                    " in steps of " + std::to_string(step) + " (DPI or XxY)";
            return std::nullopt;
        }
        record = MakeTemporarySensitivityAssignment(*vx, *vx, *vy, *vx != *vy);
    } else if (first == "macro" && w.size() >= 2) {
        CMacro* macro = config.FindMacroByName(w[1]);
        if (!macro) {
            error = "no macro is named " + Quoted(w[1]) + " (see: macro list)";
            return std::nullopt;
        }
        int32_t mode = MacroPlayMode::Once;
        uint8_t repeat = 0;
        if (w.size() == 3) {
            bool known = false;
            for (const PlayMode& play : kPlayModes) {
                if (ToUtf8(w[2]) == play.words) {
                    mode = play.mode;
                    known = true;
                }
            }
            if (!known) {
                error = "macro play mode: once, repeat N (1..255), while-pressed or until-pressed";
                return std::nullopt;
            }
        } else if (w.size() == 4 && w[2] == u"repeat") {
            std::optional<uint32_t> count = ParseNumber(w[3], 255);
            if (!count || *count == 0) {
                error = "macro repeat count: 1..255";
                return std::nullopt;
            }
            mode = MacroPlayMode::Multiple;
            repeat = uint8_t(*count);
        } else if (w.size() != 2) {
            error = "macro NAME [once | repeat N | while-pressed | until-pressed]; quote names with spaces";
            return std::nullopt;
        }
        record = MakeMacroAssignment(*macro, mode, repeat);
    } else if (first == "profile" && w.size() == 2) {
        IMouseProfile* target = config.FindProfileByName(w[1]);
        if (!target) {
            error = "no profile is named " + Quoted(w[1]) + " (see: profile list)";
            return std::nullopt;
        }
        record = MakeProfileAssignment(target->GetName(), target->GetGuid());
        if (record->kind == AssignmentKind::Unset) {
            error = "the profile's name is too long to be assigned";
            return std::nullopt;
        }
    } else {
        error = "\"" + words + "\" is no assignment; button " + std::to_string(int(button)) + " takes " +
                AllowedWords(profile, button);
        return std::nullopt;
    }
    if (!Offered(profile, button, MenuKind(record->kind))) {
        error = "button " + std::to_string(int(button)) + " cannot take \"" + joined + "\"; it takes " +
                AllowedWords(profile, button);
        return std::nullopt;
    }
    return record;
}
