// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Shared set-up of the popup tests: an application directory with the test skins of
// tests/skin/data and of tests/popups/data, every control registered, the modal seam
// strict (an unexpected popup cancels instead of waiting for a person), and helpers
// that click and type as a user would.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>

#include <QApplication>
#include <QTest>
#include <QWindow>

#include "controls/ControlFactories.h"
#include "platform/ModalService.h"
#include "platform/NativeKeyEvent.h"
#include "platform/SkinWindow.h"
#include "skin/ControlRegistry.h"
#include "skin/LangTable.h"
#include "skin/SkinTestSupport.h"

namespace popuptest {

class PopupTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ClearControlFactories();
        ResetLanguages();
        RegisterAllControls();
        const auto source = skintest::SourceDir() / "tests/popups/data/xml";
        for (const auto& entry : std::filesystem::directory_iterator(source))
            std::filesystem::copy_file(entry.path(), app.path() / "xml" / entry.path().filename(),
                                       std::filesystem::copy_options::overwrite_existing);
        ModalScript::Reset();
        ModalScript::SetStrict(true);
    }
    void TearDown() override
    {
        EXPECT_EQ(ModalScript::PendingAnswers(), 0u) << "a scripted popup never ran";
        ModalScript::Reset();
        ClearControlFactories();
    }

    // Runs `popup` with `action` done on it while it is shown; a run the popup does
    // not end itself ends with `fallback`. Returns what DoModal returned.
    template <class Popup>
    int Run(Popup& popup, std::function<void(Popup&)> action, int fallback = kScriptEnded)
    {
        ModalScript::EndNextRun(popup.RunName(), fallback, [&popup, action](CSkinWindow&) {
            if (action)
                action(popup);
        });
        return popup.DoModal();
    }
    // The result the window's run really ended with (the script's fallback shows here).
    static int LastRunResult() { return ModalScript::Records().empty() ? -1 : ModalScript::Records().back().result; }

    static constexpr int kScriptEnded = 99;
    skintest::TestAppDir app;
};

inline void Click(QWidget* widget)
{
    ASSERT_NE(widget, nullptr);
    QTest::mouseClick(widget, Qt::LeftButton, Qt::NoModifier, widget->rect().center());
}

// A key pressed and released where the platform delivers it: at the top-level window.
inline void PressKey(QWidget& window, Set1ScanCode key, int qtKey, bool release = true)
{
    QWindow* handle = window.windowHandle();
    ASSERT_NE(handle, nullptr);
    auto down = MakeNativeKeyEvent(QEvent::KeyPress, key, qtKey);
    QApplication::sendEvent(handle, down.get());
    if (release) {
        auto up = MakeNativeKeyEvent(QEvent::KeyRelease, key, qtKey);
        QApplication::sendEvent(handle, up.get());
    }
}
inline void ReleaseKey(QWidget& window, Set1ScanCode key, int qtKey)
{
    auto up = MakeNativeKeyEvent(QEvent::KeyRelease, key, qtKey);
    QApplication::sendEvent(window.windowHandle(), up.get());
}

} // namespace popuptest
