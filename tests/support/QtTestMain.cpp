// SPDX-License-Identifier: GPL-3.0-or-later
// main() for test executables that create widgets: a QApplication on the offscreen
// platform, so no display is needed, and a private runtime directory so Qt does
// not warn about a missing or world-readable one.
#include "support/TestEnvironment.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <cstdlib>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    SetDefaultTestEnvironment();
    QTemporaryDir runtimeDir;
    if (runtimeDir.isValid()) {
        QFile::setPermissions(runtimeDir.path(),
                              QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        setenv("XDG_RUNTIME_DIR", runtimeDir.path().toLocal8Bit().constData(), 1);
    }
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
