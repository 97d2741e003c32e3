// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Gives every test process the variables tests look for (source tree, assembled
// application directory, offscreen Qt platform) unless the caller already set them,
// so a test executable behaves the same under CTest and when started by hand.
void SetDefaultTestEnvironment();

// How many times longer than usual a test waits before it calls something hung:
// more than 1 in sanitizer builds, which run several times slower.
// ZT_TEST_TIME_SCALE overrides the build's value.
int TestTimeScale();
