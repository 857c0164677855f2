// SPDX-License-Identifier: MIT
#include "PluginInterface.h"

#include "DBusHostForm.h"
#include "Identity.h"
#include "RunQueue.h"
#include "MainWindow.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusServiceWatcher>

namespace vitalune {

PluginInterface::PluginInterface(RunQueue& runs, QObject* parent)
    : QObject(parent), runs_(runs) {}

QString PluginInterface::Identify() {
    return QString::fromLatin1(identity::DisplayName);
}

QString PluginInterface::Run(const QDBusObjectPath& FormX) {
    if (!calledFromDBus())
        return QStringLiteral("Run needs a caller on D-Bus");
    // The form belongs to the caller's own connection, and only to it.
    const QDBusMessage call = message();
    QDBusConnection bus = connection();
    const QString caller = call.service();
    setDelayedReply(true);

    if (!callers_) {
        callers_ = new QDBusServiceWatcher(QString(), bus,
                                           QDBusServiceWatcher::WatchForUnregistration, this);
        connect(callers_, &QDBusServiceWatcher::serviceUnregistered, this,
                &PluginInterface::callerLeft);
    }
    if (!caller.isEmpty() && !callers_->watchedServices().contains(caller))
        callers_->addWatchedService(caller);

    auto form = std::make_shared<DBusHostForm>(bus, caller, FormX.path());
    runs_.run(
        std::move(form),
        [this, bus, call, caller](const QString& result) mutable {
            bus.send(call.createReply(result));
            if (!runs_.waitsFor(caller))
                callers_->removeWatchedService(caller);
        },
        caller);
    return {};
}

void PluginInterface::callerLeft(const QString& caller) {
    callers_->removeWatchedService(caller);
    runs_.callerLeft(caller);
    // A form handed over but not read yet belongs to a host that is gone: the window
    // keeps what it shows rather than report the host's absence as an unreadable person.
    MainWindow* window = runs_.window();
    if (!window)
        return;
    const auto* host = dynamic_cast<const DBusHostForm*>(window->pendingHost().get());
    if (host && host->service() == caller && !window->readingHost())
        window->dropPendingPerson();
}

} // namespace vitalune
