// SPDX-License-Identifier: MIT
#include "DBusHostForm.h"

#include "CaptionValue.h"

#include <QCoreApplication>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusVariant>
#include <QTimer>

#include <limits>
#include <memory>
#include <utility>

namespace vitalune {

namespace {

// libdbus's words for a call it gave up on, which hosts got before we timed reads out.
const char NoReply[] =
    "Did not receive a reply. Possible causes include: the remote application did not send a "
    "reply, the message bus security policy blocked the reply, the reply timeout expired, or "
    "the network connection was broken.";

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
                           int timeoutMs, OwedReads owed)
    : connection_(std::move(connection)), service_(std::move(service)),
      formPath_(std::move(formPath)), timeoutMs_(timeoutMs), owed_(std::move(owed)) {}

void DBusHostForm::readCaption(const QString& member, std::function<void(const HostRead&)> done) {
    if (!isValidObjectPath(formPath_))
        return done(failure(QStringLiteral("Invalid object path: '%1'").arg(formPath_)));
    if (!member.isEmpty() && !isValidPathElement(member))
        return done(failure(QStringLiteral("Invalid member name: '%1'").arg(member)));
    if (service_.isEmpty())
        return done(failure(QStringLiteral("No host connection to read the form from")));
    QDBusMessage call = QDBusMessage::createMethodCall(
        service_, memberObjectPath(formPath_, member),
        QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
    call << QString::fromLatin1(identity::ControlInterface)
         << QString::fromLatin1(identity::CaptionProperty);
    // The host may be unresponsive or gone: never let the bus start anything for it.
    call.setAutoStartService(false);

    // The bus library waits as long as the bus so the watcher sees the read's real end.
    auto* watcher = new QDBusPendingCallWatcher(
        connection_.asyncCall(call, std::numeric_limits<int>::max()), QCoreApplication::instance());
    if (owed_)
        owed_(+1);
    auto answer = std::make_shared<std::function<void(const HostRead&)>>(std::move(done));
    QTimer::singleShot(timeoutMs_, Qt::PreciseTimer, watcher, [answer] {
        if (auto tell = std::exchange(*answer, {}))
            tell(failure(QString::fromLatin1(NoReply)));
    });
    // The watcher does not outlive the reply; the form itself may be released earlier.
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, watcher,
                     [answer, owed = owed_](QDBusPendingCallWatcher* finished) {
                         finished->deleteLater();
                         if (auto tell = std::exchange(*answer, {}))
                             tell(readFromReply(finished->reply()));
                         if (owed)
                             owed(-1);
                     });
}

} // namespace vitalune
