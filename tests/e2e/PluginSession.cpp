// SPDX-License-Identifier: MIT
#include "PluginSession.h"

#include "Identity.h"
#include "SkipUnlessRequired.h"
#include "Waiting.h"

#include <QDBusConnectionInterface>
#include <QDBusReply>
#include <QFile>

#include <signal.h>

namespace vitalune::testing {

TestDisplay* PluginSession::display = nullptr;

HostProcess::HostProcess(const QStringList& arguments, const QProcessEnvironment& environment) {
    process_.setProcessEnvironment(environment);
    process_.setProcessChannelMode(QProcess::SeparateChannels);
    process_.start(QStringLiteral(VITALUNE_BIN_DIR "/vitalune-host"), arguments);
    process_.waitForStarted(10000);
}

HostProcess::~HostProcess() {
    if (process_.state() != QProcess::NotRunning) {
        process_.kill();
        process_.waitForFinished(10000);
    }
}

QString HostProcess::output() {
    out_ += QString::fromUtf8(process_.readAllStandardOutput());
    return out_;
}

std::optional<QString> HostProcess::printed(const QString& key) {
    const QStringList lines = output().split(u'\n');
    for (const QString& line : lines) {
        if (line.startsWith(key + u'='))
            return line.mid(key.size() + 1);
    }
    return std::nullopt;
}

std::optional<QString> HostProcess::waitFor(const QString& key, int timeoutMs) {
    std::optional<QString> value;
    waitUntil(
        [&] {
            value = printed(key);
            return value.has_value() || process_.state() == QProcess::NotRunning;
        },
        timeoutMs);
    return value ? value : printed(key);
}

bool HostProcess::waitForExit(int timeoutMs) {
    return waitUntil([&] { return process_.state() == QProcess::NotRunning; }, timeoutMs);
}

void PluginSession::SetUpTestSuite() {
    display = new TestDisplay;
}

void PluginSession::TearDownTestSuite() {
    delete display;
    display = nullptr;
}

QProcessEnvironment PluginSession::environment() const {
    QProcessEnvironment env = bus ? bus->environment() : QProcessEnvironment::systemEnvironment();
    return env;
}

void PluginSession::SetUp() {
    if (display->name().isEmpty())
        SKIP_UNLESS_REQUIRED("no X display (Xvfb) for the end-to-end tests");
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), display->name());
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    env.insert(QStringLiteral("VITALUNE_TRACE"), QStringLiteral("1"));
    env.remove(QStringLiteral("DBUS_STARTER_ADDRESS"));
    env.remove(QStringLiteral("DBUS_STARTER_BUS_TYPE"));
    bus =
        std::make_unique<PrivateBus>(QStringList{QStringLiteral(VITALUNE_BUILD_SERVICE_DIR)}, env);
    ASSERT_TRUE(bus->isRunning());
    client = bus->connect();
    ASSERT_TRUE(client.isConnected());
    x = std::make_unique<XWindows>(display->name());
    ASSERT_TRUE(x->isConnected());
}

void PluginSession::TearDown() {
    if (bus)
        serverPid(); // whoever serves now is ended too
    for (qint64 pid : servers) {
        if (processAlive(pid))
            ::kill(static_cast<pid_t>(pid), SIGKILL);
    }
    for (qint64 pid : servers)
        waitUntil([&] { return !processAlive(pid); }, 10000);
    x.reset();
    client = QDBusConnection(QString());
    bus.reset();
}

Finished PluginSession::runProgram(const QString& program, const QStringList& arguments,
                                   const QProcessEnvironment& environment, int timeoutMs) {
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    Finished result;
    if (!process.waitForStarted(10000))
        return result;
    result.ended = process.waitForFinished(timeoutMs);
    if (!result.ended) {
        process.kill();
        process.waitForFinished(5000);
    }
    result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    result.out = QString::fromUtf8(process.readAllStandardOutput());
    result.err = QString::fromUtf8(process.readAllStandardError());
    return result;
}

Finished PluginSession::gdbusCall(const QString& method, const QStringList& arguments) {
    return runProgram(QStringLiteral("gdbus"),
                      QStringList{QStringLiteral("call"), QStringLiteral("--session"),
                                  QStringLiteral("--dest"), identity::BusName,
                                  QStringLiteral("--object-path"), identity::ObjectPath,
                                  QStringLiteral("--method"),
                                  QStringLiteral("%1.%2").arg(identity::InterfaceName, method)} +
                          arguments,
                      environment());
}

std::unique_ptr<HostProcess> PluginSession::startHost(const QStringList& arguments) {
    return std::make_unique<HostProcess>(arguments, environment());
}

bool PluginSession::nameHasOwner() {
    const QDBusReply<bool> reply = client.interface()->isServiceRegistered(identity::BusName);
    return reply.isValid() && reply.value();
}

qint64 PluginSession::serverPid() {
    const QDBusReply<uint> reply = client.interface()->servicePid(identity::BusName);
    if (!reply.isValid())
        return 0;
    const qint64 pid = reply.value();
    if (std::find(servers.begin(), servers.end(), pid) == servers.end())
        servers.push_back(pid);
    return pid;
}

bool PluginSession::processAlive(qint64 pid) {
    // A process that has ended but is not yet reaped counts as ended.
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return false;
    const QByteArray text = stat.readAll();
    const qsizetype close = text.lastIndexOf(')');
    return close >= 0 && close + 2 < text.size() && text[close + 2] != 'Z' &&
           text[close + 2] != 'X';
}

std::optional<XWindows::Window> PluginSession::waitForWindow(qint64 pid, int timeoutMs) {
    std::optional<XWindows::Window> window;
    waitUntil(
        [&] {
            // The plug-in's window is the one titled after it.
            for (XWindows::Window w : x->visibleWindowsOf(pid)) {
                if (titleOf(w).startsWith(QLatin1String("Vitalune"))) {
                    window = w;
                    return true;
                }
            }
            return false;
        },
        timeoutMs);
    return window;
}

QString PluginSession::titleOf(XWindows::Window window) {
    QProcessEnvironment env = environment();
    const Finished xprop = runProgram(QStringLiteral("xprop"),
                                      {QStringLiteral("-id"), QString::number(window),
                                       QStringLiteral("-notype"), QStringLiteral("_NET_WM_NAME")},
                                      env, 10000);
    // _NET_WM_NAME = "Vitalune: Ana"
    const qsizetype first = xprop.out.indexOf(u'"');
    const qsizetype last = xprop.out.lastIndexOf(u'"');
    if (first < 0 || last <= first)
        return {};
    QString title = xprop.out.mid(first + 1, last - first - 1);
    title.replace(QLatin1String("\\\""), QLatin1String("\""));
    title.replace(QLatin1String("\\\\"), QLatin1String("\\"));
    return title;
}

bool PluginSession::waitForTitle(XWindows::Window window, const QString& title, int timeoutMs) {
    return waitUntil([&] { return titleOf(window) == title; }, timeoutMs);
}

QStringList PluginSession::personLines() {
    QStringList lines;
    for (const QString& line : bus->log().split(u'\n')) {
        if (line.startsWith(QLatin1String("vitalune: person read")))
            lines << line;
    }
    return lines;
}

} // namespace vitalune::testing
