// SPDX-License-Identifier: MIT
#include "PluginInterface.h"

#include "DBusHostForm.h"
#include "Identity.h"
#include "MainWindow.h"
#include "RunQueue.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusServiceWatcher>
#include <QPointer>

namespace vitalune {

PluginInterface::PluginInterface(RunQueue& runs, QObject* parent) : QObject(parent), runs_(runs) {}

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
    watch(caller);

    // The form's reads count against the caller until the host or the bus ends them.
    auto owed = [self = QPointer<PluginInterface>(this), caller](int change) {
        if (!self)
            return;
        self->runs_.readsOwed(caller, change);
        if (change > 0)
            self->watch(caller);
        else
            self->forgetIfDone(caller);
    };
    auto form = std::make_shared<DBusHostForm>(bus, caller, FormX.path(),
                                               identity::HostReadTimeoutMs, std::move(owed));
    runs_.run(
        std::move(form),
        [this, bus, call, caller](const QString& result) mutable {
            bus.send(call.createReply(result));
            forgetIfDone(caller);
        },
        caller);
    return {};
}

void PluginInterface::watch(const QString& caller) {
    if (!caller.isEmpty() && !callers_->watchedServices().contains(caller))
        callers_->addWatchedService(caller);
}

void PluginInterface::forgetIfDone(const QString& caller) {
    if (!runs_.waitsFor(caller))
        callers_->removeWatchedService(caller);
}

void PluginInterface::callerLeft(const QString& caller) {
    callers_->removeWatchedService(caller);
    runs_.callerLeft(caller);
    // The host of a form not read yet is gone: keep what is shown, not an unreadable person.
    MainWindow* window = runs_.window();
    if (!window)
        return;
    const auto* host = dynamic_cast<const DBusHostForm*>(window->pendingHost().get());
    if (host && host->service() == caller && !window->readingHost())
        window->dropPendingPerson();
}

} // namespace vitalune
