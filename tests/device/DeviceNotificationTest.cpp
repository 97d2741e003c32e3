// SPDX-License-Identifier: GPL-3.0-or-later
#include "DeviceFixture.h"

#include "device/DeviceListener.h"
#include "device/DevicePath.h"

TEST(DevicePath, VendorAndProductIds)
{
    EXPECT_EQ(VendorIdFromPath(u"\\\\?\\HID#VID_2E7A&PID_0031#7&1a2b"), 0x2E7Au);
    EXPECT_EQ(ProductIdFromPath(u"\\\\?\\HID#VID_2E7A&PID_0031#7&1a2b"), 0x0031u);
    EXPECT_EQ(ProductIdFromPath(u"\\\\?\\hid#vid_2e7a&pid_001b#x"), 0x001Bu);
    // Fewer than four hexadecimal characters: the ones present.
    EXPECT_EQ(VendorIdFromPath(u"VID_2E"), 0x2Eu);
    EXPECT_EQ(VendorIdFromPath(u"VID_2E#PID_0031"), 0x2Eu);
    // Only four characters are read.
    EXPECT_EQ(ProductIdFromPath(u"PID_003142"), 0x0031u);
    // Absent, or nothing hexadecimal after the marker.
    EXPECT_EQ(ProductIdFromPath(u"\\\\?\\HID#VID_2E7A#x"), 0u);
    EXPECT_EQ(ProductIdFromPath(u"PID_"), 0u);
    EXPECT_EQ(ProductIdFromPath(u"PID_zz12"), 0u);
    EXPECT_EQ(VendorIdFromPath(u""), 0u);
    EXPECT_EQ(VendorIdFromPath(u"VID_\u00e92E7A"), 0u);
    // A sign is not part of an id: it must not wrap into a huge one.
    EXPECT_EQ(VendorIdFromPath(u"HID#VID_-d_2#x"), 0u);
    EXPECT_EQ(ProductIdFromPath(u"PID_-1"), 0u);
    EXPECT_EQ(ProductIdFromPath(u"PID_+31"), 0x31u);

    const std::u16string made = MakeHidDevicePath(0x2E7A, 0x13, u"inst");
    EXPECT_EQ(made, u"\\\\?\\HID#VID_2E7A&PID_0013#inst");
}

TEST(DeviceNotifications, RegistrationRules)
{
    RecordingWindow window;
    DeviceInterfaceFilter filter;
    EXPECT_EQ(RegisterDeviceNotification(nullptr, filter, DEVICE_NOTIFY_WINDOW_HANDLE), 0u);
    EXPECT_EQ(RegisterDeviceNotification(&window, filter, 1), 0u);
    filter.deviceType = 3;
    EXPECT_EQ(RegisterDeviceNotification(&window, filter, DEVICE_NOTIFY_WINDOW_HANDLE), 0u);
    EXPECT_FALSE(UnregisterDeviceNotification(0));
    EXPECT_FALSE(UnregisterDeviceNotification(987654));
}

TEST_F(DeviceTest, RemovalOfAnEmulatedDeviceReachesRegisteredWindows)
{
    Plug(0x0031);
    Plug(0x0032);
    RecordingWindow window;
    RecordingWindow other;
    {
        CDeviceListener listener;
        ASSERT_TRUE(listener.Register(&window));
        ASSERT_TRUE(listener.Register(&other));
        EXPECT_EQ(listener.RegistrationCount(), 2u);

        Unplug(0x0032);
        auto removal = [](const RecordingWindow& w) {
            for (const auto& m : w.Messages())
                if (m.msg == WM_DEVICECHANGE && m.wParam == DBT_DEVICEREMOVECOMPLETE)
                    return true;
            return false;
        };
        ASSERT_TRUE(Eventually([&] { return removal(window) && removal(other); }));
    }
    // Once the listener is gone, nothing more arrives.
    const size_t before = window.Messages().size();
    BroadcastDeviceChange(DBT_DEVICEREMOVECOMPLETE, u"\\\\?\\HID#VID_2E7A&PID_0032#x");
    // The broadcast is only valid during the call, so its path is taken there.
    std::mutex mutex;
    std::vector<std::u16string> paths;
    RecordingWindow pathWindow;
    pathWindow.onMessage = [&](const RecordingWindow::Message& m) {
        if (m.msg == WM_DEVICECHANGE) {
            const auto* broadcast = reinterpret_cast<const DeviceInterfaceBroadcast*>(m.lParam);
            EXPECT_EQ(broadcast->deviceType, DBT_DEVTYP_DEVICEINTERFACE);
            EXPECT_EQ(broadcast->classGuid, GUID_DEVINTERFACE_HID);
            std::lock_guard lock(mutex);
            paths.push_back(broadcast->name);
        }
    };
    {
        CDeviceListener listener;
        ASSERT_TRUE(listener.Register(&pathWindow));
        Unplug(0x0031);
        ASSERT_TRUE(Eventually([&] { return !pathWindow.Messages().empty(); }));
        EXPECT_EQ(window.Messages().size(), before);
        ASSERT_TRUE(Eventually([&] {
            std::lock_guard lock(mutex);
            return !paths.empty();
        }));
    }
    std::lock_guard lock(mutex);
    ASSERT_EQ(paths.size(), 1u);
    EXPECT_EQ(VendorIdFromPath(paths[0]), 0x2E7Au);
    EXPECT_EQ(ProductIdFromPath(paths[0]), 0x0031u);
}
