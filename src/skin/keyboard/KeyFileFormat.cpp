// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/keyboard/KeyFileFormat.h"

#include "skin/keyboard/KeyHash.h"

namespace {

class LittleEndianReader {
public:
    explicit LittleEndianReader(std::span<const uint8_t> data) : data_(data) {}

    size_t Remaining() const { return data_.size() - pos_; }

    bool U32(uint32_t& out)
    {
        if (Remaining() < 4)
            return false;
        out = uint32_t(data_[pos_]) | uint32_t(data_[pos_ + 1]) << 8 | uint32_t(data_[pos_ + 2]) << 16 |
              uint32_t(data_[pos_ + 3]) << 24;
        pos_ += 4;
        return true;
    }
    bool I16(int16_t& out)
    {
        if (Remaining() < 2)
            return false;
        out = static_cast<int16_t>(uint16_t(data_[pos_]) | uint16_t(data_[pos_ + 1]) << 8);
        pos_ += 2;
        return true;
    }
    bool U8(uint8_t& out)
    {
        if (Remaining() < 1)
            return false;
        out = data_[pos_++];
        return true;
    }
    const uint8_t* Take(size_t count)
    {
        if (Remaining() < count)
            return nullptr;
        const uint8_t* at = data_.data() + pos_;
        pos_ += count;
        return at;
    }

private:
    std::span<const uint8_t> data_;
    size_t pos_ = 0;
};

void PutU32(std::vector<uint8_t>& out, uint32_t value)
{
    for (int shift = 0; shift < 32; shift += 8)
        out.push_back(static_cast<uint8_t>(value >> shift));
}

void PutU16(std::vector<uint8_t>& out, uint16_t value)
{
    out.push_back(static_cast<uint8_t>(value));
    out.push_back(static_cast<uint8_t>(value >> 8));
}

bool ReadRecord(LittleEndianReader& reader, KeyRecord& record)
{
    uint32_t nameBytes = 0;
    if (!reader.U32(nameBytes))
        return false;
    // A longer name cannot be real; reading on would take the following fields out of
    // the middle of the name and fill the table with garbage, so the file ends here.
    if (nameBytes > KEY_NAME_MAX_BYTES)
        return false;
    const uint8_t* name = reader.Take(nameBytes);
    if (!name)
        return false;
    const size_t units = std::min<size_t>(nameBytes / 2, KEY_NAME_MAX_UNITS);
    record.name.resize(units);
    for (size_t i = 0; i < units; ++i)
        record.name[i] = static_cast<char16_t>(name[2 * i] | name[2 * i + 1] << 8);
    if (!reader.I16(record.code1) || !reader.I16(record.code2))
        return false;
    for (KeyCodeBlock& block : record.blocks) {
        for (KeyCodeEntry& entry : block) {
            uint8_t unused = 0;
            if (!reader.I16(entry.code) || !reader.U8(entry.flag) || !reader.U8(unused))
                return false;
        }
    }
    record.hash = HashKeyName(record.name);
    record.derived = DeriveScanCode(record.blocks[0]);
    return true;
}

} // namespace

KeyFileParse ParseKeyFile(std::span<const uint8_t> data)
{
    KeyFileParse result;
    LittleEndianReader reader(data);
    uint32_t rawCount = 0;
    if (!reader.U32(rawCount))
        return result;
    const int32_t count = static_cast<int32_t>(rawCount);
    if (count < 0)
        return result;
    // The count comes from the file: never reserve more than the data can hold.
    const size_t minimumRecord = 4 + KEY_RECORD_FIXED_BYTES;
    result.records.reserve(std::min<size_t>(size_t(count), reader.Remaining() / minimumRecord));
    for (int32_t i = 0; i < count; ++i) {
        KeyRecord record;
        if (!ReadRecord(reader, record))
            break;
        result.records.push_back(std::move(record));
    }
    result.complete = result.records.size() == size_t(count);
    return result;
}

std::vector<uint8_t> SerializeKeyFile(std::span<const KeyRecord> records)
{
    std::vector<uint8_t> out;
    PutU32(out, static_cast<uint32_t>(records.size()));
    for (const KeyRecord& record : records) {
        const size_t units = std::min(record.name.size(), KEY_NAME_MAX_UNITS);
        PutU32(out, static_cast<uint32_t>(units * 2));
        for (size_t i = 0; i < units; ++i)
            PutU16(out, static_cast<uint16_t>(record.name[i]));
        PutU16(out, static_cast<uint16_t>(record.code1));
        PutU16(out, static_cast<uint16_t>(record.code2));
        for (const KeyCodeBlock& block : record.blocks) {
            for (const KeyCodeEntry& entry : block) {
                PutU16(out, static_cast<uint16_t>(entry.code));
                out.push_back(entry.flag);
                out.push_back(0);
            }
        }
    }
    return out;
}

std::optional<std::vector<KeyDefault>> ParseDefaultFile(std::span<const uint8_t> data)
{
    LittleEndianReader reader(data);
    uint32_t count = 0;
    if (!reader.U32(count))
        return std::nullopt;
    if (count != (data.size() - 4) / 8)
        return std::nullopt;
    std::vector<KeyDefault> defaults;
    defaults.reserve(count);
    for (uint32_t i = 0; i < count; ++i) {
        uint32_t hash = 0;
        uint32_t value = 0;
        reader.U32(hash);
        reader.U32(value);
        defaults.push_back({hash, KeyCode{static_cast<uint16_t>(value & 0xFFFF), static_cast<uint8_t>(value >> 16)}});
    }
    return defaults;
}

std::vector<uint8_t> SerializeDefaultFile(std::span<const KeyDefault> defaults)
{
    std::vector<uint8_t> out;
    PutU32(out, static_cast<uint32_t>(defaults.size()));
    for (const KeyDefault& entry : defaults) {
        PutU32(out, entry.hash);
        PutU32(out, uint32_t(entry.code.scanCode) | uint32_t(entry.code.flag) << 16);
    }
    return out;
}
