// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/FileVersions.h"

#include <bit>
#include <cstring>
#include <elf.h>
#include <fstream>
#include <unistd.h>
#include <vector>

namespace {

std::u16string Ascii(const std::string& text)
{
    return std::u16string(text.begin(), text.end());
}

bool ReadAt(std::ifstream& in, uint64_t offset, void* out, size_t size, uint64_t fileSize)
{
    if (offset > fileSize || size > fileSize - offset)
        return false;
    in.seekg(static_cast<std::streamoff>(offset));
    in.read(static_cast<char*>(out), static_cast<std::streamsize>(size));
    return bool(in);
}

struct Section {
    uint32_t name = 0;
    uint32_t type = 0;
    uint64_t offset = 0;
    uint64_t size = 0;
};

template <typename Ehdr, typename Shdr>
std::optional<std::vector<uint8_t>> FindSection(std::ifstream& in, uint64_t fileSize, std::string_view wanted)
{
    Ehdr header{};
    if (!ReadAt(in, 0, &header, sizeof header, fileSize))
        return std::nullopt;
    if (header.e_shentsize != sizeof(Shdr) || header.e_shnum == 0 || header.e_shstrndx >= header.e_shnum)
        return std::nullopt;
    auto readSection = [&](uint32_t index) -> std::optional<Section> {
        Shdr raw{};
        if (!ReadAt(in, uint64_t(header.e_shoff) + uint64_t(index) * sizeof(Shdr), &raw, sizeof raw, fileSize))
            return std::nullopt;
        return Section{raw.sh_name, raw.sh_type, raw.sh_offset, raw.sh_size};
    };
    std::optional<Section> names = readSection(header.e_shstrndx);
    if (!names || names->type == SHT_NOBITS || names->offset > fileSize || names->size > fileSize - names->offset)
        return std::nullopt;
    std::string nameTable(names->size, '\0');
    if (!ReadAt(in, names->offset, nameTable.data(), nameTable.size(), fileSize))
        return std::nullopt;
    for (uint32_t i = 0; i < header.e_shnum; ++i) {
        std::optional<Section> section = readSection(i);
        if (!section)
            return std::nullopt;
        if (section->name >= nameTable.size())
            continue;
        const char* name = nameTable.c_str() + section->name;
        if (wanted != std::string_view(name, strnlen(name, nameTable.size() - section->name)))
            continue;
        if (section->type == SHT_NOBITS)
            return std::nullopt;
        std::vector<uint8_t> bytes(0);
        if (section->offset > fileSize || section->size > fileSize - section->offset)
            return std::nullopt;
        bytes.resize(section->size);
        if (!ReadAt(in, section->offset, bytes.data(), bytes.size(), fileSize))
            return std::nullopt;
        return bytes;
    }
    return std::nullopt;
}

uint32_t Word(const std::vector<uint8_t>& block, size_t index)
{
    const uint8_t* p = block.data() + index * 4;
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

void FillParts(std::array<std::u16string, 4>& parts, std::u16string& full, uint32_t mostSignificant,
               uint32_t leastSignificant)
{
    const uint32_t values[4] = {mostSignificant >> 16, mostSignificant & 0xFFFF, leastSignificant >> 16,
                                leastSignificant & 0xFFFF};
    std::string joined;
    for (size_t i = 0; i < 4; ++i) {
        parts[i] = Ascii(std::to_string(values[i]));
        joined += (i ? "." : "") + std::to_string(values[i]);
    }
    full = Ascii(joined);
}

} // namespace

std::optional<std::vector<uint8_t>> ReadElfSection(const std::filesystem::path& path, std::string_view section)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    in.seekg(0, std::ios::end);
    const std::streamoff end = in.tellg();
    if (end < EI_NIDENT)
        return std::nullopt;
    const uint64_t fileSize = static_cast<uint64_t>(end);
    unsigned char ident[EI_NIDENT];
    if (!ReadAt(in, 0, ident, sizeof ident, fileSize) || std::memcmp(ident, ELFMAG, SELFMAG) != 0)
        return std::nullopt;
    // Only files of this machine's byte order are read: the block is ours.
    const bool littleEndianHost = std::endian::native == std::endian::little;
    if (ident[EI_DATA] != (littleEndianHost ? ELFDATA2LSB : ELFDATA2MSB))
        return std::nullopt;
    if (ident[EI_CLASS] == ELFCLASS64)
        return FindSection<Elf64_Ehdr, Elf64_Shdr>(in, fileSize, section);
    if (ident[EI_CLASS] == ELFCLASS32)
        return FindSection<Elf32_Ehdr, Elf32_Shdr>(in, fileSize, section);
    return std::nullopt;
}

CFileVersions::CFileVersions() : fileVersion_(u"0.0.0.0"), productVersion_(u"0.0.0.0")
{
    fileParts_.fill(u"0");
    productParts_.fill(u"0");
}

void CFileVersions::SetToModulePath()
{
    std::error_code ec;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", ec);
    path_ = ec ? std::u16string() : self.u16string();
}

bool CFileVersions::Read()
{
    if (path_.empty())
        return false;
    std::optional<std::vector<uint8_t>> block = ReadElfSection(std::filesystem::path(path_), VERSION_SECTION_NAME);
    if (!block || block->size() != VERSION_BLOCK_SIZE || Word(*block, 0) != VERSION_BLOCK_SIGNATURE)
        return false;
    FillParts(fileParts_, fileVersion_, Word(*block, 2), Word(*block, 3));
    FillParts(productParts_, productVersion_, Word(*block, 4), Word(*block, 5));
    return true;
}

std::u16string CFileVersions::DriverVersionText() const
{
    int minor = 0;
    for (char16_t c : productParts_[1])
        minor = minor * 10 + (c - u'0');
    std::string digits = std::to_string(minor);
    if (digits.size() < 2)
        digits.insert(0, 2 - digits.size(), '0');
    return productParts_[0] + u"." + Ascii(digits);
}
