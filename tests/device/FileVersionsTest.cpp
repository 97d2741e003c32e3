// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/FileVersions.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <elf.h>
#include <fstream>

#include "support/TempDir.h"

namespace {

std::vector<uint8_t> VersionBlock(uint32_t fileMs, uint32_t fileLs, uint32_t productMs, uint32_t productLs)
{
    const uint32_t words[13] = {
        VERSION_BLOCK_SIGNATURE, 0x10000, fileMs, fileLs, productMs, productLs, 0, 0, 0, 1, 0, 0, 0};
    std::vector<uint8_t> bytes(sizeof words);
    std::memcpy(bytes.data(), words, sizeof words);
    return bytes;
}

// A minimal 64-bit ELF file with a section-name table and one named section.
std::vector<uint8_t> ElfWithSection(const std::string& name, const std::vector<uint8_t>& contents)
{
    const std::string names = std::string("\0.shstrtab\0", 11) + name + '\0';
    Elf64_Ehdr header{};
    std::memcpy(header.e_ident, ELFMAG, SELFMAG);
    header.e_ident[EI_CLASS] = ELFCLASS64;
    header.e_ident[EI_DATA] = ELFDATA2LSB;
    header.e_ident[EI_VERSION] = EV_CURRENT;
    header.e_type = ET_EXEC;
    header.e_ehsize = sizeof(Elf64_Ehdr);
    header.e_shentsize = sizeof(Elf64_Shdr);
    header.e_shnum = 3;
    header.e_shstrndx = 1;
    const size_t namesAt = sizeof header;
    const size_t contentsAt = namesAt + names.size();
    header.e_shoff = contentsAt + contents.size();
    Elf64_Shdr sections[3]{};
    sections[1].sh_name = 1;
    sections[1].sh_type = SHT_STRTAB;
    sections[1].sh_offset = namesAt;
    sections[1].sh_size = names.size();
    sections[2].sh_name = 11;
    sections[2].sh_type = SHT_PROGBITS;
    sections[2].sh_offset = contentsAt;
    sections[2].sh_size = contents.size();
    std::vector<uint8_t> file(header.e_shoff + sizeof sections);
    std::memcpy(file.data(), &header, sizeof header);
    std::memcpy(file.data() + namesAt, names.data(), names.size());
    std::memcpy(file.data() + contentsAt, contents.data(), contents.size());
    std::memcpy(file.data() + header.e_shoff, sections, sizeof sections);
    return file;
}

std::u16string Write(const TempDir& dir, const char* name, const std::vector<uint8_t>& bytes)
{
    std::ofstream(dir / name, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    return (dir / name).u16string();
}

} // namespace

TEST(FileVersions, ReadsTheBlockThisBuildEmbedded)
{
    CFileVersions versions;
    versions.SetToModulePath();
    ASSERT_FALSE(versions.Path().empty());
    ASSERT_TRUE(versions.Read());
    std::string expected = ZT_PROJECT_VERSION;
    while (std::count(expected.begin(), expected.end(), '.') < 3)
        expected += ".0";
    EXPECT_EQ(versions.ProductVersion(), std::u16string(expected.begin(), expected.end()));
    EXPECT_EQ(versions.FileVersion(), versions.ProductVersion());
}

TEST(FileVersions, SplitsWordsIntoPartsAndFormatsTheDriverLine)
{
    TempDir dir;
    CFileVersions versions;
    versions.SetPath(
        Write(dir, "a", ElfWithSection(".zt_version", VersionBlock(0x00020003, 0x00040005, 0x00010005, 0))));
    ASSERT_TRUE(versions.Read());
    EXPECT_EQ(versions.FileVersion(), u"2.3.4.5");
    EXPECT_EQ(versions.FileVersionParts()[2], u"4");
    EXPECT_EQ(versions.ProductVersion(), u"1.5.0.0");
    EXPECT_EQ(versions.DriverVersionText(), u"1.05");

    versions.SetPath(Write(dir, "b", ElfWithSection(".zt_version", VersionBlock(0, 0, 0x0001000C, 0x00030004))));
    ASSERT_TRUE(versions.Read());
    EXPECT_EQ(versions.DriverVersionText(), u"1.12");
    EXPECT_EQ(versions.ProductVersionParts()[3], u"4");
}

TEST(FileVersions, AnythingButAFiftyTwoByteBlockIsAbsent)
{
    TempDir dir;
    std::vector<uint8_t> shortBlock = VersionBlock(1, 1, 1, 1);
    shortBlock.resize(48);
    std::vector<uint8_t> longBlock = VersionBlock(1, 1, 1, 1);
    longBlock.resize(56);
    std::vector<uint8_t> unsigned_ = VersionBlock(1, 1, 1, 1);
    unsigned_[0] ^= 0xFF;
    std::vector<uint8_t> truncatedElf = ElfWithSection(".zt_version", VersionBlock(1, 1, 1, 1));
    truncatedElf.resize(truncatedElf.size() - 10);

    const std::vector<std::u16string> paths = {
        Write(dir, "short", ElfWithSection(".zt_version", shortBlock)),
        Write(dir, "long", ElfWithSection(".zt_version", longBlock)),
        Write(dir, "unsigned", ElfWithSection(".zt_version", unsigned_)),
        Write(dir, "other", ElfWithSection(".zt_other", VersionBlock(1, 1, 1, 1))),
        Write(dir, "truncated", truncatedElf),
        Write(dir, "text", {'h', 'e', 'l', 'l', 'o'}),
        (dir / "missing").u16string(),
        u""};
    for (const std::u16string& path : paths) {
        CFileVersions versions;
        versions.SetPath(path);
        EXPECT_FALSE(versions.Read());
        EXPECT_EQ(versions.ProductVersion(), u"0.0.0.0");
        EXPECT_EQ(versions.FileVersionParts()[0], u"0");
        EXPECT_EQ(versions.DriverVersionText(), u"0.00");
    }
}
