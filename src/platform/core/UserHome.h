// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The user's home directory, the same for every program of ours whatever the
// environment it was started with.
#include <string>

// $HOME when it is an absolute path, else the home directory of the account this
// process runs as (password database); empty when neither exists, so that callers
// refuse instead of falling back on the working directory.
std::string UserHomeDirectory();
