// SPDX-License-Identifier: GPL-3.0-or-later
// Operations on one item at a time (a macro, a profile, a status query); each opens
// and closes its own connection.
#include "device/MacroEventBlock.h"
#include "device/Mouse.h"
#include "device/MouseSupport.h"
#include "device/ServerAccess.h"
#include "platform/com/ComRuntime.h"
#include "settings/IMouseConfig.h"
#include "settings/IMouseProfile.h"
#include "settings/Macro.h"

namespace {
// The device's own copy of a macro or profile, found by its identity; none when the
// device has no such collection, does not know the identity, or fails to answer.
template <typename Collection, typename Item, typename Source>
ComPtr<Item> FetchById(const ComPtr<Source>& device, HRESULT (Collection::*getById)(const GUID&, Item**),
                       const GUID& id)
{
    ComPtr<Collection> collection = QueryAs<Collection>(device);
    ComPtr<Item> item;
    if (!collection || FAILED((collection.Get()->*getById)(id, item.Put())))
        return {};
    return item;
}
} // namespace

bool CMouse::ImportMacro(std::u16string_view path, IMouseConfig* config)
{
    OpenedConnection connection(*this);
    if (!connection || !config)
        return false;
    ComPtr<IDeviceMacroCollection> macros = QueryAs<IDeviceMacroCollection>(Device());
    ComPtr<IDeviceMacro> imported;
    const std::u16string file(path);
    if (!macros || FAILED(macros->ImportMacro(file.c_str(), imported.Put())) || !imported)
        return false;
    char16_t* rawName = nullptr;
    const bool named = SUCCEEDED(imported->GetName(&rawName));
    const std::u16string name = TakeTaskString(rawName);
    GUID id;
    uint8_t* block = nullptr;
    uint32_t size = 0;
    std::optional<std::vector<MacroEvent>> events;
    if (SUCCEEDED(imported->GetEvents(&block, &size)) && block)
        events = ParseMacroEventBlock(std::span<const uint8_t>(block, size));
    CoTaskMemFree(block);
    // A macro the model cannot take (its name is taken, ignoring case, or it cannot
    // be read whole) does not stay on the device either.
    CMacro* macro = named && events && SUCCEEDED(imported->GetId(&id)) ? config->CreateMacro(name) : nullptr;
    if (!macro) {
        macros->DeleteMacro(imported.Get());
        return false;
    }
    macro->SetGuid(id);
    macro->SetEvents(std::move(*events));
    return true;
}

bool CMouse::ExportMacro(std::u16string_view path, CMacro* macro)
{
    if (!macro || macro->GetGuid().IsNull())
        return false;
    OpenedConnection connection(*this);
    if (!connection)
        return false;
    ComPtr<IDeviceMacro> deviceMacro = FetchById(Device(), &IDeviceMacroCollection::GetMacroById, macro->GetGuid());
    const std::u16string file(path);
    return deviceMacro && SUCCEEDED(deviceMacro->ExportToFile(file.c_str()));
}

bool CMouse::HasDeviceMacro(CMacro* macro)
{
    if (!macro)
        return false;
    OpenedConnection connection(*this);
    if (!connection)
        return false;
    return bool(FetchById(Device(), &IDeviceMacroCollection::GetMacroById, macro->GetGuid()));
}

bool CMouse::ImportProfile(std::u16string_view path, IMouseConfig* config)
{
    if (!config || !Has(Feature::Profiles))
        return false;
    OpenedConnection connection(*this);
    if (!connection)
        return false;
    ComPtr<IDeviceProfileCollection> collection = QueryAs<IDeviceProfileCollection>(Device());
    ComPtr<IDeviceProfile> imported;
    const std::u16string file(path);
    if (!collection || FAILED(collection->ImportProfile(file.c_str(), imported.Put())) || !imported)
        return false;
    char16_t* rawName = nullptr;
    const bool named = SUCCEEDED(imported->GetName(&rawName));
    const std::u16string name = TakeTaskString(rawName);
    GUID id;
    IMouseProfile* profile = named && SUCCEEDED(imported->GetId(&id)) ? config->AppendProfile(name) : nullptr;
    if (!profile) {
        collection->DeleteProfile(imported.Get());
        return false;
    }
    bool ok = true;
    if (ok && Has(Feature::Sensitivity))
        ok = ReadSensitivity(imported.Get(), profile);
    if (ok && Has(Feature::ProfileIdentity))
        ok = ReadIdentity(imported.Get(), profile);
    if (ok && Has(Feature::Buttons))
        ok = ReadButtons(imported.Get(), profile);
    if (ok && Has(Feature::Lighting))
        ok = ReadLighting(imported.Get(), profile);
    if (!ok) {
        // The model could not take the profile whole: it leaves the device too, so
        // that it neither lingers unseen nor counts towards the device's limit.
        // Without its identity the model does not remember it as deleted.
        profile->SetGuid(GUID_NULL);
        config->DeleteProfile(profile);
        collection->DeleteProfile(imported.Get());
        return false;
    }
    profile->SetGuid(id);
    profile->CommitAll();
    return true;
}

bool CMouse::ExportProfile(std::u16string_view path, IMouseProfile* profile)
{
    if (!profile || profile->GetGuid().IsNull())
        return false;
    OpenedConnection connection(*this);
    if (!connection)
        return false;
    ComPtr<IDeviceProfile> deviceProfile =
        FetchById(Device(), &IDeviceProfileCollection::GetProfileById, profile->GetGuid());
    const std::u16string file(path);
    return deviceProfile && SUCCEEDED(deviceProfile->ExportToFile(file.c_str()));
}

bool CMouse::HasDeviceProfile(IMouseProfile* profile)
{
    if (!profile)
        return false;
    OpenedConnection connection(*this);
    if (!connection)
        return false;
    return bool(FetchById(Device(), &IDeviceProfileCollection::GetProfileById, profile->GetGuid()));
}

int CMouse::GetDeviceProfileCount()
{
    OpenedConnection connection(*this);
    if (!connection)
        return 0;
    ComPtr<IDeviceProfileCollection> collection = QueryAs<IDeviceProfileCollection>(Device());
    if (!collection)
        return 0;
    int count = 0;
    for (uint32_t index = 0; index < kMaxCollectionItems; ++index) {
        ComPtr<IDeviceProfile> profile;
        if (FAILED(collection->GetProfile(index, profile.Put())) || !profile)
            break;
        ++count;
    }
    return count;
}

bool CMouse::QueryState()
{
    OpenedConnection connection(*this);
    if (!connection)
        return false;
    ComPtr<IDeviceState> state = QueryAs<IDeviceState>(Device());
    int32_t flag = 0;
    return state && SUCCEEDED(state->GetFlag(&flag)) && flag != 0;
}

bool CMouse::Probe(int)
{
    OpenedConnection connection(*this);
    return connection && bool(QueryAs<IDeviceProbe>(Device()));
}
