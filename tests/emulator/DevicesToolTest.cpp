// SPDX-License-Identifier: GPL-3.0-or-later
// The command-line tool, run as a separate process against a temporary directory.
#include "EmulatorFixture.h"

#include "emulator/SessionLock.h"
#include "platform/core/WinTypes.h"

#include <array>
#include <chrono>
#include <cstdio>
#include <fcntl.h>
#include <fstream>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#ifndef ZT_DEVICES_TOOL
#error "ZT_DEVICES_TOOL must name the built zemko-tovik-devices"
#endif

namespace {

struct RunResult {
    int exitCode = -1;
    std::string output; // standard output and standard error together
};

class DevicesTool : public EmulatorTest {
protected:
    // `environment`: assignments put before the command, e.g. "NAME=value".
    // A tool that waits for ever is ended after a minute and fails the test.
    RunResult Run(const std::string& arguments, const std::string& environment = {})
    {
        return RunLine(environment + (environment.empty() ? "" : " ") + "timeout -k 5 60 '" + ZT_DEVICES_TOOL +
                       "' --dir '" + devicePath().string() + "' " + arguments);
    }
    RunResult RunLine(const std::string& line)
    {
        const std::string command = line + " 2>&1";
        RunResult result;
        FILE* pipe = popen(command.c_str(), "r");
        if (!pipe)
            return result;
        std::array<char, 4096> buffer;
        size_t n;
        while ((n = fread(buffer.data(), 1, buffer.size(), pipe)) > 0)
            result.output.append(buffer.data(), n);
        const int status = pclose(pipe);
        result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        return result;
    }
};

TEST_F(DevicesTool, LookingAtAMissingDirectoryCreatesNothing)
{
    for (const char* arguments : {"list", "show mouse"}) {
        SCOPED_TRACE(arguments);
        const RunResult r = Run(arguments);
        EXPECT_EQ(r.exitCode, 1) << r.output;
        EXPECT_NE(r.output.find("no device directory at"), std::string::npos) << r.output;
        EXPECT_FALSE(std::filesystem::exists(devicePath()));
    }
    std::filesystem::create_directories(temp_.path());
    {
        std::ofstream(devicePath()) << "a file";
    }
    const RunResult onFile = Run("list");
    EXPECT_EQ(onFile.exitCode, 1) << onFile.output;
    EXPECT_NE(onFile.output.find("not a directory"), std::string::npos) << onFile.output;
}

TEST_F(DevicesTool, ListsPlugsAndUnplugsWhileAServerRuns)
{
    ASSERT_EQ(Run("plug mouse").exitCode, 0) << "a change creates the directory";
    RunResult r = Run("list");
    ASSERT_EQ(r.exitCode, 0) << r.output;
    EXPECT_NE(r.output.find("0x0031  mouse         attached"), std::string::npos) << r.output;
    EXPECT_NE(r.output.find("0x001B  legacy-dock   new"), std::string::npos) << r.output;

    ComPtr<IDeviceEnumerator> enumerator = Enumerator();
    ComPtr<IDeviceObject> mouse = Device(0x0031);
    ASSERT_EQ(Run("plug legacy-dock").exitCode, 0);
    const std::string elsewhere = (temp_ / "elsewhere").string();
    ASSERT_EQ(Run("plug dock --dir '" + elsewhere + "'").exitCode, 0) << "a later --dir wins";
    EXPECT_TRUE(std::filesystem::exists(temp_ / "elsewhere" / "0032.attached"));
    EXPECT_FALSE(std::filesystem::exists(devicePath() / "0032.attached"));
    ASSERT_EQ(Run("unplug 0x31").exitCode, 0);
    uint32_t count = 0;
    ASSERT_EQ(enumerator->GetDeviceCount(&count), S_OK);
    EXPECT_EQ(count, 1u);
    EXPECT_EQ(As<IDeviceProbe>(mouse)->Ping(), E_DEVICE_NOT_CONNECTED);
    EXPECT_TRUE(Device(0x001B));
    r = Run("list");
    EXPECT_NE(r.output.find("0x0031  mouse         detached"), std::string::npos) << r.output;
    EXPECT_EQ(Run("unplug mouse").exitCode, 0) << "unplugging twice is harmless";
}

TEST_F(DevicesTool, SetBatteryIsSeenByTheServerAndShowDescribesTheMemory)
{
    auto battery = As<IDeviceBattery>(Device(0x0031));
    RunResult r = Run("set-battery mouse 42 charging");
    ASSERT_EQ(r.exitCode, 0) << r.output;
    uint32_t level = 0, state = 0;
    ASSERT_EQ(battery->GetLevel(&level), S_OK);
    ASSERT_EQ(battery->GetChargingState(&state), S_OK);
    EXPECT_EQ(level, 42u);
    EXPECT_EQ(state, kChargingActive);
    ASSERT_EQ(Run("set-battery MOUSE 7").exitCode, 0);
    ASSERT_EQ(battery->GetChargingState(&state), S_OK);
    EXPECT_EQ(state, kChargingActive) << "the charging state stays unless given";

    ComPtr<IDeviceProfile> profile = ActiveProfile(Device(0x0031));
    ASSERT_EQ(profile->SetName(u"Everyday"), S_OK);
    r = Run("show 0x0031");
    ASSERT_EQ(r.exitCode, 0) << r.output;
    for (const char* expected :
         {"Zemko Tovik Elite Wireless Mouse (0x0031)", "battery 7/255, charging", "* \"Everyday\"",
          "stages: 800 [1800] 4000 5600 6400", "light 1: on, colour #0000FF", "attached"})
        EXPECT_NE(r.output.find(expected), std::string::npos) << expected << "\n" << r.output;
}

TEST_F(DevicesTool, ResetRestoresFactorySettings)
{
    auto profiles = As<IDeviceProfileCollection>(Device(0x0031));
    ASSERT_EQ(profiles->CreateProfile(ComPtr<IDeviceProfile>().Put()), S_OK);
    ASSERT_EQ(Run("set-battery mouse 9").exitCode, 0);
    ASSERT_EQ(Run("reset mouse").exitCode, 0);
    uint32_t count = 0, level = 0;
    ASSERT_EQ(profiles->GetProfileCount(&count), S_OK);
    EXPECT_EQ(count, 1u);
    ASSERT_EQ(As<IDeviceBattery>(Device(0x0031))->GetLevel(&level), S_OK);
    EXPECT_EQ(level, 9u);
}

TEST_F(DevicesTool, ResetWaitsForAWriteInProgressAndNeverLandsInsideIt)
{
    auto profiles = As<IDeviceProfileCollection>(Device(0x0031));
    ASSERT_EQ(profiles->CreateProfile(ComPtr<IDeviceProfile>().Put()), S_OK);
    uint32_t count = 0;
    {
        // A program holds the mouse for a write; the tool gives up after its wait.
        emulator::SessionLock writing(directory().SessionPath(0x0031), emulator::SessionLock::Mode::Exclusive,
                                      std::chrono::milliseconds(0));
        ASSERT_TRUE(writing.held());
        const RunResult r = Run("reset mouse", "ZEMKO_TOVIK_EMU_BUSY_WAIT_MS=200");
        EXPECT_EQ(r.exitCode, 1) << r.output;
        EXPECT_NE(r.output.find("busy"), std::string::npos) << r.output;
        ASSERT_EQ(profiles->GetProfileCount(&count), S_OK);
        EXPECT_EQ(count, 2u) << "nothing was reset while the write held the mouse";
    }
    ASSERT_EQ(Run("reset mouse", "ZEMKO_TOVIK_EMU_BUSY_WAIT_MS=200").exitCode, 0);
    ASSERT_EQ(profiles->GetProfileCount(&count), S_OK);
    EXPECT_EQ(count, 1u);
}

TEST_F(DevicesTool, ShowReportsADamagedImageAndResetRepairsIt)
{
    Device(0x0031);
    {
        std::ofstream out(directory().ImagePath(0x0031), std::ios::trunc);
        out << "{\"format\": ";
    }
    RunResult r = Run("show mouse");
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.output.find("cannot be read"), std::string::npos) << r.output;
    r = Run("reset mouse");
    EXPECT_EQ(r.exitCode, 0) << r.output;
    EXPECT_NE(r.output.find("damaged"), std::string::npos) << r.output;
    EXPECT_EQ(As<IDeviceProbe>(Device(0x0031))->Ping(), S_OK);
}

TEST_F(DevicesTool, BadCommandLinesExitWithUsage)
{
    const char* bad[] = {"",
                         "frobnicate",
                         "plug",
                         "plug trackball",
                         "plug 0x0099",
                         "plug mouse dock",
                         "set-battery mouse",
                         "set-battery mouse 256",
                         "set-battery mouse -1",
                         "set-battery mouse 5 sometimes",
                         "list extra",
                         "show"};
    for (const char* arguments : bad) {
        const RunResult r = Run(arguments);
        EXPECT_EQ(r.exitCode, 2) << arguments << "\n" << r.output;
        EXPECT_NE(r.output.find("usage:"), std::string::npos) << arguments;
    }
    const RunResult option = Run("list --verbose");
    EXPECT_EQ(option.exitCode, 2);
    EXPECT_NE(option.output.find("unknown option"), std::string::npos) << option.output;
    ASSERT_EQ(Run("plug mouse").exitCode, 0);
    const RunResult never = Run("show dock");
    EXPECT_EQ(never.exitCode, 1);
    EXPECT_NE(never.output.find("never been plugged in"), std::string::npos) << never.output;
}

// The permission bits of a file.
unsigned Mode(const std::filesystem::path& path)
{
    struct stat status {};
    return ::lstat(path.c_str(), &status) == 0 ? unsigned(status.st_mode & 07777) : 0u;
}

// Another process holds the device lock and never lets go (stopped, in a debugger).
class StoppedHolder {
public:
    explicit StoppedHolder(const std::filesystem::path& lockPath)
    {
        fd_ = ::open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
        held_ = fd_ >= 0 && ::flock(fd_, LOCK_EX | LOCK_NB) == 0;
    }
    ~StoppedHolder()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    bool held() const { return held_; }

private:
    int fd_ = -1;
    bool held_ = false;
};

TEST_F(DevicesTool, AHolderThatNeverLetsGoMakesTheToolFailAsBusyNotWaitForEver)
{
    ASSERT_EQ(Run("plug mouse").exitCode, 0);
    StoppedHolder holder(directory().LockPath(0x0031));
    ASSERT_TRUE(holder.held());
    for (const char* arguments : {"show mouse", "set-battery mouse 3", "reset mouse", "plug mouse"}) {
        SCOPED_TRACE(arguments);
        const RunResult r = Run(arguments, "ZEMKO_TOVIK_EMU_BUSY_WAIT_MS=150");
        EXPECT_EQ(r.exitCode, 1) << r.output;
        EXPECT_NE(r.output.find("busy"), std::string::npos) << r.output;
    }
    EXPECT_EQ(Image(0x0031).batteryLevel, emulator::DeviceImage{}.batteryLevel) << "nothing changed";
}

TEST_F(DevicesTool, ShowPrintsNamesEscapedColoursAsPickedAndKeysByName)
{
    ASSERT_EQ(Run("plug mouse").exitCode, 0);
    ChangeImage(0x0031, [](emulator::DeviceImage& image) {
        // What an imported profile or macro file may carry.
        image.profiles[0].name = u"\x1b]0;owned\x07\x1b[2J\x9b"
                                 u"31m";
        image.profiles[0].programPath = u"/usr/bin/x\n  attached\r";
        image.profiles[0].lights[0].colour = RGB(0x12, 0x34, 0xAB);
        image.macros.push_back({GUID::Generate(),
                                u"left\u202Eright \"q\" \\",
                                {{kMacroEventKeystroke, 0x1E, 0, 0},
                                 {kMacroEventKeystroke, 0x1D, kMacroKeyExtended, 0},
                                 {kMacroEventKeystroke, 0x1D, kMacroKeyExtended | kMacroKeyRelease, 0},
                                 {kMacroEventKeystroke, 0x1E, kMacroKeyRelease, 0}}});
    });
    const RunResult r = Run("show mouse");
    ASSERT_EQ(r.exitCode, 0) << r.output;
    for (char c : r.output) {
        const auto byte = static_cast<unsigned char>(c);
        EXPECT_TRUE(byte == '\n' || (byte >= 0x20 && byte != 0x7F)) << "raw byte " << int(byte) << "\n" << r.output;
    }
    EXPECT_EQ(r.output.find("\xC2\x9B"), std::string::npos) << "no C1 control either";
    EXPECT_EQ(r.output.find("\xE2\x80\xAE"), std::string::npos) << "no reordering mark";
    for (const char* expected :
         {"* \"\\x1B]0;owned\\x07\\x1B[2J\\x9B31m\"", "program \"/usr/bin/x\\x0A  attached\\x0D\"",
          "\"left\\u202Eright \\\"q\\\" \\\\\"", "colour #1234AB",
          "key \"A\" down; key \"Right Ctrl\" down; key \"Right Ctrl\" up; key \"A\" up;"}) {
        EXPECT_NE(r.output.find(expected), std::string::npos) << expected << "\n" << r.output;
    }
    size_t lines = 0;
    for (size_t at = r.output.find("\n  attached"); at != std::string::npos; at = r.output.find("\n  attached", at + 1))
        ++lines;
    EXPECT_EQ(lines, 1u) << "no forged line\n" << r.output;
}

TEST_F(DevicesTool, NewDeviceFilesAreTheUsersAlone)
{
    const mode_t previous = ::umask(022);
    const RunResult r = Run("plug mouse");
    ::umask(previous);
    ASSERT_EQ(r.exitCode, 0) << r.output;
    EXPECT_EQ(Mode(devicePath()), 0700u);
    for (const std::filesystem::path& file :
         {directory().ImagePath(0x0031), directory().AttachPath(0x0031), directory().LockPath(0x0031)}) {
        SCOPED_TRACE(file.string());
        EXPECT_EQ(Mode(file), 0600u);
    }
    // A file the user opened up keeps the rights the user gave it.
    std::filesystem::permissions(directory().ImagePath(0x0031), std::filesystem::perms(0640));
    ASSERT_EQ(Run("set-battery mouse 4").exitCode, 0);
    EXPECT_EQ(Mode(directory().ImagePath(0x0031)), 0640u);
}

TEST_F(DevicesTool, PlantedLinksAreNeverFollowed)
{
    ASSERT_EQ(Run("plug mouse").exitCode, 0);
    const std::filesystem::path victim = temp_ / "victim";
    struct Case {
        std::filesystem::path link;
        const char* arguments;
    };
    for (const Case& c :
         {Case{directory().LockPath(0x0031), "set-battery mouse 5"}, Case{directory().LockPath(0x0031), "show mouse"},
          Case{directory().SessionPath(0x0031), "reset mouse"}}) {
        SCOPED_TRACE(std::string(c.arguments) + " over " + c.link.string());
        std::filesystem::remove(c.link);
        std::filesystem::create_symlink(victim, c.link);
        const RunResult r = Run(c.arguments);
        EXPECT_EQ(r.exitCode, 1) << r.output;
        EXPECT_FALSE(std::filesystem::exists(victim)) << "a file was created through the link";
        std::filesystem::remove(c.link);
    }
    EXPECT_NE(Image(0x0031).batteryLevel, 5u);
}

TEST_F(DevicesTool, ADirectoryOfAnotherUserIsRefused)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "giving a directory to another user needs root";
    ASSERT_EQ(Run("plug mouse").exitCode, 0);
    ASSERT_EQ(::chown(devicePath().c_str(), 65534, 65534), 0);
    for (const char* arguments : {"list", "show mouse", "plug dock", "set-battery mouse 5"}) {
        SCOPED_TRACE(arguments);
        const RunResult r = Run(arguments);
        EXPECT_EQ(r.exitCode, 1) << r.output;
        EXPECT_NE(r.output.find("another user"), std::string::npos) << r.output;
    }
    EXPECT_FALSE(std::filesystem::exists(directory().AttachPath(0x0032)));
}

TEST_F(DevicesTool, AReadOnlyDirectoryCanBeShownAndSaysWhyItCannotChange)
{
    ASSERT_EQ(Run("plug mouse").exitCode, 0);
    std::filesystem::remove(directory().LockPath(0x0031)); // no lock file to open either
    std::string asUser;
    if (::geteuid() == 0) {
        // Root writes anywhere: run the tool as a plain user who owns the directory.
        std::filesystem::permissions(temp_.path(), std::filesystem::perms(0711));
        for (const auto& entry : std::filesystem::recursive_directory_iterator(devicePath()))
            ASSERT_EQ(::lchown(entry.path().c_str(), 65534, 65534), 0);
        ASSERT_EQ(::chown(devicePath().c_str(), 65534, 65534), 0);
        asUser = "setpriv --reuid=65534 --regid=65534 --clear-groups";
    }
    std::filesystem::permissions(devicePath(), std::filesystem::perms(0555));
    RunResult r = Run("show mouse", asUser);
    EXPECT_EQ(r.exitCode, 0) << r.output;
    EXPECT_NE(r.output.find("battery 200/255"), std::string::npos) << r.output;
    for (const char* arguments : {"set-battery mouse 5", "reset mouse"}) {
        SCOPED_TRACE(arguments);
        r = Run(arguments, asUser);
        EXPECT_EQ(r.exitCode, 1) << r.output;
        EXPECT_NE(r.output.find("cannot be written"), std::string::npos) << r.output;
    }
    std::filesystem::permissions(devicePath(), std::filesystem::perms(0700));
}

TEST_F(DevicesTool, WithoutHomeTheAccountsHomeIsUsedNeverTheWorkingDirectory)
{
    const struct passwd* account = ::getpwuid(::geteuid());
    const std::string home = account && account->pw_dir ? account->pw_dir : "";
    const std::filesystem::path work = temp_ / "work";
    std::filesystem::create_directories(work);
    // "list" only looks: it never creates the directory it names.
    const RunResult r = RunLine("cd '" + work.string() +
                                "' && env -u HOME -u XDG_DATA_HOME -u ZEMKO_TOVIK_DEVICE_DIR timeout -k 5 60 '" +
                                ZT_DEVICES_TOOL + "' list");
    EXPECT_TRUE(std::filesystem::is_empty(work)) << r.output;
    if (home.empty()) {
        EXPECT_EQ(r.exitCode, 1) << r.output;
        EXPECT_NE(r.output.find("no home directory"), std::string::npos) << r.output;
    } else if (r.exitCode != 0) {
        EXPECT_NE(r.output.find(home + "/.local/share/zemko-tovik/devices"), std::string::npos) << r.output;
    }
    EXPECT_EQ(r.output.find("at .zemko-tovik"), std::string::npos) << r.output;
}

} // namespace
