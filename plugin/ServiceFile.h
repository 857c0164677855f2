// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace vitalune {

// The D-Bus service file through which the session bus starts the server: written for the
// user (--register, --unregister) and by the build (vitalune-service-file).

// The file's text for the program at the absolute path `executable`.
QString serviceFileText(const QString& executable);

// One argument of an Exec= line: the bus splits that line as a shell would.
QString quoteExecArgument(const QString& argument);

// Where the session bus looks for the user's service files, by the bytes of its name
// (which need not be UTF-8), or why it cannot be told.
struct ServiceFolder {
    QByteArray path;
    QString problem; // set when path is empty
};

// The bus reads $XDG_DATA_HOME/dbus-1/services as it stands, or else the one under the
// account's home folder in the user database, not $HOME. Unset variables are nullopt.
ServiceFolder userServiceFolder(const std::optional<QByteArray>& xdgDataHome,
                                const std::optional<QByteArray>& home,
                                const std::optional<QByteArray>& accountHome);
// The same for this process's environment and account.
ServiceFolder userServiceFolder();

// Absolute path of the running program.
QString runningExecutable();

struct RegistrationResult {
    bool ok = false;
    QString message;
};

RegistrationResult registerServer(const ServiceFolder& folder, const QString& executable);
RegistrationResult unregisterServer(const ServiceFolder& folder);

} // namespace vitalune
