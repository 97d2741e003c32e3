// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// zemko-tovik-ctl: every setting of the mouse from the command line. Results go
// to `out`, messages for people to `err`; the answer is the exit code.
#include <cstdio>
#include <string>
#include <vector>

int RunCtl(const std::vector<std::string>& arguments, FILE* out, FILE* err);
