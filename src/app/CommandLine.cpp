// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/CommandLine.h"

#include "device/FileVersions.h"

#include <QCommandLineParser>

namespace {

const QString kProgramName = QStringLiteral("zemko-tovik");

} // namespace

CommandLineRequest ParseCommandLine(const QStringList& arguments)
{
    QCommandLineParser parser;
    // Qt's own options ("-platform offscreen", "-style X") arrive here too; they
    // must not be taken for short-option bundles such as "-p -l -a ...".
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help"), QStringLiteral("?")});
    const QCommandLineOption version(QStringList{QStringLiteral("v"), QStringLiteral("version")});
    parser.addOption(help);
    parser.addOption(version);
    // Unknown options make parse() return false, but what it recognised still counts.
    parser.parse(arguments);
    if (parser.isSet(help))
        return CommandLineRequest::Help;
    if (parser.isSet(version))
        return CommandLineRequest::Version;
    return CommandLineRequest::Run;
}

QString HelpText()
{
    return QStringLiteral("Usage: zemko-tovik [--help] [--version]\n"
                          "Configuration program of the Zemko Tovik wireless gaming mouse and its charging dock.\n"
                          "\n"
                          "Without arguments the program reads every setting of the attached mouse and opens\n"
                          "its window. It talks to the device emulator it ships; the emulated devices are\n"
                          "managed with zemko-tovik-devices(1).\n"
                          "\n"
                          "Options:\n"
                          "  -h, --help     print this help and exit\n"
                          "  -v, --version  print the program's version and exit\n"
                          "\n"
                          "Environment:\n"
                          "  ZEMKO_TOVIK_DEVICE_DIR      device directory of the emulator\n"
                          "                              (default: $XDG_DATA_HOME/zemko-tovik/devices)\n"
                          "  ZEMKO_TOVIK_EMU_LATENCY_MS  delay of every emulated device call, in milliseconds\n"
                          "  ZEMKO_TOVIK_REGISTRY        INI file that holds the product's language and folder\n"
                          "  ZEMKO_TOVIK_SCREENSHOT      draw the main window into this PNG file after the\n"
                          "                              first read, then close\n"
                          "  ZEMKO_TOVIK_MILESTONES      append start-up milestones to this file, one line\n"
                          "                              \"NAME MILLISECONDS\" each (process, skin-loaded,\n"
                          "                              device-read, first-paint)\n"
                          "  QT_LOGGING_RULES            e.g. \"zemko.tovik.*.debug=true\" for debug output\n");
}

QString VersionText(const QString& executablePath)
{
    CFileVersions versions;
    versions.SetPath(executablePath.toStdU16String());
    if (!versions.Read())
        return {};
    return kProgramName + u' ' + QString::fromStdU16String(versions.ProductVersion());
}
