// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Opening things the way a file manager would: web pages and documents in the
// user's default program, programs as new processes of their own.
#include <functional>
#include <string>
#include <string_view>

struct ShellRequest {
    std::u16string verb;       // "open" (any case) or empty; nothing else is supported
    std::u16string file;       // an address ("https://...", "mailto:...") or a path
    std::u16string parameters; // command-line parameters for a program
    std::u16string directory;  // working directory for a program; relative paths are resolved against it
};

// Opens `file`: an address or an existing non-program file in the default
// program, an executable file as a detached process. True when that was started;
// false for a missing file, an unsupported verb or a start that failed.
bool ShellOpen(const ShellRequest& request);

// Replaces what ShellOpen does (tests of pages that open manuals and web pages
// record the requests instead of starting a browser). An empty function restores
// the real behaviour.
void SetShellOpenHandler(std::function<bool(const ShellRequest&)> handler);
