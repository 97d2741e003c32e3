// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/CommandLine.h"

#include "device/FileVersions.h"
#include "skin/LanguageNumbers.h"
#include "skin/SessionLanguage.h"

#include <QCommandLineParser>

namespace {

const QString kProgramName = QStringLiteral("zemko-tovik");

} // namespace

CommandLineOptions ParseCommandLine(const QStringList& arguments)
{
    QCommandLineParser parser;
    // Qt's own options ("-platform offscreen", "-style X") arrive here too; they
    // must not be taken for short-option bundles such as "-p -l -a ...".
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help"), QStringLiteral("?")});
    const QCommandLineOption version(QStringList{QStringLiteral("v"), QStringLiteral("version")});
    const QCommandLineOption language(QStringLiteral("language"), QString(), QStringLiteral("NAME"));
    parser.addOption(help);
    parser.addOption(version);
    parser.addOption(language);
    // Unknown options make parse() return false, but what it recognised still counts.
    parser.parse(arguments);
    CommandLineOptions options;
    if (parser.isSet(help)) {
        options.request = CommandLineRequest::Help;
        return options;
    }
    if (parser.isSet(version)) {
        options.request = CommandLineRequest::Version;
        return options;
    }
    // An option whose value is missing may count as set, without a value.
    const QStringList values = parser.isSet(language) ? parser.values(language) : QStringList();
    if (values.isEmpty()) {
        // The parser drops an option whose value is missing ("--language" last).
        const qsizetype end = arguments.indexOf(QStringLiteral("--"));
        const QStringList given = end < 0 ? arguments : arguments.mid(0, end);
        if (given.contains(QStringLiteral("--language")) || given.contains(QStringLiteral("-language")))
            return {CommandLineRequest::Usage, -1, QStringLiteral("--language needs a language name")};
        return {};
    }
    const QString name = values.constLast();
    options.language = LanguageNumberFromArgument(name.toStdU16String());
    if (options.language < 0) {
        options.request = CommandLineRequest::Usage;
        options.error = QStringLiteral("unknown language \"%1\"; choose one of %2, or a locale name such as fr_CA")
                            .arg(name, ShippedLanguageNames().join(QStringLiteral(", ")));
    }
    return options;
}

QStringList ShippedLanguageNames()
{
    QStringList names;
    for (int id : ShippedLanguageNumbers())
        names << QString::fromUtf16(LanguageNameFromNumber(id).data(), LanguageNameFromNumber(id).size());
    return names;
}

QString HelpText()
{
    return QStringLiteral("Usage: zemko-tovik [--language NAME] [--help] [--version]\n"
                          "Configuration program of the Zemko Tovik wireless gaming mouse and its charging dock.\n"
                          "\n"
                          "Without arguments the program reads every setting of the attached mouse and opens\n"
                          "its window. It talks to the device emulator it ships; the emulated devices are\n"
                          "managed with zemko-tovik-devices(1).\n"
                          "\n"
                          "Options:\n"
                          "  --language NAME  use this language for this run: English, ChineseSimplified,\n"
                          "                   ChineseTraditional, French, FrenchCanadian, German, Korean,\n"
                          "                   Russian, Japanese, Spanish, or a locale name such as fr_CA\n"
                          "                   (default: the language chosen in the registry file, else\n"
                          "                   the session's: LANGUAGE, LC_ALL, LC_MESSAGES, LANG)\n"
                          "  -h, --help       print this help and exit\n"
                          "  -v, --version    print the program's version and exit\n"
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
