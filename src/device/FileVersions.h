// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// `CFileVersions`: the file and product version of an executable, read from the
// 52-byte fixed version block the build embeds in its ".zt_version" ELF section.
#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

constexpr uint32_t VERSION_BLOCK_SIGNATURE = 0xFEEF04BD;
constexpr size_t VERSION_BLOCK_SIZE = 52;
constexpr const char* VERSION_SECTION_NAME = ".zt_version";

// The contents of the named section of an ELF file; nothing when the file is not a
// readable ELF file or has no such section.
std::optional<std::vector<uint8_t>> ReadElfSection(const std::filesystem::path& path, std::string_view section);

class CFileVersions {
public:
    CFileVersions();
    virtual ~CFileVersions() = default;

    // The path becomes that of the running executable.
    void SetToModulePath();
    void SetPath(std::u16string path) { path_ = std::move(path); }
    const std::u16string& Path() const { return path_; }

    // Fills the version strings from the file; false (strings unchanged) when the
    // path is empty, the file has no version block or the block is not 52 bytes.
    bool Read();

    const std::u16string& FileVersion() const { return fileVersion_; }
    const std::u16string& ProductVersion() const { return productVersion_; }
    // major, minor, build, revision
    const std::array<std::u16string, 4>& FileVersionParts() const { return fileParts_; }
    const std::array<std::u16string, 4>& ProductVersionParts() const { return productParts_; }

    // The product version as the driver line shows it: major, then minor as two
    // digits ("1.05" for 1.5.0.0).
    std::u16string DriverVersionText() const;

private:
    std::u16string path_;
    std::u16string fileVersion_;
    std::u16string productVersion_;
    std::array<std::u16string, 4> fileParts_;
    std::array<std::u16string, 4> productParts_;
};
