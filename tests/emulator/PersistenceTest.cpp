// SPDX-License-Identifier: GPL-3.0-or-later
// The device's memory outlives the server, survives a crash mid-store and is
// never silently replaced when damaged.
#include "EmulatorFixture.h"

#include "emulator/ImageCodec.h"

#include <fstream>
#include <sys/wait.h>
#include <unistd.h>

namespace {

class Persistence : public EmulatorTest {
protected:
    std::vector<std::string> Temporaries() const
    {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(devicePath()))
            if (entry.path().filename().string().find(".tmp.") != std::string::npos)
                names.push_back(entry.path().filename().string());
        return names;
    }
};

TEST_F(Persistence, ChangesReachANewServerInstance)
{
    GUID id;
    {
        ComPtr<IDeviceObject> device = Device(0x0031);
        ComPtr<IDeviceProfile> profile;
        ASSERT_EQ(As<IDeviceProfileCollection>(device)->CreateProfile(profile.Put()), S_OK);
        ASSERT_EQ(profile->SetName(u"Sniper"), S_OK);
        ASSERT_EQ(profile->GetId(&id), S_OK);
        ComPtr<IDeviceSensitivity> sensitivity;
        ASSERT_EQ(profile.As(sensitivity), S_OK);
        const uint32_t pairs[] = {400, 400, 800, 1600};
        ASSERT_EQ(sensitivity->SetStages(2, 2, 0, pairs), S_OK);
        ASSERT_EQ(As<IDeviceProfileCollection>(device)->ActivateProfile(profile.Get()), S_OK);
        ASSERT_EQ(As<IDeviceAcceleration>(device)->SetValue(9), S_OK);
    }
    emulator::UnregisterEmulatedDeviceServer();
    emulator::RegisterEmulatedDeviceServer();

    ComPtr<IDeviceObject> device = Device(0x0031);
    ComPtr<IDeviceProfile> active = ActiveProfile(device);
    GUID activeId;
    ASSERT_EQ(active->GetId(&activeId), S_OK);
    EXPECT_EQ(activeId, id);
    char16_t* name = nullptr;
    ASSERT_EQ(active->GetName(&name), S_OK);
    EXPECT_EQ(Take(name), u"Sniper");
    ComPtr<IDeviceSensitivity> sensitivity;
    ASSERT_EQ(active.As(sensitivity), S_OK);
    SensitivityStages stages;
    ASSERT_EQ(sensitivity->GetStages(&stages), S_OK);
    EXPECT_EQ(stages.count, 2u);
    EXPECT_EQ(stages.stages[1].y, 1600u);
    uint32_t level = 0;
    ASSERT_EQ(As<IDeviceAcceleration>(device)->GetValue(&level), S_OK);
    EXPECT_EQ(level, 9u);
}

TEST_F(Persistence, ACrashBeforeTheRenameLeavesTheOldImage)
{
    ComPtr<IDeviceObject> device = Device(0x0031);
    auto interval = As<IDeviceReportInterval>(device);
    ASSERT_EQ(interval->SetReportInterval(8), S_OK);
    const std::string before = ReadText(directory().ImagePath(0x0031));

    StopNextWriteBeforeRename();
    EXPECT_EQ(interval->SetReportInterval(1), E_WRITE_FAULT);
    EXPECT_EQ(ReadText(directory().ImagePath(0x0031)), before) << "the image file is untouched";

    // The stray temporary file of the "crash" does not disturb a new server.
    EXPECT_EQ(Temporaries().size(), 1u);
    emulator::UnregisterEmulatedDeviceServer();
    emulator::RegisterEmulatedDeviceServer();
    uint32_t ms = 0;
    ASSERT_EQ(As<IDeviceReportInterval>(Device(0x0031))->GetReportInterval(&ms), S_OK);
    EXPECT_EQ(ms, 8u);
}

TEST_F(Persistence, TemporaryFilesOfDeadWritersAreClearedAndNoOthers)
{
    // A process that has ended: its id names no process any more.
    const pid_t gone = fork();
    ASSERT_GE(gone, 0);
    if (gone == 0)
        _exit(0);
    ASSERT_EQ(waitpid(gone, nullptr, 0), gone);
    ASSERT_NE(Device(0x0031).Get(), nullptr); // the directory is made on first use
    const std::string image = directory().ImagePath(0x0031).filename().string();
    const std::string dead = image + ".tmp." + std::to_string(gone) + ".3";
    const std::string alive = image + ".tmp." + std::to_string(getppid()) + ".1"; // our parent runs
    const std::string deadAttachment = "0032.attached.tmp." + std::to_string(gone) + ".0";
    const std::string pid = std::to_string(gone);
    // Only the exact names our own stores write through are litter: anything else
    // a dead process left (or a user keeps) there stays, whatever it is called.
    const std::vector<std::string> kept = {alive,
                                           image + ".tmp.x.1",
                                           image + ".tmp." + pid,
                                           "notes.tmp." + pid + ".2b",
                                           "holiday.jpg.tmp." + pid + ".4",
                                           "0031.lock.tmp." + pid + ".1",
                                           "0099.device.tmp." + pid + ".1",
                                           "x" + image + ".tmp." + pid + ".1",
                                           image + ".tmp.0" + pid + ".1",
                                           image + ".tmp." + pid + ".01",
                                           image + ".tmp.+" + pid + ".1",
                                           image + ".tmp." + pid + ".1.bak"};
    for (const std::string& name : kept)
        std::ofstream(devicePath() / name) << "x";
    std::ofstream(devicePath() / dead) << "half an image";
    std::ofstream(devicePath() / deadAttachment) << "half a token";
    // A directory and a link by a valid name are not files we wrote either.
    const std::string dirName = image + ".tmp." + pid + ".7";
    const std::string linkName = image + ".tmp." + pid + ".8";
    std::filesystem::create_directory(devicePath() / dirName);
    std::filesystem::create_symlink(devicePath() / kept[3], devicePath() / linkName);
    ASSERT_EQ(Temporaries().size(), kept.size() + 4);

    emulator::UnregisterEmulatedDeviceServer();
    emulator::RegisterEmulatedDeviceServer();
    ComPtr<IDeviceObject> device = Device(0x0031);
    ASSERT_NE(device.Get(), nullptr);
    EXPECT_FALSE(std::filesystem::exists(devicePath() / dead));
    EXPECT_FALSE(std::filesystem::exists(devicePath() / deadAttachment));
    EXPECT_TRUE(std::filesystem::is_directory(devicePath() / dirName));
    EXPECT_TRUE(std::filesystem::is_symlink(devicePath() / linkName));
    for (const std::string& name : kept) {
        SCOPED_TRACE(name);
        EXPECT_TRUE(std::filesystem::exists(devicePath() / name));
    }
}

TEST_F(Persistence, ADamagedImageFailsEveryCallAndStaysAsItIs)
{
    ComPtr<IDeviceObject> device = Device(0x0031);
    const auto imagePath = directory().ImagePath(0x0031);
    std::string damaged = ReadText(imagePath);
    damaged.resize(damaged.size() / 3);
    {
        std::ofstream out(imagePath, std::ios::binary | std::ios::trunc);
        out << damaged;
    }
    uint32_t ms = 0;
    EXPECT_EQ(As<IDeviceReportInterval>(device)->GetReportInterval(&ms), E_FILE_CORRUPT);
    EXPECT_EQ(As<IDeviceReportInterval>(device)->SetReportInterval(8), E_FILE_CORRUPT);
    ComPtr<IDeviceProfile> profile;
    EXPECT_EQ(As<IDeviceProfileCollection>(device)->CreateProfile(profile.Put()), E_FILE_CORRUPT);
    EXPECT_EQ(ReadText(imagePath), damaged) << "a damaged image is never reset behind the user's back";

    // Still listed (it is attached), but it cannot say what it is.
    ComPtr<IDeviceObject> again;
    ASSERT_EQ(Enumerator()->GetDevice(0, again.Put()), S_OK);
    DeviceInfo info;
    EXPECT_EQ(again->GetDeviceInfo(&info), E_FILE_CORRUPT);
}

TEST_F(Persistence, AnImageThatBreaksTheDeviceRulesIsDamaged)
{
    Device(0x0031);
    emulator::DeviceImage image = emulator::FactoryImage(*emulator::FindProduct(0x0031));
    image.profiles.front().stages[0] = {50, 50}; // below the sensor's range
    const auto path = directory().ImagePath(0x0031);
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out << emulator::EncodeImage(image);
    }
    std::string error;
    EXPECT_FALSE(directory().LoadImage(0x0031, error));
    EXPECT_NE(error.find("sensitivity 50"), std::string::npos) << error;
    EXPECT_FALSE(directory().SaveImage(image, error)) << "nothing invalid is ever stored";
}

} // namespace
