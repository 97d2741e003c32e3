// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program of the focused window on an X11 display: the root window's
// _NET_ACTIVE_WINDOW, that window's _NET_WM_PID, and the process's executable.
// It keeps a connection of its own, independent of the display the tray draws on.
#include <QString>

#include <memory>
#include <optional>

struct xcb_connection_t;

class CX11FocusWatcher {
public:
    // Nothing when there is no X server to connect to (for example a Wayland
    // session without one) or when this build has no X11 support.
    static std::unique_ptr<CX11FocusWatcher> Connect(const char* display = nullptr);
    ~CX11FocusWatcher();
    CX11FocusWatcher(const CX11FocusWatcher&) = delete;
    CX11FocusWatcher& operator=(const CX11FocusWatcher&) = delete;

    // The focused window's process id; nothing when no window has the focus, the
    // window does not tell its process, or the connection is lost.
    std::optional<long> ActiveProcess() const;
    // The executable of the focused window's process; nothing when unknown.
    std::optional<QString> ActiveProgram() const;

private:
    explicit CX11FocusWatcher(xcb_connection_t* connection);

    xcb_connection_t* connection_;
    unsigned root_ = 0;
    unsigned activeAtom_ = 0;
    unsigned pidAtom_ = 0;
};

// Where the tray learns the focused program: the X server, when the tray is on
// X11 (`platformName` "xcb") and the server answers. Elsewhere (a Wayland session,
// whose compositor does not tell other programs which window has the focus, or a
// session without a display) there is no watcher and `unavailable` says so.
struct FocusWatchChoice {
    std::unique_ptr<CX11FocusWatcher> watcher;
    QString unavailable;
};
FocusWatchChoice ChooseFocusWatch(const QString& platformName, const char* display = nullptr);

// The executable of a process (the target of /proc/PID/exe); nothing when the
// process is gone or not ours to look at.
std::optional<QString> ExecutableOfProcess(long pid);
