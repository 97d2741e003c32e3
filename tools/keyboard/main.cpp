// SPDX-License-Identifier: GPL-3.0-or-later
// Writes the binary key file and default file that the default skin ships, from
// the standard key table, so the program never depends on hand-made binaries.
//   zemko-tovik-keyfiles <key file> <default file>
#include "skin/keyboard/StandardKeyboard.h"

#include "platform/core/AtomicFile.h"

#include <cstdio>
#include <string>
#include <vector>

namespace {

bool WriteKeyFile(const std::filesystem::path& path, const std::vector<uint8_t>& bytes)
{
    std::error_code ec;
    if (path.has_parent_path())
        std::filesystem::create_directories(path.parent_path(), ec);
    std::string error;
    if (WriteFileAtomically(path, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()), error,
                            NewFileAccess::Shared))
        return true;
    std::fprintf(stderr, "%s\n", error.c_str());
    return false;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s <key file> <default file>\n", argv[0]);
        return 2;
    }
    const std::vector<KeyRecord> records = BuildStandardKeyRecords();
    const std::vector<KeyDefault> defaults = BuildStandardKeyDefaults(records);
    if (!WriteKeyFile(argv[1], SerializeKeyFile(records))) {
        std::fprintf(stderr, "cannot write %s\n", argv[1]);
        return 1;
    }
    if (!WriteKeyFile(argv[2], SerializeDefaultFile(defaults))) {
        std::fprintf(stderr, "cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
