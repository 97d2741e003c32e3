// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Load times of the default skin's window files, warm (every picture and font
// already read once), measured in a child process with a GUI of its own.
#include "Figures.h"

#include <QProcessEnvironment>
#include <QString>
#include <string>

// The child: loads every window file of xml/ twice and prints one line
// "FILE MILLISECONDS" per file for the second load. Returns the exit code.
int RunSkinLoads(int argc, char** argv);

// Runs `bench` with `option` `runs` times and adds the total and the slowest file.
bool MeasureSkinLoads(const QString& bench, const QString& option, const QProcessEnvironment& environment, int runs,
                      FigureTable& table, std::string& error);
