// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds arbitrary bytes to both keyboard file readers and checks what they accept.
#include "skin/keyboard/KeyFileFormat.h"
#include "skin/keyboard/KeyboardDef.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::span<const uint8_t> bytes(data, size);
    KeyFileParse parsed = ParseKeyFile(bytes);
    for (const KeyRecord& record : parsed.records) {
        if (record.name.size() > KEY_NAME_MAX_UNITS)
            std::abort();
    }
    if (parsed.complete) {
        // What was accepted must survive a round trip unchanged in count.
        KeyFileParse again = ParseKeyFile(SerializeKeyFile(parsed.records));
        if (!again.complete || again.records.size() != parsed.records.size())
            std::abort();
    }
    auto defaults = ParseDefaultFile(bytes);
    if (defaults && defaults->size() * 8 + 4 > size)
        std::abort();
    CKeyboardDef def;
    def.LoadDefinition(bytes);
    def.LoadDefaults(bytes);
    def.KeyByDeviceCode(size > 4 ? uint32_t(data[0]) << 16 | data[1] : 0);
    return 0;
}
