// SPDX-License-Identifier: GPL-3.0-or-later
// Settings a user makes survive a write and a fresh read, and a write that could
// not send everything says so and keeps what it could not send.
#include "DeviceFixture.h"

#include "device/ButtonRecordCodec.h"
#include "device/DeviceDescriptor.h"
#include "device/Mouse.h"
#include "device/MouseSupport.h"
#include "device/server/DeviceServer.h"
#include "emulator/ImageCodec.h"
#include "settings/IMouseProfile.h"
#include "settings/Macro.h"

#include <cstring>
#include <fstream>

namespace {

constexpr uint32_t kProduct = 0x0031;

class NothingLostTest : public DeviceTest {
protected:
    void SetUp() override
    {
        DeviceTest::SetUp();
        Plug(kProduct);
    }

    // A device object and configuration that have read the device.
    void ReadInto(CTovikEliteConfig& config, std::unique_ptr<CMouse>& mouse)
    {
        mouse = std::make_unique<CMouse>(*FindSupportedDevice(kProduct));
        ASSERT_TRUE(mouse->ReadAll(&config));
        ASSERT_TRUE(mouse->Transfer(&config, TransferMode::Read, TransferFlags::All));
    }
    void Start() { ReadInto(config_, mouse_); }

    bool Write()
    {
        if (!mouse_->Transfer(&config_, TransferMode::Write, TransferFlags::All))
            return false;
        EXPECT_TRUE(Eventually([&] { return !mouse_->IsBusy(); }));
        return mouse_->LastWriteResult().value_or(false);
    }

    // What a fresh program start reads.
    std::unique_ptr<CTovikEliteConfig> Reread()
    {
        auto config = std::make_unique<CTovikEliteConfig>();
        std::unique_ptr<CMouse> mouse;
        ReadInto(*config, mouse);
        return config;
    }

    std::vector<std::u16string> DeviceProfileNames()
    {
        std::vector<std::u16string> names;
        for (const auto& profile : Image(kProduct).profiles)
            names.push_back(profile.name);
        return names;
    }

    IMouseProfile* First() { return config_.GetProfile(0); }

    std::unique_ptr<CMouse> mouse_;
    CTovikEliteConfig config_;
};

TEST_F(NothingLostTest, StagesInUseAndSeparateAxesComeBackAsSet)
{
    Start();
    IMouseProfile* profile = First();
    profile->SetStageCount(5);
    for (unsigned n = 1; n <= 5; ++n)
        profile->SetStageDpi(n, 400 * n);
    profile->SetStagesInUse(3);
    // Separate axes that happen to be equal are still separate.
    profile->SetStageSeparate(2, true);
    profile->SetStageX(2, 1600);
    profile->SetStageY(2, 1600);
    profile->SetStageSeparate(4, true);
    profile->SetStageX(4, 1200);
    profile->SetStageY(4, 2400);
    ASSERT_TRUE(Write());

    auto fresh = Reread();
    IMouseProfile* read = fresh->FindProfileByGuid(profile->GetGuid());
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(read->GetStageCount(), 5u);
    EXPECT_EQ(read->GetStagesInUse(), 3u);
    const bool separate[] = {false, true, false, true, false};
    for (unsigned n = 1; n <= 5; ++n) {
        SCOPED_TRACE(n);
        EXPECT_EQ(read->GetStageSeparate(n), separate[n - 1]);
    }
    EXPECT_EQ(read->GetStageX(2), 1600u);
    EXPECT_EQ(read->GetStageY(4), 2400u);
}

TEST_F(NothingLostTest, DeletedProfilesLeaveTheDeviceAndMakeRoomForNewOnes)
{
    // A full device: the user deletes two profiles and creates two.
    emulator::DeviceImage image = Image(kProduct);
    for (int i = 1; image.profiles.size() < kMaxDeviceProfiles; ++i) {
        emulator::ProfileImage extra = image.profiles.front();
        extra.id = GUID::Generate();
        extra.name = u"Stored " + std::u16string(1, char16_t(u'0' + i));
        image.profiles.push_back(extra);
    }
    Store(image);
    Start();
    const std::u16string kept = config_.GetProfile(0)->GetName();
    config_.DeleteProfile(config_.GetProfile(4));
    config_.DeleteProfile(config_.GetProfile(1));
    config_.CreateProfile(u"Fresh A");
    config_.CreateProfile(u"Fresh B");
    EXPECT_TRUE(config_.IsAnyModified());
    ASSERT_TRUE(Write());

    const std::vector<std::u16string> names = DeviceProfileNames();
    ASSERT_EQ(names.size(), 5u);
    EXPECT_EQ(std::count(names.begin(), names.end(), u"Fresh A"), 1);
    EXPECT_EQ(std::count(names.begin(), names.end(), u"Fresh B"), 1);
    EXPECT_EQ(std::count(names.begin(), names.end(), kept), 1);
    EXPECT_TRUE(config_.GetDeletedProfileIds().empty());
    EXPECT_EQ(Reread()->GetProfileCount(), 5u);
}

TEST_F(NothingLostTest, ReplacingTheOnlyProfileKeepsTheDeviceNeverEmpty)
{
    Start();
    ASSERT_EQ(config_.GetProfileCount(), 1u);
    config_.DeleteProfile(First());
    config_.SetCurrentProfile(config_.CreateProfile(u"Only"));
    ASSERT_TRUE(Write());
    EXPECT_EQ(DeviceProfileNames(), std::vector<std::u16string>{u"Only"});
}

TEST_F(NothingLostTest, AProfileTheProgramNeverKnewIsNotDeleted)
{
    Start();
    // Another program adds a profile after this one read the device.
    emulator::DeviceImage image = Image(kProduct);
    emulator::ProfileImage other = image.profiles.front();
    other.id = GUID::Generate();
    other.name = u"Elsewhere";
    image.profiles.push_back(other);
    Store(image);
    First()->SetDpiOsd(!First()->GetDpiOsd());
    ASSERT_TRUE(Write());
    EXPECT_EQ(DeviceProfileNames().size(), 2u);
}

TEST_F(NothingLostTest, ItemsLeftNamelessByAnUnplugAreNeverShownAndTheNextWriteSettlesThem)
{
    // What an unplug between creating an item on the device and naming it leaves.
    emulator::DeviceImage image = Image(kProduct);
    emulator::ProfileImage leftover = image.profiles.front();
    leftover.id = GUID::Generate();
    leftover.name.clear();
    image.profiles.push_back(leftover);
    image.macros.push_back({GUID::Generate(), u"", {}});
    image.macros.push_back({GUID::Generate(), u"Reload", {{kMacroEventDelay, 0, 0, 20}}});
    Store(image);
    Start();
    ASSERT_EQ(config_.GetProfileCount(), 1u) << "no nameless row";
    EXPECT_EQ(First()->GetName(), image.profiles.front().name);
    ASSERT_EQ(config_.GetMacroCount(), 1u);
    EXPECT_EQ(config_.GetMacro(0)->GetName(), u"Reload");
    First()->SetDpiOsd(!First()->GetDpiOsd());
    ASSERT_TRUE(Write());
    const emulator::DeviceImage after = Image(kProduct);
    ASSERT_EQ(after.profiles.size(), 1u);
    EXPECT_EQ(after.profiles[0].name, image.profiles.front().name);
    ASSERT_EQ(after.macros.size(), 1u);
    EXPECT_EQ(after.macros[0].name, u"Reload");

    // When the nameless one is all the device has (and so active), it is named.
    emulator::DeviceImage only = Image(kProduct);
    only.profiles[0].name.clear();
    Store(only);
    config_.DeleteAllProfiles();
    config_.DeleteAllMacros();
    Start();
    ASSERT_EQ(config_.GetProfileCount(), 1u);
    EXPECT_EQ(First()->GetName(), u"PROFILE01");
    First()->SetDpiOsd(!First()->GetDpiOsd());
    ASSERT_TRUE(Write());
    EXPECT_EQ(DeviceProfileNames(), std::vector<std::u16string>{u"PROFILE01"});
}

TEST_F(NothingLostTest, CopiesAndRenamesReachTheDeviceWithLightsThatAreOffOrZero)
{
    Start();
    IMouseProfile* source = First();
    // Light 1 off, black, at zero brightness and effect 0: values that look
    // unchanged next to a fresh profile's.
    source->SetLedState(tLEDType(0), false);
    source->SetLedColour(tLEDType(0), 0);
    source->SetLedBrightness(tLEDType(0), 0);
    source->SetLedEffect(tLEDType(0), tLEDEffect(0));
    ASSERT_TRUE(Write());

    struct Case {
        const char* what;
        std::function<IMouseProfile*()> make;
    };
    const Case cases[] = {
        {"copy", [&] { return config_.CopyProfileAs(config_.GetProfile(0), u"Copied"); }},
        {"rename", [&] { return config_.RenameProfile(config_.GetProfile(0), u"Renamed"); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        IMouseProfile* made = c.make();
        ASSERT_NE(made, nullptr);
        ASSERT_TRUE(Write());
        auto fresh = Reread();
        IMouseProfile* read = fresh->FindProfileByGuid(made->GetGuid());
        ASSERT_NE(read, nullptr);
        EXPECT_FALSE(read->GetLedState(tLEDType(0)));
        EXPECT_EQ(read->GetLedColour(tLEDType(0)), 0u);
        EXPECT_EQ(read->GetLedBrightness(tLEDType(0)), 0u);
    }
}

TEST_F(NothingLostTest, AMacroTheDeviceRefusesStaysPendingAndTheWriteSaysSo)
{
    struct Case {
        const char* what;
        std::function<void(emulator::DeviceImage&)> prepareDevice;
        size_t events;
    };
    const Case cases[] = {
        {"over the event limit", [](emulator::DeviceImage&) {}, kMaxMacroEvents + 1},
        {"over the macro limit",
         [](emulator::DeviceImage& image) {
             while (image.macros.size() < kMaxDeviceMacros)
                 image.macros.push_back({GUID::Generate(), u"Stored " + std::u16string(image.macros.size(), u'x'), {}});
         },
         2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        emulator::DeviceImage image = Image(kProduct);
        image.macros.clear();
        c.prepareDevice(image);
        Store(image);
        CTovikEliteConfig config;
        std::unique_ptr<CMouse> mouse;
        ReadInto(config, mouse);
        CMacro* macro = config.CreateMacro(u"Too much");
        ASSERT_NE(macro, nullptr);
        macro->SetEvents(std::vector<MacroEvent>(c.events, MacroEvent::Delay(10)));
        ASSERT_TRUE(mouse->Transfer(&config, TransferMode::Write, TransferFlags::All));
        ASSERT_TRUE(Eventually([&] { return !mouse->IsBusy(); }));
        EXPECT_EQ(mouse->LastWriteResult(), false);
        EXPECT_TRUE(config.IsAnyModified());
        EXPECT_TRUE(config.IsListElementModified(CategoryList::Macros, config.GetMacroCount() - 1));
        EXPECT_EQ(Image(kProduct).macros.size(), image.macros.size());
    }
}

TEST_F(NothingLostTest, MacrosWhoseNamesDifferOnlyInCaseAreBothKept)
{
    emulator::DeviceImage image = Image(kProduct);
    image.macros = {{GUID::Generate(), u"Burst", {}}, {GUID::Generate(), u"BURST", {}}};
    Store(image);
    Start();
    EXPECT_EQ(config_.GetMacroCount(), 2u);
    First()->SetDpiOsd(!First()->GetDpiOsd());
    ASSERT_TRUE(Write());
    EXPECT_EQ(Image(kProduct).macros.size(), 2u);

    // Importing a third of the same name is refused and leaves the device as it was.
    const std::filesystem::path file = temp_ / "burst.zmm";
    std::ofstream(file) << emulator::EncodeMacroFile({GUID::Generate(), u"burst", {}});
    EXPECT_FALSE(mouse_->ImportMacro(file.u16string(), &config_));
    EXPECT_EQ(config_.GetMacroCount(), 2u);
    EXPECT_EQ(Image(kProduct).macros.size(), 2u);
}

TEST_F(NothingLostTest, AProfileImportThatFailsLeavesNothingOnTheDevice)
{
    Start();
    const std::filesystem::path file = temp_ / "profile.zmp";
    ASSERT_TRUE(mouse_->ExportProfile(file.u16string(), First()));
    for (const char* failing : {"Sensitivity.GetStages", "Buttons.Get", "Lighting.GetLight"}) {
        SCOPED_TRACE(failing);
        emulator::FaultInjection::FailOperation(failing);
        EXPECT_FALSE(mouse_->ImportProfile(file.u16string(), &config_));
        emulator::FaultInjection::Reset();
        EXPECT_EQ(config_.GetProfileCount(), 1u);
        EXPECT_EQ(Image(kProduct).profiles.size(), 1u);
        EXPECT_TRUE(config_.GetDeletedProfileIds().empty());
    }
}

TEST_F(NothingLostTest, AMacroAssignedByAnUnknownNameIsNotSentAndTheWriteSaysSo)
{
    Start();
    const ButtonRecord before = Image(kProduct).profiles.front().buttons.at(ButtonBit(4));
    AssignmentRecord assignment = AssignmentRecord::OfKind(AssignmentKind::MacroByName);
    ASSERT_TRUE(assignment.WriteName(u"No such macro"));
    ASSERT_TRUE(First()->SetButtonAssignment(ButtonOfBit(ButtonBit(4)), assignment));
    EXPECT_FALSE(Write());
    EXPECT_TRUE(First()->IsButtonAssignmentModified(false, ButtonOfBit(ButtonBit(4))));
    const ButtonRecord after = Image(kProduct).profiles.front().buttons.at(ButtonBit(4));
    EXPECT_EQ(std::memcmp(before.bytes, after.bytes, kButtonRecordSize), 0);

    // Once a macro of that name exists, the same assignment goes through.
    config_.CreateMacro(u"No such macro");
    ASSERT_TRUE(Write());
    EXPECT_EQ(Reread()->GetProfile(0)->GetButtonAssignment(ButtonOfBit(ButtonBit(4))).kind, AssignmentKind::MacroById);
}

TEST_F(NothingLostTest, AProgramPathTheDeviceCannotKeepIsRefusedAndBlocksNothing)
{
    Start();
    const std::u16string fits = u"/" + std::u16string(IMouseProfile::kMaxLinkedProgramPathLength - 1, u'x');
    const std::u16string tooLong = fits + u"y";
    EXPECT_TRUE(First()->SetLinkedProgramPath(fits));
    EXPECT_FALSE(First()->SetLinkedProgramPath(tooLong));
    EXPECT_FALSE(config_.SetLinkedProgramPath(tooLong));
    EXPECT_TRUE(First()->GetLinkedProgramPath() == fits);
    First()->SetDpiOsd(!First()->GetDpiOsd());
    ASSERT_TRUE(Write());
    EXPECT_TRUE(Reread()->GetProfile(0)->GetLinkedProgramPath() == fits);
}

} // namespace
