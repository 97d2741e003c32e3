// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// `CMouse`: a real mouse or dock. It moves the configuration and its profiles to
// and from the device server one group of settings at a time: the descriptor's
// features decide which groups exist, the transfer flags which groups move, and a
// write sends only what the settings model reports as modified.
#include "device/BaseDevice.h"
#include "device/TransferGroup.h"

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

class IMouseProfile;
class IMouseConfig;
struct IDeviceProfile;

class CMouse : public CBaseDevice {
public:
    explicit CMouse(const DeviceDescriptor& descriptor);
    ~CMouse() override;

    bool ReadAll(IMouseConfig* config) override;
    bool ImportMacro(std::u16string_view path, IMouseConfig* config) override;
    bool ExportMacro(std::u16string_view path, CMacro* macro) override;
    bool HasDeviceMacro(CMacro* macro) override;
    bool ImportProfile(std::u16string_view path, IMouseConfig* config) override;
    bool ExportProfile(std::u16string_view path, IMouseProfile* profile) override;
    bool HasDeviceProfile(IMouseProfile* profile) override;
    bool QueryState() override;
    bool Probe(int argument) override;
    int GetDeviceProfileCount() override;

    // The first version string becomes the device's firmware version ("0.00" when
    // it cannot be read). Opens its own connection; false when that fails.
    bool RefreshFirmwareVersion();

    // The button bits of the active device profile, in increasing order.
    std::vector<uint32_t> ButtonList() const;
    std::vector<uint32_t> SupportedIntervals() const;

protected:
    bool WriteSelected(IMouseConfig* config, uint16_t flags) override;
    bool ReadSelected(IMouseConfig* config, uint16_t flags) override;

private:
    bool Has(FeatureId feature) const { return Descriptor().Has(feature); }
    // Whether the transfer asks for the group and the device has it.
    bool Selected(uint16_t flags, const TransferGroup& group) const
    {
        return Has(group.feature) && (flags & group.flag) != 0;
    }
    bool HasProfileGroups(uint16_t flags) const;
    // Whether a transfer with these flags moved every group of a profile (of the
    // configuration) that this device has; only then may it all be committed.
    bool CoversProfileGroups(uint16_t flags) const;
    bool CoversConfigurationGroups(uint16_t flags) const;

    // Reading, on an open connection.
    bool ReadVersionStrings();
    bool ReadButtonList(IDeviceProfile* deviceProfile);
    bool ReadSensitivity(IDeviceProfile* deviceProfile, IMouseProfile* profile);
    bool ReadIdentity(IDeviceProfile* deviceProfile, IMouseProfile* profile);
    bool ReadButtons(IDeviceProfile* deviceProfile, IMouseProfile* profile);
    bool ReadLighting(IDeviceProfile* deviceProfile, IMouseProfile* profile);
    bool ReadMacros(IMouseConfig* config);
    void SettleNamelessProfiles(IMouseConfig* config, const std::vector<GUID>& nameless, const GUID& activeId);
    bool ReadAcceleration(IMouseConfig* config);
    bool ReadReportInterval(IMouseConfig* config);
    bool ReadBattery(IMouseConfig* config);
    bool ReadPower(IMouseConfig* config);
    bool ReadCalibration(IMouseConfig* config);
    bool ReadFirmwareOnOpenConnection();

    // Writing, on the worker.
    // Deletes on the device the profiles the user deleted, except one that would
    // leave the device without a profile (that one stays pending). False when a
    // device call fails.
    bool DeleteRemovedProfiles(struct IDeviceProfileCollection* collection, IMouseConfig* config);
    // Makes sure the profile is on the device (creating it when it has no id yet)
    // and that the device profile carries its name. `deviceProfile` receives the
    // device profile when it was found or made, and `nameConfirmed` whether the
    // device is known to hold the profile's name now.
    bool EnsureDeviceProfile(struct IDeviceProfileCollection* collection, IMouseProfile* profile,
                             ComPtr<IDeviceProfile>& deviceProfile, bool& nameConfirmed);
    bool WriteIdentity(IDeviceProfile* deviceProfile, IMouseProfile* profile, bool nameConfirmed);
    bool WriteSensitivity(IDeviceProfile* deviceProfile, IMouseProfile* profile);
    bool WriteButtons(IDeviceProfile* deviceProfile, IMouseConfig* config, IMouseProfile* profile);
    bool WriteLighting(IDeviceProfile* deviceProfile, IMouseProfile* profile);
    bool WriteAcceleration(IMouseConfig* config);
    bool WriteReportInterval(IMouseConfig* config);
    bool WriteMacros(IMouseConfig* config);
    bool WritePower(IMouseConfig* config);
    bool WriteCalibration(IMouseConfig* config);
    bool WriteActiveProfile(IMouseConfig* config);

    // The linked program and options a device profile holds, as the profile
    // states them (auto switching only counts with a program).
    struct ProfileProperties {
        std::u16string path;
        bool autoSwitch = false;
        bool sensitivityOsd = false;
        bool profileOsd = false;
        friend bool operator==(const ProfileProperties&, const ProfileProperties&) = default;
    };
    static ProfileProperties PropertiesOf(const IMouseProfile& profile);
    // What this object last read from or wrote to the device: a profile's
    // properties by its id, and the id of the active profile. Sending them again
    // when the profile still states the same would change nothing on the device,
    // and re-activating a profile would undo a switch another program made since.
    void RememberProperties(const GUID& id, const std::optional<ProfileProperties>& properties);
    std::optional<ProfileProperties> KnownProperties(const GUID& id) const;
    void RememberActiveProfile(const std::optional<GUID>& id);
    // The light keys the device lists (the same for each of its profiles), once
    // a walk of them has gone through whole.
    void RememberLightKeys(const std::vector<int32_t>& keys);
    std::optional<std::vector<int32_t>> KnownLightKeys() const;
    std::optional<GUID> KnownActiveProfile() const;

    mutable std::mutex listMutex_;
    std::vector<uint32_t> buttons_;
    std::vector<uint32_t> intervals_;
    // Guarded by listMutex_: reads run on the caller's thread, writes on the worker.
    std::map<GUID, ProfileProperties> knownProperties_;
    std::optional<GUID> knownActiveProfile_;
    std::optional<std::vector<int32_t>> lightKeys_;
};
