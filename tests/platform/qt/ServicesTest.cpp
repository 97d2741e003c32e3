// SPDX-License-Identifier: GPL-3.0-or-later
// Single instance, shell open, debug output and the tick counter.
#include "platform/DebugOutput.h"
#include "platform/Shell.h"
#include "platform/SingleInstance.h"
#include "platform/core/TickCount.h"

#include "support/TempDir.h"

#include <QFile>
#include <QLocalSocket>
#include <QLockFile>
#include <QTest>
#include <atomic>
#include <fstream>
#include <gtest/gtest.h>
#include <optional>
#include <pwd.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

std::string UniqueName(const char* base)
{
    return std::string(base) + "_" + std::to_string(::getpid()) + "_" + std::to_string(GetTickCount());
}

TEST(SingleInstance, SecondCopyAsksTheFirstToComeForward)
{
    const std::string name = UniqueName("SINGLE_INSTANCE_TEST");
    SingleInstance first(name);
    int forwardRequests = 0;
    first.SetBringForwardHandler([&] { ++forwardRequests; });
    ASSERT_EQ(first.Claim(), SingleInstance::Outcome::First);

    SingleInstance second(name);
    EXPECT_EQ(second.Claim(), SingleInstance::Outcome::AnotherRunning);
    QTRY_COMPARE(forwardRequests, 1);

    SingleInstance third(name);
    EXPECT_EQ(third.Claim(), SingleInstance::Outcome::AnotherRunning);
    QTRY_COMPARE(forwardRequests, 2);
}

TEST(SingleInstance, SocketLeftByACrashedCopyDoesNotBlockTheNextStart)
{
    const std::string name = UniqueName("SINGLE_INSTANCE_STALE");
    SingleInstance probe(name);
    // A socket file that nobody listens on, as a crashed first copy leaves behind.
    std::ofstream(probe.SocketPath()) << "";
    SingleInstance next(name);
    EXPECT_EQ(next.Claim(), SingleInstance::Outcome::First);
    SingleInstance later(name);
    EXPECT_EQ(later.Claim(), SingleInstance::Outcome::AnotherRunning);
}

TEST(SingleInstance, CopyStartingMeanwhileMakesTheOtherWaitAndGiveUp)
{
    const std::string name = UniqueName("SINGLE_INSTANCE_BUSY");
    SingleInstance starting(name);
    QLockFile held(QString::fromStdString(starting.LockPath()));
    ASSERT_TRUE(held.tryLock(0));
    EXPECT_EQ(starting.Claim(std::chrono::milliseconds(20)), SingleInstance::Outcome::AnotherStarting);
    held.unlock();
    EXPECT_EQ(starting.Claim(std::chrono::milliseconds(20)), SingleInstance::Outcome::First);
}

TEST(SingleInstance, OtherRequestsAreIgnored)
{
    const std::string name = UniqueName("SINGLE_INSTANCE_JUNK");
    SingleInstance first(name);
    int forwardRequests = 0;
    first.SetBringForwardHandler([&] { ++forwardRequests; });
    ASSERT_EQ(first.Claim(), SingleInstance::Outcome::First);
    QLocalSocket junk;
    junk.connectToServer(QString::fromStdString(first.SocketPath()));
    ASSERT_TRUE(junk.waitForConnected(1000));
    junk.write("format-disk\n");
    junk.waitForBytesWritten(1000);
    QTest::qWait(50);
    EXPECT_EQ(forwardRequests, 0);
}

// Sets an environment variable for the scope, restoring it afterwards.
class ScopedVariable {
public:
    ScopedVariable(const char* name, const std::string* value) : name_(name)
    {
        if (const char* old = std::getenv(name))
            old_ = old;
        if (value)
            setenv(name, value->c_str(), 1);
        else
            unsetenv(name);
    }
    ~ScopedVariable()
    {
        if (old_)
            setenv(name_, old_->c_str(), 1);
        else
            unsetenv(name_);
    }

private:
    const char* name_;
    std::optional<std::string> old_;
};

TEST(SingleInstance, WithoutAPrivateRuntimeDirectoryNothingGoesToASharedOne)
{
    TempDir shared;
    std::filesystem::permissions(shared.path(), std::filesystem::perms::all | std::filesystem::perms::sticky_bit);
    const struct passwd* account = ::getpwuid(::geteuid());
    ASSERT_TRUE(account);
    const std::string tmp = shared.path().string();
    const std::string open = (shared / "open").string();
    const std::string link = (shared / "link").string();
    std::filesystem::create_directory(open);
    std::filesystem::permissions(open, std::filesystem::perms::all);
    std::filesystem::create_directory(shared / "private");
    std::filesystem::permissions(shared / "private", std::filesystem::perms::owner_all);
    std::filesystem::create_directory_symlink(shared / "private", link);
    // What the fallback would take is no directory of ours: another user got there first.
    std::ofstream(shared / (std::string("runtime-") + account->pw_name)) << "";
    struct Case {
        const char* what;
        const std::string* runtime;
    };
    for (const Case& c :
         {Case{"no runtime directory", nullptr}, Case{"a directory anyone may write", &open}, Case{"a link", &link}}) {
        SCOPED_TRACE(c.what);
        ScopedVariable temporary("TMPDIR", &tmp);
        ScopedVariable runtime("XDG_RUNTIME_DIR", c.runtime);
        const auto before = std::distance(std::filesystem::recursive_directory_iterator(shared.path()), {});
        SingleInstance instance(UniqueName("SINGLE_INSTANCE_SHARED"));
        EXPECT_EQ(instance.Claim(std::chrono::milliseconds(20)), SingleInstance::Outcome::Failed);
        EXPECT_EQ(std::distance(std::filesystem::recursive_directory_iterator(shared.path()), {}), before)
            << "a lock or socket was placed in a shared directory";
    }
}

TEST(SingleInstance, OnlyAPeerOfTheSameUserCounts)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "a listener of another user needs root to set up";
    TempDir runtimeDir;
    std::filesystem::permissions(runtimeDir.path(), std::filesystem::perms::owner_all);
    const std::string runtimePath = runtimeDir.path().string();
    ScopedVariable runtime("XDG_RUNTIME_DIR", &runtimePath);
    const std::string name = UniqueName("SINGLE_INSTANCE_PEER");
    SingleInstance ours(name);
    const std::string socketPath = ours.SocketPath();
    ASSERT_FALSE(socketPath.empty());
    // A listener that runs as another user answers at our socket's name.
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t other = ::fork();
    ASSERT_GE(other, 0);
    if (other == 0) {
        const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        if (::setresgid(65534, 65534, 65534) != 0 || ::setresuid(65534, 65534, 65534) != 0)
            _exit(2);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::snprintf(address.sun_path, sizeof address.sun_path, "%s", socketPath.c_str());
        // Bound before the uid change would do too; here the directory lets it in.
        if (::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 || ::listen(fd, 4) != 0)
            _exit(3);
        (void)!::write(ready[1], "r", 1);
        for (;;) {
            const int peer = ::accept(fd, nullptr, nullptr);
            if (peer >= 0)
                ::close(peer);
        }
    }
    ::close(ready[1]);
    std::filesystem::permissions(runtimeDir.path(), std::filesystem::perms::all); // let it bind
    char byte = 0;
    const bool listening = ::read(ready[0], &byte, 1) == 1;
    std::filesystem::permissions(runtimeDir.path(), std::filesystem::perms::owner_all);
    ::close(ready[0]);
    SingleInstance::Outcome outcome = SingleInstance::Outcome::First;
    if (listening)
        outcome = ours.Claim(std::chrono::milliseconds(200));
    ::kill(other, SIGKILL);
    ::waitpid(other, nullptr, 0);
    ASSERT_TRUE(listening);
    EXPECT_NE(outcome, SingleInstance::Outcome::AnotherRunning) << "another user's socket made this copy end";
    EXPECT_TRUE(std::filesystem::exists(socketPath)) << "another user's socket is not ours to remove";
}

TEST(ShellOpen, StartsAProgramWithItsParametersInItsDirectory)
{
    TempDir dir;
    const auto script = dir / "tray.sh";
    std::ofstream(script) << "#!/bin/sh\necho \"$1 $2\" > \"$PWD/started.txt\"\n";
    std::filesystem::permissions(script, std::filesystem::perms::owner_all);
    ShellRequest request{u"OPEN", u"tray.sh", u"one \"two words\"", dir.path().u16string()};
    EXPECT_TRUE(ShellOpen(request));
    QTRY_VERIFY(std::filesystem::exists(dir / "started.txt") && std::filesystem::file_size(dir / "started.txt") > 0);
    std::ifstream in(dir / "started.txt");
    std::string line;
    std::getline(in, line);
    EXPECT_EQ(line, "one two words");
}

TEST(ShellOpen, MissingFilesAndUnknownVerbsFail)
{
    TempDir dir;
    EXPECT_FALSE(ShellOpen({u"open", u"ZemkoTovikSysTray.exe", u"", dir.path().u16string()}));
    EXPECT_FALSE(ShellOpen({u"open", u"", u"", u""}));
    std::ofstream(dir / "manual.html") << "<html></html>";
    EXPECT_FALSE(ShellOpen({u"print", u"manual.html", u"", dir.path().u16string()}));
}

TEST(ShellOpen, HandlerReceivesRequestsInsteadOfTheDesktop)
{
    std::vector<std::u16string> opened;
    SetShellOpenHandler([&](const ShellRequest& r) {
        opened.push_back(r.file);
        return true;
    });
    EXPECT_TRUE(ShellOpen({u"OPEN", u"https://example.org/drivers", u"", u""}));
    SetShellOpenHandler({});
    EXPECT_EQ(opened, std::vector<std::u16string>{u"https://example.org/drivers"});
    EXPECT_FALSE(ShellOpen({u"open", u"/nonexistent/zt/manual.html", u"", u""})) << "real behaviour restored";
}

QStringList* gCaptured = nullptr;
void Capture(QtMsgType, const QMessageLogContext& context, const QString& text)
{
    if (gCaptured && QByteArray(context.category) == "zemko.tovik.debug")
        gCaptured->append(text);
}

TEST(DebugOutput, OffUnlessEnabledThenOneFormattedLinePerCall)
{
    QStringList captured;
    gCaptured = &captured;
    const auto previous = qInstallMessageHandler(Capture);

    DebugPrintf("slider paint %d\n", 3);
    EXPECT_TRUE(captured.isEmpty()) << "the category is off by default";

    QLoggingCategory::setFilterRules(QStringLiteral("zemko.tovik.debug.debug=true"));
    DebugPrintf("---  stages(%x) ---\n", 255);
    OutputDebugString("plain\n");
    OutputDebugStringW(u"wide \u00e9");
    DebugPrintf("%s", std::string(3000, 'x').c_str());
    QLoggingCategory::setFilterRules(QString());

    qInstallMessageHandler(previous);
    gCaptured = nullptr;
    ASSERT_EQ(captured.size(), 4);
    EXPECT_EQ(captured[0], "---  stages(ff) ---");
    EXPECT_EQ(captured[1], "plain");
    EXPECT_EQ(captured[2], QString::fromUtf16(u"wide \u00e9"));
    EXPECT_EQ(captured[3].size(), 3000) << "long lines are not cut";
}

TEST(TickCount, NeverRunsBackwards)
{
    const DWORD first = GetTickCount();
    QTest::qWait(20);
    const DWORD second = GetTickCount();
    EXPECT_GE(DWORD(second - first), 15u);
}

} // namespace
