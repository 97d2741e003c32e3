// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/com/ComRuntime.h"

#include <cstdlib>
#include <cstring>
#include <map>
#include <mutex>
#include <shared_mutex>

namespace {

struct ClassTable {
    std::shared_mutex mutex;
    std::map<CLSID, ClassFactoryFunction> factories;
};

ClassTable& Classes()
{
    static ClassTable table;
    return table;
}

thread_local int initializeCount = 0;

} // namespace

bool CoRegisterClassFactory(const CLSID& clsid, ClassFactoryFunction factory)
{
    if (clsid.IsNull() || !factory)
        return false;
    ClassTable& table = Classes();
    std::unique_lock lock(table.mutex);
    table.factories[clsid] = std::move(factory);
    return true;
}

bool CoRevokeClassFactory(const CLSID& clsid)
{
    ClassTable& table = Classes();
    std::unique_lock lock(table.mutex);
    return table.factories.erase(clsid) != 0;
}

HRESULT CoCreateInstance(const CLSID& clsid, IUnknown* outer, uint32_t context, const IID& iid, void** out)
{
    if (!out)
        return E_POINTER;
    *out = nullptr;
    if (outer)
        return CLASS_E_NOAGGREGATION;
    if ((context & CLSCTX_ALL) == 0)
        return E_INVALIDARG;
    ClassFactoryFunction factory;
    {
        ClassTable& table = Classes();
        std::shared_lock lock(table.mutex);
        const auto found = table.factories.find(clsid);
        if (found == table.factories.end())
            return REGDB_E_CLASSNOTREG;
        factory = found->second; // called outside the lock: a factory may register classes itself
    }
    const HRESULT hr = factory(iid, out);
    if (FAILED(hr))
        *out = nullptr;
    else if (!*out)
        return E_UNEXPECTED;
    return hr;
}

HRESULT CoInitializeEx(void*, uint32_t)
{
    return initializeCount++ == 0 ? S_OK : S_FALSE;
}

void CoUninitialize()
{
    if (initializeCount > 0)
        --initializeCount;
}

int CoInitializeCount()
{
    return initializeCount;
}

void* CoTaskMemAlloc(size_t bytes)
{
    return std::malloc(bytes == 0 ? 1 : bytes);
}

void CoTaskMemFree(void* block)
{
    std::free(block);
}

char16_t* CoTaskMemDupString(std::u16string_view text)
{
    auto* copy = static_cast<char16_t*>(CoTaskMemAlloc((text.size() + 1) * sizeof(char16_t)));
    if (!copy)
        return nullptr;
    if (!text.empty())
        std::memcpy(copy, text.data(), text.size() * sizeof(char16_t));
    copy[text.size()] = u'\0';
    return copy;
}
