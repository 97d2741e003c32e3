// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds arbitrary bytes to the language-file reader and looks the file's own lines
// up again; any crash or sanitizer report is a bug.
#include "skin/LangTable.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CLangTable table;
    if (table.LoadFromBytes(data, size) == LangFileStatus::Malformed)
        return 0;
    std::u16string probe(table.Title().substr(0, 70));
    table.Translate(u"$" + probe);
    table.Translate(u"#" + probe);
    table.Translate(u"$");
    return 0;
}
