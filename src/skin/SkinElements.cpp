// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/SkinElements.h"

#include <algorithm>

int ScrollBarInfo::Width() const
{
    int widest = 0;
    for (const SkinBitmap* bitmap : {&top, &bottom, &arrowUp, &arrowDown, &channel, &thumb})
        widest = std::max(widest, bitmap->image.width());
    return widest + borderWidth;
}
