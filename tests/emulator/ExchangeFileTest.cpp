// SPDX-License-Identifier: GPL-3.0-or-later
// Profile and macro files: what export writes, import reads back, and every
// bad file is refused without touching the device.
#include "EmulatorFixture.h"

#include "emulator/ImageCodec.h"
#include "emulator/Json.h"
#include "platform/core/Utf.h"

#include <cstring>
#include <fstream>
#include <sys/stat.h>

namespace {

class ExchangeFiles : public EmulatorTest {
protected:
    std::u16string PathText(const std::string& name) { return Utf8ToUtf16((temp_ / name).string()); }

    void Write(const std::string& name, const std::string& contents)
    {
        std::ofstream out(temp_ / name, std::ios::binary | std::ios::trunc);
        out << contents;
    }

    uint32_t ProfileCount(const ComPtr<IDeviceObject>& device)
    {
        uint32_t count = 0;
        EXPECT_EQ(As<IDeviceProfileCollection>(device)->GetProfileCount(&count), S_OK);
        return count;
    }

    std::string Exported(const ComPtr<IDeviceObject>& device)
    {
        EXPECT_EQ(ActiveProfile(device)->ExportToFile(PathText("good.zmp").c_str()), S_OK);
        return ReadText(temp_ / "good.zmp");
    }
};

TEST_F(ExchangeFiles, ProfileRoundTripsWithANewIdWhenTheOldOneIsTaken)
{
    ComPtr<IDeviceObject> device = Device(0x0031);
    ComPtr<IDeviceProfile> profile = ActiveProfile(device);
    ASSERT_EQ(profile->SetName(u"Work \u00E9"), S_OK);
    ComPtr<IDeviceProfileProperties> properties;
    ASSERT_EQ(profile.As(properties), S_OK);
    uint8_t path[256] = {};
    const std::u16string program = u"/usr/bin/game";
    std::memcpy(path, program.data(), program.size() * 2);
    ASSERT_EQ(properties->SetProperty(kPropertyProgramPath, path, 0, 256, 0), S_OK);
    ASSERT_EQ(profile->ExportToFile(PathText("work.zmp").c_str()), S_OK);

    ComPtr<IDeviceProfile> imported;
    ASSERT_EQ(As<IDeviceProfileCollection>(device)->ImportProfile(PathText("work.zmp").c_str(), imported.Put()), S_OK);
    GUID original, copy;
    ASSERT_EQ(profile->GetId(&original), S_OK);
    ASSERT_EQ(imported->GetId(&copy), S_OK);
    EXPECT_NE(original, copy);
    char16_t* name = nullptr;
    ASSERT_EQ(imported->GetName(&name), S_OK);
    EXPECT_EQ(Take(name), u"Work \u00E9");
    ComPtr<IDeviceProfileProperties> importedProperties;
    ASSERT_EQ(imported.As(importedProperties), S_OK);
    uint8_t back[256];
    uint32_t size = 256;
    ASSERT_EQ(importedProperties->GetProperty(kPropertyProgramPath, 0, back, 0, &size), S_OK);
    EXPECT_EQ(std::memcmp(back, path, 256), 0);
}

TEST_F(ExchangeFiles, ProfileImportAdaptsLightsAndChecksTheTargetsRange)
{
    Plug(0x0032);
    ComPtr<IDeviceObject> dock = Device(0x0032);
    ComPtr<IDeviceSensitivity> sensitivity;
    ASSERT_EQ(ActiveProfile(dock).As(sensitivity), S_OK);
    const uint32_t pairs[] = {6400, 6400};
    ASSERT_EQ(sensitivity->SetStages(1, 1, 0, pairs), S_OK);
    ASSERT_EQ(ActiveProfile(dock)->ExportToFile(PathText("dock.zmp").c_str()), S_OK);

    ComPtr<IDeviceProfile> imported;
    ASSERT_EQ(As<IDeviceProfileCollection>(Device(0x0031))->ImportProfile(PathText("dock.zmp").c_str(), imported.Put()),
              S_OK);
    ComPtr<IDeviceLighting> lighting;
    ASSERT_EQ(imported.As(lighting), S_OK);
    uint32_t count = 0;
    ASSERT_EQ(lighting->GetLightCount(&count), S_OK);
    EXPECT_EQ(count, 2u) << "the mouse has no dock light";

    Plug(0x0013);
    ComPtr<IDeviceObject> legacy = Device(0x0013);
    EXPECT_EQ(As<IDeviceProfileCollection>(legacy)->ImportProfile(PathText("dock.zmp").c_str(), imported.Put()),
              E_INVALID_DATA)
        << "6400 is beyond the earlier sensor";
    EXPECT_EQ(ProfileCount(legacy), 1u);
}

TEST_F(ExchangeFiles, ImportIntoAFullDeviceFails)
{
    ComPtr<IDeviceObject> device = Device(0x0031);
    const std::string good = Exported(device);
    for (int i = 0; i < 4; ++i)
        ASSERT_EQ(As<IDeviceProfileCollection>(device)->CreateProfile(ComPtr<IDeviceProfile>().Put()), S_OK);
    ComPtr<IDeviceProfile> imported;
    EXPECT_EQ(As<IDeviceProfileCollection>(device)->ImportProfile(PathText("good.zmp").c_str(), imported.Put()),
              E_DEVICE_FULL);
    EXPECT_FALSE(imported);
}

TEST_F(ExchangeFiles, MacroImportIntoAFullDeviceFailsAndAddsNothing)
{
    auto macros = As<IDeviceMacroCollection>(Device(0x0031));
    ComPtr<IDeviceMacro> macro;
    ASSERT_EQ(macros->CreateMacro(macro.Put()), S_OK);
    ASSERT_EQ(macro->SetName(u"One"), S_OK);
    ASSERT_EQ(macro->ExportToFile(PathText("one.zmm").c_str()), S_OK);
    for (uint32_t i = 1; i < kMaxDeviceMacros; ++i)
        ASSERT_EQ(macros->CreateMacro(ComPtr<IDeviceMacro>().Put()), S_OK);
    ComPtr<IDeviceMacro> imported;
    EXPECT_EQ(macros->ImportMacro(PathText("one.zmm").c_str(), imported.Put()), E_DEVICE_FULL);
    EXPECT_FALSE(imported);
    uint32_t count = 0;
    ASSERT_EQ(macros->GetMacroCount(&count), S_OK);
    EXPECT_EQ(count, kMaxDeviceMacros);

    // With room again, the file comes back beside its original under an identity of its own.
    ComPtr<IDeviceMacro> last;
    ASSERT_EQ(macros->GetMacro(kMaxDeviceMacros - 1, last.Put()), S_OK);
    ASSERT_EQ(macros->DeleteMacro(last.Get()), S_OK);
    ASSERT_EQ(macros->ImportMacro(PathText("one.zmm").c_str(), imported.Put()), S_OK);
    GUID original, copy;
    ASSERT_EQ(macro->GetId(&original), S_OK);
    ASSERT_EQ(imported->GetId(&copy), S_OK);
    EXPECT_NE(original, copy);
}

TEST_F(ExchangeFiles, BadProfileFilesAreRefusedAndChangeNothing)
{
    ComPtr<IDeviceObject> device = Device(0x0031);
    const std::string good = Exported(device);
    const std::string imageBefore = ReadText(directory().ImagePath(0x0031));
    const auto replace = [&](const std::string& from, const std::string& to) {
        std::string text = good;
        const size_t at = text.find(from);
        EXPECT_NE(at, std::string::npos) << from;
        return at == std::string::npos ? text : text.replace(at, from.size(), to);
    };

    const std::vector<std::pair<std::string, std::string>> bad = {
        {"empty", ""},
        {"truncated", good.substr(0, good.size() / 2)},
        {"not JSON", "ZMP\x01\x02garbage"},
        {"macro format", replace("zemko-tovik-profile", "zemko-tovik-macro")},
        {"future version", replace("\"version\": 2", "\"version\": 3")},
        {"unknown field", replace("\"options\"", "\"colourful\": 1, \"options\"")},
        {"duplicate field", replace("\"options\"", "\"options\": 6, \"options\"")},
        {"fraction", replace("\"currentStage\": 2", "\"currentStage\": 2.5")},
        {"stage out of range", replace("[800, 800]", "[800, 99999]")},
        {"current stage beyond stages", replace("\"currentStage\": 2", "\"currentStage\": 9")},
        {"bad id", replace("\"id\": \"{", "\"id\": \"{X")},
        {"bad button record", replace("01000000000000000100000001000000", "01000000000000000D00000001000000")},
        {"missing button", replace("\"button\": 1,", "\"button\": 64,")},
        {"long name", replace("\"name\": \"PROFILE01\"", "\"name\": \"" + std::string(128, 'n') + "\"")},
        {"zero in name", replace("\"name\": \"PROFILE01\"", "\"name\": \"PRO\\u0000\"")},
        {"huge number", replace("\"options\": 6", "\"options\": 99999999999999999999999")},
        {"deep nesting", std::string(100000, '[') + std::string(100000, ']')},
        {"trailing data", good + "{}"},
        {"too large", std::string(3u << 20, ' ') + good},
    };
    for (const auto& [what, contents] : bad) {
        Write("bad.zmp", contents);
        ComPtr<IDeviceProfile> imported;
        EXPECT_EQ(As<IDeviceProfileCollection>(device)->ImportProfile(PathText("bad.zmp").c_str(), imported.Put()),
                  E_INVALID_DATA)
            << what;
        EXPECT_FALSE(imported) << what;
    }
    EXPECT_EQ(As<IDeviceProfileCollection>(device)->ImportProfile(PathText("missing.zmp").c_str(),
                                                                  ComPtr<IDeviceProfile>().Put()),
              E_FILE_NOT_FOUND);
    EXPECT_EQ(As<IDeviceProfileCollection>(device)->ImportProfile(u"", ComPtr<IDeviceProfile>().Put()), E_INVALIDARG);
    // Not a regular file: refused at once instead of waiting for a writer.
    ASSERT_EQ(mkfifo((temp_ / "pipe.zmp").c_str(), 0600), 0);
    EXPECT_EQ(As<IDeviceProfileCollection>(device)->ImportProfile(PathText("pipe.zmp").c_str(),
                                                                  ComPtr<IDeviceProfile>().Put()),
              E_INVALID_DATA);
    EXPECT_EQ(As<IDeviceProfileCollection>(device)->ImportProfile(PathText("").c_str(), ComPtr<IDeviceProfile>().Put()),
              E_INVALID_DATA)
        << "a directory";
    const char16_t unpaired[] = {u'/', 0xD800, u'x', 0};
    EXPECT_EQ(As<IDeviceProfileCollection>(device)->ImportProfile(unpaired, ComPtr<IDeviceProfile>().Put()),
              E_INVALIDARG);
    EXPECT_EQ(ReadText(directory().ImagePath(0x0031)), imageBefore);
}

TEST_F(ExchangeFiles, MacroRoundTripAndBadMacroFiles)
{
    ComPtr<IDeviceObject> device = Device(0x0031);
    auto macros = As<IDeviceMacroCollection>(device);
    ComPtr<IDeviceMacro> macro;
    ASSERT_EQ(macros->CreateMacro(macro.Put()), S_OK);
    ASSERT_EQ(macro->SetName(u"Reload \U0001F52B"), S_OK);
    std::vector<uint8_t> block(MacroEventBlockSize(2), 0);
    block[4] = 2;
    block[8] = kMacroEventKeystroke;
    block[12] = 0x13;
    block[14] = kMacroKeyRelease | kMacroKeyExtended;
    block[16] = kMacroEventDelay;
    block[20] = 0x10;
    block[21] = 0x27;
    ASSERT_EQ(macro->SetEvents(block.data(), uint32_t(block.size())), S_OK);
    ASSERT_EQ(macro->ExportToFile(PathText("reload.zmm").c_str()), S_OK);
    const std::string good = ReadText(temp_ / "reload.zmm");

    ComPtr<IDeviceMacro> imported;
    ASSERT_EQ(macros->ImportMacro(PathText("reload.zmm").c_str(), imported.Put()), S_OK);
    GUID a, b;
    ASSERT_EQ(macro->GetId(&a), S_OK);
    ASSERT_EQ(imported->GetId(&b), S_OK);
    EXPECT_NE(a, b);
    char16_t* name = nullptr;
    ASSERT_EQ(imported->GetName(&name), S_OK);
    EXPECT_EQ(Take(name), u"Reload \U0001F52B");
    uint8_t* events = nullptr;
    uint32_t size = 0;
    ASSERT_EQ(imported->GetEvents(&events, &size), S_OK);
    ASSERT_EQ(size, block.size());
    EXPECT_EQ(std::memcmp(events, block.data(), size), 0);
    CoTaskMemFree(events);

    // Deleted and imported again, the macro keeps its id (so assignments still find it).
    ASSERT_EQ(macros->DeleteMacro(macro.Get()), S_OK);
    ComPtr<IDeviceMacro> restored;
    ASSERT_EQ(macros->ImportMacro(PathText("reload.zmm").c_str(), restored.Put()), S_OK);
    ASSERT_EQ(restored->GetId(&b), S_OK);
    EXPECT_EQ(a, b);

    uint32_t before = 0;
    ASSERT_EQ(macros->GetMacroCount(&before), S_OK);
    const auto replace = [&](const std::string& from, const std::string& to) {
        std::string text = good;
        const size_t at = text.find(from);
        EXPECT_NE(at, std::string::npos) << from;
        return at == std::string::npos ? text : text.replace(at, from.size(), to);
    };
    const std::vector<std::pair<std::string, std::string>> bad = {
        {"truncated", good.substr(0, good.size() - 3)},
        {"profile format", replace("zemko-tovik-macro", "zemko-tovik-profile")},
        {"unknown event", replace("\"type\": 3", "\"type\": 7")},
        {"flags out of range", replace("\"flags\": 3", "\"flags\": 4")},
        {"negative delay", replace("\"ms\": 10000", "\"ms\": -1")},
        {"event field for another type", replace("\"ms\": 10000", "\"ms\": 1, \"code\": 2")},
        {"raw control character", replace("Reload", "Re\nload")},
        {"invalid UTF-8", replace("Reload", "Re\xC3\x28load")},
        {"overlong UTF-8", replace("Reload", "Re\xC0\xAFload")},
    };
    for (const auto& [what, contents] : bad) {
        Write("bad.zmm", contents);
        ComPtr<IDeviceMacro> refused;
        EXPECT_EQ(macros->ImportMacro(PathText("bad.zmm").c_str(), refused.Put()), E_INVALID_DATA) << what;
    }
    uint32_t after = 0;
    ASSERT_EQ(macros->GetMacroCount(&after), S_OK);
    EXPECT_EQ(after, before);
}

TEST_F(ExchangeFiles, ExportToAnUnwritablePlaceFails)
{
    ComPtr<IDeviceObject> device = Device(0x0031);
    const std::u16string nowhere = PathText("no-such-dir/x.zmp");
    EXPECT_EQ(ActiveProfile(device)->ExportToFile(nowhere.c_str()), E_ACCESSDENIED);
    EXPECT_EQ(ActiveProfile(device)->ExportToFile(nullptr), E_INVALIDARG);
}

TEST_F(ExchangeFiles, ExportMakesPrivateFilesAndKeepsTheRightsOfAFileItReplaces)
{
    ComPtr<IDeviceObject> device = Device(0x0031);
    ComPtr<IDeviceMacro> macro;
    ASSERT_EQ(As<IDeviceMacroCollection>(device)->CreateMacro(macro.Put()), S_OK);
    const auto mode = [&](const std::string& name) {
        struct stat status {};
        return ::stat((temp_ / name).c_str(), &status) == 0 ? unsigned(status.st_mode & 07777) : 0u;
    };
    const mode_t umaskBefore = ::umask(022);
    struct Case {
        const char* what;
        const char* name;
        int existingMode; // -1: no file there yet
        unsigned expected;
    };
    // Recorded keystrokes are nobody else's business; a file the user set up
    // keeps what the user chose.
    for (const Case& c :
         {Case{"new macro file", "new.zmm", -1, 0600u}, Case{"new profile file", "new.zmp", -1, 0600u},
          Case{"private macro file", "private.zmm", 0600, 0600u},
          Case{"shared profile file", "shared.zmp", 0644, 0644u}, Case{"group macro file", "group.zmm", 0640, 0640u}}) {
        SCOPED_TRACE(c.what);
        if (c.existingMode >= 0) {
            Write(c.name, "old contents");
            std::filesystem::permissions(temp_ / c.name, std::filesystem::perms(c.existingMode));
        }
        const std::u16string path = PathText(c.name);
        const HRESULT hr = std::string(c.name).ends_with(".zmm") ? macro->ExportToFile(path.c_str())
                                                                 : ActiveProfile(device)->ExportToFile(path.c_str());
        ASSERT_EQ(hr, S_OK);
        EXPECT_EQ(mode(c.name), c.expected);
        EXPECT_NE(ReadText(temp_ / c.name), "old contents");
    }
    ::umask(umaskBefore);
}

} // namespace
