// SPDX-License-Identifier: MIT
#pragma once

#include "ChartExport.h"
#include "QtCommandLine.h"

#include <QByteArrayList>
#include <QString>
#include <QStringList>

namespace vitalune {

enum class LaunchMode {
    Window,     // no argument: open the window and serve the bus name when it is free
    Automation, // started by the bus: serve, show nothing until Run
    Register,   // write the user's service file
    Unregister, // remove it
    Export,     // write the chart or the page to a file, without a window, bus or printer
    Help,
    Version,
    Invalid, // anything else: usage on stderr, exit status 2
};

struct CommandLine {
    LaunchMode mode = LaunchMode::Window;
    QString error;           // why the command line is invalid
    ChartExport chartExport; // what --export writes
    QByteArray exportPath;   // its file's name as the bytes given
    QtOptions qt;            // for the QApplication
};

// Qt's options kept; at most one mode; --birth, --date, --black-and-white need --export.
CommandLine parseCommandLine(const QStringList& arguments);
// The same for the bytes the program receives; the export file keeps them even if not UTF-8.
CommandLine parseNativeCommandLine(const QByteArrayList& arguments);

QString usageText(const QString& program);
QString versionText();

// Exit status for an invalid command line or a file that cannot be exported.
inline constexpr int UsageExitStatus = 2;

} // namespace vitalune
