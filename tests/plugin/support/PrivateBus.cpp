// SPDX-License-Identifier: MIT
#include "PrivateBus.h"

#include "Waiting.h"

#include <QFile>

#include <atomic>

namespace vitalune::testing {

namespace {

QString configText(const QString& socket, const QStringList& serviceDirs, bool userServiceDirs) {
    QString dirs =
        userServiceDirs ? QStringLiteral("  <standard_session_servicedirs/>\n") : QString();
    for (const QString& dir : serviceDirs)
        dirs += QStringLiteral("  <servicedir>%1</servicedir>\n").arg(dir.toHtmlEscaped());
    return QStringLiteral("<!DOCTYPE busconfig PUBLIC \"-//freedesktop//DTD D-Bus Bus "
                          "Configuration 1.0//EN\"\n"
                          " \"http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd\">\n"
                          "<busconfig>\n"
                          "  <type>session</type>\n"
                          "  <listen>unix:path=%1</listen>\n"
                          "  <auth>EXTERNAL</auth>\n"
                          "%2"
                          "  <policy context=\"default\">\n"
                          "    <allow send_destination=\"*\" eavesdrop=\"true\"/>\n"
                          "    <allow eavesdrop=\"true\"/>\n"
                          "    <allow own=\"*\"/>\n"
                          "  </policy>\n"
                          "</busconfig>\n")
        .arg(socket.toHtmlEscaped(), dirs);
}

QString readFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}

} // namespace

PrivateBus::PrivateBus(QStringList serviceDirs, QProcessEnvironment environment,
                       bool userServiceDirs)
    : environment_(std::move(environment)) {
    if (!dir_.isValid())
        return;
    const QString socket = dir_.filePath(QStringLiteral("bus"));
    const QString config = dir_.filePath(QStringLiteral("bus.conf"));
    {
        QFile file(config);
        if (!file.open(QIODevice::WriteOnly))
            return;
        file.write(configText(socket, serviceDirs, userServiceDirs).toUtf8());
    }
    const QString address = QStringLiteral("unix:path=") + socket;
    environment_.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), address);
    daemon_.setProcessEnvironment(environment_);
    const QString addressFile = dir_.filePath(QStringLiteral("address"));
    daemon_.setStandardOutputFile(addressFile);
    daemon_.setStandardErrorFile(dir_.filePath(QStringLiteral("log")));
    daemon_.start(QStringLiteral("dbus-daemon"),
                  {QStringLiteral("--config-file=") + config, QStringLiteral("--nofork"),
                   QStringLiteral("--print-address=1")});
    if (!daemon_.waitForStarted(10000))
        return;
    // The daemon prints its address once it listens.
    const bool listening = waitUntil(
        [&] {
            return readFile(addressFile).contains(u'\n') || daemon_.state() == QProcess::NotRunning;
        },
        10000);
    if (listening && daemon_.state() == QProcess::Running)
        address_ = address;
}

PrivateBus::~PrivateBus() {
    for (const QString& name : connectionNames_)
        QDBusConnection::disconnectFromBus(name);
    if (daemon_.state() != QProcess::NotRunning) {
        daemon_.terminate();
        if (!daemon_.waitForFinished(5000)) {
            daemon_.kill();
            daemon_.waitForFinished(5000);
        }
    }
}

QString PrivateBus::log() const {
    return readFile(dir_.filePath(QStringLiteral("log")));
}

QDBusConnection PrivateBus::connect() {
    static std::atomic<int> serial{0};
    const QString name = QStringLiteral("private-bus-%1").arg(++serial);
    connectionNames_ << name;
    return QDBusConnection::connectToBus(address_, name);
}

} // namespace vitalune::testing
