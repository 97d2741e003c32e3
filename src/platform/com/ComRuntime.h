// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Activation and task memory of the COM-style layer.
//
// Classes are registered in one process-wide, thread-safe table of class
// factories; `CoCreateInstance` looks the class up and asks its factory for the
// requested interface. There are no apartments: `CoInitializeEx` and
// `CoUninitialize` only keep a per-thread count (so callers written for the
// original platform keep their pairing), and activation works on any thread.
#include "platform/com/Unknown.h"

#include <cstddef>
#include <functional>
#include <string_view>

// Activation contexts; the device server is asked for with 23 (all four).
constexpr uint32_t CLSCTX_INPROC_SERVER = 0x1;
constexpr uint32_t CLSCTX_INPROC_HANDLER = 0x2;
constexpr uint32_t CLSCTX_LOCAL_SERVER = 0x4;
constexpr uint32_t CLSCTX_REMOTE_SERVER = 0x10;
constexpr uint32_t CLSCTX_ALL =
    CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER | CLSCTX_LOCAL_SERVER | CLSCTX_REMOTE_SERVER;

constexpr uint32_t COINIT_MULTITHREADED = 0x0;
constexpr uint32_t COINIT_APARTMENTTHREADED = 0x2;

// Creates an object of the class and returns the interface `iid` of it in *out
// (an owned reference), or a failure code and a null *out.
using ClassFactoryFunction = std::function<HRESULT(const IID& iid, void** out)>;

// Registers (or replaces) the factory of a class. Returns false for a null
// class id or an empty factory.
bool CoRegisterClassFactory(const CLSID& clsid, ClassFactoryFunction factory);
// Removes a class; returns whether it was registered.
bool CoRevokeClassFactory(const CLSID& clsid);

// REGDB_E_CLASSNOTREG for an unknown class, CLASS_E_NOAGGREGATION when `outer`
// is given, E_INVALIDARG when `context` names no known context, E_POINTER for a
// null `out`; otherwise what the factory answers.
HRESULT CoCreateInstance(const CLSID& clsid, IUnknown* outer, uint32_t context, const IID& iid, void** out);

// Typed convenience: `CoCreateInstance(clsid, context, ptr.Put())`.
template <typename Interface>
HRESULT CoCreateInstance(const CLSID& clsid, uint32_t context, Interface** out)
{
    return CoCreateInstance(clsid, nullptr, context, IidOf<Interface>(), reinterpret_cast<void**>(out));
}

// S_OK for the first call on a thread, S_FALSE for nested calls.
HRESULT CoInitializeEx(void* reserved, uint32_t flags);
// Undoes one CoInitializeEx of the calling thread; extra calls are ignored.
void CoUninitialize();
// How many CoInitializeEx calls of this thread are not yet undone.
int CoInitializeCount();

// CoInitializeEx for the lifetime of a scope, for work on a thread of its own.
class CComThreadScope {
public:
    explicit CComThreadScope(uint32_t flags = COINIT_MULTITHREADED) { CoInitializeEx(nullptr, flags); }
    ~CComThreadScope() { CoUninitialize(); }
    CComThreadScope(const CComThreadScope&) = delete;
    CComThreadScope& operator=(const CComThreadScope&) = delete;
};

// Memory handed across the interface (strings, arrays); the receiver frees it
// with CoTaskMemFree. CoTaskMemAlloc(0) returns a valid, distinct block.
void* CoTaskMemAlloc(size_t bytes);
void CoTaskMemFree(void* block);

// A zero-terminated UTF-16 copy in task memory, or null when out of memory.
char16_t* CoTaskMemDupString(std::u16string_view text);
