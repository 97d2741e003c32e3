// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program's command line. The program itself takes no arguments; only
// --help and --version are answered (without starting the window), and anything
// else, Qt's own options included, is left alone as it always was.
#include <QString>
#include <QStringList>

enum class CommandLineRequest {
    Run,     // start the program
    Help,    // print HelpText() and end
    Version, // print VersionText() and end
};

// What the arguments (the program name first) ask for. Never fails: unknown
// options and stray words mean Run. When both are given, help wins.
CommandLineRequest ParseCommandLine(const QStringList& arguments);

// The text --help prints, ending in a line break.
QString HelpText();

// "zemko-tovik 1.2.3.4", the product version of the version block embedded in
// `executablePath`; empty when the file carries no readable block.
QString VersionText(const QString& executablePath);
