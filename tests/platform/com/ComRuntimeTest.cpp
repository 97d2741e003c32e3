// SPDX-License-Identifier: GPL-3.0-or-later
// Activation registry, reference counting and task memory of the COM-style layer.
#include "platform/com/ComRuntime.h"
#include "platform/com/ComObject.h"
#include "platform/com/ComPtr.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

namespace {

struct IGreeter : IUnknown {
    static constexpr IID Iid = MakeGuid(0x11111111, 0x2222, 0x3333, {0x44, 0x44, 0x55, 0x55, 0x55, 0x55, 0x55, 0x55});
    virtual HRESULT Greet(int* value) = 0; // slot 3
};

struct ICounter : IUnknown {
    static constexpr IID Iid = MakeGuid(0x11111111, 0x2222, 0x3333, {0x44, 0x44, 0x55, 0x55, 0x55, 0x55, 0x55, 0x56});
    virtual HRESULT Count(int* value) = 0;
};

std::atomic<int> liveObjects{0};

class Greeter final : public ComObject<IGreeter, ICounter> {
public:
    Greeter() { ++liveObjects; }
    ~Greeter() override { --liveObjects; }
    HRESULT Greet(int* value) override
    {
        *value = 42;
        return S_OK;
    }
    HRESULT Count(int* value) override
    {
        *value = 7;
        return S_OK;
    }
};

const CLSID kGreeterClass = MakeGuid(0xABCDEF01, 0x2345, 0x6789, {1, 2, 3, 4, 5, 6, 7, 8});

HRESULT CreateGreeter(const IID& iid, void** out)
{
    Greeter* object = MakeComObject<Greeter>();
    const HRESULT hr = object->QueryInterface(iid, out);
    object->Release();
    return hr;
}

TEST(ComRuntime, ActivatesRegisteredClassesOnly)
{
    ASSERT_TRUE(CoRegisterClassFactory(kGreeterClass, CreateGreeter));
    ComPtr<IGreeter> greeter;
    ASSERT_EQ(CoCreateInstance(kGreeterClass, CLSCTX_ALL, greeter.Put()), S_OK);
    int value = 0;
    ASSERT_EQ(greeter->Greet(&value), S_OK);
    EXPECT_EQ(value, 42);

    ComPtr<ICounter> counter;
    ASSERT_EQ(greeter.As(counter), S_OK);
    ASSERT_EQ(counter->Count(&value), S_OK);
    EXPECT_EQ(value, 7);

    void* out = reinterpret_cast<void*>(1);
    EXPECT_EQ(CoCreateInstance(kGreeterClass, nullptr, 0, IGreeter::Iid, &out), E_INVALIDARG);
    EXPECT_EQ(out, nullptr);
    EXPECT_EQ(CoCreateInstance(kGreeterClass, nullptr, 23, IID{}, &out), E_NOINTERFACE);
    EXPECT_EQ(CoCreateInstance(kGreeterClass, nullptr, 23, IGreeter::Iid, nullptr), E_POINTER);

    EXPECT_TRUE(CoRevokeClassFactory(kGreeterClass));
    EXPECT_FALSE(CoRevokeClassFactory(kGreeterClass));
    EXPECT_EQ(CoCreateInstance(kGreeterClass, CLSCTX_ALL, greeter.Put()), REGDB_E_CLASSNOTREG);
    EXPECT_FALSE(greeter);
    EXPECT_FALSE(CoRegisterClassFactory(GUID_NULL, CreateGreeter));
    EXPECT_FALSE(CoRegisterClassFactory(kGreeterClass, nullptr));
}

TEST(ComRuntime, ObjectsLiveExactlyAsLongAsTheirReferences)
{
    const int before = liveObjects;
    {
        ComPtr<IGreeter> a = ComPtr<IGreeter>::Attach(MakeComObject<Greeter>());
        EXPECT_EQ(liveObjects, before + 1);
        ComPtr<IGreeter> b = a;
        ComPtr<IUnknown> identity;
        ASSERT_EQ(b.As(identity), S_OK);
        ComPtr<IGreeter> moved = std::move(a);
        EXPECT_FALSE(a);
        b.Reset();
        EXPECT_EQ(liveObjects, before + 1);
        IGreeter* raw = moved.Detach();
        EXPECT_EQ(raw->Release(), 1u) << "the IUnknown reference still holds it";
    }
    EXPECT_EQ(liveObjects, before);
}

TEST(ComRuntime, RegistryIsSafeAcrossThreads)
{
    const CLSID a = MakeGuid(0x1, 0, 0, {0, 0, 0, 0, 0, 0, 0, 1});
    std::atomic<int> failures{0};
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([&, t] {
            for (int i = 0; i < 200; ++i) {
                if (t == 0) {
                    CoRegisterClassFactory(a, CreateGreeter);
                    CoRevokeClassFactory(a);
                } else {
                    ComPtr<IGreeter> g;
                    const HRESULT hr = CoCreateInstance(a, CLSCTX_ALL, g.Put());
                    if (hr != S_OK && hr != REGDB_E_CLASSNOTREG)
                        ++failures;
                    if (SUCCEEDED(hr) != bool(g))
                        ++failures;
                }
            }
        });
    }
    for (auto& thread : threads)
        thread.join();
    EXPECT_EQ(failures, 0);
}

TEST(ComRuntime, InitializationIsCountedPerThread)
{
    EXPECT_EQ(CoInitializeEx(nullptr, COINIT_MULTITHREADED), S_OK);
    EXPECT_EQ(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED), S_FALSE);
    std::thread other([] {
        EXPECT_EQ(CoInitializeCount(), 0);
        EXPECT_EQ(CoInitializeEx(nullptr, 0), S_OK);
        CoUninitialize();
    });
    other.join();
    EXPECT_EQ(CoInitializeCount(), 2);
    CoUninitialize();
    CoUninitialize();
    CoUninitialize(); // one too many is ignored
    EXPECT_EQ(CoInitializeCount(), 0);
    EXPECT_EQ(CoInitializeEx(nullptr, 0), S_OK);
    CoUninitialize();
}

TEST(ComRuntime, TaskMemoryStrings)
{
    char16_t* text = CoTaskMemDupString(u"h\u00E9llo");
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(std::u16string(text), u"h\u00E9llo");
    CoTaskMemFree(text);
    char16_t* empty = CoTaskMemDupString(u"");
    ASSERT_NE(empty, nullptr);
    EXPECT_EQ(empty[0], u'\0');
    CoTaskMemFree(empty);
    void* a = CoTaskMemAlloc(0);
    void* b = CoTaskMemAlloc(0);
    EXPECT_NE(a, nullptr);
    EXPECT_NE(a, b);
    CoTaskMemFree(a);
    CoTaskMemFree(b);
    CoTaskMemFree(nullptr);
}

} // namespace
