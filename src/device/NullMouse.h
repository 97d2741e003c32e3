// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// `CNullMouse`: the device in use when no supported mouse is attached. It fills the
// configuration with one usable default profile, accepts the single-item
// operations and refuses transfers.
#include "device/GenDevice.h"
#include "device/ProgressMessenger.h"
#include "settings/AssignmentRecord.h"
#include "settings/MouseTypes.h"

#include <map>
#include <vector>

class CNullMouse : public IMouseDevice, public CProgressMessenger {
public:
    // {6F2D8A41-93C0-4B7E-A5D6-0E18C3F94B2A}
    static constexpr GUID kDefaultProfileId =
        MakeGuid(0x6F2D8A41, 0x93C0, 0x4B7E, {0xA5, 0xD6, 0x0E, 0x18, 0xC3, 0xF9, 0x4B, 0x2A});
    static constexpr std::u16string_view kDefaultProfileName = u"PROFILE01";

    bool ReadAll(IMouseConfig* config) override;
    void DiscardCache() override;
    bool IsBusy() override { return false; }
    bool ImportMacro(std::u16string_view, IMouseConfig*) override { return true; }
    bool ExportMacro(std::u16string_view, CMacro*) override { return true; }
    bool HasDeviceMacro(CMacro*) override { return true; }
    bool ImportProfile(std::u16string_view, IMouseConfig*) override { return true; }
    bool ExportProfile(std::u16string_view, IMouseProfile*) override { return true; }
    bool HasDeviceProfile(IMouseProfile*) override { return true; }
    bool Transfer(IMouseConfig* config, int mode, uint16_t flags) override;
    bool IsPresent() override { return true; }
    bool GetFirmwareVersion(std::u16string& text) override;
    bool GetDeviceVersion(std::u16string& text) override;
    bool QueryState() override { return true; }
    bool Probe(int argument) override { return argument != 0; }
    int GetProductId() override { return 0; }
    std::u16string GetDisplayName() override { return u"NullMouse"; }
    int GetDeviceProfileCount() override { return 20; }
    void AddProgressListener(HWND window) override { AddListener(window); }
    void RemoveProgressListener(HWND window) override { RemoveListener(window); }
    CProgressMessenger* GetProgressMessenger() override { return this; }

    // The hashes of the keyboard key names, built by ReadAll.
    const std::vector<uint32_t>& KeyNameHashes() const { return keyNameHashes_; }
    const std::map<tMouseButton, AssignmentRecord>& DefaultAssignments() const { return defaults_; }

private:
    std::vector<uint32_t> keyNameHashes_;
    std::map<tMouseButton, AssignmentRecord> defaults_;
};
