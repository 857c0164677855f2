// SPDX-License-Identifier: MIT
#include "ScriptedHost.h"

#include "Identity.h"

#include <QDBusConnectionInterface>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusReply>
#include <QDBusServiceWatcher>

#include <unistd.h>

namespace vitalune::host {

namespace {

ControlValue lookupFor(const HostOptions& o, const QString& member) {
    if (member.isEmpty())
        return o.withCaption ? ControlValue::caption(o.captionValue())
                             : ControlValue{ControlValue::Kind::NoCaption, {}};
    if (member == QLatin1String(identity::NicknameMember) && o.withNick)
        return ControlValue::caption(o.nick);
    if (member == QLatin1String(identity::BirthDateMember) && o.withBirth)
        return ControlValue::caption(o.birth);
    return {};
}

} // namespace

void callPlugin(QDBusConnection& bus, const char* method, int timeoutMs, QObject* context,
                std::function<void(const QDBusPendingReply<QString>&)> done,
                const QList<QVariant>& arguments) {
    QDBusMessage call = QDBusMessage::createMethodCall(
        QString::fromLatin1(identity::BusName), QString::fromLatin1(identity::ObjectPath),
        QString::fromLatin1(identity::InterfaceName), QString::fromLatin1(method));
    call.setArguments(arguments);
    auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(call, timeoutMs), context);
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, context,
                     [done = std::move(done)](QDBusPendingCallWatcher* finished) {
                         finished->deleteLater();
                         done(*finished);
                     });
}

QString callErrorText(const QDBusError& error) {
    return error.message() +
           (error.type() == QDBusError::ServiceUnknown
                ? QStringLiteral(" (run 'vitalune --register' or install the vitalune package)")
                : QString());
}

ScriptedHost::ScriptedHost(HostOptions options, QDBusConnection bus, std::FILE* out)
    : options_(std::move(options)), bus_(std::move(bus)), out_(out),
      form_(options_.formPath,
            {QString::fromLatin1(identity::NicknameMember),
             QString::fromLatin1(identity::BirthDateMember)},
            [this](const QString& member) { return lookupFor(options_, member); }) {
    form_.setStalled(options_.stall);
    limit_.setSingleShot(true);
    connect(&limit_, &QTimer::timeout, this, [this] { end(QStringLiteral("time-limit"), 0); });
    if (options_.exitDuringRun) {
        connect(&form_, &HostFormObject::captionRequested, this, [this] {
            print(QStringLiteral("Exit"), QStringLiteral("during-run"));
            ::_exit(0); // gone without a word, as a crashing host would be
        });
    }
}

void ScriptedHost::print(const QString& key, const QString& value) {
    // One result to a line: backslashes and line breaks are escaped.
    const QString line =
        QString(value).replace(u'\\', QLatin1String("\\\\")).replace(u'\n', QLatin1String("\\n"));
    std::fprintf(out_, "%s=%s\n", key.toUtf8().constData(), line.toUtf8().constData());
    std::fflush(out_);
}

void ScriptedHost::start() {
    limit_.start(options_.timeoutSeconds * 1000);
    if (!form_.registerOn(bus_)) {
        print(QStringLiteral("Error"),
              QStringLiteral("cannot export the form at %1").arg(options_.formPath));
        end(QStringLiteral("error"), 1);
        return;
    }
    identify();
}

void ScriptedHost::identify() {
    callPlugin(bus_, "Identify", options_.callTimeoutMs, this, [this](const auto& reply) {
        if (reply.isError()) {
            print(QStringLiteral("IdentifyError"), callErrorText(reply.error()));
            end(QStringLiteral("error"), 1);
            return;
        }
        print(QStringLiteral("Identify"), reply.value());
        pluginOwner_ = reply.reply().service();
        run(options_.runs);
    });
}

void ScriptedHost::run(int left) {
    if (left <= 0)
        return watchPlugin();
    callPlugin(bus_, "Run", options_.callTimeoutMs, this,
               [this, left](const auto& reply) {
                   if (reply.isError())
                       print(QStringLiteral("RunError"), callErrorText(reply.error()));
                   else
                       print(QStringLiteral("Run"), reply.value());
                   run(left - 1);
               },
               {QVariant::fromValue(QDBusObjectPath(options_.formPath))});
}

void ScriptedHost::watchPlugin() {
    if (pluginOwner_.isEmpty())
        return end(QStringLiteral("plugin-gone"), 0);
    auto* watcher = new QDBusServiceWatcher(pluginOwner_, bus_,
                                            QDBusServiceWatcher::WatchForUnregistration, this);
    connect(watcher, &QDBusServiceWatcher::serviceUnregistered, this,
            [this] { end(QStringLiteral("plugin-gone"), 0); });
    const QDBusReply<bool> present = bus_.interface()->isServiceRegistered(pluginOwner_);
    if (present.isValid() && !present.value())
        end(QStringLiteral("plugin-gone"), 0);
}

void ScriptedHost::end(const QString& why, int status) {
    if (ended_)
        return;
    ended_ = true;
    limit_.stop();
    print(QStringLiteral("End"), why);
    emit finished(status);
}

} // namespace vitalune::host
