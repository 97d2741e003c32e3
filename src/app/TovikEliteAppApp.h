// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// `CTovikEliteAppApp`: the whole run of the program. `Run` makes sure only one
// copy runs, prepares the application directory, languages and configuration,
// finds the device while the start-up popup paints, runs the main window
// modally, and tears everything down in order.
#include "app/ProgressPopup.h"
#include "device/GenDevice.h"
#include "skin/GUIItems.h"
#include "skin/SessionLanguage.h"

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>

class CTovikEliteAppDlg;
class CTovikEliteConfig;
class SingleInstance;

struct AppOptions {
    // The application directory; empty for the executable's directory.
    std::u16string appDirectory;
    // The single-instance rendezvous (tests use names of their own).
    std::string instanceName;
    std::chrono::milliseconds instanceLockWait{1000};
    // The language of this run (--language); -1 to take the product key's, else
    // the session's.
    int language = -1;
    // The session's locale variables; nothing for this process's environment.
    std::optional<LocaleVariables> session;
    // Called once the main window is initialised, just before its modal run.
    std::function<void(CTovikEliteAppDlg&)> onMainWindowReady;
};

class CTovikEliteAppApp {
public:
    enum class Outcome {
        NotRun,
        AnotherInstanceRunning,  // it was asked to come forward
        AnotherInstanceStarting, // the single-instance lock stayed taken
        MainWindowFailed,        // the main page skin did not load
        Completed,               // the main window ran and closed
    };

    explicit CTovikEliteAppApp(AppOptions options = {});
    ~CTovikEliteAppApp();
    CTovikEliteAppApp(const CTovikEliteAppApp&) = delete;
    CTovikEliteAppApp& operator=(const CTovikEliteAppApp&) = delete;

    // Runs the program; returns the process exit code (0 also when another copy
    // was brought forward instead).
    int Run();

    Outcome LastOutcome() const { return outcome_; }
    int MainWindowResult() const { return mainWindowResult_; }
    // The language chosen at start-up (-1 when no language table loaded).
    int SelectedLanguage() const { return selectedLanguage_; }
    // Qt's own dialogs speak that language (its translation is installed).
    bool QtTranslated() const { return qtTranslated_; }
    bool WorkingDirectoryFromRegistry() const { return workingDirectoryFromRegistry_; }
    CTovikEliteAppDlg* MainWindow() const { return mainWindow_.get(); }
    CTovikEliteProgressPopup& OperationPopup() { return operationPopup_; }
    // What a later copy's request does: the main window, or the popup in front of
    // it, is restored and brought forward.
    void BringForward();

private:
    void PrepareEnvironment();
    void FindDevice();
    void TearDown();

    AppOptions options_;
    Outcome outcome_ = Outcome::NotRun;
    int mainWindowResult_ = 0;
    int selectedLanguage_ = -1;
    bool qtTranslated_ = false;
    bool workingDirectoryFromRegistry_ = false;

    CGUIItems languageItems_;
    // The keyboard definition's item; the definition itself is process-wide.
    CGUIItems keyboardItems_;
    std::unique_ptr<IMouseDevice> device_;
    IMouseDevice* devicePointer_ = nullptr; // the address the main window holds
    std::unique_ptr<CTovikEliteConfig> config_;
    IMouseConfig* searchConfig_ = nullptr;
    IMouseConfig* windowConfig_ = nullptr;
    CTovikEliteProgressPopup operationPopup_;
    CTovikEliteProgressPopup startupPopup_;
    std::unique_ptr<SingleInstance> instance_;
    std::unique_ptr<CTovikEliteAppDlg> mainWindow_;
};
