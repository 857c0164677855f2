// SPDX-License-Identifier: MIT
#include "DBusHostForm.h"

#include "CaptionValue.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusVariant>

namespace vitalune {

namespace {

HostRead failure(QString description) {
    return {false, {}, std::move(description)};
}

HostRead readFromReply(const QDBusMessage& reply) {
    if (reply.type() == QDBusMessage::ErrorMessage) {
        // Some peers send an error without a message; its name still says what failed.
        const QString message = reply.errorMessage();
        return failure(message.isEmpty() ? reply.errorName() : message);
    }
    const QList<QVariant> arguments = reply.arguments();
    if (reply.signature() != QLatin1String("v") || arguments.size() != 1)
        return failure(QStringLiteral("Unexpected reply signature: got '%1', expected 'v'")
                           .arg(reply.signature()));
    return captionFromValue(arguments.front().value<QDBusVariant>().variant());
}

} // namespace

DBusHostForm::DBusHostForm(QDBusConnection connection, QString service, QString formPath,
                           int timeoutMs)
    : connection_(std::move(connection)), service_(std::move(service)),
      formPath_(std::move(formPath)), timeoutMs_(timeoutMs) {}

void DBusHostForm::readCaption(const QString& member, std::function<void(const HostRead&)> done) {
    if (!isValidObjectPath(formPath_)) {
        done(failure(QStringLiteral("Invalid object path: '%1'").arg(formPath_)));
        return;
    }
    if (!member.isEmpty() && !isValidPathElement(member)) {
        done(failure(QStringLiteral("Invalid member name: '%1'").arg(member)));
        return;
    }
    if (service_.isEmpty()) {
        done(failure(QStringLiteral("No host connection to read the form from")));
        return;
    }
    QDBusMessage call = QDBusMessage::createMethodCall(
        service_, memberObjectPath(formPath_, member),
        QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
    call << QString::fromLatin1(identity::ControlInterface)
         << QString::fromLatin1(identity::CaptionProperty);
    // The host may be unresponsive or gone: never let the bus start anything for it.
    call.setAutoStartService(false);

    // The watcher does not outlive the reply; the form itself may be released earlier.
    auto* watcher = new QDBusPendingCallWatcher(connection_.asyncCall(call, timeoutMs_));
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, watcher,
                     [done = std::move(done)](QDBusPendingCallWatcher* finished) {
                         finished->deleteLater();
                         done(readFromReply(finished->reply()));
                     });
}

} // namespace vitalune
