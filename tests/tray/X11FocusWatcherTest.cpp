// SPDX-License-Identifier: GPL-3.0-or-later
// The focused window's program on a real X server (Xvfb): windows of two helper
// processes carry their process ids, and the test makes one after the other the
// active window the way a window manager would.
#include "tray/X11FocusWatcher.h"

#include <gtest/gtest.h>

#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>

#ifdef ZT_HAVE_XCB
#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>

namespace {

class XServer {
public:
    XServer()
    {
        const QString xvfb = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
        if (xvfb.isEmpty())
            return;
        server_.start(xvfb, {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-nolisten"),
                             QStringLiteral("tcp"), QStringLiteral("-screen"), QStringLiteral("0"),
                             QStringLiteral("320x240x24")});
        if (!server_.waitForStarted())
            return;
        QByteArray number;
        const bool announced = QTest::qWaitFor(
            [&] {
                server_.waitForReadyRead(50);
                number += server_.readAllStandardOutput();
                return number.contains('\n');
            },
            20000);
        if (announced)
            display_ = ":" + number.trimmed().toStdString();
    }
    ~XServer()
    {
        server_.terminate();
        server_.waitForFinished();
    }
    const std::string& Display() const { return display_; }

private:
    QProcess server_;
    std::string display_;
};

unsigned Atom(xcb_connection_t* connection, const char* name)
{
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 0, static_cast<uint16_t>(std::strlen(name)), name), nullptr);
    const unsigned atom = reply ? reply->atom : 0;
    std::free(reply);
    return atom;
}

class X11FocusWatcherTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (server_.Display().empty())
            GTEST_SKIP() << "Xvfb is not available";
        connection_ = xcb_connect(server_.Display().c_str(), nullptr);
        ASSERT_FALSE(xcb_connection_has_error(connection_));
        screen_ = xcb_setup_roots_iterator(xcb_get_setup(connection_)).data;
        active_ = Atom(connection_, "_NET_ACTIVE_WINDOW");
        pid_ = Atom(connection_, "_NET_WM_PID");
    }
    void TearDown() override
    {
        for (QProcess* helper : {&sleeper_, &tailer_}) {
            helper->kill();
            helper->waitForFinished();
        }
        if (connection_)
            xcb_disconnect(connection_);
    }

    unsigned Window(std::optional<long> pid)
    {
        const xcb_window_t window = xcb_generate_id(connection_);
        xcb_create_window(connection_, XCB_COPY_FROM_PARENT, window, screen_->root, 0, 0, 40, 40, 0,
                          XCB_WINDOW_CLASS_INPUT_OUTPUT, screen_->root_visual, 0, nullptr);
        if (pid) {
            const uint32_t value = static_cast<uint32_t>(*pid);
            xcb_change_property(connection_, XCB_PROP_MODE_REPLACE, window, pid_, XCB_ATOM_CARDINAL, 32, 1, &value);
        }
        xcb_map_window(connection_, window);
        xcb_flush(connection_);
        return window;
    }
    void Activate(uint32_t window)
    {
        xcb_change_property(connection_, XCB_PROP_MODE_REPLACE, screen_->root, active_, XCB_ATOM_WINDOW, 32, 1,
                            &window);
        free(xcb_get_input_focus_reply(connection_, xcb_get_input_focus(connection_), nullptr)); // a round trip
    }
    static QString Start(QProcess& process, const QString& program, const QStringList& arguments)
    {
        process.start(program, arguments);
        EXPECT_TRUE(process.waitForStarted());
        return QFileInfo(QStandardPaths::findExecutable(program)).canonicalFilePath();
    }

    XServer server_;
    xcb_connection_t* connection_ = nullptr;
    xcb_screen_t* screen_ = nullptr;
    unsigned active_ = 0;
    unsigned pid_ = 0;
    QProcess sleeper_;
    QProcess tailer_;
};

} // namespace

TEST_F(X11FocusWatcherTest, FollowsTheActiveWindowToItsProgram)
{
    const QString sleep = Start(sleeper_, QStringLiteral("sleep"), {QStringLiteral("60")});
    const QString tail = Start(tailer_, QStringLiteral("tail"), {QStringLiteral("-f"), QStringLiteral("/dev/null")});
    const unsigned sleepWindow = Window(sleeper_.processId());
    const unsigned tailWindow = Window(tailer_.processId());
    const unsigned silentWindow = Window(std::nullopt);

    std::unique_ptr<CX11FocusWatcher> watcher = CX11FocusWatcher::Connect(server_.Display().c_str());
    ASSERT_TRUE(watcher);
    EXPECT_EQ(watcher->ActiveProgram(), std::nullopt); // no window manager has set anything yet

    const struct {
        unsigned window;
        std::optional<QString> program;
    } steps[] = {
        {sleepWindow, sleep}, {tailWindow, tail}, {silentWindow, std::nullopt}, {0, std::nullopt}, {sleepWindow, sleep},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.program.value_or(QStringLiteral("(none)")).toStdString());
        Activate(step.window);
        EXPECT_EQ(watcher->ActiveProgram(), step.program);
    }

    // The process behind the window ends: its program can no longer be learnt.
    Activate(tailWindow);
    tailer_.kill();
    tailer_.waitForFinished();
    EXPECT_EQ(watcher->ActiveProgram(), std::nullopt);
}

TEST_F(X11FocusWatcherTest, OnlyATrayDrawnOnX11AsksTheXServer)
{
    // Beside a Wayland session an X server (XWayland) knows only its own windows.
    const struct {
        const char* platform;
        std::string display;
        bool watches;
    } cases[] = {
        {"xcb", server_.Display(), true},
        {"wayland", server_.Display(), false},
        {"offscreen", server_.Display(), false},
        {"xcb", ":4711", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.platform) + " " + c.display);
        const FocusWatchChoice choice = ChooseFocusWatch(QString::fromUtf8(c.platform), c.display.c_str());
        EXPECT_EQ(bool(choice.watcher), c.watches);
        EXPECT_EQ(choice.unavailable.isEmpty(), c.watches);
    }
}

TEST(X11FocusWatcher, NoServerMeansNoWatcher)
{
    EXPECT_EQ(CX11FocusWatcher::Connect(":4711"), nullptr);
    EXPECT_EQ(ExecutableOfProcess(0), std::nullopt);
    EXPECT_EQ(ExecutableOfProcess(-5), std::nullopt);
}

#endif
