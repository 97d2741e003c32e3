// SPDX-License-Identifier: GPL-3.0-or-later
// The command-line program end to end: each command run as its own process over
// the emulated mouse, the device memory and a second reader as the oracle.
#include "CtlFixture.h"

#include "device/server/DeviceServer.h"
#include "emulator/Json.h"
#include "platform/com/ComPtr.h"
#include "settings/Macro.h"
#include "support/ChildProcess.h"

#include <functional>

namespace {

using emulator::DeviceImage;

const emulator::ProfileImage& Active(const DeviceImage& image)
{
    for (const auto& profile : image.profiles) {
        if (profile.id == image.activeProfile)
            return profile;
    }
    return image.profiles.front();
}

const emulator::LightImage& Light(const emulator::ProfileImage& profile, uint32_t number)
{
    for (const auto& light : profile.lights) {
        if (light.number == number)
            return light;
    }
    return profile.lights.front();
}

struct SetCase {
    const char* arguments;
    std::function<void(const DeviceImage&, IMouseConfig&)> check;
};

} // namespace

TEST_F(CtlTest, EverySettingTheWindowEditsLandsOnTheDevice)
{
    const SetCase cases[] = {
        {"sensitivity 1600",
         [](const DeviceImage& image, IMouseConfig&) {
             EXPECT_EQ(Active(image).sensitivity.x, 1600u);
             EXPECT_EQ(Active(image).sensitivity.y, 1600u);
         }},
        {"sensitivity 800x1600",
         [](const DeviceImage& image, IMouseConfig&) {
             EXPECT_EQ(Active(image).sensitivity.x, 800u);
             EXPECT_EQ(Active(image).sensitivity.y, 1600u);
         }},
        {"stage.2 2400", [](const DeviceImage& image, IMouseConfig&) { EXPECT_EQ(Active(image).stages[1].x, 2400u); }},
        {"stage.3 400x800",
         [](const DeviceImage& image, IMouseConfig&) {
             EXPECT_EQ(Active(image).stages[2].x, 400u);
             EXPECT_EQ(Active(image).stages[2].y, 800u);
             EXPECT_NE(Active(image).separateStages & 4u, 0u);
         }},
        {"current-stage 4",
         [](const DeviceImage& image, IMouseConfig&) {
             EXPECT_EQ(Active(image).currentStage, 4u);
             EXPECT_EQ(Active(image).sensitivity.x, Active(image).stages[3].x) << "the stage's value becomes current";
         }},
        {"stages-in-use 3", [](const DeviceImage& image, IMouseConfig&) { EXPECT_EQ(Active(image).stagesInUse, 3u); }},
        {"polling-rate 1000", [](const DeviceImage& image, IMouseConfig&) { EXPECT_EQ(image.reportInterval, 1u); }},
        {"polling-rate 125", [](const DeviceImage& image, IMouseConfig&) { EXPECT_EQ(image.reportInterval, 8u); }},
        {"acceleration on", [](const DeviceImage& image, IMouseConfig&) { EXPECT_TRUE(image.accelerationOn); }},
        {"acceleration-level 7",
         [](const DeviceImage& image, IMouseConfig&) { EXPECT_EQ(image.accelerationLevel, 7u); }},
        {"lift-off 10", [](const DeviceImage& image, IMouseConfig&) { EXPECT_EQ(image.liftOff, 10u); }},
        {"lift-off-auto off", [](const DeviceImage&, IMouseConfig& c) { EXPECT_FALSE(c.GetAutomaticLiftOff()); }},
        {"calibration on", [](const DeviceImage& image, IMouseConfig&) { EXPECT_TRUE(image.calibrationOn); }},
        {"reduced-brightness 75", [](const DeviceImage& image, IMouseConfig&) { EXPECT_EQ(image.dimBrightness, 75u); }},
        {"sleep-minutes 5", [](const DeviceImage& image, IMouseConfig&) { EXPECT_EQ(image.sleepTimeout, 300u); }},
        {"battery-warning 20", [](const DeviceImage&, IMouseConfig& c) { EXPECT_EQ(c.GetBatteryWarningLevel(), 20u); }},
        {"light.wheel off", [](const DeviceImage& image, IMouseConfig&) { EXPECT_FALSE(Light(Active(image), 1).on); }},
        {"light.battery off",
         [](const DeviceImage& image, IMouseConfig&) { EXPECT_FALSE(Light(Active(image), 3).on); }},
        {"colour '#12AB34'",
         [](const DeviceImage&, IMouseConfig& c) {
             EXPECT_EQ(c.GetLedColour(LED_SCROLL_WHEEL), 0x12AB34u);
             EXPECT_EQ(c.GetLedEffect(LED_SCROLL_WHEEL), LED_EFFECT_FIXED_COLOUR);
         }},
        {"colour spectrum",
         [](const DeviceImage& image, IMouseConfig&) { EXPECT_EQ(Light(Active(image), 1).effect, 5u); }},
        {"led-brightness 33",
         [](const DeviceImage& image, IMouseConfig&) { EXPECT_EQ(Light(Active(image), 1).brightness, 33u); }},
        {"button.4 key Ctrl+Shift+A",
         [](const DeviceImage&, IMouseConfig& c) {
             const AssignmentRecord r = c.GetButtonAssignment(MOUSE_BUTTON_4);
             EXPECT_EQ(r.kind, AssignmentKind::SingleKey);
             EXPECT_EQ(r.ReadWord(0) & 0xFF, 0x1Eu);
             EXPECT_EQ(r.ReadWord(1) & 0xFF, 4u | 8u) << "Ctrl and Shift";
         }},
        {"button.10 key Page Up",
         [](const DeviceImage&, IMouseConfig& c) {
             const AssignmentRecord r = c.GetButtonAssignment(MOUSE_BUTTON_10);
             EXPECT_EQ(r.ReadWord(0) & 0xFF, 0x49u);
             EXPECT_EQ(r.ReadWord(1) & 1u, 1u) << "an extended key";
         }},
        {"button.5 sensitivity down",
         [](const DeviceImage&, IMouseConfig& c) {
             EXPECT_EQ(c.GetButtonAssignment(MOUSE_BUTTON_5).kind, AssignmentKind::SensitivityStageDown);
         }},
        {"button.11 temporary-sensitivity 400x800",
         [](const DeviceImage&, IMouseConfig& c) {
             const AssignmentRecord r = c.GetButtonAssignment(MOUSE_BUTTON_11);
             EXPECT_EQ(r.kind, AssignmentKind::TemporarySensitivity);
             EXPECT_EQ(r.ReadWord(2), 800u);
         }},
        {"button.13 off",
         [](const DeviceImage&, IMouseConfig& c) {
             EXPECT_EQ(c.GetButtonAssignment(MOUSE_BUTTON_WHEEL_DOWN).kind, AssignmentKind::ButtonOff);
         }},
        {"program /usr/bin/some\\ game",
         [](const DeviceImage& image, IMouseConfig&) { EXPECT_EQ(Active(image).programPath, u"/usr/bin/some game"); }},
        {"auto-switch on", [](const DeviceImage&, IMouseConfig& c) { EXPECT_TRUE(c.GetAutoSwitch()); }},
        {"sensitivity-osd off", [](const DeviceImage&, IMouseConfig& c) { EXPECT_FALSE(c.GetDpiOsd()); }},
    };
    for (const SetCase& c : cases) {
        SCOPED_TRACE(c.arguments);
        const CtlResult r = Ctl(std::string("set ") + c.arguments);
        ASSERT_EQ(r.exitCode, 0) << r.err;
        EXPECT_EQ(r.err, "");
        std::unique_ptr<CTovikEliteConfig> second = ReadBack();
        c.check(Image(0x0031), *second);
    }
    const CtlResult get = Ctl("get button.4");
    EXPECT_EQ(get.exitCode, 0);
    EXPECT_EQ(get.out, "key Ctrl+Shift+A\n");
    const CtlResult json = Ctl("--json get polling-rate");
    EXPECT_NE(json.out.find("\"value\": 125\n"), std::string::npos) << json.out;
}

TEST_F(CtlTest, ARefusedValueWritesNothingAndNamesWhatIsAllowed)
{
    const struct {
        std::string arguments;
        const char* says;
    } cases[] = {
        {"set sensitivity 1650", "100..6400 in steps of 100"},
        {"set sensitivity 99999", "100..6400"},
        {"set sensitivity 800x", "sensitivity"},
        {"set sensitivity -100", "sensitivity"},
        {"set stage.6 800", "no setting \"stage.6\""},
        {"set stages-in-use 0", "1..5"},
        {"set current-stage 6", "1..5"},
        {"set polling-rate 333", "125, 500, 1000"},
        {"set acceleration maybe", "on, off"},
        {"set acceleration-level 11", "1..10"},
        {"set sleep-minutes 0", "1..15"},
        {"set sleep-minutes 16", "1..15"},
        {"set battery-warning 4", "5..25"},
        {"set reduced-brightness 256", "0..255"},
        {"set led-brightness 101", "0..100"},
        {"set colour '#12345'", "#RRGGBB"},
        {"set colour red", "#RRGGBB or spectrum"},
        {"set button.12 key A", "cannot take"},
        {"set button.1 off", "no button of the profile would click"},
        {"set button.4 key Hyper+Q", "no key is named"},
        {"set button.4 macro Nope", "no macro is named \"Nope\""},
        {"set button.4 profile Nope", "no profile is named \"Nope\""},
        {"set button.4 teleport", "is no assignment"},
        {"set button.4 temporary-sensitivity 150", "temporary sensitivity"},
        {"set button.9 click", "no setting"},
        {"set auto-switch on", "no linked program"},
        {"set program /" + std::string(200, 'x'), "127"},
        {"set sensitivity", "usage"},
        {"--profile Nope set sensitivity 800", "no profile is named \"Nope\""},
        {"profile create ''", "1..127"},
        {"profile create profile01", "already"},
        {"profile delete PROFILE01", "first profile"},
        {"profile rename PROFILE01 Profile01", "already"},
        {"macro delete Nope", "no macro"},
        {"frobnicate", "no command"},
        {"--wait 9999 show", "0..600"},
    };
    const std::string before = MemoryBytes();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments);
        const CtlResult r = Ctl(c.arguments);
        EXPECT_EQ(r.exitCode, 2) << r.err;
        EXPECT_NE(r.err.find(c.says), std::string::npos) << r.err;
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(MemoryBytes(), before);
    }
}

TEST_F(CtlTest, WithoutAMouseCommandsExitThree)
{
    Unplug(0x0031);
    for (const char* arguments : {"list", "show", "get sensitivity", "set sensitivity 800", "profile list", "dump"}) {
        SCOPED_TRACE(arguments);
        const CtlResult r = Ctl(arguments);
        EXPECT_EQ(r.exitCode, 3) << r.err;
        EXPECT_NE(r.err.find("no mouse"), std::string::npos) << r.err;
    }
}

TEST_F(CtlTest, AWriteWaitsForAnotherProgramsWriteAndGivesUpAsBusy)
{
    CComThreadScope com;
    ComPtr<IDeviceEnumerator> enumerator;
    ASSERT_EQ(CoCreateInstance(CLSID_DeviceServer, kDeviceServerContext, enumerator.Put()), S_OK);
    ComPtr<IDeviceObject> device;
    ASSERT_EQ(enumerator->GetDevice(0, device.Put()), S_OK);
    ComPtr<IDeviceWriteSession> session;
    ASSERT_EQ(device.As(session), S_OK);
    ASSERT_EQ(session->BeginWrite(0), S_OK);

    const std::string before = MemoryBytes();
    const CtlResult busy = Ctl("--wait 1 set sensitivity 1600");
    EXPECT_EQ(busy.exitCode, 4) << busy.err;
    EXPECT_NE(busy.err.find("another program is writing"), std::string::npos) << busy.err;
    EXPECT_EQ(MemoryBytes(), before);

    // Held while the next one starts; it lands once the device is let go.
    ChildProcess waiting(ZT_CTL_TOOL, {"--wait", "60", "set", "sensitivity", "2400"});
    ASSERT_TRUE(waiting.running());
    ASSERT_EQ(session->EndWrite(), S_OK);
    EXPECT_EQ(waiting.ExitCode(), 0);
    EXPECT_EQ(Active(Image(0x0031)).sensitivity.x, 2400u);
}

TEST_F(CtlTest, ProfileCommandsFollowTheWindowsRules)
{
    ASSERT_EQ(Ctl("profile create Travel").exitCode, 0);
    EXPECT_EQ(Ctl("profile create TRAVEL").exitCode, 2) << "names are unique ignoring case";
    ASSERT_EQ(Ctl("set button.5 profile Travel").exitCode, 0);
    const CtlResult copy = Ctl("profile copy Travel");
    ASSERT_EQ(copy.exitCode, 0) << copy.err;
    EXPECT_EQ(copy.out, "copied to \"Travel(2)\"\n");
    ASSERT_EQ(Ctl("profile rename 'Travel(2)' Work").exitCode, 0);
    ASSERT_EQ(Ctl("profile activate Work").exitCode, 0);
    DeviceImage image = Image(0x0031);
    ASSERT_EQ(image.profiles.size(), 3u);
    EXPECT_EQ(image.profiles[2].name, u"Work");
    EXPECT_EQ(Active(image).name, u"Work");

    // Deleting a profile that a button switches to gives that button its default back.
    ASSERT_EQ(Ctl("profile delete Travel").exitCode, 0);
    std::unique_ptr<CTovikEliteConfig> second = ReadBack();
    ASSERT_EQ(second->GetProfileCount(), 2u);
    EXPECT_EQ(second->GetProfile(0)->GetButtonAssignment(MOUSE_BUTTON_5).kind, AssignmentKind::Forward);

    ASSERT_EQ(Ctl("profile create C").exitCode, 0);
    ASSERT_EQ(Ctl("profile create D").exitCode, 0);
    ASSERT_EQ(Ctl("profile create E").exitCode, 0);
    const std::string full = MemoryBytes();
    const CtlResult sixth = Ctl("profile create F");
    EXPECT_EQ(sixth.exitCode, 2);
    EXPECT_NE(sixth.err.find("5 profiles"), std::string::npos) << sixth.err;
    EXPECT_EQ(Ctl("profile copy C").exitCode, 2);
    EXPECT_EQ(MemoryBytes(), full);

    // A profile file goes out and comes back under its name.
    const std::string file = (temp_ / "work.zmp").string();
    ASSERT_EQ(Ctl("--profile Work set sensitivity 3200").exitCode, 0);
    ASSERT_EQ(Ctl("profile export Work '" + file + "'").exitCode, 0);
    ASSERT_EQ(Ctl("profile delete Work").exitCode, 0);
    const CtlResult imported = Ctl("profile import '" + file + "'");
    ASSERT_EQ(imported.exitCode, 0) << imported.err;
    EXPECT_EQ(Ctl("--profile Work get sensitivity").out, "3200\n");
}

TEST_F(CtlTest, MacrosKeepTheirButtonsThroughRenameAndLeaveThemOnDelete)
{
    const std::string file = (temp_ / "config.json").string();
    ASSERT_EQ(Ctl("dump '" + file + "'").exitCode, 0);
    std::string text = ReadFile(file);
    const std::string macros = "\"macros\": []";
    ASSERT_NE(text.find(macros), std::string::npos) << text;
    text.replace(text.find(macros), macros.size(),
                 "\"macros\": [{\"name\": \"Reload\", \"events\": [\"press R\", \"delay 30\", \"release R\", "
                 "\"press mouse 1\", \"release mouse 1\"]}]");
    WriteFile(file, text);
    const CtlResult applied = Ctl("apply '" + file + "'");
    ASSERT_EQ(applied.exitCode, 0) << applied.err;
    EXPECT_EQ(applied.out, "create macro \"Reload\"\nmacro \"Reload\": events 0 -> 5\n");

    ASSERT_EQ(Ctl("set button.4 macro Reload repeat 3").exitCode, 0);
    EXPECT_EQ(Ctl("get button.4").out, "macro \"Reload\" repeat 3\n");
    EXPECT_EQ(Ctl("macro show reload").out, "press R\ndelay 30\nrelease R\npress mouse 1\nrelease mouse 1\n");
    const std::string exported = (temp_ / "reload.zmm").string();
    ASSERT_EQ(Ctl("macro export Reload '" + exported + "'").exitCode, 0);

    ASSERT_EQ(Ctl("macro rename Reload 'Reload all'").exitCode, 0);
    EXPECT_EQ(Ctl("get button.4").out, "macro \"Reload all\" repeat 3\n");
    ASSERT_EQ(Ctl("macro delete 'Reload all'").exitCode, 0);
    EXPECT_EQ(Ctl("get button.4").out, "back\n") << "the button's default";
    EXPECT_TRUE(Image(0x0031).macros.empty());

    const CtlResult imported = Ctl("macro import '" + exported + "'");
    ASSERT_EQ(imported.exitCode, 0) << imported.err;
    ASSERT_EQ(Image(0x0031).macros.size(), 1u);
    EXPECT_EQ(Image(0x0031).macros[0].events.size(), 5u);
    const CtlResult twice = Ctl("macro import '" + exported + "'");
    EXPECT_EQ(twice.exitCode, 1) << "a second macro of the same name";
    EXPECT_NE(twice.err.find("refused"), std::string::npos) << twice.err;
    EXPECT_EQ(Image(0x0031).macros.size(), 1u) << "nothing of the refused file stays on the device";
}

TEST_F(CtlTest, ApplyWritesNothingOnADryRunOrWhenAnyValueIsBad)
{
    const std::string file = (temp_ / "config.json").string();
    ASSERT_EQ(Ctl("dump '" + file + "'").exitCode, 0);
    std::string text = ReadFile(file);
    auto replace = [&text](const std::string& from, const std::string& to) {
        ASSERT_NE(text.find(from), std::string::npos) << from;
        text.replace(text.find(from), from.size(), to);
    };
    replace("\"polling-rate\": 500", "\"polling-rate\": 1000");
    replace("\"sleep-minutes\": 1", "\"sleep-minutes\": 9");
    WriteFile(file, text);
    const std::string before = MemoryBytes();
    const CtlResult dry = Ctl("apply '" + file + "' --dry-run");
    ASSERT_EQ(dry.exitCode, 0) << dry.err;
    EXPECT_EQ(dry.out, "device polling-rate: 500 -> 1000\ndevice sleep-minutes: 1 -> 9\n");
    EXPECT_EQ(MemoryBytes(), before);
    EXPECT_EQ(Ctl("diff '" + file + "'").out, dry.out);

    for (const auto& [from, to] : std::vector<std::pair<std::string, std::string>>{
             {"\"sleep-minutes\": 9", "\"sleep-minutes\": 99"},
             {"\"version\": 1", "\"version\": 2"},
             {"\"acceleration\": false", "\"acceleration\": false, \"warp\": 3"},
             {"\"name\": \"PROFILE01\"", "\"name\": \"\""},
         }) {
        SCOPED_TRACE(to);
        std::string bad = text;
        bad.replace(bad.find(from), from.size(), to);
        WriteFile(file, bad);
        const CtlResult r = Ctl("apply '" + file + "'");
        EXPECT_EQ(r.exitCode, 2) << r.err;
        EXPECT_NE(r.err.find("nothing was written"), std::string::npos) << r.err;
        EXPECT_EQ(MemoryBytes(), before);
    }
    WriteFile(file, "{\"format\": ");
    EXPECT_EQ(Ctl("apply '" + file + "'").exitCode, 2);
    EXPECT_EQ(MemoryBytes(), before);
}

TEST_F(CtlTest, NamesArePrintedOnOneLineWithControlCharactersEscaped)
{
    ChangeImage(0x0031, [](DeviceImage& image) { image.profiles[0].name = u"Line\nbreak\t\"x\"\x1b"; });
    const CtlResult list = Ctl("profile list");
    ASSERT_EQ(list.exitCode, 0) << list.err;
    EXPECT_EQ(list.out, "01 * \"Line\\nbreak\\t\\\"x\\\"\\x1B\"\n");
    const CtlResult show = Ctl("show");
    EXPECT_NE(show.out.find("active-profile \"Line\\nbreak\\t\\\"x\\\"\\x1B\"\n"), std::string::npos) << show.out;
}

TEST_F(CtlTest, ShowAndListSpeakAVersionedJson)
{
    const CtlResult show = Ctl("--json show");
    ASSERT_EQ(show.exitCode, 0) << show.err;
    const emulator::JsonValue document = emulator::ParseJson(show.out);
    emulator::JsonFields fields(document, "show");
    EXPECT_EQ(fields.String("schema", 64), u"zemko-tovik-ctl");
    EXPECT_EQ(fields.Int("version", 1, 1), 1);
    EXPECT_EQ(fields.String("product", 8), u"0x0031");
    EXPECT_EQ(fields.Array("profiles", 5).size(), 1u);
    EXPECT_EQ(fields.Int("battery", 0, 255), 200);

    const CtlResult list = Ctl("--json list");
    ASSERT_EQ(list.exitCode, 0) << list.err;
    const emulator::JsonValue devices = emulator::ParseJson(list.out);
    emulator::JsonFields listFields(devices, "list");
    const emulator::JsonArray& entries = listFields.Array("devices", 4);
    ASSERT_EQ(entries.size(), 1u);
    emulator::JsonFields entry(entries[0], "device");
    EXPECT_EQ(entry.String("kind", 8), u"mouse");
    EXPECT_EQ(entry.String("generation", 8), u"current");
    EXPECT_EQ(entry.String("firmware", 8), u"1.05");
}

TEST_F(CtlTest, EveryCommandAnswersHelpWithoutTouchingTheDevice)
{
    Unplug(0x0031);
    const CtlResult usage = Ctl("--help");
    EXPECT_EQ(usage.exitCode, 0);
    EXPECT_NE(usage.out.find("exit status: 0 done"), std::string::npos) << usage.out;
    for (const char* command : {"list", "show", "keys", "get", "set", "profile", "macro", "dump", "diff", "apply"}) {
        SCOPED_TRACE(command);
        const CtlResult r = Ctl(std::string(command) + " --help");
        EXPECT_EQ(r.exitCode, 0) << r.err;
        EXPECT_EQ(r.out.rfind(std::string("usage: zemko-tovik-ctl [OPTIONS] ") + command, 0), 0u) << r.out;
    }
    const CtlResult version = Ctl("--version");
    EXPECT_EQ(version.exitCode, 0) << version.err;
    EXPECT_EQ(version.out.rfind("zemko-tovik-ctl ", 0), 0u) << version.out;
    EXPECT_EQ(Ctl("").exitCode, 2) << "no command";
}

TEST_F(CtlTest, AnEarlierGenerationMouseOffersOnlyWhatItHas)
{
    Unplug(0x0031);
    Plug(0x0013);
    const CtlResult keys = Ctl("keys");
    ASSERT_EQ(keys.exitCode, 0) << keys.err;
    for (const char* absent : {"sleep-minutes ", "battery-warning ", "calibration ", "lift-off "}) {
        SCOPED_TRACE(absent);
        EXPECT_EQ(keys.out.find(absent), std::string::npos) << keys.out;
    }
    const std::string before = MemoryBytes(0x0013);
    for (const char* refused :
         {"set sleep-minutes 5", "set button.4 temporary-sensitivity 800", "set sensitivity 6400"}) {
        SCOPED_TRACE(refused);
        EXPECT_EQ(Ctl(refused).exitCode, 2);
    }
    EXPECT_EQ(MemoryBytes(0x0013), before);
    ASSERT_EQ(Ctl("set sensitivity 5600").exitCode, 0);
    EXPECT_EQ(Active(Image(0x0013)).sensitivity.x, 5600u);
}
