// SPDX-License-Identifier: GPL-3.0-or-later
// The server is called from several threads at once (user interface, device
// worker, battery reader); no change may be lost and no call may see half an image.
#include "EmulatorFixture.h"

#include "platform/com/ComObject.h"

#include <atomic>
#include <fcntl.h>
#include <sys/file.h>
#include <thread>
#include <unistd.h>
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
    // Stays advised throughout: shows when the watcher has seen each change.
    auto witness = ComPtr<CountingSink>::Attach(MakeComObject<CountingSink>());
    uint32_t witnessCookie = 0;
    ASSERT_EQ(source->Advise(witness.Get(), &witnessCookie), S_OK);
    std::atomic<bool> done{false};
    std::atomic<bool> missed{false};
    std::thread plugger([&] {
        for (int i = 0; i < 6; ++i) {
            std::string error;
            directory().Plug(0x0032, error);
            missed = missed || !Eventually([&] { return witness->calls == 2 * i + 1; });
            directory().Unplug(0x0032, error);
            missed = missed || !Eventually([&] { return witness->calls == 2 * i + 2; });
        }
        done = true;
    });
    while (!done) {
        uint32_t cookie = 0;
        ASSERT_EQ(source->Advise(sink.Get(), &cookie), S_OK);
        std::this_thread::yield();
        ASSERT_EQ(source->Unadvise(cookie), S_OK);
    }
    plugger.join();
    EXPECT_FALSE(missed.load()) << "the watcher missed a change";
    const int after = sink->calls;
    Plug(0x0032);
    ASSERT_TRUE(Eventually([&] { return witness->calls == 13; }));
    EXPECT_EQ(sink->calls, after) << "no call after the last Unadvise";
    source->Unadvise(witnessCookie);
}

TEST_F(Concurrency, AHolderThatNeverLetsGoMakesCallsBusyNotWaitForEver)
{
    setenv("ZEMKO_TOVIK_EMU_BUSY_WAIT_MS", "100", 1);
    ComPtr<IDeviceObject> device = Device(0x0031);
    unsetenv("ZEMKO_TOVIK_EMU_BUSY_WAIT_MS");
    ASSERT_TRUE(device);
    // Another program took the device and stopped (Ctrl+Z, a debugger).
    const int holder = ::open(directory().LockPath(0x0031).c_str(), O_RDWR | O_CLOEXEC);
    ASSERT_GE(holder, 0);
    ASSERT_EQ(::flock(holder, LOCK_EX | LOCK_NB), 0);
    uint32_t ms = 0;
    EXPECT_EQ(As<IDeviceReportInterval>(device)->GetReportInterval(&ms), E_DEVICE_BUSY);
    EXPECT_EQ(As<IDeviceReportInterval>(device)->SetReportInterval(4), E_DEVICE_BUSY);
    ::close(holder);
    ASSERT_EQ(As<IDeviceReportInterval>(device)->GetReportInterval(&ms), S_OK);
    EXPECT_EQ(ms, 2u) << "the refused change left nothing";
}

} // namespace
