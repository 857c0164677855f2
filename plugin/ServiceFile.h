// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace vitalune {

// The D-Bus service file through which the session bus starts the server, as the
// program writes it for the user (--register) and removes it (--unregister), and as the
// build writes it for the build tree and the install prefix (vitalune-service-file).

// The file's text for the program at the absolute path `executable`.
QString serviceFileText(const QString& executable);

// One argument of an Exec= line: the bus splits that line as a shell would.
QString quoteExecArgument(const QString& argument);

// Whether the bus can start a program at that path (some paths cannot be written in a
// service file at all).
bool canStartFrom(const QString& executable);

// The folder where the session bus looks for the user's service files, as the bytes the
// file system knows it by (they need not be UTF-8), or why it cannot be told.
struct ServiceFolder {
    QByteArray path;
    QString problem; // for the person at the terminal; set when path is empty
};

// The bus reads $XDG_DATA_HOME/dbus-1/services as it stands, or, without XDG_DATA_HOME,
// .local/share/dbus-1/services in the account's home folder from the user database, not
// in $HOME. Unset variables are nullopt.
ServiceFolder userServiceFolder(const std::optional<QByteArray>& xdgDataHome,
                                const std::optional<QByteArray>& home,
                                const std::optional<QByteArray>& accountHome);
// The same for this process: its environment and its account.
ServiceFolder userServiceFolder();

// Absolute path of the running program.
QString runningExecutable();

struct RegistrationResult {
    bool ok = false;
    QString message; // for the person at the terminal
};

RegistrationResult registerServer(const ServiceFolder& folder, const QString& executable);
RegistrationResult unregisterServer(const ServiceFolder& folder);

} // namespace vitalune
