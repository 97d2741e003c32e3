// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Whether this session has a display Qt can open a window on. Qt ends the
// process with an abort when it finds none, so the programs ask first and, when
// there is none, say why and end on their own with exit code 1.
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

// While it lives, a display that is named but cannot be opened (DISPLAY pointing
// at no X server, a Wayland socket that is gone) ends the process with exit code
// 1 and the line "PROGRAM: cannot open a window: REASON" on standard error,
// where Qt would abort. Hold it only around the construction of the application
// object: any fatal message meanwhile is taken as that failure. One at a time.
class DisplayFailureExit {
public:
    explicit DisplayFailureExit(const char* program);
    ~DisplayFailureExit();
    DisplayFailureExit(const DisplayFailureExit&) = delete;
    DisplayFailureExit& operator=(const DisplayFailureExit&) = delete;
};

// Which Qt platform a skinned program should ask for in this session, or nothing
// to leave Qt's own choice. In a Wayland session that also offers X11
// (XWayland), X11 is chosen: there the program can place its popups beside the
// main window and cut its windows to shape, which a Wayland client cannot do;
// Wayland stays the fallback ("xcb;wayland", a list Qt tries in order). A
// platform the user named (QT_QPA_PLATFORM) is always kept.
std::optional<QString> PreferredPlatform(const QProcessEnvironment& environment);
