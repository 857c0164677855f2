// SPDX-License-Identifier: MIT
#pragma once

#include "ChartExport.h"
#include "QtCommandLine.h"

#include <QByteArrayList>
#include <QString>
#include <QStringList>

namespace vitalune {

// What the vitalune command line asks for.
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
    QByteArray exportPath;   // its file's name as the bytes given (parseNativeCommandLine)
    QtOptions qt;            // for the QApplication
};

// Parses the arguments after the program name. Qt's own options (-style, -platform,
// -reverse, ...) are accepted anywhere, as "-x value" or "-x=value", and kept for the
// QApplication; of the program's options at most one mode is accepted, and --birth, --date
// and --black-and-white only with --export.
CommandLine parseCommandLine(const QStringList& arguments);
// The same for arguments as the program receives them, in the system's encoding; the
// export file keeps the bytes given even where they are not UTF-8.
CommandLine parseNativeCommandLine(const QByteArrayList& arguments);

QString usageText(const QString& program);
QString versionText();

// Exit status for an invalid command line or a file that cannot be exported.
inline constexpr int UsageExitStatus = 2;

} // namespace vitalune
