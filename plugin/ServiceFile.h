// SPDX-License-Identifier: MIT
#pragma once

#include <QProcessEnvironment>
#include <QString>

namespace vitalune {

// The D-Bus service file through which the session bus starts the server, as the
// program writes it for the user (--register) and removes it (--unregister).

// The file's text for the program at the absolute path `executable`.
QString serviceFileText(const QString& executable);

// One argument of an Exec= line: the bus splits that line as a shell would.
QString quoteExecArgument(const QString& argument);

// Whether the bus can start a program at that path (some paths cannot be written in a
// service file at all).
bool canStartFrom(const QString& executable);

// $XDG_DATA_HOME/dbus-1/services, or ~/.local/share/dbus-1/services when XDG_DATA_HOME
// is unset or not absolute; empty when neither gives an absolute folder.
QString userServiceDirectory(const QProcessEnvironment& environment);

// Absolute path of the running program.
QString runningExecutable();

struct RegistrationResult {
    bool ok = false;
    QString message; // for the person at the terminal
};

RegistrationResult registerServer(const QString& serviceDirectory, const QString& executable);
RegistrationResult unregisterServer(const QString& serviceDirectory);

} // namespace vitalune
