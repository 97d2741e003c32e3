// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program's command line. --help and --version are answered (without
// starting the window), --language NAME chooses the language of one run, and
// anything else, Qt's own options included, is left alone as it always was.
#include <QString>
#include <QStringList>

enum class CommandLineRequest {
    Run,     // start the program
    Help,    // print HelpText() and end
    Version, // print VersionText() and end
    Usage,   // the line is wrong: print the error and end with exit code 2
};

struct CommandLineOptions {
    CommandLineRequest request = CommandLineRequest::Run;
    // The language id --language names; -1 when the option is not given.
    int language = -1;
    // What is wrong with the line (Usage only), one line without a line break.
    QString error;
};

// What the arguments (the program name first) ask for. Unknown options and stray
// words mean Run; help wins over version, and both over a wrong --language.
// --language (or --language=) takes a language name ("French", case ignored) or
// a locale name ("fr_CA"); a language the program does not ship, or a missing
// value, is Usage.
CommandLineOptions ParseCommandLine(const QStringList& arguments);

// The names --language takes, in the order of the language ids.
QStringList ShippedLanguageNames();

// The text --help prints, ending in a line break.
QString HelpText();

// "zemko-tovik 1.2.3.4", the product version of the version block embedded in
// `executablePath`; empty when the file carries no readable block.
QString VersionText(const QString& executablePath);
