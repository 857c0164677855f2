// SPDX-License-Identifier: MIT
#include "ServiceFile.h"

#include "Identity.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace vitalune {

namespace {

bool isPlainShellWord(const QString& text) {
    if (text.isEmpty())
        return false;
    for (QChar c : text) {
        const bool plain = (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') ||
                           (c >= u'0' && c <= u'9') || c == u'/' || c == u'.' || c == u'_' ||
                           c == u'-' || c == u'+' || c == u'@' || c == u',' || c == u':';
        if (!plain)
            return false;
    }
    return true;
}

// The bus reads a service file as a desktop-entry key file before it splits Exec= as a
// shell would: there a backslash starts an escape, so each one is doubled.
QString escapeKeyFileValue(const QString& value) {
    QString escaped = value;
    escaped.replace(u'\\', QLatin1String("\\\\"));
    return escaped;
}

QString serviceFilePath(const QString& serviceDirectory) {
    return QDir(serviceDirectory).filePath(QLatin1String(identity::ServiceFileName));
}

} // namespace

QString quoteExecArgument(const QString& argument) {
    if (isPlainShellWord(argument))
        return argument;
    // Inside single quotes nothing is special; a quote itself closes, escapes and reopens.
    QString quoted = argument;
    quoted.replace(u'\'', QLatin1String("'\\''"));
    return u'\'' + quoted + u'\'';
}

bool canStartFrom(const QString& executable) {
    // A service file holds one line per key, in UTF-8: control characters have no safe
    // spelling, and a name that is not UTF-8 on disk cannot be written back as it is.
    for (QChar c : executable)
        if (c.category() == QChar::Other_Control || c == QChar::ReplacementCharacter)
            return false;
    return true;
}

QString serviceFileText(const QString& executable) {
    return QStringLiteral("[D-BUS Service]\nName=%1\nExec=%2 %3\n")
        .arg(QLatin1String(identity::BusName), escapeKeyFileValue(quoteExecArgument(executable)),
             QLatin1String(identity::AutomationOption));
}

QString userServiceDirectory(const QProcessEnvironment& environment) {
    QString dataHome = environment.value(QStringLiteral("XDG_DATA_HOME"));
    if (!QDir::isAbsolutePath(dataHome)) {
        const QString home = environment.value(QStringLiteral("HOME"));
        if (!QDir::isAbsolutePath(home))
            return {};
        dataHome = QDir(home).filePath(QStringLiteral(".local/share"));
    }
    return QDir::cleanPath(QDir(dataHome).filePath(QStringLiteral("dbus-1/services")));
}

QString runningExecutable() {
    return QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath();
}

RegistrationResult registerServer(const QString& serviceDirectory, const QString& executable) {
    if (serviceDirectory.isEmpty())
        return {false, QStringLiteral("no folder for the service file: set HOME or XDG_DATA_HOME")};
    if (!QDir::isAbsolutePath(executable))
        return {false, QStringLiteral("cannot tell where this program is installed")};
    if (!canStartFrom(executable))
        return {false,
                QStringLiteral("the bus cannot start a program whose path holds a line break, "
                               "another control character or a name that is not UTF-8: %1; "
                               "move it elsewhere")
                    .arg(executable)};
    if (!QDir().mkpath(serviceDirectory))
        return {false, QStringLiteral("cannot create %1").arg(serviceDirectory)};
    const QString path = serviceFilePath(serviceDirectory);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text))
        return {false, QStringLiteral("cannot write %1: %2").arg(path, file.errorString())};
    file.write(serviceFileText(executable).toUtf8());
    if (!file.commit())
        return {false, QStringLiteral("cannot write %1: %2").arg(path, file.errorString())};
    return {true, QStringLiteral("registered %1: %2").arg(QLatin1String(identity::BusName), path)};
}

RegistrationResult unregisterServer(const QString& serviceDirectory) {
    if (serviceDirectory.isEmpty())
        return {false, QStringLiteral("no folder for the service file: set HOME or XDG_DATA_HOME")};
    const QString path = serviceFilePath(serviceDirectory);
    if (!QFileInfo::exists(path))
        return {true, QStringLiteral("%1 was not registered (no %2)")
                          .arg(QLatin1String(identity::BusName), path)};
    QFile file(path);
    if (!file.remove())
        return {false, QStringLiteral("cannot remove %1: %2").arg(path, file.errorString())};
    return {
        true,
        QStringLiteral("unregistered %1: removed %2").arg(QLatin1String(identity::BusName), path)};
}

} // namespace vitalune
