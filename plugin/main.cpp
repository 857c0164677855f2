// SPDX-License-Identifier: MIT
// The plug-in's server process, started by the bus or by hand.

#include "AutomationServer.h"
#include "CommandLine.h"
#include "Identity.h"
#include "MainWindow.h"
#include "RunQueue.h"
#include "ServiceFile.h"
#include "WindowSystem.h"

#include <QApplication>
#include <QDBusConnection>
#include <QDate>
#include <QFileInfo>

#include <csignal>
#include <cstdio>
#include <exception>
#include <memory>

namespace {

using namespace vitalune;

void print(std::FILE* stream, const QString& text) {
    std::fputs(text.toLocal8Bit().constData(), stream);
    std::fflush(stream);
}

int registration(const RegistrationResult& result) {
    print(result.ok ? stdout : stderr, QStringLiteral("vitalune: %1\n").arg(result.message));
    return result.ok ? 0 : 1;
}

QDBusConnection automationBus() {
    if (qEnvironmentVariableIsSet("DBUS_STARTER_ADDRESS"))
        return QDBusConnection::connectToBus(QDBusConnection::ActivationBus,
                                             QStringLiteral("vitalune-starter"));
    return QDBusConnection::sessionBus();
}

// With VITALUNE_TRACE set, each read of a person is reported, for the end-to-end tests.
void traceHostReads(MainWindow& window) {
    if (!qEnvironmentVariableIsSet("VITALUNE_TRACE"))
        return;
    QObject::connect(&window, &MainWindow::hostReadFinished, &window, [&window](bool ok) {
        const Date birth = window.dates().birth();
        print(stderr, QStringLiteral("vitalune: person read ok=%1 title=\"%2\" birth=%3\n")
                          .arg(int(ok))
                          .arg(window.windowTitle(), QDate(birth.year, birth.month, birth.day)
                                                         .toString(QStringLiteral("dd/MM/yyyy"))));
    });
}

int serve(QApplication& app, bool automation, const QString& noDisplay) {
    // The one main window: made by the first Run, or at once when the window runs on its own.
    std::unique_ptr<MainWindow> window;
    const auto openWindow = [&window]() -> MainWindow& {
        if (!window) {
            window = std::make_unique<MainWindow>();
            traceHostReads(*window);
        }
        return *window;
    };
    RunQueue runs(openWindow);
    // Without a display the bus still gets its answers: Identify as ever, Run the reason.
    runs.refuseAll(noDisplay);
    if (!automation) {
        try {
            openWindow().show();
        } catch (const std::exception& error) {
            print(stderr, QStringLiteral("vitalune: %1\n").arg(QString::fromUtf8(error.what())));
            return 1;
        }
    }

    AutomationServer server(automation ? automationBus() : QDBusConnection::sessionBus(), runs);
    if (const auto outcome = server.start(); outcome != AutomationServer::Outcome::Serving) {
        const bool taken = outcome == AutomationServer::Outcome::NameTaken;
        if (automation) {
            print(stderr,
                  QStringLiteral("vitalune: %1%2\n")
                      .arg(server.problem(), taken ? QStringLiteral("; leaving") : QString()));
            return taken ? 0 : 1;
        }
        const QString why = taken ? server.problem()
                                  : QStringLiteral("not serving %1 (%2)")
                                        .arg(QLatin1String(identity::BusName), server.problem());
        print(stderr, QStringLiteral("vitalune: %1; the window runs on its own\n").arg(why));
    }

    if (automation) {
        // Started by the bus for a host that never came: do not linger.
        QObject::connect(&server, &AutomationServer::idleTimeout, &app, [&runs, &window] {
            if (!window && !runs.busy())
                QCoreApplication::quit();
        });
        server.leaveWhenIdle(identity::IdleExitMs);
    }
    const int status = app.exec();
    // The window was closed: waiting Runs are told so before the process ends.
    runs.windowClosed();
    server.flush();
    return status;
}

} // namespace

int main(int argc, char** argv) {
    QByteArrayList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QByteArray(argv[i]);
    const QString program = argc > 0 ? QFileInfo(QString::fromLocal8Bit(argv[0])).fileName()
                                     : QStringLiteral("vitalune");

    // Read before any application object: the windowless modes need no display.
    const CommandLine commandLine = parseNativeCommandLine(arguments);
    switch (commandLine.mode) {
    case LaunchMode::Help:
        print(stdout, usageText(program));
        return 0;
    case LaunchMode::Version:
        print(stdout, versionText());
        return 0;
    case LaunchMode::Invalid:
        print(stderr,
              QStringLiteral("%1: %2\n%3").arg(program, commandLine.error, usageText(program)));
        return UsageExitStatus;
    case LaunchMode::Register:
        return registration(registerServer(userServiceFolder(), runningExecutable()));
    case LaunchMode::Unregister:
        return registration(unregisterServer(userServiceFolder()));
    case LaunchMode::Export:
        // Over a file-size limit a write fails and is reported, not the program ended.
        std::signal(SIGXFSZ, SIG_IGN);
        break;
    case LaunchMode::Window:
    case LaunchMode::Automation:
        break;
    }

    // An export is drawn off screen, whatever display there is, unless -platform says otherwise.
    WindowSystem windowSystem(argc > 0 ? argv[0] : "vitalune", commandLine.qt,
                              commandLine.mode == LaunchMode::Export);
    if (!windowSystem.unknownPlatform().isEmpty()) {
        print(stderr, QStringLiteral("%1: %2\n").arg(program, windowSystem.unknownPlatform()));
        return UsageExitStatus;
    }
    QApplication app(windowSystem.argc(), windowSystem.argv());
    windowSystem.started();
    const QString noDisplay = windowSystem.noDisplay();
    if (!noDisplay.isEmpty() && windowSystem.chosenOnCommandLine()) {
        print(stderr, QStringLiteral("%1: -platform %2: %3\n")
                          .arg(program, *commandLine.qt.platform, noDisplay));
        return UsageExitStatus;
    }
    QApplication::setApplicationName(QStringLiteral("vitalune"));
    QApplication::setApplicationVersion(QStringLiteral(VITALUNE_VERSION));
    QApplication::setDesktopFileName(QStringLiteral("com.lumenfold.Vitalune"));
    if (commandLine.mode == LaunchMode::Export) {
        const QString problem = exportChart(commandLine.chartExport, commandLine.exportPath);
        if (!problem.isEmpty())
            print(stderr, QStringLiteral("vitalune: %1\n").arg(problem));
        return problem.isEmpty() ? 0 : UsageExitStatus;
    }
    if (!noDisplay.isEmpty()) {
        print(stderr, QStringLiteral("%1: %2\n").arg(program, noDisplay));
        if (commandLine.mode == LaunchMode::Window)
            return 1;
    }
    return serve(app, commandLine.mode == LaunchMode::Automation, noDisplay);
}
