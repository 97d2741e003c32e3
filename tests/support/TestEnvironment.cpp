// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/TestEnvironment.h"

#include <cstdlib>

void SetDefaultTestEnvironment()
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    setenv("ZT_SOURCE_DIR", ZT_TEST_SOURCE_DIR, 0);
    setenv("ZT_APP_DIR", ZT_TEST_APP_DIR, 0);
}
