// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/keyboard/StandardKeyboard.h"

#include "skin/keyboard/KeyHash.h"
#include "skin/keyboard/KeyNames.h"
#include "skin/keyboard/StandardKeyTable.h"

namespace {

KeyRecord MakeRecord(std::u16string_view name)
{
    KeyRecord record;
    record.name = std::u16string(name);
    record.hash = HashKeyName(name);
    return record;
}

} // namespace

std::vector<KeyRecord> BuildStandardKeyRecords()
{
    std::vector<KeyRecord> records;
    for (std::u16string_view profile : KeyNameList(KeyNameVariant::Standard).first(PROFILE_KEY_NAME_COUNT)) {
        KeyRecord record = MakeRecord(profile);
        for (KeyCodeBlock& block : record.blocks)
            block[0].code = -1; // no scan code: listed, never looked up
        record.derived = DeriveScanCode(record.blocks[0]);
        records.push_back(std::move(record));
    }
    for (const StandardKey& key : StandardKeyTable()) {
        KeyRecord record = MakeRecord(key.name);
        record.code1 = static_cast<int16_t>(key.usbUsage);
        record.code2 = static_cast<int16_t>(key.virtualKey);
        KeyCodeBlock& make = record.blocks[0];
        size_t at = 0;
        if (key.prefix != 0)
            make[at++] = KeyCodeEntry{key.prefix, key.prefix == 0xE1 ? KEY_FLAG_E1 : KEY_FLAG_EXTENDED};
        for (uint8_t i = 0; i < key.makeLength; ++i)
            make[at++] = KeyCodeEntry{key.make[i], 0};
        // Block 1 holds the break sequence (make code with bit 7 set).
        KeyCodeBlock& release = record.blocks[1];
        at = 0;
        if (key.prefix != 0)
            release[at++] = KeyCodeEntry{key.prefix, make[0].flag};
        for (uint8_t i = 0; i < key.makeLength; ++i)
            release[at++] = KeyCodeEntry{static_cast<int16_t>(key.make[i] | 0x80), 0};
        record.derived = DeriveScanCode(make);
        records.push_back(std::move(record));
    }
    return records;
}

std::vector<KeyDefault> BuildStandardKeyDefaults(const std::vector<KeyRecord>& records)
{
    std::vector<KeyDefault> defaults;
    for (const KeyRecord& record : records) {
        if (record.IsValid())
            defaults.push_back({record.hash, record.derived});
    }
    return defaults;
}
