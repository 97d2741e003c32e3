// SPDX-License-Identifier: GPL-3.0-or-later
// main() for test executables without widgets.
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    SetDefaultTestEnvironment();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
