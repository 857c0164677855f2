// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace vitalune {

// The service file through which the session bus starts the server.

// The file's text for the program at the absolute path `executable`.
QString serviceFileText(const QString& executable);

// One argument of an Exec= line: the bus splits that line as a shell would.
QString quoteExecArgument(const QString& argument);

// Where the bus looks for the user's service files, as bytes, or why it cannot be told.
struct ServiceFolder {
    QByteArray path;
    QString problem; // set when path is empty
};

// As the bus: $XDG_DATA_HOME, else the user database's home, not $HOME.
ServiceFolder userServiceFolder(const std::optional<QByteArray>& xdgDataHome,
                                const std::optional<QByteArray>& home,
                                const std::optional<QByteArray>& accountHome);
ServiceFolder userServiceFolder();

QString runningExecutable();

struct RegistrationResult {
    bool ok = false;
    QString message;
};

RegistrationResult registerServer(const ServiceFolder& folder, const QString& executable);
RegistrationResult unregisterServer(const ServiceFolder& folder);

} // namespace vitalune
