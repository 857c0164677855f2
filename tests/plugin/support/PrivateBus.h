// SPDX-License-Identifier: MIT
#pragma once

#include <QDBusConnection>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

namespace vitalune::testing {

// A dbus-daemon of its own for one test: a session-type bus listening on a socket in a
// temporary folder, starting services from `serviceDirs`. Programs it starts inherit
// `environment` (plus DBUS_SESSION_BUS_ADDRESS of this bus) and write their standard
// error into log(). With `userServiceDirs`, it also reads the folders a user's session
// bus reads ($XDG_DATA_HOME/dbus-1/services of `environment` and the rest). Stopped when
// the object goes.
class PrivateBus {
public:
    explicit PrivateBus(QStringList serviceDirs = {},
                        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment(),
                        bool userServiceDirs = false);
    ~PrivateBus();
    PrivateBus(const PrivateBus&) = delete;
    PrivateBus& operator=(const PrivateBus&) = delete;

    bool isRunning() const { return !address_.isEmpty(); }
    const QString& address() const { return address_; }
    // What the daemon and the services it started wrote on standard error.
    QString log() const;

    // A new connection of this process to the bus, under a name of its own.
    QDBusConnection connect();
    // The environment of this bus's programs, for processes a test starts itself.
    QProcessEnvironment environment() const { return environment_; }

private:
    QTemporaryDir dir_;
    QProcess daemon_;
    QProcessEnvironment environment_;
    QString address_;
    QStringList connectionNames_;
};

} // namespace vitalune::testing
