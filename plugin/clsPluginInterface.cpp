#include "clsPluginInterface.h"

#include "DBusHostForm.h"
#include "Identity.h"
#include "RunQueue.h"

#include <QDBusConnection>
#include <QDBusMessage>

namespace vitalune {

clsPluginInterface::clsPluginInterface(RunQueue& runs, QObject* parent)
    : QObject(parent), runs_(runs) {}

QString clsPluginInterface::Identify() {
    return QString::fromLatin1(identity::DisplayName);
}

QString clsPluginInterface::Run(const QDBusObjectPath& FormX) {
    if (!calledFromDBus())
        return QStringLiteral("Run needs a caller on D-Bus");
    // The form belongs to the caller's own connection, and only to it.
    const QDBusMessage call = message();
    QDBusConnection bus = connection();
    setDelayedReply(true);
    auto form = std::make_shared<DBusHostForm>(bus, call.service(), FormX.path());
    runs_.run(std::move(form),
              [bus, call](const QString& result) mutable { bus.send(call.createReply(result)); });
    return {};
}

} // namespace vitalune
