// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Names and addresses the application uses in more than one place.
#include <string_view>

// The window title, and the name of the single-instance rendezvous.
inline constexpr std::u16string_view kAppWindowTitle = u"Zemko Tovik Configurator";
inline constexpr std::string_view kSingleInstanceName = "SINGLE_INSTANCE_APP_TOVIK";

// The product key and its values.
inline constexpr std::u16string_view kProductKeyPath = u"Software\\Zemko\\Tovik";
inline constexpr std::u16string_view kLanguageValue = u"Language";
inline constexpr std::u16string_view kInstallDirValue = u"InstallDir";
// The tray companion, installed beside the program.
inline constexpr std::u16string_view kTrayProgram = u"zemko-tovik-tray";
// The tray's autostart entry: the user's choice whether it starts with the desktop.
inline constexpr std::u16string_view kTrayAutostartFile = u"zemko-tovik-tray.desktop";

// Pages opened in the browser from the main window's header and the maintenance page.
inline constexpr std::u16string_view kDriverDownloadAddress = u"https://zemko.example.com/support/tovik/downloads";
inline constexpr std::u16string_view kCommunityForumAddress = u"https://community.zemko.example.com/tovik";
inline constexpr std::u16string_view kSocialNewsAddress = u"https://social.example.com/zemkogaming";
inline constexpr std::u16string_view kMakerWebsiteAddress = u"https://www.zemko.example.com/";

// The manual, below the application directory.
inline constexpr std::u16string_view kManualPath = u"Manuals/index.html";

// Render the main window to this PNG after the first read, then close.
inline constexpr const char* kScreenshotVariable = "ZEMKO_TOVIK_SCREENSHOT";
