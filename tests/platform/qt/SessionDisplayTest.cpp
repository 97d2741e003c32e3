// SPDX-License-Identifier: GPL-3.0-or-later
// The tray ends with a reason, rather than Qt's abort, in a session it cannot
// show an icon in; everywhere else it goes on.
#include "platform/SessionDisplay.h"

#include <gtest/gtest.h>

TEST(SessionDisplay, OnlyASessionWithoutAnyUsableDisplayIsRefused)
{
    const struct {
        const char* name;
        std::vector<std::pair<const char*, const char*>> variables;
        bool waylandPlugin;
        bool refused;
    } cases[] = {
        {"X11", {{"DISPLAY", ":0"}}, false, false},
        {"Wayland with XWayland", {{"WAYLAND_DISPLAY", "wayland-0"}, {"DISPLAY", ":1"}}, false, false},
        {"Wayland with Qt's Wayland support", {{"WAYLAND_DISPLAY", "wayland-0"}}, true, false},
        {"Wayland without either", {{"WAYLAND_DISPLAY", "wayland-0"}}, false, true},
        {"Wayland named by the session type only", {{"XDG_SESSION_TYPE", "wayland"}}, false, true},
        {"platform chosen by the user", {{"QT_QPA_PLATFORM", "offscreen"}}, false, false},
        {"no display at all", {{"DISPLAY", ""}}, true, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QProcessEnvironment environment;
        for (const auto& [name, value] : c.variables)
            environment.insert(QString::fromLatin1(name), QString::fromLatin1(value));
        const std::optional<QString> reason =
            NoDisplayReason(environment, [&](const QString& plugin) { return plugin == "wayland" && c.waylandPlugin; });
        EXPECT_EQ(reason.has_value(), c.refused);
    }
    // Qt's own X11 support comes with Qt itself.
    EXPECT_TRUE(QtHasPlatformPlugin(QStringLiteral("xcb")));
    EXPECT_FALSE(QtHasPlatformPlugin(QStringLiteral("no-such-platform")));
}

TEST(SessionDisplay, XWaylandIsPreferredInAWaylandSessionUnlessTheUserChoseAPlatform)
{
    const struct {
        const char* name;
        std::vector<std::pair<const char*, const char*>> variables;
        std::optional<QString> platform;
    } cases[] = {
        {"Wayland with XWayland", {{"WAYLAND_DISPLAY", "wayland-0"}, {"DISPLAY", ":1"}}, "xcb;wayland"},
        {"Wayland alone", {{"WAYLAND_DISPLAY", "wayland-0"}}, std::nullopt},
        {"X11 alone", {{"DISPLAY", ":0"}}, std::nullopt},
        {"the user's choice",
         {{"WAYLAND_DISPLAY", "wayland-0"}, {"DISPLAY", ":1"}, {"QT_QPA_PLATFORM", "wayland"}},
         std::nullopt},
        {"nothing", {}, std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QProcessEnvironment environment;
        for (const auto& [name, value] : c.variables)
            environment.insert(QString::fromLatin1(name), QString::fromLatin1(value));
        EXPECT_EQ(PreferredPlatform(environment), c.platform);
    }
}
