// SPDX-License-Identifier: GPL-3.0-or-later
// Random but valid configurations, built through the configuration interface as the
// pages would, written to the emulated mouse and read back by a fresh device object
// into a fresh configuration: every value the device stores must come back. With a
// failure injected at a random call, nothing may be lost: a second write reaches the
// same device state.
//
// ZEMKO_TOVIK_ROUNDTRIP_CASES sets the number of cases of each test (default 60;
// each case of the first test writes two rounds of edits);
// ZEMKO_TOVIK_ROUNDTRIP_SEED runs that one case. A failing case prints its seed.
#include "DeviceFixture.h"

#include "device/ButtonRecordCodec.h"
#include "device/DeviceDescriptor.h"
#include "device/DeviceValues.h"
#include "device/MacroEventBlock.h"
#include "device/Mouse.h"
#include "device/MouseSupport.h"
#include "device/server/DeviceServer.h"
#include "emulator/Products.h"
#include "settings/IMouseProfile.h"
#include "settings/Macro.h"

#include <cstdlib>
#include <cstring>
#include <random>

namespace {

constexpr uint32_t kProduct = 0x0031;
using Rng = std::mt19937_64;

uint32_t Pick(Rng& rng, uint32_t low, uint32_t high)
{
    return std::uniform_int_distribution<uint32_t>(low, high)(rng);
}

bool Chance(Rng& rng, double p)
{
    return std::bernoulli_distribution(p)(rng);
}

uint64_t EnvironmentNumber(const char* name, uint64_t fallback)
{
    const char* text = std::getenv(name);
    return text && *text ? std::strtoull(text, nullptr, 10) : fallback;
}

// Builds random edits. Names carry a running number, kept by the caller across
// rounds, so that they never clash.
class ConfigEditor {
public:
    ConfigEditor(IMouseConfig& config, Rng& rng, unsigned& serial) : config_(config), rng_(rng), serial_(serial) {}

    void Edit()
    {
        EditMacros();
        EditProfileList();
        for (size_t i = 0; i < config_.GetProfileCount(); ++i) {
            if (Chance(rng_, 0.7))
                EditProfile(config_.GetProfile(i));
        }
        config_.SetCurrentProfile(config_.GetProfile(Pick(rng_, 0, uint32_t(config_.GetProfileCount() - 1))));
        EditDeviceValues();
    }

private:
    std::u16string Name(std::u16string_view prefix, size_t maxLength)
    {
        std::u16string name(prefix);
        name += u'-';
        for (char c : std::to_string(++serial_))
            name.push_back(char16_t(c));
        // Letters in both cases, and now and then one outside ASCII.
        const size_t extra = Pick(rng_, 0, uint32_t(maxLength - name.size()));
        for (size_t i = 0; i < extra; ++i)
            name.push_back(Chance(rng_, 0.05)
                               ? u'\u00E9'
                               : char16_t(Chance(rng_, 0.5) ? u'a' + Pick(rng_, 0, 25) : u'A' + Pick(rng_, 0, 25)));
        return name;
    }

    std::vector<MacroEvent> Events()
    {
        // Mostly short; now and then exactly at the device's limit.
        const uint32_t count = Chance(rng_, 0.03) ? kMaxMacroEvents : Pick(rng_, 0, 24);
        std::vector<MacroEvent> events;
        for (uint32_t i = 0; i < count; ++i) {
            switch (Pick(rng_, 0, 2)) {
            case 0:
                events.push_back(
                    MacroEvent::Keystroke(uint16_t(Pick(rng_, 1, 0x58)), 0, Chance(rng_, 0.5), Chance(rng_, 0.2)));
                break;
            case 1:
                events.push_back(MacroEvent::MouseButton(Pick(rng_, 1, 5), Chance(rng_, 0.5)));
                break;
            default:
                events.push_back(MacroEvent::Delay(Pick(rng_, 0, 5000)));
                break;
            }
        }
        return events;
    }

    void EditMacros()
    {
        for (size_t i = config_.GetMacroCount(); i-- > 0;) {
            if (Chance(rng_, 0.2))
                config_.DeleteMacro(config_.GetMacro(i));
        }
        for (size_t i = 0; i < config_.GetMacroCount(); ++i) {
            CMacro* macro = config_.GetMacro(i);
            if (Chance(rng_, 0.2))
                macro->SetName(Name(u"Renamed", 40));
            if (Chance(rng_, 0.3))
                macro->SetEvents(Events());
        }
        for (uint32_t n = Pick(rng_, 0, 3); n > 0 && config_.GetMacroCount() < kMaxDeviceMacros; --n) {
            CMacro* macro = config_.CreateMacro(Name(u"Macro", Chance(rng_, 0.05) ? CMacro::kMaxNameLength : 30));
            ASSERT_NE(macro, nullptr);
            macro->SetEvents(Events());
        }
    }

    void EditProfileList()
    {
        if (config_.GetProfileCount() > 1 && Chance(rng_, 0.3))
            config_.DeleteProfile(config_.GetProfile(Pick(rng_, 0, uint32_t(config_.GetProfileCount() - 1))));
        if (Chance(rng_, 0.3)) {
            IMouseProfile* profile = config_.GetProfile(Pick(rng_, 0, uint32_t(config_.GetProfileCount() - 1)));
            ASSERT_NE(config_.RenameProfile(profile, Name(u"Renamed", 60).c_str()), nullptr);
        }
        if (config_.GetProfileCount() < kMaxDeviceProfiles && Chance(rng_, 0.4)) {
            IMouseProfile* source = config_.GetProfile(Pick(rng_, 0, uint32_t(config_.GetProfileCount() - 1)));
            ASSERT_NE(config_.CopyProfileAs(source, Name(u"Copy", 60).c_str()), nullptr);
        }
        if (config_.GetProfileCount() < kMaxDeviceProfiles && Chance(rng_, 0.4)) {
            ASSERT_NE(config_.CreateProfile(Name(u"New", kMaxProfileNameLength)), nullptr);
        }
    }

    uint32_t Dpi() { return Pick(rng_, 1, 64) * 100; }

    AssignmentRecord Assignment(int32_t kind)
    {
        AssignmentRecord record = AssignmentRecord::OfKind(kind);
        switch (kind) {
        case AssignmentKind::SingleKey: {
            static constexpr uint32_t kModifiers[] = {0, 2, 4, 8, 6, 14};
            const uint32_t virtualKey = Chance(rng_, 0.1) ? 19 : Pick(rng_, 1, 254);
            record.WriteWord(0, Pick(rng_, 1, 0x58) | virtualKey << 16);
            record.WriteWord(1, kModifiers[Pick(rng_, 0, 5)]);
            break;
        }
        case AssignmentKind::MacroById:
            if (config_.GetMacroCount() == 0)
                return AssignmentRecord::OfKind(AssignmentKind::Click);
            return MakeMacroAssignment(*config_.GetMacro(Pick(rng_, 0, uint32_t(config_.GetMacroCount() - 1))),
                                       int32_t(Pick(rng_, 1, 4)), uint8_t(Pick(rng_, 0, 255)));
        case AssignmentKind::ProfileById: {
            IMouseProfile* target = config_.GetProfile(Pick(rng_, 0, uint32_t(config_.GetProfileCount() - 1)));
            if (target->GetGuid().IsNull())
                return AssignmentRecord::OfKind(AssignmentKind::ProfileUp);
            return MakeProfileAssignment(target->GetName(), target->GetGuid());
        }
        case AssignmentKind::TemporarySensitivity: {
            const bool separate = Chance(rng_, 0.5);
            const uint32_t x = Dpi();
            const uint32_t y = separate ? Dpi() : x;
            record.WriteWord(0, x);
            record.WriteWord(1, x);
            record.WriteWord(2, y);
            record.WriteWord(3, x != y ? 1 : 0);
            break;
        }
        default:
            break;
        }
        return record;
    }

    void EditProfile(IMouseProfile* profile)
    {
        if (Chance(rng_, 0.5)) {
            const uint32_t count = Pick(rng_, 1, kMaxSensitivityStages);
            profile->SetStageCount(count);
            for (uint32_t n = 1; n <= count; ++n) {
                const bool separate = Chance(rng_, 0.4);
                profile->SetStageSeparate(n, separate);
                if (separate) {
                    // Equal axes now and then: still a separate stage.
                    const uint32_t x = Dpi();
                    profile->SetStageX(n, x);
                    profile->SetStageY(n, Chance(rng_, 0.3) ? x : Dpi());
                } else {
                    profile->SetStageDpi(n, Dpi());
                }
            }
            profile->SetStagesInUse(Pick(rng_, 1, count));
            profile->SelectStage(int(Pick(rng_, 1, count)));
        }
        if (Chance(rng_, 0.5)) {
            const bool separate = Chance(rng_, 0.5);
            profile->SetCurrentSeparate(separate);
            profile->SetCurrentDpi(Dpi());
            profile->SetCurrentX(Dpi());
            profile->SetCurrentY(Dpi());
        }
        for (uint32_t bit = 1; bit <= emulator::kButtonMask; bit <<= 1) {
            if (!(bit & emulator::kButtonMask) || !Chance(rng_, 0.4))
                continue;
            const tMouseButton button = ButtonOfBit(bit);
            std::vector<int32_t> kinds;
            profile->GetAllowedKinds(kinds, button);
            if (kinds.empty())
                continue;
            profile->SetButtonAssignment(button, Assignment(kinds[Pick(rng_, 0, uint32_t(kinds.size() - 1))]));
        }
        for (uint32_t number : emulator::FindProduct(kProduct)->lights) {
            if (!Chance(rng_, 0.5))
                continue;
            const auto led = static_cast<tLEDType>(LedKeyFromLightNumber(number));
            profile->SetLedState(led, Chance(rng_, 0.5));
            profile->SetLedColour(led, Chance(rng_, 0.3) ? 0 : Pick(rng_, 0, 0xFFFFFF));
            profile->SetLedBrightness(led, Chance(rng_, 0.3) ? 0 : Pick(rng_, 0, 100));
            profile->SetLedEffect(led, static_cast<tLEDEffect>(Pick(rng_, 0, 5)));
        }
        if (Chance(rng_, 0.4)) {
            std::u16string path;
            if (Chance(rng_, 0.8))
                path = u"/opt/" + Name(u"game", IMouseProfile::kMaxLinkedProgramPathLength - 5);
            ASSERT_TRUE(profile->SetLinkedProgramPath(path));
            profile->SetAutoSwitch(Chance(rng_, 0.5));
        }
        if (Chance(rng_, 0.3)) {
            profile->SetDpiOsd(Chance(rng_, 0.5));
            profile->SetProfileOsd(Chance(rng_, 0.5));
        }
    }

    void EditDeviceValues()
    {
        if (Chance(rng_, 0.5)) {
            config_.SetBatteryWarningLevel(Pick(rng_, 0, 100));
            config_.SetReducedBrightness(Pick(rng_, 0, 255));
            config_.SetIdleTimeBeforeSleep(Pick(rng_, 1, 3600));
        }
        if (Chance(rng_, 0.5)) {
            config_.SetPollingRate(static_cast<tPollingRate>(Pick(rng_, 0, 2)));
            config_.SetAccelerationLevel(Pick(rng_, 1, 10));
            config_.SetAccelerationOn(Chance(rng_, 0.5));
        }
        if (Chance(rng_, 0.5)) {
            config_.SetSurfaceCalibration(Chance(rng_, 0.5));
            config_.SetAutomaticLiftOff(Chance(rng_, 0.5));
            config_.SetLiftOffRange(Pick(rng_, 0, 100));
        }
    }

    IMouseConfig& config_;
    Rng& rng_;
    unsigned& serial_;
};

// The record the device holds for an assignment: a macro named rather than
// identified is sent with the identity of the macro of that name.
ButtonRecord DeviceRecordOf(AssignmentRecord assignment, IMouseConfig& config)
{
    if (assignment.kind == AssignmentKind::MacroByName) {
        const CMacro* macro = config.FindMacroByName(assignment.ReadName());
        std::memset(assignment.payload.data(), 0, AssignmentRecord::kPlayModeOffset);
        if (macro)
            assignment.WriteGuid(macro->GetGuid());
    }
    return MakeButtonRecord(assignment);
}

// Everything the device stores, as `written` holds it, compared with `read`.
void ExpectDeviceHolds(IMouseConfig& written, IMouseConfig& read)
{
    ASSERT_EQ(read.GetProfileCount(), written.GetProfileCount());
    for (size_t i = 0; i < written.GetProfileCount(); ++i) {
        IMouseProfile* w = written.GetProfile(i);
        SCOPED_TRACE("profile " + std::to_string(i));
        IMouseProfile* r = read.FindProfileByGuid(w->GetGuid());
        ASSERT_NE(r, nullptr);
        EXPECT_TRUE(r->GetName() == w->GetName());
        EXPECT_TRUE(r->GetLinkedProgramPath() == w->GetLinkedProgramPath());
        EXPECT_EQ(r->GetAutoSwitch(), w->GetAutoSwitch() && !w->GetLinkedProgramPath().empty());
        EXPECT_EQ(r->GetDpiOsd(), w->GetDpiOsd());
        EXPECT_EQ(r->GetProfileOsd(), w->GetProfileOsd());

        ASSERT_EQ(r->GetStageCount(), w->GetStageCount());
        EXPECT_EQ(r->GetStagesInUse(), w->GetStagesInUse());
        EXPECT_EQ(r->GetSelectedStage(), w->GetSelectedStage());
        for (unsigned n = 1; n <= w->GetStageCount(); ++n) {
            SCOPED_TRACE("stage " + std::to_string(n));
            ASSERT_EQ(r->GetStageSeparate(n), w->GetStageSeparate(n));
            if (w->GetStageSeparate(n)) {
                EXPECT_EQ(r->GetStageX(n), w->GetStageX(n));
                EXPECT_EQ(r->GetStageY(n), w->GetStageY(n));
            } else {
                EXPECT_EQ(r->GetStageDpi(n), w->GetStageDpi(n));
            }
        }
        const bool separate = w->GetCurrentSeparate();
        EXPECT_EQ(r->GetCurrentX(), separate ? w->GetCurrentX() : w->GetCurrentDpi());
        EXPECT_EQ(r->GetCurrentY(), separate ? w->GetCurrentY() : w->GetCurrentDpi());

        for (uint32_t bit = 1; bit <= emulator::kButtonMask; bit <<= 1) {
            if (!(bit & emulator::kButtonMask))
                continue;
            SCOPED_TRACE("button bit " + std::to_string(bit));
            const ButtonRecord expected = DeviceRecordOf(w->GetButtonAssignment(ButtonOfBit(bit)), written);
            const ButtonRecord actual = DeviceRecordOf(r->GetButtonAssignment(ButtonOfBit(bit)), read);
            EXPECT_EQ(std::memcmp(expected.bytes, actual.bytes, kButtonRecordSize), 0);
        }
        for (uint32_t number : emulator::FindProduct(kProduct)->lights) {
            SCOPED_TRACE("light " + std::to_string(number));
            const auto led = static_cast<tLEDType>(LedKeyFromLightNumber(number));
            EXPECT_EQ(r->GetLedState(led), w->GetLedState(led));
            EXPECT_EQ(r->GetLedColour(led), w->GetLedColour(led));
            EXPECT_EQ(r->GetLedBrightness(led), w->GetLedBrightness(led));
            EXPECT_EQ(EffectToDevice(r->GetLedEffect(led)), EffectToDevice(w->GetLedEffect(led)));
        }
    }
    ASSERT_NE(written.GetCurrentProfile(), nullptr);
    ASSERT_NE(read.GetCurrentProfile(), nullptr);
    EXPECT_EQ(read.GetCurrentProfile()->GetGuid(), written.GetCurrentProfile()->GetGuid());

    ASSERT_EQ(read.GetMacroCount(), written.GetMacroCount());
    for (size_t i = 0; i < written.GetMacroCount(); ++i) {
        const CMacro* w = written.GetMacro(i);
        const CMacro* r = read.FindMacroByGuid(w->GetGuid());
        SCOPED_TRACE("macro " + std::to_string(i));
        ASSERT_NE(r, nullptr);
        EXPECT_TRUE(r->GetName() == w->GetName());
        EXPECT_EQ(BuildMacroEventBlock(r->GetEvents()), BuildMacroEventBlock(w->GetEvents()));
    }

    EXPECT_EQ(read.GetBatteryWarningLevel(), written.GetBatteryWarningLevel());
    EXPECT_EQ(read.GetReducedBrightness(), written.GetReducedBrightness());
    EXPECT_EQ(read.GetIdleTimeBeforeSleep(), written.GetIdleTimeBeforeSleep());
    EXPECT_EQ(read.GetPollingRate(), written.GetPollingRate());
    EXPECT_EQ(read.GetAccelerationLevel(), written.GetAccelerationLevel());
    EXPECT_EQ(read.GetAccelerationOn(), written.GetAccelerationOn());
    EXPECT_EQ(read.GetSurfaceCalibration(), written.GetSurfaceCalibration());
    EXPECT_EQ(read.GetAutomaticLiftOff(), written.GetAutomaticLiftOff());
    EXPECT_EQ(read.GetLiftOffRange(), written.GetLiftOffRange());
}

class RoundTripPropertyTest : public DeviceTest {
protected:
    void SetUp() override
    {
        DeviceTest::SetUp();
        Plug(kProduct);
        factory_ = Image(kProduct);
    }

    // The device back in the state every case starts from.
    void ResetDevice() { Store(factory_); }

    static std::unique_ptr<CMouse> Read(CTovikEliteConfig& config)
    {
        auto mouse = std::make_unique<CMouse>(*FindSupportedDevice(kProduct));
        EXPECT_TRUE(mouse->ReadAll(&config));
        EXPECT_TRUE(mouse->Transfer(&config, TransferMode::Read, TransferFlags::All));
        return mouse;
    }

    static bool Write(CMouse& mouse, IMouseConfig& config)
    {
        if (!mouse.Transfer(&config, TransferMode::Write, TransferFlags::All))
            return false;
        EXPECT_TRUE(Eventually([&] { return !mouse.IsBusy(); }));
        return mouse.LastWriteResult().value_or(false);
    }

    // A fresh device object and configuration must find what `config` holds.
    static void ExpectReadBack(IMouseConfig& config)
    {
        CTovikEliteConfig fresh;
        Read(fresh);
        ExpectDeviceHolds(config, fresh);
    }

    // Rounds of edits, each written and, when asked, read back. Returns the calls
    // the first write made.
    uint64_t RunCase(uint64_t seed, int rounds, bool readBack)
    {
        ResetDevice();
        Rng rng(seed);
        unsigned serial = 0;
        CTovikEliteConfig config;
        std::unique_ptr<CMouse> mouse = Read(config);
        uint64_t calls = 0;
        for (int round = 0; round < rounds && !HasFatalFailure(); ++round) {
            SCOPED_TRACE("round " + std::to_string(round));
            ConfigEditor(config, rng, serial).Edit();
            const uint64_t before = emulator::FaultInjection::TotalCalls();
            EXPECT_TRUE(Write(*mouse, config));
            if (round == 0)
                calls = emulator::FaultInjection::TotalCalls() - before;
            EXPECT_FALSE(config.IsAnyModified());
            if (readBack)
                ExpectReadBack(config);
        }
        return calls;
    }

    // The first round of the same case with the `failAt`-th call failing.
    void RunFailingCase(uint64_t seed, uint64_t failAt)
    {
        ResetDevice();
        Rng rng(seed);
        unsigned serial = 0;
        CTovikEliteConfig config;
        std::unique_ptr<CMouse> mouse = Read(config);
        ConfigEditor(config, rng, serial).Edit();
        emulator::FaultInjection::FailNthCall(failAt);
        const bool first = Write(*mouse, config);
        emulator::FaultInjection::FailNthCall(0);
        if (first) {
            // Only a call the write retries may fail without failing it, and then
            // everything must have arrived.
            ExpectReadBack(config);
            return;
        }
        EXPECT_TRUE(Write(*mouse, config));
        EXPECT_FALSE(config.IsAnyModified());
        ExpectReadBack(config);
    }

    emulator::DeviceImage factory_;
};

TEST_F(RoundTripPropertyTest, EveryStoredValueSurvivesAWriteAndAFreshRead)
{
    const uint64_t only = EnvironmentNumber("ZEMKO_TOVIK_ROUNDTRIP_SEED", 0);
    const uint64_t cases = only ? 1 : EnvironmentNumber("ZEMKO_TOVIK_ROUNDTRIP_CASES", 60);
    for (uint64_t i = 0; i < cases && !HasFailure(); ++i) {
        const uint64_t seed = only ? only : 1000 + i;
        SCOPED_TRACE("ZEMKO_TOVIK_ROUNDTRIP_SEED=" + std::to_string(seed));
        RunCase(seed, 2, true);
    }
}

TEST_F(RoundTripPropertyTest, AFailedWriteLosesNothingAndASecondWriteFinishesIt)
{
    const uint64_t only = EnvironmentNumber("ZEMKO_TOVIK_ROUNDTRIP_SEED", 0);
    const uint64_t cases = only ? 1 : EnvironmentNumber("ZEMKO_TOVIK_ROUNDTRIP_CASES", 60);
    for (uint64_t i = 0; i < cases && !HasFailure(); ++i) {
        const uint64_t seed = only ? only : 5000 + i;
        SCOPED_TRACE("ZEMKO_TOVIK_ROUNDTRIP_SEED=" + std::to_string(seed));
        // The same edits written once without a fault: how many calls the write makes.
        const uint64_t calls = RunCase(seed, 1, false);
        if (HasFailure() || calls == 0)
            break;
        Rng pick(seed * 7919);
        const uint64_t failAt = std::uniform_int_distribution<uint64_t>(1, calls)(pick);
        SCOPED_TRACE("failing call " + std::to_string(failAt) + " of " + std::to_string(calls));
        RunFailingCase(seed, failAt);
    }
}

} // namespace
