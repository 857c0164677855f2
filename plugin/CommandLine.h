#pragma once

#include <QString>
#include <QStringList>

namespace vitalune {

// What the vitalune command line asks for.
enum class LaunchMode {
    Window,     // no argument: open the window and serve the bus name when it is free
    Automation, // started by the bus: serve, show nothing until Run
    Register,   // write the user's service file
    Unregister, // remove it
    Help,
    Version,
    Invalid, // anything else: usage on stderr, exit status 2
};

struct CommandLine {
    LaunchMode mode = LaunchMode::Window;
    QString error; // why the command line is invalid
};

// Parses the arguments after the program name. At most one option is accepted.
CommandLine parseCommandLine(const QStringList& arguments);

QString usageText(const QString& program);
QString versionText();

// Exit status for an invalid command line.
inline constexpr int UsageExitStatus = 2;

} // namespace vitalune
