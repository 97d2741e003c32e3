// SPDX-License-Identifier: GPL-3.0-or-later
// The server is called from several threads at once (user interface, device
// worker, battery reader); no change may be lost and no call may see half an image.
#include "EmulatorFixture.h"

#include "platform/com/ComObject.h"

#include <atomic>
#include <thread>
#include <vector>

namespace {

class Concurrency : public EmulatorTest {};

TEST_F(Concurrency, ParallelChangesToOneDeviceAreAllKept)
{
    ComPtr<IDeviceObject> device = Device(0x0031);
    auto macros = As<IDeviceMacroCollection>(device);
    std::atomic<int> failures{0};
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([&] {
            for (int i = 0; i < 5; ++i) {
                ComPtr<IDeviceMacro> macro;
                if (FAILED(macros->CreateMacro(macro.Put())) || FAILED(macro->SetName(u"m")))
                    ++failures;
            }
        });
    }
    threads.emplace_back([&] {
        auto battery = As<IDeviceBattery>(device);
        for (int i = 0; i < 20; ++i) {
            uint32_t level = 0;
            if (FAILED(battery->GetLevel(&level)) || level != 200)
                ++failures;
        }
    });
    for (auto& thread : threads)
        thread.join();
    EXPECT_EQ(failures, 0);
    uint32_t count = 0;
    ASSERT_EQ(macros->GetMacroCount(&count), S_OK);
    EXPECT_EQ(count, 20u);
}

TEST_F(Concurrency, AdviseAndUnadviseWhileDevicesComeAndGo)
{
    ComPtr<IDeviceChangeSource> source;
    ASSERT_EQ(Enumerator().As(source), S_OK);
    struct CountingSink final : ComObject<IDeviceChangeSink> {
        std::atomic<int> calls{0};
        HRESULT OnDeviceChange(uint32_t, const char16_t*) override
        {
            ++calls;
            return S_OK;
        }
    };
    auto sink = ComPtr<CountingSink>::Attach(MakeComObject<CountingSink>());
    std::atomic<bool> done{false};
    std::thread plugger([&] {
        for (int i = 0; i < 6; ++i) {
            std::string error;
            directory().Plug(0x0032, error);
            std::this_thread::sleep_for(std::chrono::milliseconds(120));
            directory().Unplug(0x0032, error);
            std::this_thread::sleep_for(std::chrono::milliseconds(120));
        }
        done = true;
    });
    while (!done) {
        uint32_t cookie = 0;
        ASSERT_EQ(source->Advise(sink.Get(), &cookie), S_OK);
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        ASSERT_EQ(source->Unadvise(cookie), S_OK);
    }
    plugger.join();
    const int after = sink->calls;
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    EXPECT_EQ(sink->calls, after) << "no call after the last Unadvise";
}

} // namespace
