// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// `IGenDevice`: the device as the application holds it. `CMouse` (a real device),
// `CNullMouse` (no device) and `CMousePicker` (chooses and wraps a `CMouse`)
// implement it. Every operation can fail and reports it by its result; none shows
// anything to the user.
#include "platform/core/MessageTarget.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

class CMacro;
class CProgressMessenger;

// Setting groups of a transfer.
namespace TransferFlags {
constexpr uint16_t Buttons = 0x0001;
constexpr uint16_t Lighting = 0x0004;
constexpr uint16_t Sensitivity = 0x0008;
constexpr uint16_t Macros = 0x0010;
constexpr uint16_t ReportInterval = 0x0020;
constexpr uint16_t Acceleration = 0x0040;
constexpr uint16_t ProfileIdentity = 0x0100;
constexpr uint16_t Battery = 0x0400; // read only
constexpr uint16_t Power = 0x0800;
constexpr uint16_t Firmware = 0x1000; // read only
constexpr uint16_t Calibration = 0x2000;
// Any of these involves the profiles on the device.
constexpr uint16_t AnyProfileGroup = 0x030F;
// What the main window moves: every group.
constexpr uint16_t All = 0x2FFF;
} // namespace TransferFlags

namespace TransferMode {
constexpr int Write = 0; // on the device's worker thread
constexpr int Read = 1;  // on the calling thread
} // namespace TransferMode

template <typename TConfig, typename TProfile>
class IGenDevice {
public:
    virtual ~IGenDevice() = default;

    virtual bool ReadAll(TConfig config) = 0;
    virtual void DiscardCache() = 0;
    virtual bool IsBusy() = 0;
    virtual bool ImportMacro(std::u16string_view path, TConfig config) = 0;
    virtual bool ExportMacro(std::u16string_view path, CMacro* macro) = 0;
    virtual bool HasDeviceMacro(CMacro* macro) = 0;
    virtual bool ImportProfile(std::u16string_view path, TConfig config) = 0;
    virtual bool ExportProfile(std::u16string_view path, TProfile profile) = 0;
    virtual bool HasDeviceProfile(TProfile profile) = 0;
    virtual bool Reserved9() { return false; }
    virtual bool Reserved10() { return false; }
    virtual bool Reserved11() { return false; }
    virtual bool Transfer(TConfig config, int mode, uint16_t flags) = 0;
    virtual bool IsPresent() = 0;
    virtual bool GetFirmwareVersion(std::u16string& text) = 0;
    virtual bool GetDeviceVersion(std::u16string& text) = 0;
    virtual bool QueryState() = 0;
    virtual bool Probe(int argument) = 0;
    virtual int GetProductId() = 0;
    virtual std::u16string GetDisplayName() = 0;
    virtual int GetDeviceProfileCount() = 0;
    virtual void AddProgressListener(HWND window) = 0;
    virtual void RemoveProgressListener(HWND window) = 0;
    virtual CProgressMessenger* GetProgressMessenger() = 0;
    // Whether the write started last succeeded, once it has ended; nothing while
    // it runs, before the first write, and for a device that runs no writes.
    virtual std::optional<bool> LastWriteResult() const { return std::nullopt; }
};

class IMouseConfig;
class IMouseProfile;
using IMouseDevice = IGenDevice<IMouseConfig*, IMouseProfile*>;
