// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The application's logging categories (zemko.tovik.<subsystem>): warnings are
// shown, debug output only when QT_LOGGING_RULES turns it on.
#include <QLoggingCategory>

// Start-up, the main window and what it writes (screenshots).
Q_DECLARE_LOGGING_CATEGORY(lcApp)
// Problems the device emulator meets with its devices' files.
Q_DECLARE_LOGGING_CATEGORY(lcEmulator)
