// SPDX-License-Identifier: MIT
// vitalune-host: a sample host program that opens the plug-in for its person.

#include "HostOptions.h"
#include "HostWindow.h"
#include "ScriptedHost.h"
#include "WindowSystem.h"

#include <QApplication>
#include <QDBusConnection>

#include <cstdio>

using namespace vitalune::host;

int main(int argc, char** argv) {
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const ParsedHostOptions parsed = parseHostOptions(arguments);
    if (parsed.help) {
        std::fputs(hostUsage().toLocal8Bit().constData(), stdout);
        return 0;
    }
    if (parsed.version) {
        std::fputs(hostVersion().toLocal8Bit().constData(), stdout);
        return 0;
    }
    if (!parsed.error.isEmpty()) {
        std::fprintf(stderr, "vitalune-host: %s\n%s", parsed.error.toLocal8Bit().constData(),
                     hostUsage().toLocal8Bit().constData());
        return 2;
    }
    const HostOptions& options = parsed.options;

    if (!options.window) {
        // Scripted: no window, so no display is needed (Qt's window options do not apply).
        QCoreApplication app(argc, argv);
        QDBusConnection bus = QDBusConnection::sessionBus();
        if (!bus.isConnected()) {
            std::fprintf(stderr, "vitalune-host: no D-Bus session bus: %s\n",
                         bus.lastError().message().toLocal8Bit().constData());
            return 1;
        }
        ScriptedHost host(options, bus, stdout);
        QObject::connect(&host, &ScriptedHost::finished, &app, &QCoreApplication::exit);
        host.start();
        return app.exec();
    }

    vitalune::WindowSystem windowSystem(argc > 0 ? argv[0] : "vitalune-host", parsed.qt);
    if (!windowSystem.unknownPlatform().isEmpty()) {
        std::fprintf(stderr, "vitalune-host: %s\n",
                     windowSystem.unknownPlatform().toLocal8Bit().constData());
        return 2;
    }
    QApplication app(windowSystem.argc(), windowSystem.argv());
    windowSystem.started();
    if (!windowSystem.noDisplay().isEmpty()) {
        std::fprintf(stderr, "vitalune-host: %s\n",
                     windowSystem.noDisplay().toLocal8Bit().constData());
        return windowSystem.chosenOnCommandLine() ? 2 : 1;
    }
    HostWindow window(QDBusConnection::sessionBus(), options.formPath, options.nick, options.birth,
                      options.captionText());
    window.show();
    window.identify(options.runAtStart);
    return app.exec();
}
