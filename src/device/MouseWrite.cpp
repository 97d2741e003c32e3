// SPDX-License-Identifier: GPL-3.0-or-later
// Writing the configuration to the device: only the groups the flags select, and
// within them only what the settings model reports as modified. Runs on the worker.
#include "device/ButtonRecordCodec.h"
#include "device/DeviceText.h"
#include "device/DeviceTiming.h"
#include "device/DeviceValues.h"
#include "device/MacroEventBlock.h"
#include "device/Mouse.h"
#include "device/MouseSupport.h"
#include "device/ServerAccess.h"
#include "platform/com/ComRuntime.h"
#include "settings/IMouseConfig.h"
#include "settings/IMouseProfile.h"
#include "settings/Macro.h"

#include <algorithm>
#include <cstring>
#include <set>
#include <thread>

namespace {

constexpr tCategoryId kLightCategories[] = {CategoryId::LedState, CategoryId::LedColour, CategoryId::LedBrightness,
                                            CategoryId::LedEffect};

bool SetOption(IDeviceProfileProperties* properties, uint16_t mask, bool on)
{
    const uint16_t value = on ? mask : 0;
    const uint8_t buffer[4] = {static_cast<uint8_t>(mask), static_cast<uint8_t>(mask >> 8), static_cast<uint8_t>(value),
                               static_cast<uint8_t>(value >> 8)};
    return SUCCEEDED(properties->SetProperty(kPropertyOptions, buffer, 0, sizeof buffer, 0));
}

// A macro named in an assignment (rather than identified) is sent with the
// identity the configuration knows for that name; the payload itself holds text.
// Nothing when no macro has that name or the macro is not on the device yet.
std::optional<AssignmentRecord> ResolveMacroByName(const AssignmentRecord& assignment, IMouseConfig* config)
{
    if (assignment.kind != AssignmentKind::MacroByName)
        return assignment;
    AssignmentRecord resolved = assignment;
    const CMacro* macro = config->FindMacroByName(assignment.ReadName());
    if (!macro || macro->GetGuid().IsNull())
        return std::nullopt;
    std::memset(resolved.payload.data(), 0, AssignmentRecord::kPlayModeOffset);
    resolved.WriteGuid(macro->GetGuid());
    return resolved;
}

// A profile named in an assignment is switched to by the identity of the profile
// that has that name (ignoring case), as the device has no record for a name.
// Nothing when no profile has that name or it is not on the device.
std::optional<AssignmentRecord> ResolveProfileByName(const AssignmentRecord& assignment, IMouseConfig* config)
{
    if (assignment.kind != AssignmentKind::ProfileByName)
        return assignment;
    const IMouseProfile* profile = config->FindProfileByName(assignment.ReadName());
    if (!profile || profile->GetGuid().IsNull())
        return std::nullopt;
    AssignmentRecord resolved = AssignmentRecord::OfKind(AssignmentKind::ProfileById);
    resolved.WriteGuid(profile->GetGuid());
    return resolved;
}

// The assignment as the device can hold it: names resolved to identities.
std::optional<AssignmentRecord> ResolveName(const AssignmentRecord& assignment, IMouseConfig* config)
{
    if (assignment.kind == AssignmentKind::ProfileByName)
        return ResolveProfileByName(assignment, config);
    return ResolveMacroByName(assignment, config);
}

struct DeviceMacroCopy {
    std::u16string name;
    std::vector<uint8_t> block;
};

std::optional<DeviceMacroCopy> ReadDeviceMacro(IDeviceMacro* macro)
{
    char16_t* rawName = nullptr;
    uint8_t* block = nullptr;
    uint32_t size = 0;
    const bool named = SUCCEEDED(macro->GetName(&rawName));
    DeviceMacroCopy copy{TakeTaskString(rawName), {}};
    const bool hasEvents = SUCCEEDED(macro->GetEvents(&block, &size));
    if (hasEvents && block)
        copy.block.assign(block, block + size);
    CoTaskMemFree(block);
    if (!named || !hasEvents)
        return std::nullopt;
    return copy;
}

// A new device macro with the macro's name and events; its device id goes into the
// macro. False when the device refused it (full, too many events, a failed call);
// a failed upload leaves nothing half-made on the device.
bool UploadMacro(IDeviceMacroCollection* macros, CMacro* macro, const std::vector<uint8_t>& block)
{
    ComPtr<IDeviceMacro> created;
    if (FAILED(macros->CreateMacro(created.Put())) || !created)
        return false;
    GUID id;
    if (FAILED(created->SetName(macro->GetName().c_str())) ||
        FAILED(created->SetEvents(block.data(), static_cast<uint32_t>(block.size()))) || FAILED(created->GetId(&id))) {
        macros->DeleteMacro(created.Get());
        return false;
    }
    macro->SetGuid(id);
    return true;
}

} // namespace

bool CMouse::WriteSelected(IMouseConfig* config, uint16_t flags)
{
    ComPtr<IDeviceObject> device = Device();
    if (!device || !config)
        return false;
    bool ok = true;
    const bool earlierGeneration = IsEarlierGeneration(Descriptor().productId);

    // Macros go first: a button assigned a macro made since the last write can
    // only name it once the device has given it an identity. A macro the device
    // refuses makes the write incomplete without holding back the other groups.
    bool macrosWritten = true;
    if (Selected(flags, TransferGroups::Macros))
        macrosWritten = WriteMacros(config);

    if (HasProfileGroups(flags)) {
        const std::u16string prefix = TranslateDeviceText(u"$Profile:");
        ComPtr<IDeviceProfileCollection> collection = QueryAs<IDeviceProfileCollection>(device);
        ok = bool(collection);
        // Deleted profiles go first, so that new ones find room on the device; one
        // that would leave the device without any profile waits until the new ones
        // are there.
        if (ok)
            ok = DeleteRemovedProfiles(collection.Get(), config);
        // Every profile is on the device before any button is written, so that a
        // button switching to a profile by name can be given the identity of one
        // this very write creates. A profile that cannot be created stops further
        // creations and fails the write, but the profiles the device has are
        // still written.
        // The device profiles found or made here are used for the rest of the write.
        const size_t profileCount = config->GetProfileCount();
        std::vector<ComPtr<IDeviceProfile>> ensured(profileCount);
        std::vector<char> nameConfirmed(profileCount, 0);
        bool created = ok;
        for (size_t index = 0; collection && created && index < profileCount; ++index) {
            if (IMouseProfile* profile = config->GetProfile(index)) {
                bool confirmed = false;
                created = EnsureDeviceProfile(collection.Get(), profile, ensured[index], confirmed);
                nameConfirmed[index] = confirmed;
            }
        }
        for (size_t index = 0; collection && index < profileCount; ++index) {
            IMouseProfile* profile = config->GetProfile(index);
            if (!profile)
                continue;
            // A profile the device does not have is skipped; failing to fetch one
            // it has fails the write.
            ComPtr<IDeviceProfile> deviceProfile = ensured[index];
            if (profile->GetGuid().IsNull())
                continue;
            if (!deviceProfile) {
                const HRESULT fetched = collection->GetProfileById(profile->GetGuid(), deviceProfile.Put());
                if (fetched == E_NOT_FOUND)
                    continue;
                if (FAILED(fetched) || !deviceProfile) {
                    ok = false;
                    continue;
                }
            }
            SendProgressText(prefix + profile->GetName());
            SendProgress(10);
            if (ok && Selected(flags, TransferGroups::ProfileIdentity))
                ok = WriteIdentity(deviceProfile.Get(), profile, nameConfirmed[index] != 0);
            if (Selected(flags, TransferGroups::Sensitivity)) {
                // The earlier generation answers some sensitivity writes with an
                // error although it takes them; its result does not count.
                if (earlierGeneration)
                    WriteSensitivity(deviceProfile.Get(), profile);
                else if (ok)
                    ok = WriteSensitivity(deviceProfile.Get(), profile);
            }
            SendProgress(30);
            if (ok && Selected(flags, TransferGroups::Buttons))
                ok = WriteButtons(deviceProfile.Get(), config, profile);
            SendProgress(60);
            SendProgress(90);
            if (ok && Selected(flags, TransferGroups::Lighting))
                ok = WriteLighting(deviceProfile.Get(), profile);
            SendProgress(100);
            // Only what reached the device stops being pending: after a failure, or
            // when the flags left some of the profile's groups out, the profile
            // keeps its changes for the next write.
            if (ok && CoversProfileGroups(flags))
                profile->CommitAll();
        }
        ok = ok && created;
        if (ok)
            ok = DeleteRemovedProfiles(collection.Get(), config) && config->GetDeletedProfileIds().empty();
    }

    if (ok && Selected(flags, TransferGroups::Acceleration))
        ok = WriteAcceleration(config);
    if (ok && Selected(flags, TransferGroups::ReportInterval))
        ok = WriteReportInterval(config);
    if (Selected(flags, TransferGroups::Power)) {
        const bool sent = WritePower(config);
        ok = ok && sent;
    }
    if (ok && Selected(flags, TransferGroups::Calibration))
        ok = WriteCalibration(config);
    if (ok && HasProfileGroups(flags))
        ok = WriteActiveProfile(config);
    ok = ok && macrosWritten;

    if (ok && CoversConfigurationGroups(flags))
        config->CommitAll();
    return ok;
}

bool CMouse::CoversProfileGroups(uint16_t flags) const
{
    return std::ranges::all_of(TransferGroups::kOfProfile, [&](const TransferGroup& group) {
        return !Has(group.feature) || (flags & group.flag) != 0;
    });
}

bool CMouse::CoversConfigurationGroups(uint16_t flags) const
{
    const bool everyGroup =
        std::ranges::all_of(TransferGroups::kWrittenOfConfiguration, [&](const TransferGroup& group) {
            return !Has(group.feature) || (flags & group.flag) != 0;
        });
    return everyGroup && (!Has(Feature::Profiles) || (flags & TransferFlags::AnyProfileGroup));
}

bool CMouse::DeleteRemovedProfiles(IDeviceProfileCollection* collection, IMouseConfig* config)
{
    for (const GUID& id : config->GetDeletedProfileIds()) {
        // A profile of the configuration still stands for it (a copy kept its id).
        if (config->FindProfileByGuid(id)) {
            config->ForgetDeletedProfile(id);
            continue;
        }
        ComPtr<IDeviceProfile> deviceProfile;
        const HRESULT found = collection->GetProfileById(id, deviceProfile.Put());
        if (found == E_NOT_FOUND) {
            config->ForgetDeletedProfile(id);
            continue;
        }
        uint32_t count = 0;
        if (FAILED(found) || !deviceProfile || FAILED(collection->GetProfileCount(&count)))
            return false;
        if (count <= 1)
            continue; // the device keeps one profile; this one goes once others exist
        if (FAILED(collection->DeleteProfile(deviceProfile.Get())))
            return false;
        config->ForgetDeletedProfile(id);
    }
    return true;
}

bool CMouse::EnsureDeviceProfile(IDeviceProfileCollection* collection, IMouseProfile* profile,
                                 ComPtr<IDeviceProfile>& deviceProfile, bool& nameConfirmed)
{
    nameConfirmed = false;
    const std::u16string name = profile->GetName();
    if (profile->GetGuid().IsNull()) {
        ComPtr<IDeviceProfile> created;
        GUID id;
        if (FAILED(collection->CreateProfile(created.Put())) || !created)
            return false;
        if (FAILED(created->GetId(&id))) {
            // A profile the model cannot name would linger on the device unseen.
            collection->DeleteProfile(created.Get());
            return false;
        }
        profile->SetGuid(id);
        // The new device profile holds factory values, not what the model last
        // committed: all of the profile is to be sent.
        profile->MarkAllModified();
        RememberProperties(id, std::nullopt);
        deviceProfile = created;
        nameConfirmed = SUCCEEDED(created->SetName(name.c_str()));
        return nameConfirmed;
    }
    ComPtr<IDeviceProfile> existing;
    const HRESULT found = collection->GetProfileById(profile->GetGuid(), existing.Put());
    if (found == E_NOT_FOUND)
        return true; // not on the device: the profile is skipped below
    if (FAILED(found) || !existing)
        return false;
    deviceProfile = existing;
    for (int attempt = 0; attempt < 3; ++attempt) {
        std::this_thread::sleep_for(GetDeviceTiming().profileSettle);
        char16_t* rawName = nullptr;
        const bool named = SUCCEEDED(existing->GetName(&rawName));
        const std::u16string deviceName = TakeTaskString(rawName);
        if (!named)
            continue;
        if (deviceName != name) {
            nameConfirmed = SUCCEEDED(existing->SetName(name.c_str()));
            return nameConfirmed;
        }
        nameConfirmed = true;
        return true;
    }
    return true;
}

CMouse::ProfileProperties CMouse::PropertiesOf(const IMouseProfile& profile)
{
    ProfileProperties properties;
    properties.path = profile.GetLinkedProgramPath();
    properties.autoSwitch = !properties.path.empty() && profile.GetAutoSwitch();
    properties.sensitivityOsd = profile.GetDpiOsd();
    properties.profileOsd = profile.GetProfileOsd();
    return properties;
}

bool CMouse::WriteIdentity(IDeviceProfile* deviceProfile, IMouseProfile* profile, bool nameConfirmed)
{
    // The existence check has just read (or set) the name when it confirmed it.
    if (!nameConfirmed && FAILED(deviceProfile->SetName(profile->GetName().c_str())))
        return false;
    const ProfileProperties wanted = PropertiesOf(*profile);
    const GUID id = profile->GetGuid();
    if (KnownProperties(id) == wanted)
        return true;
    ComPtr<IDeviceProfileProperties> properties =
        QueryAs<IDeviceProfileProperties>(ComPtr<IDeviceProfile>(deviceProfile));
    if (!properties)
        return false;
    // Until every property has gone through, what the device holds is unknown.
    RememberProperties(id, std::nullopt);
    uint8_t buffer[kProgramPathBytes];
    if (!EncodeProgramPath(wanted.path, buffer))
        return false;
    if (FAILED(properties->SetProperty(kPropertyProgramPath, buffer, 0, sizeof buffer, 0)))
        return false;
    bool ok = SetOption(properties.Get(), kOptionAutoSwitch, wanted.autoSwitch);
    if (ok)
        ok = SetOption(properties.Get(), kOptionSensitivityOsd, wanted.sensitivityOsd);
    if (ok)
        ok = SetOption(properties.Get(), kOptionProfileOsd, wanted.profileOsd);
    if (ok)
        RememberProperties(id, wanted);
    return ok;
}

bool CMouse::WriteSensitivity(IDeviceProfile* deviceProfile, IMouseProfile* profile)
{
    ComPtr<IDeviceSensitivity> sensitivity = QueryAs<IDeviceSensitivity>(ComPtr<IDeviceProfile>(deviceProfile));
    if (!sensitivity)
        return false;
    if (profile->IsModified(CategoryId::Stages) || profile->IsModified(CategoryId::StagesInUse)) {
        const unsigned count = std::min<unsigned>(profile->GetStageCount(), kMaxSensitivityStages);
        const unsigned inUse = std::clamp<unsigned>(profile->GetStagesInUse(), 1, std::max(count, 1u));
        uint32_t separate = 0;
        std::vector<uint32_t> pairs;
        for (unsigned n = 1; n <= count; ++n) {
            if (profile->GetStageSeparate(n)) {
                separate |= StageBit(n);
                pairs.push_back(profile->GetStageX(n));
                pairs.push_back(profile->GetStageY(n));
            } else {
                pairs.push_back(profile->GetStageDpi(n));
                pairs.push_back(profile->GetStageDpi(n));
            }
        }
        if (FAILED(sensitivity->SetStages(count, inUse, separate, pairs.data())))
            return false;
    }
    if (profile->IsModified(CategoryId::SelectedStage) && profile->GetSelectedStage() > 0) {
        const auto selected = static_cast<uint32_t>(profile->GetSelectedStage());
        uint32_t current = 0;
        if (FAILED(sensitivity->GetCurrentStage(&current)))
            return false;
        if (current != selected && FAILED(sensitivity->SetCurrentStage(selected)))
            return false;
    }
    if (profile->IsModified(CategoryId::CurrentSensitivity)) {
        const bool separate = profile->GetCurrentSeparate();
        const uint32_t x = separate ? profile->GetCurrentX() : profile->GetCurrentDpi();
        const uint32_t y = separate ? profile->GetCurrentY() : profile->GetCurrentDpi();
        if (FAILED(sensitivity->SetSensitivity(x, y)))
            return false;
    }
    return true;
}

bool CMouse::WriteButtons(IDeviceProfile* deviceProfile, IMouseConfig* config, IMouseProfile* profile)
{
    if (!profile->IsModified(CategoryId::ButtonAssignments))
        return true;
    if (ButtonList().empty() && !ReadButtonList(deviceProfile))
        return false;
    ComPtr<IDeviceButtons> buttons = QueryAs<IDeviceButtons>(ComPtr<IDeviceProfile>(deviceProfile));
    if (!buttons)
        return false;
    bool complete = true;
    for (uint32_t bit : ButtonList()) {
        const tMouseButton button = ButtonOfBit(bit);
        if (!profile->IsButtonAssignmentModified(false, button))
            continue;
        const AssignmentRecord assignment = profile->GetButtonAssignment(button);
        // A button the model holds nothing for keeps what the device has, rather
        // than being switched off by an empty record.
        if (assignment.kind == AssignmentKind::Unset)
            continue;
        const std::optional<AssignmentRecord> resolved = ResolveName(assignment, config);
        // A macro or profile named by no macro or profile (on the device) cannot be
        // assigned: the button keeps what the device has and stays pending, and the
        // write says it is incomplete.
        if (!resolved) {
            complete = false;
            continue;
        }
        const ButtonRecord record = MakeButtonRecord(*resolved);
        if (FAILED(buttons->SetButton(bit, &record)))
            return false;
        // From now on the button follows the macro or profile by its identity, as
        // a fresh read would give it, so renaming it later does not lose it.
        if (assignment.kind == AssignmentKind::MacroByName) {
            AssignmentRecord byId = *resolved;
            byId.kind = AssignmentKind::MacroById;
            profile->SetButtonAssignment(button, byId);
        } else if (assignment.kind == AssignmentKind::ProfileByName) {
            profile->SetButtonAssignment(button, *resolved);
        }
    }
    return complete;
}

bool CMouse::WriteLighting(IDeviceProfile* deviceProfile, IMouseProfile* profile)
{
    const auto modified = [&](int32_t key) {
        return std::ranges::any_of(kLightCategories, [&](tCategoryId id) {
            return profile->IsLedElementModified(id, static_cast<tLEDType>(key));
        });
    };
    // Walking the lights costs two calls each. Once the device's lights are known,
    // the walk does not start when none of them has a change, and stops after
    // the last one that has.
    const std::optional<std::vector<int32_t>> known = KnownLightKeys();
    std::set<int32_t> pending;
    if (known) {
        for (int32_t key : *known)
            if (modified(key))
                pending.insert(key);
        if (pending.empty())
            return true;
    }
    ComPtr<IDeviceLighting> lighting = QueryAs<IDeviceLighting>(ComPtr<IDeviceProfile>(deviceProfile));
    if (!lighting)
        return false;
    // A light that fails is skipped and the others are still sent, but the write
    // is incomplete: the profile's lights stay pending for the next one.
    bool complete = true;
    bool listedWhole = false;
    std::vector<int32_t> listed;
    for (uint32_t index = 0; index < kMaxCollectionItems && (!known || !pending.empty()); ++index) {
        ComPtr<IDeviceLight> light;
        const HRESULT found = lighting->GetLight(index, light.Put());
        if (IsEndOfList(found)) {
            listedWhole = complete;
            break;
        }
        uint32_t number = 0;
        if (FAILED(found) || !light || FAILED(light->GetNumber(&number))) {
            complete = false;
            continue;
        }
        const int32_t key = LedKeyFromLightNumber(number);
        if (key < 0)
            continue;
        listed.push_back(key);
        pending.erase(key);
        const auto led = static_cast<tLEDType>(key);
        if (profile->IsLedElementModified(CategoryId::LedState, led)) {
            const HRESULT hr = profile->GetLedState(led) ? light->TurnOn() : light->TurnOff();
            if (FAILED(hr)) {
                complete = false;
                continue;
            }
        }
        if (profile->IsLedElementModified(CategoryId::LedColour, led)) {
            auto colour = QueryAs<IDeviceLightColour>(light);
            if (!colour || FAILED(colour->SetColour(profile->GetLedColour(led)))) {
                complete = false;
                continue;
            }
        }
        if (profile->IsLedElementModified(CategoryId::LedBrightness, led)) {
            auto brightness = QueryAs<IDeviceLightBrightness>(light);
            if (!brightness || FAILED(brightness->SetBrightness(profile->GetLedBrightness(led)))) {
                complete = false;
                continue;
            }
        }
        if (profile->IsLedElementModified(CategoryId::LedEffect, led)) {
            auto effect = QueryAs<IDeviceLightEffect>(light);
            if (!effect || FAILED(effect->SetEffect(EffectToDevice(profile->GetLedEffect(led)))))
                complete = false;
        }
    }
    if (!known && listedWhole)
        RememberLightKeys(listed);
    return complete;
}

bool CMouse::WriteAcceleration(IMouseConfig* config)
{
    ComPtr<IDeviceAcceleration> acceleration = QueryAs<IDeviceAcceleration>(Device());
    if (!acceleration)
        return false;
    if (config->IsModified(CategoryId::AccelerationLevel) &&
        FAILED(acceleration->SetValue(config->GetAccelerationLevel())))
        return false;
    if (config->IsModified(CategoryId::AccelerationOn)) {
        const HRESULT hr = config->GetAccelerationOn() ? acceleration->TurnOn() : acceleration->TurnOff();
        if (FAILED(hr))
            return false;
    }
    return true;
}

bool CMouse::WriteReportInterval(IMouseConfig* config)
{
    // A stored rate the device has no interval for fails the write, changed or not.
    const std::optional<uint32_t> interval = ReportIntervalFromRate(config->GetPollingRate());
    if (!interval)
        return false;
    if (!config->IsModified(CategoryId::PollingRate))
        return true;
    ComPtr<IDeviceReportInterval> reportInterval = QueryAs<IDeviceReportInterval>(Device());
    return reportInterval && SUCCEEDED(reportInterval->SetReportInterval(*interval));
}

bool CMouse::WriteMacros(IMouseConfig* config)
{
    ComPtr<IDeviceMacroCollection> macros = QueryAs<IDeviceMacroCollection>(Device());
    if (!macros)
        return false;
    // Only macros the user deleted leave the device (first, so that new ones find
    // room); a device macro the configuration never knew stays.
    for (const GUID& id : config->GetDeletedMacroIds()) {
        if (config->FindMacroByGuid(id)) {
            config->ForgetDeletedMacro(id);
            continue;
        }
        ComPtr<IDeviceMacro> macro;
        const HRESULT found = macros->GetMacroById(id, macro.Put());
        if (found != E_NOT_FOUND && (FAILED(found) || !macro || FAILED(macros->DeleteMacro(macro.Get()))))
            return false;
        config->ForgetDeletedMacro(id);
    }
    // A macro the device refuses stays pending while the others are still sent.
    bool complete = true;
    for (size_t index = 0; index < config->GetMacroCount(); ++index) {
        CMacro* macro = config->GetMacro(index);
        if (!macro)
            continue;
        // A macro the device has never had goes up even while it still looks as
        // it did when it was made (empty, say).
        if (!config->IsListElementModified(CategoryList::Macros, index) && !macro->GetGuid().IsNull())
            continue;
        const std::vector<uint8_t> block = BuildMacroEventBlock(macro->GetEvents());
        // A macro the device does not know is uploaded as new. Any other failure
        // fails the step: uploading then would leave the device with two copies.
        ComPtr<IDeviceMacro> deviceMacro;
        const HRESULT found =
            macro->GetGuid().IsNull() ? E_NOT_FOUND : macros->GetMacroById(macro->GetGuid(), deviceMacro.Put());
        if (found == E_NOT_FOUND) {
            if (!UploadMacro(macros.Get(), macro, block))
                complete = false;
            continue;
        }
        if (FAILED(found) || !deviceMacro)
            return false;
        const std::optional<DeviceMacroCopy> copy = ReadDeviceMacro(deviceMacro.Get());
        if (!copy)
            return false;
        if (copy->name == macro->GetName() && copy->block == block)
            continue;
        if (copy->block != block && FAILED(deviceMacro->SetEvents(block.data(), static_cast<uint32_t>(block.size()))))
            return false;
        if (copy->name != macro->GetName() && FAILED(deviceMacro->SetName(macro->GetName().c_str())))
            return false;
    }
    return complete;
}

bool CMouse::WritePower(IMouseConfig* config)
{
    ComPtr<IDevicePower> power = QueryAs<IDevicePower>(Device());
    if (!power)
        return false;
    bool ok = true;
    if (config->IsModified(CategoryId::BatteryWarningLevel)) {
        const uint32_t level = BatteryWarningToDevice(config->GetBatteryWarningLevel(), config->GetBatteryRangeMin(),
                                                      config->GetBatteryRangeMax());
        ok = SUCCEEDED(power->SetBatteryWarning(level)) && ok;
    }
    if (config->IsModified(CategoryId::ReducedBrightness))
        ok = SUCCEEDED(power->SetDimBrightness(config->GetReducedBrightness())) && ok;
    if (config->IsModified(CategoryId::IdleTimeBeforeSleep))
        ok = SUCCEEDED(power->SetSleepTimeout(config->GetIdleTimeBeforeSleep())) && ok;
    return ok;
}

bool CMouse::WriteCalibration(IMouseConfig* config)
{
    ComPtr<IDeviceCalibration> calibration = QueryAs<IDeviceCalibration>(Device());
    if (!calibration)
        return false;
    if (config->IsModified(CategoryId::SurfaceCalibration)) {
        const HRESULT hr = config->GetSurfaceCalibration() ? calibration->TurnOn() : calibration->TurnOff();
        if (FAILED(hr))
            return false;
    }
    if (config->IsModified(CategoryId::AutomaticLiftOff) &&
        FAILED(calibration->SetMode(config->GetAutomaticLiftOff() ? kLiftOffAutomatic : kLiftOffManual)))
        return false;
    if (config->IsModified(CategoryId::LiftOffRange) && FAILED(calibration->SetLiftOff(config->GetLiftOffRange())))
        return false;
    return true;
}

bool CMouse::WriteActiveProfile(IMouseConfig* config)
{
    IMouseProfile* current = config->GetCurrentProfile();
    if (!current)
        return true;
    // Activated only when the user chose another profile, or when this device is
    // not known to have it active (another device, a profile made in this write).
    // A switch made on the device meanwhile, by a button or the tray program, is
    // the user's too and stays.
    if (!config->IsModified(CategoryId::ActiveProfile) && KnownActiveProfile() == current->GetGuid())
        return true;
    ComPtr<IDeviceProfileCollection> collection = QueryAs<IDeviceProfileCollection>(Device());
    ComPtr<IDeviceProfile> deviceProfile;
    const bool activated = collection && !current->GetGuid().IsNull() &&
                           SUCCEEDED(collection->GetProfileById(current->GetGuid(), deviceProfile.Put())) &&
                           deviceProfile && SUCCEEDED(collection->ActivateProfile(deviceProfile.Get()));
    RememberActiveProfile(activated ? std::optional(current->GetGuid()) : std::nullopt);
    return activated;
}

void CMouse::RememberProperties(const GUID& id, const std::optional<ProfileProperties>& properties)
{
    std::lock_guard lock(listMutex_);
    if (properties)
        knownProperties_[id] = *properties;
    else
        knownProperties_.erase(id);
}

std::optional<CMouse::ProfileProperties> CMouse::KnownProperties(const GUID& id) const
{
    std::lock_guard lock(listMutex_);
    const auto found = knownProperties_.find(id);
    return found == knownProperties_.end() ? std::nullopt : std::optional(found->second);
}

void CMouse::RememberLightKeys(const std::vector<int32_t>& keys)
{
    std::lock_guard lock(listMutex_);
    lightKeys_ = keys;
}

std::optional<std::vector<int32_t>> CMouse::KnownLightKeys() const
{
    std::lock_guard lock(listMutex_);
    return lightKeys_;
}

void CMouse::RememberActiveProfile(const std::optional<GUID>& id)
{
    std::lock_guard lock(listMutex_);
    knownActiveProfile_ = id;
}

std::optional<GUID> CMouse::KnownActiveProfile() const
{
    std::lock_guard lock(listMutex_);
    return knownActiveProfile_;
}
