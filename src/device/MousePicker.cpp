// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/MousePicker.h"

#include "device/Mouse.h"
#include "device/ServerAccess.h"

#include <algorithm>
#include <optional>

CMousePicker::CMousePicker(std::span<const DeviceDescriptor> descriptors, void* userData) : userData_(userData)
{
    for (const DeviceDescriptor& descriptor : descriptors)
        entries_.push_back({&descriptor, nullptr});
}

CMousePicker::~CMousePicker() = default;

void CMousePicker::SetChangeCallback(ChangeCallback callback, void* userData)
{
    std::lock_guard lock(mutex_);
    callback_ = std::move(callback);
    userData_ = userData;
}

namespace {

std::optional<std::vector<uint32_t>> ListAttached()
{
    ComPtr<IDeviceEnumerator> enumerator;
    if (FAILED(CreateDeviceEnumerator(enumerator)) || !enumerator)
        return std::nullopt;
    return ListProductIds(enumerator.Get());
}

} // namespace

bool CMousePicker::Enumerate()
{
    std::optional<std::vector<uint32_t>> attached = ListAttached();
    if (!attached)
        return false;
    // The server ends its list with a failed call, so one call that fails for
    // any other reason cuts the list short and looks like an unplug. A device in
    // use is only given up when a second look does not find it either: taking it
    // for gone reports an unplug, and the owner then drops every change it has
    // not written yet.
    const uint32_t inUse = [&] {
        std::lock_guard lock(mutex_);
        return selected_ >= 0 ? entries_[size_t(selected_)].descriptor->productId : 0u;
    }();
    if (inUse != 0 && std::find(attached->begin(), attached->end(), inUse) == attached->end()) {
        if (std::optional<std::vector<uint32_t>> again = ListAttached())
            attached = std::move(again);
    }
    auto isAttached = [&](const Entry& entry) {
        return std::find(attached->begin(), attached->end(), entry.descriptor->productId) != attached->end();
    };

    std::shared_ptr<CMouse> dropped; // destroyed outside the lock: it may wait for its worker
    std::lock_guard lock(mutex_);
    if (selected_ >= 0 && isAttached(entries_[size_t(selected_)]))
        return true;
    if (selected_ >= 0)
        dropped = std::move(entries_[size_t(selected_)].mouse);
    selected_ = -1;
    for (size_t i = 0; i < entries_.size(); ++i) {
        if (isAttached(entries_[i])) {
            selected_ = static_cast<int>(i);
            break;
        }
    }
    return selected_ >= 0;
}

const DeviceDescriptor* CMousePicker::Selected() const
{
    std::lock_guard lock(mutex_);
    return selected_ >= 0 ? entries_[size_t(selected_)].descriptor : nullptr;
}

std::shared_ptr<CMouse> CMousePicker::SelectedMouse() const
{
    std::lock_guard lock(mutex_);
    return selected_ >= 0 ? entries_[size_t(selected_)].mouse : nullptr;
}

std::shared_ptr<CMouse> CMousePicker::CreateSelectedMouse()
{
    std::shared_ptr<CMouse> previous;
    std::shared_ptr<CMouse> created;
    {
        std::lock_guard lock(mutex_);
        if (selected_ < 0)
            return nullptr;
        Entry& entry = entries_[size_t(selected_)];
        created = std::make_shared<CMouse>(*entry.descriptor);
        for (HWND window : listeners_)
            created->AddProgressListener(window);
        previous = std::exchange(entry.mouse, created);
    }
    if (previous)
        created->SetText(previous->GetText());
    return created;
}

void CMousePicker::NotifyChange(CMouse* mouse)
{
    ChangeCallback callback;
    void* userData = nullptr;
    {
        std::lock_guard lock(mutex_);
        callback = callback_;
        userData = userData_;
    }
    if (callback)
        callback(mouse, userData);
}

bool CMousePicker::ReadAll(IMouseConfig* config)
{
    Enumerate();
    std::shared_ptr<CMouse> mouse = CreateSelectedMouse();
    if (!mouse)
        return false;
    const bool ok = mouse->ReadAll(config);
    if (ok)
        NotifyChange(mouse.get());
    return ok;
}

bool CMousePicker::Transfer(IMouseConfig* config, int mode, uint16_t flags)
{
    const DeviceDescriptor* before = Selected();
    Enumerate();
    const DeviceDescriptor* now = Selected();
    if (!now) {
        NotifyChange(nullptr);
        return false;
    }
    if (now == before) {
        std::shared_ptr<CMouse> mouse = SelectedMouse();
        if (!mouse)
            mouse = CreateSelectedMouse();
        return mouse && mouse->Transfer(config, mode, flags);
    }
    // Another device: read it, tell the owner, and move nothing this time.
    std::shared_ptr<CMouse> mouse = CreateSelectedMouse();
    if (mouse) {
        mouse->ReadAll(config);
        NotifyChange(mouse.get());
    }
    return false;
}

void CMousePicker::DiscardCache()
{
    if (auto mouse = SelectedMouse())
        mouse->DiscardCache();
}

bool CMousePicker::IsBusy()
{
    auto mouse = SelectedMouse();
    return mouse && mouse->IsBusy();
}

bool CMousePicker::ImportMacro(std::u16string_view path, IMouseConfig* config)
{
    auto mouse = SelectedMouse();
    return mouse && mouse->ImportMacro(path, config);
}

bool CMousePicker::ExportMacro(std::u16string_view path, CMacro* macro)
{
    auto mouse = SelectedMouse();
    return mouse && mouse->ExportMacro(path, macro);
}

bool CMousePicker::HasDeviceMacro(CMacro* macro)
{
    auto mouse = SelectedMouse();
    return mouse && mouse->HasDeviceMacro(macro);
}

bool CMousePicker::ImportProfile(std::u16string_view path, IMouseConfig* config)
{
    auto mouse = SelectedMouse();
    return mouse && mouse->ImportProfile(path, config);
}

bool CMousePicker::ExportProfile(std::u16string_view path, IMouseProfile* profile)
{
    auto mouse = SelectedMouse();
    return mouse && mouse->ExportProfile(path, profile);
}

bool CMousePicker::HasDeviceProfile(IMouseProfile* profile)
{
    auto mouse = SelectedMouse();
    return mouse && mouse->HasDeviceProfile(profile);
}

bool CMousePicker::IsPresent()
{
    auto mouse = SelectedMouse();
    return mouse && mouse->IsPresent();
}

bool CMousePicker::GetFirmwareVersion(std::u16string& text)
{
    auto mouse = SelectedMouse();
    return mouse && mouse->GetFirmwareVersion(text);
}

bool CMousePicker::GetDeviceVersion(std::u16string& text)
{
    auto mouse = SelectedMouse();
    return mouse && mouse->GetDeviceVersion(text);
}

bool CMousePicker::QueryState()
{
    auto mouse = SelectedMouse();
    return mouse && mouse->QueryState();
}

bool CMousePicker::Probe(int argument)
{
    auto mouse = SelectedMouse();
    return mouse && mouse->Probe(argument);
}

int CMousePicker::GetProductId()
{
    auto mouse = SelectedMouse();
    return mouse ? mouse->GetProductId() : 0;
}

std::u16string CMousePicker::GetDisplayName()
{
    auto mouse = SelectedMouse();
    return mouse ? mouse->GetDisplayName() : std::u16string();
}

int CMousePicker::GetDeviceProfileCount()
{
    auto mouse = SelectedMouse();
    return mouse ? mouse->GetDeviceProfileCount() : 0;
}

void CMousePicker::AddProgressListener(HWND window)
{
    std::shared_ptr<CMouse> mouse;
    {
        std::lock_guard lock(mutex_);
        if (window && std::find(listeners_.begin(), listeners_.end(), window) == listeners_.end())
            listeners_.push_back(window);
        if (selected_ >= 0)
            mouse = entries_[size_t(selected_)].mouse;
    }
    if (mouse)
        mouse->AddProgressListener(window);
}

void CMousePicker::RemoveProgressListener(HWND window)
{
    std::shared_ptr<CMouse> mouse;
    {
        std::lock_guard lock(mutex_);
        auto it = std::find(listeners_.begin(), listeners_.end(), window);
        if (it != listeners_.end())
            listeners_.erase(it);
        if (selected_ >= 0)
            mouse = entries_[size_t(selected_)].mouse;
    }
    if (mouse)
        mouse->RemoveProgressListener(window);
}

CProgressMessenger* CMousePicker::GetProgressMessenger()
{
    auto mouse = SelectedMouse();
    return mouse ? mouse->GetProgressMessenger() : nullptr;
}

std::optional<bool> CMousePicker::LastWriteResult() const
{
    auto mouse = SelectedMouse();
    return mouse ? mouse->LastWriteResult() : std::nullopt;
}
