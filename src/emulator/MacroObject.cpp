// SPDX-License-Identifier: GPL-3.0-or-later
// One macro stored on a device.
#include "emulator/ImageCodec.h"
#include "emulator/Operations.h"
#include "emulator/ServerObjects.h"
#include "platform/com/ComObject.h"
#include "platform/com/ComRuntime.h"
#include "platform/core/AtomicFile.h"

#include <cstring>

namespace emulator {

namespace {

class MacroObject final : public ComObject<IDeviceMacro> {
public:
    MacroObject(Channel channel, const GUID& id) : channel_(std::move(channel)), id_(id) {}

    const DeviceChannel& channel() const { return *channel_; }
    const GUID& id() const { return id_; }

    HRESULT GetId(GUID* id) override
    {
        if (!id)
            return E_POINTER;
        return ReadMacro(op::MacroGetId, [&](const MacroImage&) {
            *id = id_;
            return S_OK;
        });
    }
    HRESULT GetName(char16_t** name) override
    {
        if (!name)
            return E_POINTER;
        *name = nullptr;
        return ReadMacro(op::MacroGetName, [&](const MacroImage& m) {
            *name = CoTaskMemDupString(m.name);
            return *name ? S_OK : E_OUTOFMEMORY;
        });
    }
    HRESULT SetName(const char16_t* name) override
    {
        if (!name)
            return E_POINTER;
        const std::u16string text(name);
        const bool valid = CheckMacroName(text).empty();
        return ChangeMacro(op::MacroSetName, [&](MacroImage& m) {
            if (!valid)
                return E_INVALIDARG;
            m.name = text;
            return S_OK;
        });
    }
    HRESULT ExportToFile(const char16_t* path) override
    {
        std::filesystem::path target;
        const bool valid = PathFromInterface(path, target);
        return ReadMacro(op::MacroExport, [&](const MacroImage& m) {
            if (!valid)
                return E_INVALIDARG;
            std::string error;
            return WriteFileAtomically(target, EncodeMacroFile(m), error) ? S_OK : E_ACCESSDENIED;
        });
    }
    HRESULT GetEvents(uint8_t** block, uint32_t* size) override
    {
        if (!block || !size)
            return E_POINTER;
        *block = nullptr;
        *size = 0;
        return ReadMacro(op::MacroGetEvents, [&](const MacroImage& m) {
            const std::vector<uint8_t> bytes = EncodeEventBlock(m.events);
            auto* copy = static_cast<uint8_t*>(CoTaskMemAlloc(bytes.size()));
            if (!copy)
                return E_OUTOFMEMORY;
            std::memcpy(copy, bytes.data(), bytes.size());
            *block = copy;
            *size = uint32_t(bytes.size());
            return S_OK;
        });
    }
    HRESULT SetEvents(const uint8_t* block, uint32_t size) override
    {
        std::vector<MacroEvent> events;
        const bool valid = DecodeEventBlock(block, size, events).empty();
        return ChangeMacro(op::MacroSetEvents, [&](MacroImage& m) {
            if (!valid)
                return E_INVALIDARG;
            m.events = events;
            return S_OK;
        });
    }

private:
    template <typename F>
    HRESULT ReadMacro(std::string_view operation, F&& read)
    {
        return channel_->Read(operation, [&](const DeviceImage& image) -> HRESULT {
            const MacroImage* m = image.FindMacro(id_);
            return m ? read(*m) : E_NOT_FOUND;
        });
    }
    template <typename F>
    HRESULT ChangeMacro(std::string_view operation, F&& change)
    {
        return channel_->Change(operation, [&](DeviceImage& image) -> HRESULT {
            MacroImage* m = image.FindMacro(id_);
            return m ? change(*m) : E_NOT_FOUND;
        });
    }

    Channel channel_;
    GUID id_;
};

} // namespace

IDeviceMacro* NewMacroObject(Channel channel, const GUID& macroId)
{
    return MakeComObject<MacroObject>(std::move(channel), macroId);
}

const GUID* MacroIdOf(IDeviceMacro* macro, const DeviceChannel& channel)
{
    const auto* object = dynamic_cast<MacroObject*>(macro);
    if (!object || object->channel().product().productId != channel.product().productId ||
        object->channel().settings().directory != channel.settings().directory)
        return nullptr;
    return &object->id();
}

} // namespace emulator
