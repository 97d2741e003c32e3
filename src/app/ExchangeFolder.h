// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where the file dialogs that export and import profiles and macros start: the
// folder the user last chose such a file in, else their documents folder (the
// XDG user directory), else their home folder; never the program's data folder,
// which a system installation leaves read-only.
#include "platform/ModalService.h"

#include <optional>
#include <string>
#include <string_view>

// The folder to start in, ending in "/". The last used folder counts only while
// it still exists.
std::u16string ExchangeStartFolder();

// Remembers the folder of `path` (a file) as the last used one, for this run and
// the next ones (in the user's registry key). Nothing when it cannot be stored.
void RememberExchangeFolder(std::u16string_view path);

// The open and save dialogs of exported files: `request` starts in
// ExchangeStartFolder(), and the folder of a chosen file is remembered. Nothing
// when the user cancelled.
std::optional<std::u16string> AskExchangeFileToOpen(FileDialogRequest request);
std::optional<std::u16string> AskExchangeFileToSave(FileDialogRequest request);
