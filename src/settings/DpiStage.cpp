// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/DpiStage.h"

bool SameEffectiveSensitivity(const DpiStage& a, const DpiStage& b)
{
    if (a.separate != b.separate)
        return false;
    if (a.separate)
        return a.x == b.x && a.y == b.y;
    return a.dpi == b.dpi;
}
