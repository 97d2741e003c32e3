// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/AppLog.h"

Q_LOGGING_CATEGORY(lcApp, "zemko.tovik.app", QtInfoMsg)
Q_LOGGING_CATEGORY(lcEmulator, "zemko.tovik.emulator", QtInfoMsg)
