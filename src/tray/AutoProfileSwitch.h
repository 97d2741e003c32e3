// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Which profile the focused program asks for. A profile with the auto-switch flag
// and a linked program is wanted while that program has the focus; when the focus
// moves to a program no profile is linked to, the profile that was active before
// the first automatic switch comes back. Only a change of the focused program
// leads to a switch, so a profile the user picks while a linked program keeps the
// focus stays; once the user has picked one, nothing is switched back either.
#include "device/DeviceSnapshot.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Whether a linked program names the executable: a stored path must equal the
// executable's path, a stored file name its file name. An empty one names nothing.
bool LinkedProgramMatches(std::u16string_view linked, std::u16string_view executablePath);

class CAutoProfileSwitch {
public:
    // The profile to make active now that `executablePath` (empty when unknown)
    // has the focus; nothing when the active profile stays.
    std::optional<GUID> OnFocus(std::u16string_view executablePath, const std::vector<DeviceProfileSummary>& profiles);

    // The switch it asked for last could not be made: everything is as before that
    // call, and the focused program is looked at again next time, as if it had
    // just got the focus.
    void SwitchFailed();

private:
    struct State {
        std::optional<GUID> before;     // active before the first automatic switch
        std::optional<GUID> switchedTo; // what the last automatic switch chose
    };
    std::optional<std::u16string> lastProgram_;
    State state_;
    State beforeLastCall_;
};
