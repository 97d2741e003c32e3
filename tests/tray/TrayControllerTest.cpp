// SPDX-License-Identifier: GPL-3.0-or-later
// The tray's logic against the emulated device: the profiles menu, switching by
// the focused program, the battery tooltip and warning, and a device that goes
// away or is written by the main program meanwhile.
#include "tray/TrayController.h"
#include "device/DeviceDescriptor.h"
#include "device/Mouse.h"
#include "device/ServerAccess.h"
#include "platform/Registry.h"
#include "settings/TovikEliteConfig.h"
#include "skin/AppPaths.h"
#include "skin/GUIItems.h"
#include "skin/LangTable.h"
#include "support/EmulatedDeviceTest.h"
#include "support/TempDir.h"
#include "tray/TrayTexts.h"
#include "tray/X11FocusWatcher.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLoggingCategory>
#include <QTest>

#include <optional>

namespace {

constexpr uint32_t kMouse = 0x0031;

struct ProfileSetup {
    const char16_t* name;
    const char16_t* program;
    bool autoSwitch;
};

class TrayControllerTest : public EmulatedDeviceTest {
protected:
    void SetUp() override
    {
        EmulatedDeviceTest::SetUp();
        UnplugEverything();
        Plug(kMouse);
        const ProfileSetup setups[] = {
            {u"Desktop", u"", false},
            {u"Shooter", u"shooter", true},
            {u"Editor", u"/opt/edit/editor", true},
            {u"Racing", u"racer", false},
        };
        ChangeImage(kMouse, [&](emulator::DeviceImage& image) {
            const emulator::ProfileImage model = image.profiles.front();
            image.profiles.clear();
            for (const ProfileSetup& setup : setups) {
                emulator::ProfileImage profile = model;
                profile.id = GUID::Generate();
                profile.name = setup.name;
                profile.programPath = setup.program;
                profile.options = setup.autoSwitch ? kOptionAutoSwitch : 0;
                image.profiles.push_back(profile);
            }
            image.activeProfile = image.profiles.front().id;
        });
        controller_.SetFocusSource([this] { return std::optional<QString>(focused_); });
        controller_.SetOpenConfigurator([this] { ++configuratorOpened_; });
        controller_.onLowBattery = [this](const QString&, const QString& message) { warnings_ << message; };
    }

    std::u16string DeviceActive()
    {
        const emulator::DeviceImage image = Image(kMouse);
        const emulator::ProfileImage* active = image.FindProfile(image.activeProfile);
        return active ? active->name : std::u16string();
    }
    std::u16string SnapshotActive() const
    {
        if (!controller_.Snapshot())
            return {};
        for (const DeviceProfileSummary& profile : controller_.Snapshot()->profiles)
            if (profile.active)
                return profile.name;
        return {};
    }
    // Waits until the tray's device calls are done and its view shows `name` active.
    bool Settled(const std::u16string& name)
    {
        return QTest::qWaitFor([&] { return controller_.PendingDeviceCalls() == 0 && SnapshotActive() == name; });
    }
    bool ReadOnce()
    {
        controller_.Refresh();
        return QTest::qWaitFor([&] { return controller_.PendingDeviceCalls() == 0 && controller_.Snapshot(); });
    }
    void Focus(const QString& program)
    {
        focused_ = program;
        controller_.CheckFocus();
    }
    GUID ProfileId(const std::u16string& name) const
    {
        for (const DeviceProfileSummary& profile : controller_.Snapshot()->profiles)
            if (profile.name == name)
                return profile.id;
        ADD_FAILURE() << "no profile of that name";
        return {};
    }
    QAction* MenuAction(const QString& text)
    {
        for (QAction* action : controller_.Menu().actions())
            if (action->text() == text)
                return action;
        return nullptr;
    }

    CTrayController controller_;
    QString focused_;
    int configuratorOpened_ = 0;
    QStringList warnings_;
};

} // namespace

TEST_F(TrayControllerTest, FocusedProgramsSwitchLinkedProfilesAndSwitchBack)
{
    ASSERT_TRUE(ReadOnce());
    const struct {
        const char* program;
        const char16_t* active;
    } steps[] = {
        {"/usr/games/shooter", u"Shooter"},   // linked by file name
        {"/usr/bin/firefox", u"Desktop"},     // nothing linked: back to the profile from before
        {"/usr/bin/racer", u"Desktop"},       // linked, but its auto-switch is off
        {"/home/me/editor", u"Desktop"},      // the stored full path does not match
        {"/opt/edit/editor", u"Editor"},      // it does here
        {"/usr/games/shooter", u"Shooter"},   // from one linked program to another
        {"", u"Desktop"},                     // focus unknown: back to the first profile
        {"/usr/games/shooter-x", u"Desktop"}, // file names compare whole
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.program);
        Focus(QString::fromUtf8(step.program));
        ASSERT_TRUE(Settled(step.active)) << "tray shows " << QString::fromStdU16String(SnapshotActive()).toStdString();
        EXPECT_EQ(DeviceActive(), step.active);
    }
}

TEST_F(TrayControllerTest, ProfileChosenFromTheMenuBecomesActiveAndIsNotSwitchedBack)
{
    ASSERT_TRUE(ReadOnce());
    QAction* desktop = MenuAction(QStringLiteral("Desktop"));
    ASSERT_TRUE(desktop);
    EXPECT_TRUE(desktop->isChecked());

    Focus(QStringLiteral("/usr/games/shooter"));
    ASSERT_TRUE(Settled(u"Shooter"));
    QAction* editor = MenuAction(QStringLiteral("Editor"));
    ASSERT_TRUE(editor);
    editor->trigger();
    ASSERT_TRUE(Settled(u"Editor"));
    EXPECT_EQ(DeviceActive(), u"Editor");
    EXPECT_TRUE(MenuAction(QStringLiteral("Editor"))->isChecked());
    EXPECT_FALSE(MenuAction(QStringLiteral("Shooter"))->isChecked());

    // The user's choice stands when the linked program loses the focus.
    Focus(QStringLiteral("/usr/bin/firefox"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return controller_.PendingDeviceCalls() == 0; }));
    EXPECT_EQ(DeviceActive(), u"Editor");

    MenuAction(QStringLiteral("Open configurator"))->trigger();
    EXPECT_EQ(configuratorOpened_, 1);
}

TEST_F(TrayControllerTest, UnpluggedDeviceIsPickedUpAgainAndTheSwitchHappensThen)
{
    ASSERT_TRUE(ReadOnce());
    Focus(QStringLiteral("/usr/games/shooter"));
    ASSERT_TRUE(Settled(u"Shooter"));

    Unplug(kMouse);
    Focus(QStringLiteral("/usr/bin/firefox")); // the switch back fails: no device
    ASSERT_TRUE(QTest::qWaitFor([&] { return controller_.PendingDeviceCalls() == 0 && !controller_.Snapshot(); }));
    EXPECT_TRUE(controller_.ToolTip().contains(QStringLiteral("No mouse connected")));
    ASSERT_TRUE(MenuAction(QStringLiteral("No mouse connected")));
    EXPECT_FALSE(MenuAction(QStringLiteral("No mouse connected"))->isEnabled());
    controller_.CheckFocus(); // nothing to switch without a device
    EXPECT_EQ(DeviceActive(), u"Shooter");

    Plug(kMouse);
    ASSERT_TRUE(ReadOnce());
    controller_.CheckFocus(); // the same program still has the focus
    ASSERT_TRUE(Settled(u"Desktop"));
    EXPECT_EQ(DeviceActive(), u"Desktop");
}

TEST_F(TrayControllerTest, SwitchDuringAWriteFromTheMainProgramLosesNeitherChange)
{
    ASSERT_TRUE(ReadOnce());
    CMouse mouse(*FindSupportedDevice(kMouse));
    CTovikEliteConfig config;
    ASSERT_TRUE(mouse.Transfer(&config, TransferMode::Read, TransferFlags::All));
    const uint32_t sleepBefore = Image(kMouse).sleepTimeout;
    config.SetIdleTimeBeforeSleep(config.GetIdleTimeBeforeSleep() == 300 ? 600 : 300);

    ASSERT_TRUE(mouse.Transfer(&config, TransferMode::Write, TransferFlags::Power));
    Focus(QStringLiteral("/usr/games/shooter"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !mouse.IsBusy() && controller_.PendingDeviceCalls() == 0; }));
    EXPECT_TRUE(mouse.LastWriteResult().value_or(false));
    const emulator::DeviceImage image = Image(kMouse);
    EXPECT_NE(image.sleepTimeout, sleepBefore);
    EXPECT_EQ(DeviceActive(), u"Shooter");
}

TEST_F(TrayControllerTest, SwitchWhileAnotherProgramWritesWaitsForTheWriteAndLandsAfter)
{
    controller_.SetBusyTiming(std::chrono::milliseconds(0), std::chrono::milliseconds(10));
    ASSERT_TRUE(ReadOnce());
    const struct {
        const char* how;
        std::function<void()> ask;
        const char16_t* lands;
    } cases[] = {
        {"focus", [&] { Focus(QStringLiteral("/usr/games/shooter")); }, u"Shooter"},
        {"menu", [&] { MenuAction(QStringLiteral("Editor"))->trigger(); }, u"Editor"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.how);
        // A writer with a connection of its own holds the device and, as a write
        // does, makes its own profile active.
        ComPtr<IDeviceEnumerator> enumerator;
        ASSERT_EQ(CreateDeviceEnumerator(enumerator), S_OK);
        ComPtr<IDeviceObject> device = FindDeviceByProduct(enumerator.Get(), kMouse);
        ComPtr<IDeviceWriteSession> session = QueryAs<IDeviceWriteSession>(device);
        ComPtr<IDeviceProfileCollection> profiles = QueryAs<IDeviceProfileCollection>(device);
        ASSERT_TRUE(session && profiles);
        ASSERT_EQ(session->BeginWrite(0), S_OK);
        ComPtr<IDeviceProfile> racing;
        ASSERT_EQ(profiles->GetProfileById(ProfileId(u"Racing"), racing.Put()), S_OK);
        ASSERT_EQ(profiles->ActivateProfile(racing.Get()), S_OK);

        c.ask();
        ASSERT_TRUE(QTest::qWaitFor([&] {
            controller_.CheckFocus();
            return controller_.WaitingForWrite();
        }));
        EXPECT_EQ(DeviceActive(), u"Racing");
        EXPECT_TRUE(controller_.ToolTip().contains(traytext::WaitingForWrite()));

        ASSERT_EQ(session->EndWrite(), S_OK);
        ASSERT_TRUE(QTest::qWaitFor([&] {
            controller_.CheckFocus();
            return controller_.PendingDeviceCalls() == 0 && !controller_.WaitingForWrite() &&
                   SnapshotActive() == c.lands;
        }));
        EXPECT_EQ(DeviceActive(), c.lands);
        EXPECT_FALSE(controller_.ToolTip().contains(traytext::WaitingForWrite()));
    }
}

TEST_F(TrayControllerTest, TextsFollowTheProgramLanguageWithEnglishWhereATranslationIsMissing)
{
    CLangTable german(5);
    german.AddPair(u"TrayOpenconfigurator", u"Konfigurator öffnen");
    german.AddPair(u"TrayNomouse", u"Keine Maus angeschlossen");
    german.AddPair(u"TrayBatterypercent", u"Akku: %i%%");
    german.AddPair(u"TrayBatterypercentcharging", u"Akku: %s (lädt)"); // takes text: not usable
    german.AddPair(u"TrayLowbatterymessage", u"Der Akku ist bei %i%%.");
    SetCurrentLanguage(&german); // "Quit" has no translation
    const struct {
        uint32_t charging;
        const char* tooltip;
    } steps[] = {
        {kChargingNone, "Akku: 4%"},
        {kChargingActive, "Battery: 4% (charging)"},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.tooltip);
        ChangeImage(kMouse, [&](emulator::DeviceImage& image) {
            image.batteryLevel = 10;
            image.batteryWarning = 12;
            image.chargingState = step.charging;
        });
        ASSERT_TRUE(ReadOnce());
        EXPECT_TRUE(controller_.ToolTip().contains(QString::fromUtf8(step.tooltip)))
            << controller_.ToolTip().toStdString();
    }
    EXPECT_TRUE(MenuAction(QStringLiteral("Konfigurator öffnen")));
    EXPECT_TRUE(MenuAction(QStringLiteral("Quit")));
    EXPECT_EQ(warnings_, QStringList{QStringLiteral("Der Akku ist bei 4%.")});

    Unplug(kMouse);
    controller_.Refresh();
    ASSERT_TRUE(QTest::qWaitFor([&] { return controller_.PendingDeviceCalls() == 0 && !controller_.Snapshot(); }));
    EXPECT_TRUE(MenuAction(QStringLiteral("Keine Maus angeschlossen")));
    SetCurrentLanguage(nullptr);
}

TEST_F(TrayControllerTest, WithoutAnX11SessionTheTooltipAndOneLogLineSaySwitchingIsUnavailable)
{
    // The tray on Wayland (or any platform but X11) does not ask an X server.
    const FocusWatchChoice choice = ChooseFocusWatch(QStringLiteral("wayland"));
    EXPECT_FALSE(choice.watcher);
    ASSERT_FALSE(choice.unavailable.isEmpty());

    static QStringList logged;
    logged.clear();
    QLoggingCategory::setFilterRules(QStringLiteral("zemko.tovik.tray.info=true"));
    const QtMessageHandler previous =
        qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString& message) { logged << message; });
    controller_.SetFocusSource({}, choice.unavailable);
    ASSERT_TRUE(ReadOnce());
    Focus(QStringLiteral("/usr/games/shooter")); // nothing to ask: no switch
    ASSERT_TRUE(ReadOnce());
    qInstallMessageHandler(previous);
    QLoggingCategory::setFilterRules(QString());

    EXPECT_EQ(logged.filter(choice.unavailable).size(), 1) << logged.join(QLatin1Char('|')).toStdString();
    EXPECT_TRUE(controller_.ToolTip().contains(choice.unavailable));
    EXPECT_EQ(DeviceActive(), u"Desktop");
    EXPECT_TRUE(MenuAction(QStringLiteral("Desktop"))); // the menu still works
}

TEST_F(TrayControllerTest, LowBatteryWarnsOncePerFallAndNotWhileCharging)
{
    const struct {
        uint32_t level;
        uint32_t charging;
        int warnings; // total so far
        const char* tooltip;
    } steps[] = {
        {200, kChargingNone, 0, "Battery: 78%"},
        {10, kChargingNone, 1, "Battery: 4%"},
        {8, kChargingNone, 1, "Battery: 3%"},              // still low: no second warning
        {8, kChargingActive, 1, "Battery: 3% (charging)"}, // charging: the fall is over
        {9, kChargingNone, 2, "Battery: 4%"},              // off the charger and still low
        {255, kChargingComplete, 2, "Battery: 100% (on the charger)"},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.tooltip);
        ChangeImage(kMouse, [&](emulator::DeviceImage& image) {
            image.batteryLevel = step.level;
            image.chargingState = step.charging;
            image.batteryWarning = 12;
        });
        ASSERT_TRUE(ReadOnce());
        EXPECT_EQ(warnings_.size(), step.warnings);
        EXPECT_TRUE(controller_.ToolTip().contains(QString::fromUtf8(step.tooltip)))
            << controller_.ToolTip().toStdString();
    }
}

TEST(BatteryPercent, EachGenerationUsesItsOwnScale)
{
    const struct {
        uint32_t product;
        uint32_t level;
        std::optional<int> percent;
    } cases[] = {
        {0x0031, 0, 0}, {0x0031, 255, 100}, {0x0031, 128, 50},  {0x0031, 999, 100},
        {0x0013, 0, 0}, {0x0013, 57, 57},   {0x0013, 100, 100}, {0x0013, 180, 100},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << std::hex << c.product << std::dec << " level " << c.level);
        DeviceSnapshot snapshot;
        snapshot.productId = c.product;
        snapshot.battery = BatteryStatus{true, c.level, 0};
        EXPECT_EQ(BatteryPercent(snapshot), c.percent);
    }
    DeviceSnapshot unmeasured;
    unmeasured.productId = 0x0013;
    unmeasured.battery = BatteryStatus{false, 0, 1};
    EXPECT_EQ(BatteryPercent(unmeasured), std::nullopt);
}

TEST_F(TrayControllerTest, MenuInTheProgramLanguageAndIconScreenshots)
{
    ChangeImage(kMouse, [](emulator::DeviceImage& image) {
        image.batteryLevel = 150;
        image.chargingState = kChargingActive;
    });
    // The languages and the battery of the program's own skin, as the tray starts.
    const std::u16string previousDirectory = GetAppDirectory();
    SetAppDirectory(qEnvironmentVariable("ZT_APP_DIR").toStdU16String());
    QString why;
    std::optional<CSkinBatteryLook> look = CSkinBatteryLook::Load(why);
    ASSERT_TRUE(look) << why.toStdString();
    controller_.SetBatteryLook(std::move(look));
    TempDir registry;
    setenv("ZEMKO_TOVIK_REGISTRY", (registry / "registry.ini").c_str(), 1);
    QDir().mkpath(QStringLiteral(ZT_TEST_SCREENSHOT_DIR));

    const struct {
        const char16_t* language;
        const char* openConfigurator;
    } languages[] = {
        {u"English", "Open configurator"},
        {u"German", "Konfigurator öffnen"},
        {u"Japanese", "コンフィギュレーターを開く"},
    };
    for (const auto& language : languages) {
        const QString name = QString::fromStdU16String(language.language);
        SCOPED_TRACE(name.toStdString());
        std::optional<RegistryKey> key = RegistryKey::Create(RegistryRoot::LocalMachine, u"Software\\Zemko\\Tovik");
        ASSERT_TRUE(key && key->SetString(u"Language", language.language));
        CGUIItems languageItems;
        ASSERT_TRUE(LoadTrayLanguage(languageItems, why)) << why.toStdString();
        ASSERT_TRUE(ReadOnce());
        EXPECT_TRUE(MenuAction(QString::fromUtf8(language.openConfigurator)));

        QMenu& menu = controller_.Menu();
        menu.popup(QPoint(10, 10));
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&menu));
        EXPECT_TRUE(menu.grab().save(QStringLiteral(ZT_TEST_SCREENSHOT_DIR "/tray-menu-") + name + ".png"));
        menu.hide();
    }
    EXPECT_TRUE(controller_.Icon().pixmap(64).save(QStringLiteral(ZT_TEST_SCREENSHOT_DIR "/tray-icon.png")));
    unsetenv("ZEMKO_TOVIK_REGISTRY");
    SetAppDirectory(previousDirectory);
}

TEST_F(TrayControllerTest, StartWithTheDesktopShowsAndWritesTheUsersChoice)
{
    TempDir temp;
    const QString root = QString::fromStdString(temp.path().string());
    const AutostartFolders folders{root + "/config/autostart", {root + "/xdg/autostart"}};
    const QString systemEntry = folders.system[0] + "/zemko-tovik-tray.desktop";
    ASSERT_TRUE(QDir().mkpath(folders.system[0]));
    QFile system(systemEntry);
    ASSERT_TRUE(system.open(QIODevice::WriteOnly));
    system.write("[Desktop Entry]\nType=Application\nName=Tray\nExec=zemko-tovik-tray\n");
    system.close();
    controller_.SetAutostart(folders, {"Zemko Tovik Tray", {}, root + "/bin/zemko-tovik-tray", "zemko-tovik"});

    const QString label = traytext::StartWithDesktop();
    QAction* item = MenuAction(label);
    ASSERT_TRUE(item);
    EXPECT_TRUE(item->isCheckable());
    EXPECT_TRUE(item->isChecked()) << "the installed entry starts the tray";

    // Chosen from the menu: off, then on again, each written as the user's entry.
    item->trigger();
    ASSERT_TRUE(QTest::qWaitFor([&] { return UserTurnedAutostartOff(folders, "zemko-tovik-tray.desktop"); }));
    ASSERT_TRUE(QTest::qWaitFor([&] { return MenuAction(label) && !MenuAction(label)->isChecked(); }));
    MenuAction(label)->trigger();
    ASSERT_TRUE(QTest::qWaitFor([&] { return StartsWithSession(folders, "zemko-tovik-tray.desktop"); }));
    EXPECT_FALSE(UserTurnedAutostartOff(folders, "zemko-tovik-tray.desktop"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return MenuAction(label) && MenuAction(label)->isChecked(); }));

    // Without the system entry (an install the session does not read) only the
    // user's own entry starts it.
    ASSERT_TRUE(QFile::remove(systemEntry));
    ASSERT_TRUE(QFile::remove(folders.user + "/zemko-tovik-tray.desktop"));
    controller_.Refresh();
    ASSERT_TRUE(QTest::qWaitFor([&] { return controller_.PendingDeviceCalls() == 0; }));
    EXPECT_FALSE(MenuAction(label)->isChecked());
    EXPECT_TRUE(controller_.SetStartWithDesktop(true));
    EXPECT_TRUE(MenuAction(label)->isChecked());

    // A folder that cannot be written: the menu keeps showing what is on disk.
    QFile blocker(folders.system[0] + "/not-a-folder");
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    controller_.SetAutostart({folders.system[0] + "/not-a-folder/autostart", {}},
                             {"Zemko Tovik Tray", {}, root + "/bin/zemko-tovik-tray", {}});
    EXPECT_FALSE(controller_.SetStartWithDesktop(true));
    EXPECT_FALSE(MenuAction(label)->isChecked());
}
