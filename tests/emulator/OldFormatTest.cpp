// SPDX-License-Identifier: GPL-3.0-or-later
// Device images and profile files written before the stage record kept the stages
// in use and the separate-axes flags still load: every stage counts as in use, and
// a stage is separate where its axes differ. Whatever is saved again is the current
// version, which keeps both.
#include "emulator/ImageCodec.h"
#include "emulator/Products.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>

namespace {

std::string Sample(const std::string& name)
{
    const char* source = std::getenv("ZT_SOURCE_DIR");
    std::ifstream in(std::string(source ? source : ".") + "/tests/emulator/samples/" + name, std::ios::binary);
    EXPECT_TRUE(in) << name;
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void ExpectOldStageRules(const emulator::ProfileImage& profile)
{
    ASSERT_EQ(profile.stages.size(), 3u);
    EXPECT_EQ(profile.stagesInUse, 3u);
    EXPECT_EQ(profile.separateStages, StageBit(2));
}

TEST(OldFormats, AVersionOneDeviceImageLoadsAndSavesAsTheCurrentVersion)
{
    std::string error;
    const auto image = emulator::DecodeImage(Sample("device-image-v1.json"), error);
    ASSERT_TRUE(image) << error;
    ASSERT_EQ(image->profiles.size(), 1u);
    ExpectOldStageRules(image->profiles.front());
    EXPECT_EQ(image->macros.size(), 1u);

    emulator::DeviceImage changed = *image;
    changed.profiles.front().stagesInUse = 2;
    changed.profiles.front().separateStages = StageBit(1);
    const std::string saved = emulator::EncodeImage(changed);
    EXPECT_NE(saved.find("\"version\": " + std::to_string(emulator::kFileFormatVersion)), std::string::npos);
    const auto again = emulator::DecodeImage(saved, error);
    ASSERT_TRUE(again) << error;
    EXPECT_EQ(again->profiles.front().stagesInUse, 2u);
    EXPECT_EQ(again->profiles.front().separateStages, StageBit(1));
}

TEST(OldFormats, AVersionOneProfileFileImports)
{
    std::string error;
    const auto profile = emulator::DecodeProfileFile(Sample("profile-v1.zmp"), *emulator::FindProduct(0x0031), error);
    ASSERT_TRUE(profile) << error;
    ExpectOldStageRules(*profile);
}

TEST(OldFormats, TheNewFieldsAreCheckedAndUnknownVersionsRefused)
{
    const std::string current = emulator::EncodeImage(emulator::FactoryImage(*emulator::FindProduct(0x0031)));
    struct Case {
        const char* what;
        std::string from, to;
    };
    const Case cases[] = {
        {"no stage in use", "\"stagesInUse\": 5", "\"stagesInUse\": 0"},
        {"more in use than stages", "\"stagesInUse\": 5", "\"stagesInUse\": 6"},
        {"a separate stage that does not exist", "\"separateStages\": 0", "\"separateStages\": 32"},
        {"a later version", "\"version\": 2", "\"version\": 3"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::string text = current;
        const size_t at = text.find(c.from);
        ASSERT_NE(at, std::string::npos);
        text.replace(at, c.from.size(), c.to);
        std::string error;
        EXPECT_FALSE(emulator::DecodeImage(text, error));
        EXPECT_FALSE(error.empty());
    }
}

} // namespace
