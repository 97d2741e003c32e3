// SPDX-License-Identifier: GPL-3.0-or-later
#include "emulator/ImageCodec.h"

#include "device/server/IDeviceMacros.h"
#include "device/server/IDeviceProfiles.h"
#include "emulator/Json.h"

#include <set>

namespace emulator {

namespace {

constexpr std::u16string_view kImageFormat = u"zemko-tovik-device";
constexpr std::u16string_view kProfileFormat = u"zemko-tovik-profile";
constexpr std::u16string_view kMacroFormat = u"zemko-tovik-macro";

JsonValue GuidValue(const GUID& id)
{
    return JsonValue(id.ToU16String());
}

GUID TakeGuid(JsonFields& fields, std::string_view key)
{
    const std::u16string text = fields.String(key, 38);
    const auto id = GUID::Parse(text);
    if (!id)
        throw JsonError(fields.context() + "." + std::string(key) + ": not a braced GUID");
    return *id;
}

JsonValue HexValue(const uint8_t* bytes, size_t n)
{
    static constexpr char digits[] = "0123456789ABCDEF";
    std::u16string text;
    for (size_t i = 0; i < n; ++i) {
        text.push_back(char16_t(digits[bytes[i] >> 4]));
        text.push_back(char16_t(digits[bytes[i] & 15]));
    }
    return JsonValue(text);
}

void TakeHex(JsonFields& fields, std::string_view key, uint8_t* out, size_t n)
{
    const std::u16string text = fields.String(key, n * 2);
    if (text.size() != n * 2)
        throw JsonError(fields.context() + "." + std::string(key) + ": expected " + std::to_string(n * 2) +
                        " hexadecimal digits");
    for (size_t i = 0; i < n; ++i) {
        int value = 0;
        for (int k = 0; k < 2; ++k) {
            const char16_t c = text[2 * i + size_t(k)];
            int digit = c >= u'0' && c <= u'9'   ? c - u'0'
                        : c >= u'A' && c <= u'F' ? c - u'A' + 10
                        : c >= u'a' && c <= u'f' ? c - u'a' + 10
                                                 : -1;
            if (digit < 0)
                throw JsonError(fields.context() + "." + std::string(key) + ": not hexadecimal");
            value = value * 16 + digit;
        }
        out[i] = uint8_t(value);
    }
}

JsonValue PairValue(SensitivityPair pair)
{
    return JsonValue(JsonArray{JsonValue(pair.x), JsonValue(pair.y)});
}

SensitivityPair TakePair(const JsonValue& value, const std::string& context)
{
    const JsonArray* a = value.AsArray();
    if (!a || a->size() != 2)
        throw JsonError(context + ": expected [x, y]");
    return {uint32_t(JsonInt((*a)[0], 0, UINT32_MAX, context)), uint32_t(JsonInt((*a)[1], 0, UINT32_MAX, context))};
}

JsonValue LightValue(const LightImage& light)
{
    return JsonValue(JsonObject{{"number", JsonValue(light.number)},
                                {"on", JsonValue(light.on)},
                                {"colour", JsonValue(light.colour)},
                                {"brightness", JsonValue(light.brightness)},
                                {"effect", JsonValue(light.effect)}});
}

LightImage TakeLight(const JsonValue& value, const std::string& context)
{
    JsonFields f(value, context);
    LightImage light;
    light.number = uint32_t(f.Int("number", 1, 12));
    light.on = f.Bool("on");
    light.colour = uint32_t(f.Int("colour", 0, UINT32_MAX));
    light.brightness = uint32_t(f.Int("brightness", 0, 100));
    light.effect = uint32_t(f.Int("effect", 0, 5));
    f.Finish();
    return light;
}

JsonValue ProfileValue(const ProfileImage& p)
{
    JsonArray buttons;
    for (const auto& [bit, record] : p.buttons)
        buttons.push_back(
            JsonValue(JsonObject{{"button", JsonValue(bit)}, {"record", HexValue(record.bytes, kButtonRecordSize)}}));
    JsonArray stages;
    for (const auto& stage : p.stages)
        stages.push_back(PairValue(stage));
    JsonArray lights;
    for (const auto& light : p.lights)
        lights.push_back(LightValue(light));
    return JsonValue(JsonObject{{"id", GuidValue(p.id)},
                                {"name", JsonValue(p.name)},
                                {"program", JsonValue(p.programPath)},
                                {"options", JsonValue(uint32_t(p.options))},
                                {"buttons", JsonValue(std::move(buttons))},
                                {"stages", JsonValue(std::move(stages))},
                                {"stagesInUse", JsonValue(p.stagesInUse)},
                                {"separateStages", JsonValue(p.separateStages)},
                                {"currentStage", JsonValue(p.currentStage)},
                                {"sensitivity", PairValue(p.sensitivity)},
                                {"lights", JsonValue(std::move(lights))}});
}

// Reads the fields; the caller decides which rules of the product apply. Files of
// version 1 kept neither the stages in use nor which stages have separate axes:
// such a profile uses all its stages, and a stage is separate where X and Y differ.
ProfileImage TakeProfile(const JsonValue& value, const std::string& context, int version)
{
    JsonFields f(value, context);
    ProfileImage p;
    p.id = TakeGuid(f, "id");
    p.name = f.String("name", kMaxProfileNameLength);
    p.programPath = f.String("program", 127);
    p.options = uint16_t(f.Int("options", 0, 7));
    for (const auto& item : f.Array("buttons", 32)) {
        JsonFields b(item, context + ".buttons");
        const auto bit = uint32_t(b.Int("button", 1, UINT32_MAX));
        ButtonRecord record;
        TakeHex(b, "record", record.bytes, kButtonRecordSize);
        b.Finish();
        if (!p.buttons.emplace(bit, record).second)
            throw JsonError(context + ".buttons: button " + std::to_string(bit) + " twice");
    }
    for (const auto& item : f.Array("stages", kMaxSensitivityStages))
        p.stages.push_back(TakePair(item, context + ".stages"));
    if (version >= 2) {
        p.stagesInUse = uint32_t(f.Int("stagesInUse", 1, kMaxSensitivityStages));
        p.separateStages = uint32_t(f.Int("separateStages", 0, (1 << kMaxSensitivityStages) - 1));
    } else {
        p.stagesInUse = uint32_t(p.stages.size());
        p.separateStages = 0;
        for (uint32_t n = 1; n <= p.stages.size(); ++n)
            if (p.stages[n - 1].x != p.stages[n - 1].y)
                p.separateStages |= StageBit(n);
    }
    p.currentStage = uint32_t(f.Int("currentStage", 1, kMaxSensitivityStages));
    p.sensitivity = TakePair(f.Take("sensitivity"), context + ".sensitivity");
    std::set<uint32_t> numbers;
    for (const auto& item : f.Array("lights", 12)) {
        p.lights.push_back(TakeLight(item, context + ".lights"));
        if (!numbers.insert(p.lights.back().number).second)
            throw JsonError(context + ".lights: light " + std::to_string(p.lights.back().number) + " twice");
    }
    f.Finish();
    return p;
}

JsonValue MacroValue(const MacroImage& m)
{
    JsonArray events;
    for (const auto& e : m.events) {
        if (e.type == kMacroEventDelay)
            events.push_back(JsonValue(JsonObject{{"type", JsonValue(e.type)}, {"ms", JsonValue(e.milliseconds)}}));
        else if (e.type == kMacroEventKeystroke)
            events.push_back(JsonValue(JsonObject{{"type", JsonValue(e.type)},
                                                  {"code", JsonValue(uint32_t(e.code))},
                                                  {"flags", JsonValue(uint32_t(e.flags))}}));
        else
            events.push_back(JsonValue(JsonObject{{"type", JsonValue(e.type)}, {"code", JsonValue(uint32_t(e.code))}}));
    }
    return JsonValue(
        JsonObject{{"id", GuidValue(m.id)}, {"name", JsonValue(m.name)}, {"events", JsonValue(std::move(events))}});
}

MacroImage TakeMacro(const JsonValue& value, const std::string& context)
{
    JsonFields f(value, context);
    MacroImage m;
    m.id = TakeGuid(f, "id");
    m.name = f.String("name", kMaxMacroNameLength);
    for (const auto& item : f.Array("events", kMaxMacroEvents)) {
        JsonFields e(item, context + ".events");
        MacroEvent event;
        event.type = uint32_t(e.Int("type", kMacroEventMouseButton, kMacroEventDelay));
        if (event.type == kMacroEventDelay) {
            event.milliseconds = uint32_t(e.Int("ms", 0, UINT32_MAX));
        } else {
            event.code = uint16_t(e.Int("code", 0, 0xFFFF));
            if (event.type == kMacroEventKeystroke)
                event.flags = uint16_t(e.Int("flags", 0, 0xFFFF));
        }
        e.Finish();
        if (auto why = CheckMacroEvent(event); !why.empty())
            throw JsonError(context + ".events: " + why);
        m.events.push_back(event);
    }
    f.Finish();
    if (auto why = CheckMacro(m); !why.empty())
        throw JsonError(context + ": " + why);
    return m;
}

// The file's version: any from the first to the current one.
int CheckHeader(JsonFields& f, std::u16string_view format)
{
    if (f.String("format", 64) != format)
        throw JsonError("not a " + std::string(format.begin(), format.end()) + " file");
    const auto version = int(f.Int("version", 0, INT32_MAX));
    if (version < kOldestFileFormatVersion || version > kFileFormatVersion)
        throw JsonError("unsupported version");
    return version;
}

template <typename Reader>
auto Guarded(std::string& error, Reader&& read) -> std::optional<decltype(read())>
{
    try {
        return read();
    } catch (const JsonError& e) {
        error = e.what();
    } catch (const std::bad_alloc&) {
        error = "out of memory";
    }
    return std::nullopt;
}

} // namespace

std::string EncodeImage(const DeviceImage& image)
{
    JsonArray profiles;
    for (const auto& p : image.profiles)
        profiles.push_back(ProfileValue(p));
    JsonArray macros;
    for (const auto& m : image.macros)
        macros.push_back(MacroValue(m));
    JsonArray firmware;
    for (const uint32_t part : image.firmware)
        firmware.push_back(JsonValue(part));
    const JsonValue doc(JsonObject{
        {"format", JsonValue(std::u16string(kImageFormat))},
        {"version", JsonValue(kFileFormatVersion)},
        {"product", JsonValue(image.productId)},
        {"activeProfile", GuidValue(image.activeProfile)},
        {"reportInterval", JsonValue(image.reportInterval)},
        {"acceleration",
         JsonValue(JsonObject{{"on", JsonValue(image.accelerationOn)}, {"level", JsonValue(image.accelerationLevel)}})},
        {"calibration", JsonValue(JsonObject{{"on", JsonValue(image.calibrationOn)},
                                             {"mode", JsonValue(image.liftOffMode)},
                                             {"liftOff", JsonValue(image.liftOff)}})},
        {"power", JsonValue(JsonObject{{"batteryWarning", JsonValue(image.batteryWarning)},
                                       {"dimBrightness", JsonValue(image.dimBrightness)},
                                       {"sleepTimeout", JsonValue(image.sleepTimeout)}})},
        {"battery",
         JsonValue(JsonObject{{"level", JsonValue(image.batteryLevel)}, {"charging", JsonValue(image.chargingState)}})},
        {"firmware", JsonValue(std::move(firmware))},
        {"stateFlag", JsonValue(image.stateFlag)},
        {"profiles", JsonValue(std::move(profiles))},
        {"macros", JsonValue(std::move(macros))},
    });
    return WriteJson(doc);
}

std::optional<DeviceImage> DecodeImage(std::string_view text, std::string& error)
{
    return Guarded(error, [&] {
        if (text.size() > kMaxImageFileBytes)
            throw JsonError("file too large");
        const JsonValue doc = ParseJson(text);
        JsonFields f(doc, "image");
        const int version = CheckHeader(f, kImageFormat);
        DeviceImage image;
        image.productId = uint32_t(f.Int("product", 0, 0xFFFF));
        if (!FindProduct(image.productId))
            throw JsonError("image of an unknown product");
        image.activeProfile = TakeGuid(f, "activeProfile");
        image.reportInterval = uint32_t(f.Int("reportInterval", 0, UINT32_MAX));
        {
            JsonFields a(f.Take("acceleration"), "image.acceleration");
            image.accelerationOn = a.Bool("on");
            image.accelerationLevel = uint32_t(a.Int("level", 0, UINT32_MAX));
            a.Finish();
        }
        {
            JsonFields c(f.Take("calibration"), "image.calibration");
            image.calibrationOn = c.Bool("on");
            image.liftOffMode = uint32_t(c.Int("mode", 0, UINT32_MAX));
            image.liftOff = uint32_t(c.Int("liftOff", 0, UINT32_MAX));
            c.Finish();
        }
        {
            JsonFields p(f.Take("power"), "image.power");
            image.batteryWarning = uint32_t(p.Int("batteryWarning", 0, UINT32_MAX));
            image.dimBrightness = uint32_t(p.Int("dimBrightness", 0, UINT32_MAX));
            image.sleepTimeout = uint32_t(p.Int("sleepTimeout", 0, UINT32_MAX));
            p.Finish();
        }
        {
            JsonFields b(f.Take("battery"), "image.battery");
            image.batteryLevel = uint32_t(b.Int("level", 0, UINT32_MAX));
            image.chargingState = uint32_t(b.Int("charging", 0, UINT32_MAX));
            b.Finish();
        }
        const JsonArray& firmware = f.Array("firmware", 4);
        if (firmware.size() != 4)
            throw JsonError("image.firmware: expected four numbers");
        for (size_t i = 0; i < 4; ++i)
            image.firmware[i] = uint32_t(JsonInt(firmware[i], 0, 0xFFFF, "image.firmware"));
        image.stateFlag = int32_t(f.Int("stateFlag", INT32_MIN, INT32_MAX));
        for (const auto& item : f.Array("profiles", kMaxDeviceProfiles))
            image.profiles.push_back(TakeProfile(item, "image.profiles", version));
        for (const auto& item : f.Array("macros", kMaxDeviceMacros))
            image.macros.push_back(TakeMacro(item, "image.macros"));
        f.Finish();
        if (auto why = CheckImage(image); !why.empty())
            throw JsonError("image: " + why);
        return image;
    });
}

std::string EncodeProfileFile(uint32_t productId, const ProfileImage& profile)
{
    return WriteJson(JsonValue(JsonObject{{"format", JsonValue(std::u16string(kProfileFormat))},
                                          {"version", JsonValue(kFileFormatVersion)},
                                          {"product", JsonValue(productId)},
                                          {"profile", ProfileValue(profile)}}));
}

std::optional<ProfileImage> DecodeProfileFile(std::string_view text, const ProductInfo& target, std::string& error)
{
    return Guarded(error, [&] {
        if (text.size() > kMaxExchangeFileBytes)
            throw JsonError("file too large");
        const JsonValue doc = ParseJson(text);
        JsonFields f(doc, "profile file");
        const int version = CheckHeader(f, kProfileFormat);
        f.Int("product", 0, 0xFFFF); // where it came from; the profile is checked against the target
        ProfileImage p = TakeProfile(f.Take("profile"), "profile", version);
        f.Finish();
        std::vector<LightImage> lights;
        const ProfileImage factory = FactoryProfile(target, u"");
        for (const LightImage& wanted : factory.lights) {
            LightImage chosen = wanted;
            for (const LightImage& fromFile : p.lights)
                if (fromFile.number == wanted.number)
                    chosen = fromFile;
            lights.push_back(chosen);
        }
        p.lights = std::move(lights);
        if (auto why = CheckProfile(target, p); !why.empty())
            throw JsonError("profile: " + why);
        return p;
    });
}

std::string EncodeMacroFile(const MacroImage& macro)
{
    return WriteJson(JsonValue(JsonObject{{"format", JsonValue(std::u16string(kMacroFormat))},
                                          {"version", JsonValue(kFileFormatVersion)},
                                          {"macro", MacroValue(macro)}}));
}

std::optional<MacroImage> DecodeMacroFile(std::string_view text, std::string& error)
{
    return Guarded(error, [&] {
        if (text.size() > kMaxExchangeFileBytes)
            throw JsonError("file too large");
        const JsonValue doc = ParseJson(text);
        JsonFields f(doc, "macro file");
        CheckHeader(f, kMacroFormat);
        MacroImage m = TakeMacro(f.Take("macro"), "macro");
        f.Finish();
        return m;
    });
}

} // namespace emulator
