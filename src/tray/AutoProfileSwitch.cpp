// SPDX-License-Identifier: GPL-3.0-or-later
#include "tray/AutoProfileSwitch.h"

#include <algorithm>

namespace {

std::u16string_view FileName(std::u16string_view path)
{
    const size_t slash = path.rfind(u'/');
    return slash == std::u16string_view::npos ? path : path.substr(slash + 1);
}

std::optional<GUID> ActiveId(const std::vector<DeviceProfileSummary>& profiles)
{
    for (const DeviceProfileSummary& profile : profiles)
        if (profile.active)
            return profile.id;
    return std::nullopt;
}

bool Contains(const std::vector<DeviceProfileSummary>& profiles, const GUID& id)
{
    return std::any_of(profiles.begin(), profiles.end(), [&](const auto& p) { return p.id == id; });
}

} // namespace

void CAutoProfileSwitch::SwitchFailed()
{
    state_ = beforeLastCall_;
    lastProgram_.reset();
}

bool LinkedProgramMatches(std::u16string_view linked, std::u16string_view executablePath)
{
    if (linked.empty() || executablePath.empty())
        return false;
    if (linked.find(u'/') != std::u16string_view::npos)
        return linked == executablePath;
    return linked == FileName(executablePath);
}

std::optional<GUID> CAutoProfileSwitch::OnFocus(std::u16string_view executablePath,
                                                const std::vector<DeviceProfileSummary>& profiles)
{
    if (lastProgram_ && *lastProgram_ == executablePath)
        return std::nullopt;
    lastProgram_ = std::u16string(executablePath);
    beforeLastCall_ = state_;
    std::optional<GUID>& before = state_.before;
    std::optional<GUID>& switchedTo = state_.switchedTo;

    const std::optional<GUID> active = ActiveId(profiles);
    // Someone else changed the profile since our switch: their choice stands.
    if (switchedTo && active != switchedTo) {
        switchedTo.reset();
        before.reset();
    }

    const auto linked = std::find_if(profiles.begin(), profiles.end(), [&](const DeviceProfileSummary& profile) {
        return profile.autoSwitch && LinkedProgramMatches(profile.program, executablePath);
    });
    if (linked != profiles.end()) {
        if (!switchedTo)
            before = active;
        switchedTo = linked->id;
        if (active == linked->id)
            return std::nullopt;
        return linked->id;
    }

    if (!switchedTo)
        return std::nullopt;
    const std::optional<GUID> back = before;
    switchedTo.reset();
    before.reset();
    if (!back || !Contains(profiles, *back) || back == active)
        return std::nullopt;
    return back;
}
