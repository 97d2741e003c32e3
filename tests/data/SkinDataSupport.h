// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Shared set-up of the default-skin tests: where the assembled application directory
// is, which skin files the program opens, and a process-wide English language table
// so that windows show real texts.
#include <string>
#include <vector>

#include <QImage>
#include <QString>

namespace skindata {

// The application directory the build assembled (ZT_APP_DIR, ending in "/").
QString AppDir();
// The repository's root.
QString SourceDir();
// Where the screenshots go.
QString ScreenshotDir();

// Points the skin engine at the application directory, registers the controls and
// loads "Language.xml" once; the current language is the one named (English first).
void PrepareSkinEnvironment();
void SelectLanguage(const char* name);

enum class WindowKind { Panel, Page, PageAddition, PreviewAddition };
struct SkinFile {
    const char* name;
    WindowKind kind;
};
// Every skin file of a window that the program opens.
const std::vector<SkinFile>& WindowSkinFiles();

// The language names of the language-number table with their file names.
struct LanguageFile {
    const char* registryName;
    const char* file;
};
const std::vector<LanguageFile>& LanguageFiles();

} // namespace skindata
