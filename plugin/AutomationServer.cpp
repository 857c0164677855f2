// SPDX-License-Identifier: MIT
#include "AutomationServer.h"

#include "Identity.h"
#include "PluginInterface.h"
#include "PluginInterfaceAdaptor.h"
#include "RunQueue.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusReply>

namespace vitalune {

AutomationServer::AutomationServer(QDBusConnection bus, RunQueue& runs, QObject* parent)
    : QObject(parent), bus_(std::move(bus)), object_(new PluginInterface(runs, this)) {
    new PluginInterfaceAdaptor(object_); // owned by the object
    idle_.setSingleShot(true);
    connect(&idle_, &QTimer::timeout, this, &AutomationServer::idleTimeout);
    connect(&runs, &RunQueue::runStarted, &idle_, &QTimer::stop);
}

AutomationServer::~AutomationServer() {
    if (objectRegistered_)
        bus_.unregisterObject(QString::fromLatin1(identity::ObjectPath));
}

AutomationServer::Outcome AutomationServer::start() {
    if (!bus_.isConnected()) {
        problem_ = bus_.lastError().message();
        if (problem_.isEmpty())
            problem_ = QStringLiteral("no D-Bus session bus");
        return Outcome::NoBus;
    }
    // The object is in place before the name is, so no call finds the name without it.
    if (!objectRegistered_) {
        objectRegistered_ = bus_.registerObject(QString::fromLatin1(identity::ObjectPath), object_);
        if (!objectRegistered_) {
            problem_ = QStringLiteral("cannot register %1").arg(identity::ObjectPath);
            return Outcome::Failed;
        }
    }
    const QDBusReply<QDBusConnectionInterface::RegisterServiceReply> reply =
        bus_.interface()->registerService(QString::fromLatin1(identity::BusName),
                                          QDBusConnectionInterface::DontQueueService,
                                          QDBusConnectionInterface::DontAllowReplacement);
    if (!reply.isValid()) {
        problem_ = reply.error().message();
        return Outcome::Failed;
    }
    if (reply.value() != QDBusConnectionInterface::ServiceRegistered) {
        problem_ = QStringLiteral("%1 is already served on this bus").arg(identity::BusName);
        return Outcome::NameTaken;
    }
    return Outcome::Serving;
}

void AutomationServer::leaveWhenIdle(int ms) {
    idle_.start(ms);
}

void AutomationServer::flush() {
    if (!bus_.isConnected())
        return;
    // The bus reads a connection in order: an answered last ping means all before was read.
    bus_.call(QDBusMessage::createMethodCall(
                  QStringLiteral("org.freedesktop.DBus"), QStringLiteral("/org/freedesktop/DBus"),
                  QStringLiteral("org.freedesktop.DBus.Peer"), QStringLiteral("Ping")),
              QDBus::Block, 5000);
}

} // namespace vitalune
