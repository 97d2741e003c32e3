// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The application against the emulated device server in a temporary device
// directory and a temporary registry file: no latency, short device waits, popups
// answered by the modal script, shell requests recorded instead of started.
#include "app/TovikEliteAppApp.h"
#include "app/TovikEliteAppDlg.h"
#include "platform/ModalService.h"
#include "platform/Shell.h"
#include "support/EmulatedDeviceTest.h"
#include "support/FastDeviceTiming.h"
#include "support/TestEnvironment.h"

#include <QDir>
#include <QPointer>
#include <QTest>
#include <cstdlib>
#include <functional>
#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <unistd.h>
#include <vector>

inline std::u16string TestAppDirectory()
{
    const char* fromRunner = std::getenv("ZT_APP_DIR");
    return QString::fromLocal8Bit(fromRunner && *fromRunner ? fromRunner : ZT_TEST_APP_DIR).toStdU16String();
}

// Keeps events flowing until `condition` holds; false after `timeoutMs` (longer in
// slow builds, see TestTimeScale).
inline bool WaitUntil(const std::function<bool()>& condition, int timeoutMs = 15000)
{
    return QTest::qWaitFor(condition, timeoutMs * TestTimeScale());
}

class AppTest : public EmulatedDeviceTest {
protected:
    void SetUp() override
    {
        EmulatedDeviceTest::SetUp();
        originalDirectory_ = QDir::currentPath();
        setenv("ZEMKO_TOVIK_REGISTRY", (temp_ / "registry.ini").c_str(), 1);
        unsetenv("ZEMKO_TOVIK_SCREENSHOT");
        // The user's own settings (autostart entries, documents folder) stay out of reach.
        if (const char* configHome = std::getenv("XDG_CONFIG_HOME"))
            originalConfigHome_ = configHome;
        setenv("XDG_CONFIG_HOME", (temp_ / "config").c_str(), 1);
        UseFastDeviceTiming();
        UnplugEverything();
        ModalScript::Reset();
        ModalScript::SetStrict(true);
        SetShellOpenHandler([this](const ShellRequest& request) {
            shellRequests_.push_back(request);
            return true;
        });
    }
    void TearDown() override
    {
        ModalScript::Reset();
        SetShellOpenHandler({});
        SetDeviceTiming(DeviceTiming{});
        QDir::setCurrent(originalDirectory_);
        if (originalConfigHome_)
            setenv("XDG_CONFIG_HOME", originalConfigHome_->c_str(), 1);
        else
            unsetenv("XDG_CONFIG_HOME");
        EmulatedDeviceTest::TearDown();
    }

    emulator::DeviceDirectory Directory() const { return directory(); }

    // Options for one run: the assembled application directory and a rendezvous
    // of this test's own.
    AppOptions Options()
    {
        AppOptions options;
        options.appDirectory = TestAppDirectory();
        options.instanceName = "zt-app-test-" + std::to_string(getpid()) + "-" + std::to_string(++runs_);
        // English unless a test says otherwise, whatever the locale of the one running it.
        options.session = LocaleVariables{};
        return options;
    }

    // Runs the program; `script` runs inside the main window's modal run, and the
    // window is closed afterwards if the script left it open.
    CTovikEliteAppApp::Outcome RunApp(const std::function<void(CTovikEliteAppDlg&)>& script, AppOptions options = {})
    {
        if (options.instanceName.empty())
            options = Options();
        ModalScript::EndNextRun("MainPage.xml", IDCANCEL, [&](CSkinWindow& window) {
            auto& main = static_cast<CTovikEliteAppDlg&>(window);
            script(main);
            if (!main.IsEnded())
                main.CloseWindow(IDCANCEL);
        });
        CTovikEliteAppApp app(std::move(options));
        app.Run();
        return app.LastOutcome();
    }

    bool WasRun(std::string_view name) const
    {
        for (const ModalRecord& record : ModalScript::Records())
            if (record.name == name)
                return true;
        return false;
    }

    QString originalDirectory_;
    std::optional<std::string> originalConfigHome_;
    std::vector<ShellRequest> shellRequests_;
    int runs_ = 0;
};
