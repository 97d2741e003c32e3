// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/DeviceNotice.h"

#include "app/WarningPopup.h"
#include "emulator/DeviceChannel.h"
#include "platform/core/Utf.h"
#include "popups/TovikEliteWarningDlg.h"

#include <filesystem>
#include <optional>

namespace {

// The notice of the problem the server recorded, with its result; nothing (and
// nothing shown) when there is none.
std::optional<int> RunRecordedProblem(QWidget* parent)
{
    const auto problem = emulator::TakeDeviceProblem();
    if (!problem)
        return std::nullopt;
    const bool damaged = problem->kind == emulator::DeviceProblem::Kind::DamagedData;
    // The damaged file by its name (the directory is in the log); the directory by its path.
    const std::string named = damaged ? std::filesystem::path(problem->file).filename().string() : problem->file;
    CTovikEliteWarningDlg popup(damaged ? u"DamagedDataPopup.xml" : u"ReadOnlyDevicesPopup.xml", parent,
                                u": " + Utf8ToUtf16(named));
    return popup.DoModal();
}

} // namespace

int RunDeviceNotice(std::u16string_view fallbackSkin, QWidget* parent)
{
    if (const auto result = RunRecordedProblem(parent))
        return *result;
    return RunWarningPopup(fallbackSkin, parent);
}

bool RunDeviceProblemNotice(QWidget* parent)
{
    return RunRecordedProblem(parent).has_value();
}
