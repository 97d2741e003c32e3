// SPDX-License-Identifier: GPL-3.0-or-later
// Device calls reuse the decoded image while its file is unchanged, and never
// answer from a stale or damaged one when another writer has touched the file.
#include "EmulatorFixture.h"

#include "emulator/ImageCache.h"
#include "emulator/ImageCodec.h"

#include <fstream>

namespace {

class ImageCacheTest : public EmulatorTest {
protected:
    void SetUp() override
    {
        EmulatorTest::SetUp();
        Plug(0x0031);
    }

    uint64_t Decodes() const { return emulator::ImageCache::Instance().Decodes(); }

    uint32_t AccelerationSeenByServer()
    {
        ComPtr<IDeviceObject> device = Device(0x0031);
        uint32_t level = 0;
        EXPECT_EQ(As<IDeviceAcceleration>(device)->GetValue(&level), S_OK);
        return level;
    }

    void WriteFileInPlace(const std::string& text)
    {
        std::ofstream file(directory().ImagePath(0x0031), std::ios::binary | std::ios::trunc);
        file << text;
    }
};

TEST_F(ImageCacheTest, AnUnchangedImageIsDecodedOnce)
{
    ComPtr<IDeviceObject> device = Device(0x0031);
    uint32_t level = 0;
    ASSERT_EQ(As<IDeviceAcceleration>(device)->GetValue(&level), S_OK);
    const uint64_t before = Decodes();
    for (int i = 0; i < 5; ++i)
        ASSERT_EQ(As<IDeviceAcceleration>(device)->GetValue(&level), S_OK);
    EXPECT_EQ(Decodes(), before);
}

TEST_F(ImageCacheTest, EveryKindOfOutsideChangeIsSeenByTheNextCall)
{
    struct Case {
        const char* how;
        std::function<void(uint32_t level)> change;
    };
    const std::vector<Case> cases = {
        // What the command-line tool and a second program do: an atomic replacement.
        {"replaced atomically",
         [&](uint32_t level) { ChangeImage(0x0031, [&](auto& image) { image.accelerationLevel = level; }); }},
        // An editor writing over the file: same inode, and here the same length too.
        {"rewritten in place",
         [&](uint32_t level) {
             emulator::DeviceImage image = Image(0x0031);
             image.accelerationLevel = level;
             WriteFileInPlace(emulator::EncodeImage(image));
         }},
    };
    uint32_t level = 3;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.how);
        for (int round = 0; round < 3; ++round) {
            ASSERT_NE(AccelerationSeenByServer(), 0u); // warms the cache
            level = level == 3 ? 4 : 3;                // one digit: the file keeps its size
            c.change(level);
            EXPECT_EQ(AccelerationSeenByServer(), level);
        }
    }
}

TEST_F(ImageCacheTest, ADamagedOrMissingFileFailsInsteadOfAnsweringFromTheCache)
{
    ASSERT_NE(AccelerationSeenByServer(), 0u);
    const std::string good = emulator::EncodeImage(Image(0x0031));
    ComPtr<IDeviceObject> device = Device(0x0031);
    uint32_t level = 0;

    WriteFileInPlace(good.substr(0, good.size() / 2));
    EXPECT_EQ(As<IDeviceAcceleration>(device)->GetValue(&level), E_FILE_CORRUPT);

    WriteFileInPlace(good);
    EXPECT_EQ(As<IDeviceAcceleration>(device)->GetValue(&level), S_OK);

    std::filesystem::remove(directory().ImagePath(0x0031));
    EXPECT_NE(As<IDeviceAcceleration>(device)->GetValue(&level), S_OK);
}

TEST_F(ImageCacheTest, AnArmedDamagedReadFailsEvenWhenTheImageIsCached)
{
    ComPtr<IDeviceObject> device = Device(0x0031);
    uint32_t level = 0;
    ASSERT_EQ(As<IDeviceAcceleration>(device)->GetValue(&level), S_OK);
    emulator::FaultInjection::CorruptNextImageRead();
    EXPECT_EQ(As<IDeviceAcceleration>(device)->GetValue(&level), E_FILE_CORRUPT);
    EXPECT_EQ(As<IDeviceAcceleration>(device)->GetValue(&level), S_OK);
}

TEST_F(ImageCacheTest, ADeviceDirectoryRecreatedUnderTheSameNameIsReadAfresh)
{
    ASSERT_NE(AccelerationSeenByServer(), 0u);
    emulator::DeviceImage image = Image(0x0031);
    image.accelerationLevel = 7;
    std::filesystem::remove_all(devicePath());
    Plug(0x0031);
    Store(image);
    EXPECT_EQ(AccelerationSeenByServer(), 7u);
}

} // namespace
