// SPDX-License-Identifier: MIT
#include "ServiceFile.h"

#include "Identity.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>

#include <algorithm>
#include <cerrno>
#include <filesystem>

#include <fcntl.h>
#include <pwd.h>
#include <unistd.h>

namespace vitalune {

namespace {

std::optional<QByteArray> environmentBytes(const char* name) {
    if (!qEnvironmentVariableIsSet(name))
        return std::nullopt;
    return qgetenv(name);
}

// The bus takes the home folder from the user database, whatever $HOME says.
std::optional<QByteArray> accountHomeFolder() {
    const passwd* account = ::getpwuid(::getuid());
    if (!account || !account->pw_dir)
        return std::nullopt;
    return QByteArray(account->pw_dir);
}

// Appended as the bus does, without clean-up: `link/..` goes where the file system says.
QByteArray below(QByteArray folder, const char* tail) {
    if (!folder.endsWith('/'))
        folder += '/';
    return folder + tail;
}

QString shownServiceFile(const QByteArray& folder) {
    return QFile::decodeName(below(folder, identity::ServiceFileName));
}

// A folder named by bytes, reached through its descriptor so Qt's classes work in it.
struct OpenFolder {
    explicit OpenFolder(const QByteArray& path)
        : fd(::open(path.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)) {}
    ~OpenFolder() {
        if (fd >= 0)
            ::close(fd);
    }
    OpenFolder(const OpenFolder&) = delete;
    QString serviceFile() const {
        return QStringLiteral("/proc/self/fd/%1/%2").arg(fd).arg(identity::ServiceFileName);
    }
    const int fd;
};

} // namespace

QString quoteExecArgument(const QString& argument) {
    static const QRegularExpression plainWord(
        QRegularExpression::anchoredPattern(QStringLiteral("[A-Za-z0-9/._+@,:-]+")));
    if (plainWord.match(argument).hasMatch())
        return argument;
    // Inside single quotes nothing is special; a quote itself closes, escapes and reopens.
    QString quoted = argument;
    quoted.replace(u'\'', QLatin1String("'\\''"));
    return u'\'' + quoted + u'\'';
}

QString serviceFileText(const QString& executable) {
    return QStringLiteral("[D-BUS Service]\nName=%1\nExec=%2 %3\n")
        .arg(QLatin1String(identity::BusName),
             // The bus reads a key file (backslash escapes) before splitting Exec= as a shell.
             quoteExecArgument(executable).replace(u'\\', QLatin1String("\\\\")),
             QLatin1String(identity::AutomationOption));
}

ServiceFolder userServiceFolder(const std::optional<QByteArray>& xdgDataHome,
                                const std::optional<QByteArray>& home,
                                const std::optional<QByteArray>& accountHome) {
    if (xdgDataHome) {
        // The bus uses an empty or relative value as it stands, so no folder of ours would do.
        if (!xdgDataHome->startsWith('/'))
            return {{},
                    QStringLiteral("XDG_DATA_HOME (\"%1\") is not an absolute path, so the "
                                   "session bus would not find the service file; make it "
                                   "absolute or unset it")
                        .arg(QFile::decodeName(*xdgDataHome))};
        return {below(*xdgDataHome, "dbus-1/services"), {}};
    }
    if (!accountHome || !accountHome->startsWith('/'))
        return {{},
                QStringLiteral("the user database gives this account no home folder, where "
                               "the session bus looks for the service file; set XDG_DATA_HOME")};
    std::error_code unknown;
    if (home && *home != *accountHome &&
        !std::filesystem::equivalent(home->toStdString(), accountHome->toStdString(), unknown)) {
        const QString account = QFile::decodeName(*accountHome);
        return {{},
                QStringLiteral("HOME (%1) is not this account's home folder (%2), where the "
                               "session bus looks for the service file; run with HOME=%2, or "
                               "with XDG_DATA_HOME set as the session bus has it")
                    .arg(QFile::decodeName(*home), account)};
    }
    return {below(*accountHome, ".local/share/dbus-1/services"), {}};
}

ServiceFolder userServiceFolder() {
    return userServiceFolder(environmentBytes("XDG_DATA_HOME"), environmentBytes("HOME"),
                             accountHomeFolder());
}

QString runningExecutable() {
    return QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath();
}

RegistrationResult registerServer(const ServiceFolder& folder, const QString& executable) {
    if (folder.path.isEmpty())
        return {false, folder.problem};
    if (!QDir::isAbsolutePath(executable))
        return {false, QStringLiteral("cannot tell where this program is installed")};
    // One UTF-8 line per key: no safe spelling for control characters or non-UTF-8 names.
    if (std::any_of(executable.begin(), executable.end(), [](QChar c) {
            return c.category() == QChar::Other_Control || c == QChar::ReplacementCharacter;
        }))
        return {false,
                QStringLiteral("the bus cannot start a program whose path holds a line break, "
                               "another control character or a name that is not UTF-8: %1; "
                               "move it elsewhere")
                    .arg(executable)};
    const QString shown = shownServiceFile(folder.path);
    std::error_code made;
    std::filesystem::create_directories(folder.path.toStdString(), made);
    if (made)
        return {false,
                QStringLiteral("cannot create %1: %2")
                    .arg(QFile::decodeName(folder.path), QString::fromLocal8Bit(made.message()))};
    const OpenFolder services(folder.path);
    if (services.fd < 0) {
        const QString reason = qt_error_string(errno);
        return {false, QStringLiteral("cannot write %1: %2").arg(shown, reason)};
    }
    QSaveFile file(services.serviceFile());
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text))
        return {false, QStringLiteral("cannot write %1: %2").arg(shown, file.errorString())};
    file.write(serviceFileText(executable).toUtf8());
    if (!file.commit())
        return {false, QStringLiteral("cannot write %1: %2").arg(shown, file.errorString())};
    return {true, QStringLiteral("registered %1: %2").arg(QLatin1String(identity::BusName), shown)};
}

RegistrationResult unregisterServer(const ServiceFolder& folder) {
    if (folder.path.isEmpty())
        return {false, folder.problem};
    const QString shown = shownServiceFile(folder.path);
    const RegistrationResult absent{true, QStringLiteral("%1 was not registered (no %2)")
                                              .arg(QLatin1String(identity::BusName), shown)};
    const OpenFolder services(folder.path);
    if (services.fd < 0) {
        if (errno == ENOENT)
            return absent;
        const QString reason = qt_error_string(errno);
        return {false,
                QStringLiteral("cannot read %1: %2").arg(QFile::decodeName(folder.path), reason)};
    }
    if (!QFileInfo::exists(services.serviceFile()))
        return absent;
    QFile file(services.serviceFile());
    if (!file.remove())
        return {false, QStringLiteral("cannot remove %1: %2").arg(shown, file.errorString())};
    return {
        true,
        QStringLiteral("unregistered %1: removed %2").arg(QLatin1String(identity::BusName), shown)};
}

} // namespace vitalune
