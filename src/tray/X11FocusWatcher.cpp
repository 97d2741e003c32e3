// SPDX-License-Identifier: GPL-3.0-or-later
#include "tray/X11FocusWatcher.h"

#include "tray/TrayTexts.h"

#include <QFileInfo>

#ifdef ZT_HAVE_XCB
#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>
#endif

namespace {

#ifdef ZT_HAVE_XCB
unsigned InternAtom(xcb_connection_t* connection, const char* name)
{
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 1, static_cast<uint16_t>(std::strlen(name)), name), nullptr);
    const unsigned atom = reply ? reply->atom : unsigned(XCB_ATOM_NONE);
    std::free(reply);
    return atom;
}

// One 32-bit value of a property; nothing when it is missing or of another shape.
std::optional<uint32_t> CardinalProperty(xcb_connection_t* connection, unsigned window, unsigned property,
                                         unsigned type)
{
    if (property == XCB_ATOM_NONE)
        return std::nullopt;
    xcb_get_property_reply_t* reply =
        xcb_get_property_reply(connection, xcb_get_property(connection, 0, window, property, type, 0, 1), nullptr);
    std::optional<uint32_t> value;
    if (reply && reply->format == 32 && xcb_get_property_value_length(reply) >= 4) {
        uint32_t raw = 0;
        std::memcpy(&raw, xcb_get_property_value(reply), sizeof raw);
        value = raw;
    }
    std::free(reply);
    return value;
}
#endif

} // namespace

std::optional<QString> ExecutableOfProcess(long pid)
{
    if (pid <= 0)
        return std::nullopt;
    const QFileInfo link(QStringLiteral("/proc/%1/exe").arg(pid));
    QString target = link.symLinkTarget();
    if (target.isEmpty())
        return std::nullopt;
    // A program replaced on disk while it runs is still the same program.
    const QString deleted = QStringLiteral(" (deleted)");
    if (target.endsWith(deleted))
        target.chop(deleted.size());
    return target;
}

#ifdef ZT_HAVE_XCB

std::unique_ptr<CX11FocusWatcher> CX11FocusWatcher::Connect(const char* display)
{
    int screenNumber = 0;
    xcb_connection_t* connection = xcb_connect(display, &screenNumber);
    if (!connection || xcb_connection_has_error(connection)) {
        if (connection)
            xcb_disconnect(connection);
        return nullptr;
    }
    std::unique_ptr<CX11FocusWatcher> watcher(new CX11FocusWatcher(connection));
    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(connection));
    for (int i = 0; i < screenNumber && screens.rem; ++i)
        xcb_screen_next(&screens);
    if (!screens.rem)
        return nullptr;
    watcher->root_ = screens.data->root;
    watcher->activeAtom_ = InternAtom(connection, "_NET_ACTIVE_WINDOW");
    watcher->pidAtom_ = InternAtom(connection, "_NET_WM_PID");
    return watcher;
}

CX11FocusWatcher::CX11FocusWatcher(xcb_connection_t* connection) : connection_(connection) {}

CX11FocusWatcher::~CX11FocusWatcher()
{
    xcb_disconnect(connection_);
}

std::optional<long> CX11FocusWatcher::ActiveProcess() const
{
    if (xcb_connection_has_error(connection_))
        return std::nullopt;
    const std::optional<uint32_t> window = CardinalProperty(connection_, root_, activeAtom_, XCB_ATOM_WINDOW);
    if (!window || *window == XCB_WINDOW_NONE)
        return std::nullopt;
    const std::optional<uint32_t> pid = CardinalProperty(connection_, *window, pidAtom_, XCB_ATOM_CARDINAL);
    if (!pid || *pid == 0)
        return std::nullopt;
    return static_cast<long>(*pid);
}

#else

std::unique_ptr<CX11FocusWatcher> CX11FocusWatcher::Connect(const char*)
{
    return nullptr;
}

CX11FocusWatcher::CX11FocusWatcher(xcb_connection_t* connection) : connection_(connection) {}

CX11FocusWatcher::~CX11FocusWatcher() = default;

std::optional<long> CX11FocusWatcher::ActiveProcess() const
{
    return std::nullopt;
}

#endif

std::optional<QString> CX11FocusWatcher::ActiveProgram() const
{
    const std::optional<long> pid = ActiveProcess();
    return pid ? ExecutableOfProcess(*pid) : std::nullopt;
}

FocusWatchChoice ChooseFocusWatch(const QString& platformName, const char* display)
{
    FocusWatchChoice choice;
    // An X server reached beside a Wayland session (XWayland) only knows its own
    // windows, so it is asked only when the tray itself is on X11.
    if (platformName == QLatin1String("xcb"))
        choice.watcher = CX11FocusWatcher::Connect(display);
    if (!choice.watcher)
        choice.unavailable = traytext::AutoSwitchUnavailable();
    return choice;
}
