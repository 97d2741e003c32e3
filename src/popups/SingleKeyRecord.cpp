// SPDX-License-Identifier: GPL-3.0-or-later
#include "popups/SingleKeyRecord.h"

std::u16string SingleKeyText(const SingleKeyRecord& record)
{
    std::u16string text;
    auto append = [&text](std::u16string_view part) {
        if (!text.empty())
            text += u'+';
        text += part;
    };
    if (record.modifiers & SingleKeyRecord::kShift)
        append(u"Shift");
    if (record.modifiers & SingleKeyRecord::kCtrl)
        append(u"Ctrl");
    if (record.modifiers & SingleKeyRecord::kAlt)
        append(u"Alt");
    if (!record.text.empty())
        append(record.text);
    return text;
}
