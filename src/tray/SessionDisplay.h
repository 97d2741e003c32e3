// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Whether this session has a display Qt can show the tray on. Qt ends the
// process with an abort when it finds none, so the tray asks first and, when
// there is none, says why and ends on its own.
#include <QProcessEnvironment>
#include <QString>

#include <functional>
#include <optional>

// Why no display can be opened, or nothing when one can be (or when the user
// named a Qt platform, which is then theirs to judge). `hasPlatformPlugin` tells
// whether Qt has the platform plugin of that name ("wayland").
std::optional<QString> NoDisplayReason(const QProcessEnvironment& environment,
                                       const std::function<bool(const QString&)>& hasPlatformPlugin);

// Whether one of Qt's plugin folders holds a platform plugin of that name.
bool QtHasPlatformPlugin(const QString& name);
