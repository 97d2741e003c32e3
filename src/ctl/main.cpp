// SPDX-License-Identifier: GPL-3.0-or-later
// zemko-tovik-ctl: every setting of the mouse from the command line, over the same
// settings and device layers the window uses.
#include "ctl/Ctl.h"

#include <cstdio>
#include <string>
#include <vector>

int main(int argc, char** argv)
{
    std::vector<std::string> arguments(argv + 1, argv + argc);
    const int code = RunCtl(arguments, stdout, stderr);
    std::fflush(stdout);
    return code;
}
