// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/TestEnvironment.h"

#include <cstdlib>

void SetDefaultTestEnvironment()
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    setenv("ZT_SOURCE_DIR", ZT_TEST_SOURCE_DIR, 0);
    setenv("ZT_APP_DIR", ZT_TEST_APP_DIR, 0);
}

int TestTimeScale()
{
    if (const char* text = std::getenv("ZT_TEST_TIME_SCALE")) {
        const int scale = std::atoi(text);
        if (scale >= 1)
            return scale;
    }
    return ZT_TEST_DEFAULT_TIME_SCALE;
}
