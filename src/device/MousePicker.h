// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// `CMousePicker`: chooses the supported device to use and wraps its `CMouse`. It
// enumerates the device server before every read and transfer, keeps its choice
// while that device stays attached, and reports a changed device (or none)
// through the change callback.
#include "device/DeviceDescriptor.h"
#include "device/GenDevice.h"

#include <functional>
#include <memory>
#include <mutex>
#include <span>
#include <vector>

class CMouse;

class CMousePicker : public IMouseDevice {
public:
    // Called with the newly chosen mouse (null when none is attached) and the user data.
    using ChangeCallback = std::function<void(CMouse* mouse, void* userData)>;

    explicit CMousePicker(std::span<const DeviceDescriptor> descriptors = SupportedDevices(), void* userData = nullptr);
    ~CMousePicker() override;

    void SetChangeCallback(ChangeCallback callback, void* userData);

    // Collects the attached products and keeps or changes the selection; false when
    // the device server cannot be activated or nothing supported is attached.
    bool Enumerate();
    // The descriptor of the chosen entry, or null.
    const DeviceDescriptor* Selected() const;
    // The chosen entry's mouse, or null.
    std::shared_ptr<CMouse> SelectedMouse() const;

    bool ReadAll(IMouseConfig* config) override;
    void DiscardCache() override;
    bool IsBusy() override;
    bool ImportMacro(std::u16string_view path, IMouseConfig* config) override;
    bool ExportMacro(std::u16string_view path, CMacro* macro) override;
    bool HasDeviceMacro(CMacro* macro) override;
    bool ImportProfile(std::u16string_view path, IMouseConfig* config) override;
    bool ExportProfile(std::u16string_view path, IMouseProfile* profile) override;
    bool HasDeviceProfile(IMouseProfile* profile) override;
    bool Transfer(IMouseConfig* config, int mode, uint16_t flags) override;
    bool IsPresent() override;
    bool GetFirmwareVersion(std::u16string& text) override;
    bool GetDeviceVersion(std::u16string& text) override;
    bool QueryState() override;
    bool Probe(int argument) override;
    int GetProductId() override;
    std::u16string GetDisplayName() override;
    int GetDeviceProfileCount() override;
    void AddProgressListener(HWND window) override;
    void RemoveProgressListener(HWND window) override;
    CProgressMessenger* GetProgressMessenger() override;
    // The selected mouse's; nothing when none is selected.
    std::optional<bool> LastWriteResult() const override;

private:
    struct Entry {
        const DeviceDescriptor* descriptor;
        std::shared_ptr<CMouse> mouse;
    };

    // A fresh mouse for the selected entry; the progress listeners of the mouse it
    // replaces move over to it, so windows stay registered across a device change.
    std::shared_ptr<CMouse> CreateSelectedMouse();
    void NotifyChange(CMouse* mouse);

    mutable std::mutex mutex_;
    std::vector<Entry> entries_;
    int selected_ = -1;
    std::vector<HWND> listeners_; // also given to every mouse this picker creates
    ChangeCallback callback_;
    void* userData_ = nullptr;
};
