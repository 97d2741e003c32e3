// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where the program's application directory (xml/, skins/, fonts/, lang/, bin/,
// save/, Manuals/) is. Installed, it is the data folder of the installation,
// found through the path from the executable's folder that the build compiled
// in; in the build tree, and in any tree laid out like it, it is the executable's
// own folder.
#include <QString>

// The data folder below `executableDirectory` by `relativePath` when it holds the
// main skin file; otherwise `executableDirectory` itself. The result has no
// trailing separator.
QString FindAppDirectory(const QString& executableDirectory, const QString& relativePath);

// FindAppDirectory for the running executable and the installation's layout.
QString InstalledAppDirectory();

// The folder that holds the icon theme the build draws (hicolor layout), beside
// the application directory in the build tree and in an installation alike.
QString IconThemeDirectory(const QString& appDirectory);
