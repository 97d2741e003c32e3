// SPDX-License-Identifier: GPL-3.0-or-later
// Plugging and unplugging, by this process or another, as a running server sees it.
#include "EmulatorFixture.h"

#include "platform/com/ComObject.h"

#include <atomic>
#include <mutex>
#include <vector>

namespace {

class RecordingSink final : public ComObject<IDeviceChangeSink> {
public:
    HRESULT OnDeviceChange(uint32_t event, const char16_t* path) override
    {
        std::lock_guard lock(mutex_);
        events_.emplace_back(event, path);
        return S_OK;
    }
    std::vector<std::pair<uint32_t, std::u16string>> Events()
    {
        std::lock_guard lock(mutex_);
        return events_;
    }

private:
    std::mutex mutex_;
    std::vector<std::pair<uint32_t, std::u16string>> events_;
};

class Attachment : public EmulatorTest {};

TEST_F(Attachment, EnumerationFollowsTheDirectoryInProductOrder)
{
    ComPtr<IDeviceEnumerator> enumerator = Enumerator();
    Plug(0x001B);
    Plug(0x0032);
    uint32_t count = 0;
    ASSERT_EQ(enumerator->GetDeviceCount(&count), S_OK);
    EXPECT_EQ(count, 3u);
    std::vector<uint32_t> products;
    for (uint32_t i = 0; i < count; ++i) {
        ComPtr<IDeviceObject> device;
        ASSERT_EQ(enumerator->GetDevice(i, device.Put()), S_OK);
        DeviceInfo info;
        ASSERT_EQ(device->GetDeviceInfo(&info), S_OK);
        CoTaskMemFree(info.devicePath);
        products.push_back(info.productId);
    }
    EXPECT_EQ(products, (std::vector<uint32_t>{0x0031, 0x0032, 0x001B}));

    Unplug(0x0031);
    ASSERT_EQ(enumerator->GetDeviceCount(&count), S_OK);
    EXPECT_EQ(count, 2u);
}

TEST_F(Attachment, AnUnpluggedDevicesObjectsFailEvenAfterReplugging)
{
    ComPtr<IDeviceObject> device = Device(0x0031);
    ComPtr<IDeviceProfile> profile = ActiveProfile(device);
    auto battery = As<IDeviceBattery>(device);
    Unplug(0x0031);
    uint32_t level = 1;
    EXPECT_EQ(battery->GetLevel(&level), E_DEVICE_NOT_CONNECTED);
    EXPECT_EQ(level, 0u) << "a failed level read leaves 0";
    EXPECT_EQ(profile->SetName(u"x"), E_DEVICE_NOT_CONNECTED);
    Plug(0x0031);
    EXPECT_EQ(battery->GetLevel(&level), E_DEVICE_NOT_CONNECTED) << "a new attachment needs a new enumeration";
    ASSERT_EQ(As<IDeviceBattery>(Device(0x0031))->GetLevel(&level), S_OK);
    EXPECT_EQ(level, 200u) << "unplugging keeps the memory";
}

TEST_F(Attachment, ExistingDirectoryWithNothingAttachedStaysEmpty)
{
    std::filesystem::create_directories(devicePath());
    uint32_t count = 9;
    ASSERT_EQ(Enumerator()->GetDeviceCount(&count), S_OK);
    EXPECT_EQ(count, 0u);
}

TEST_F(Attachment, SinksHearOfArrivalAndRemovalUntilUnadvised)
{
    ComPtr<IDeviceChangeSource> source;
    ASSERT_EQ(Enumerator().As(source), S_OK);
    auto* sink = MakeComObject<RecordingSink>();
    ComPtr<RecordingSink> owner = ComPtr<RecordingSink>::Attach(sink);
    uint32_t cookie = 0;
    ASSERT_EQ(source->Advise(sink, &cookie), S_OK);

    Plug(0x0032);
    ASSERT_TRUE(Eventually([&] { return sink->Events().size() == 1; }));
    Unplug(0x0031);
    ASSERT_TRUE(Eventually([&] { return sink->Events().size() == 2; }));
    const auto events = sink->Events();
    EXPECT_EQ(events[0].first, kDeviceArrived);
    EXPECT_NE(events[0].second.find(u"VID_2E7A&PID_0032"), std::u16string::npos);
    EXPECT_EQ(events[1].first, kDeviceRemoved);
    EXPECT_NE(events[1].second.find(u"PID_0031"), std::u16string::npos);

    ASSERT_EQ(source->Unadvise(cookie), S_OK);
    EXPECT_EQ(source->Unadvise(cookie), E_INVALIDARG);
    // A sink still listening shows when the watcher has seen the next change.
    auto witness = ComPtr<RecordingSink>::Attach(MakeComObject<RecordingSink>());
    uint32_t witnessCookie = 0;
    ASSERT_EQ(source->Advise(witness.Get(), &witnessCookie), S_OK);
    Unplug(0x0032);
    ASSERT_TRUE(Eventually([&] { return witness->Events().size() == 1; }));
    EXPECT_EQ(sink->Events().size(), 2u);
    source->Unadvise(witnessCookie);
}

TEST_F(Attachment, UnplugByFaultInjectionIsReportedToo)
{
    ComPtr<IDeviceEnumerator> enumerator = Enumerator();
    ComPtr<IDeviceChangeSource> source;
    ASSERT_EQ(enumerator.As(source), S_OK);
    auto sink = ComPtr<RecordingSink>::Attach(MakeComObject<RecordingSink>());
    uint32_t cookie = 0;
    ASSERT_EQ(source->Advise(sink.Get(), &cookie), S_OK);
    auto interval = As<IDeviceReportInterval>(Device(0x0031));
    emulator::FaultInjection::UnplugAfterCalls(0);
    EXPECT_EQ(interval->SetReportInterval(8), E_DEVICE_NOT_CONNECTED);
    ASSERT_TRUE(Eventually([&] { return !sink->Events().empty(); }));
    EXPECT_EQ(sink->Events()[0].first, kDeviceRemoved);
    source->Unadvise(cookie);
}

// A sink that stops listening from inside its own callback while another
// thread unadvises a second sink (and so waits for the delivery round to end)
// must not hang either thread.
class SelfRemovingSink final : public ComObject<IDeviceChangeSink> {
public:
    explicit SelfRemovingSink(IDeviceChangeSource* source) : source_(source) {}
    HRESULT OnDeviceChange(uint32_t, const char16_t*) override
    {
        if (inCallback_.exchange(true))
            return S_OK;
        // Unadvise once the test thread is on its way into its own Unadvise.
        while (!otherUnadvising_.load())
            std::this_thread::yield();
        result_ = source_->Unadvise(cookie_);
        return S_OK;
    }
    uint32_t cookie_ = 0;
    std::atomic<bool> inCallback_{false};
    std::atomic<bool> otherUnadvising_{false};
    std::atomic<HRESULT> result_{E_UNEXPECTED};

private:
    IDeviceChangeSource* source_;
};

TEST_F(Attachment, ASinkMayUnadviseFromItsCallbackWhileAnotherThreadUnadvises)
{
    ComPtr<IDeviceChangeSource> source;
    ASSERT_EQ(Enumerator().As(source), S_OK);
    auto self = ComPtr<SelfRemovingSink>::Attach(MakeComObject<SelfRemovingSink>(source.Get()));
    auto other = ComPtr<RecordingSink>::Attach(MakeComObject<RecordingSink>());
    ASSERT_EQ(source->Advise(self.Get(), &self->cookie_), S_OK);
    uint32_t otherCookie = 0;
    ASSERT_EQ(source->Advise(other.Get(), &otherCookie), S_OK);
    Plug(0x0032);
    ASSERT_TRUE(Eventually([&] { return self->inCallback_.load(); }));
    self->otherUnadvising_.store(true);
    EXPECT_EQ(source->Unadvise(otherCookie), S_OK);
    ASSERT_TRUE(Eventually([&] { return self->result_.load() == S_OK; }));
    EXPECT_EQ(source->Unadvise(self->cookie_), E_INVALIDARG);
}

TEST_F(Attachment, ReleasingTheSourceStopsItsWatcher)
{
    auto sink = ComPtr<RecordingSink>::Attach(MakeComObject<RecordingSink>());
    {
        ComPtr<IDeviceChangeSource> source;
        ASSERT_EQ(Enumerator().As(source), S_OK);
        uint32_t cookie = 0;
        ASSERT_EQ(source->Advise(sink.Get(), &cookie), S_OK);
    }
    ComPtr<IDeviceChangeSource> later;
    ASSERT_EQ(Enumerator().As(later), S_OK);
    auto witness = ComPtr<RecordingSink>::Attach(MakeComObject<RecordingSink>());
    uint32_t cookie = 0;
    ASSERT_EQ(later->Advise(witness.Get(), &cookie), S_OK);
    Plug(0x0032);
    ASSERT_TRUE(Eventually([&] { return witness->Events().size() == 1; }));
    EXPECT_TRUE(sink->Events().empty());
    later->Unadvise(cookie);
}

// Changes arrive as they happen: a plug, unplug and replug in quick succession
// each reach the sink, in order, also from a directory created after the watch.
TEST_F(Attachment, QuickChangesEachArriveInOrder)
{
    ComPtr<IDeviceChangeSource> source;
    ASSERT_EQ(Enumerator().As(source), S_OK);
    auto sink = ComPtr<RecordingSink>::Attach(MakeComObject<RecordingSink>());
    uint32_t cookie = 0;
    ASSERT_EQ(source->Advise(sink.Get(), &cookie), S_OK);
    const std::vector<uint32_t> expected = {kDeviceArrived, kDeviceRemoved, kDeviceArrived};
    Plug(0x0032);
    ASSERT_TRUE(Eventually([&] { return sink->Events().size() == 1; }));
    Unplug(0x0032);
    ASSERT_TRUE(Eventually([&] { return sink->Events().size() == 2; }));
    Plug(0x0032);
    ASSERT_TRUE(Eventually([&] { return sink->Events().size() == 3; }));
    std::vector<uint32_t> kinds;
    for (const auto& event : sink->Events())
        kinds.push_back(event.first);
    EXPECT_EQ(kinds, expected);
    source->Unadvise(cookie);
}

} // namespace
