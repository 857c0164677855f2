// SPDX-License-Identifier: MIT
#pragma once

#include "HostFormObject.h"
#include "HostOptions.h"

#include <QDBusConnection>
#include <QDBusPendingReply>
#include <QObject>
#include <QTimer>

#include <cstdio>
#include <functional>

class QDBusError;

namespace vitalune::host {

// Calls the plug-in's `method` asynchronously (the form keeps answering meanwhile) and
// hands `done` the reply, unless `context` is gone by then.
void callPlugin(QDBusConnection& bus, const char* method, int timeoutMs, QObject* context,
                std::function<void(const QDBusPendingReply<QString>&)> done,
                const QList<QVariant>& arguments = {});

// The bus's message for a failed call and, where no plug-in is registered, how to register one.
QString callErrorText(const QDBusError& error);

// The host run from a script: exports the form, calls Identify and then Run, prints every
// result on one line, and serves the form until the plug-in leaves the bus or time runs out.
class ScriptedHost : public QObject {
    Q_OBJECT
public:
    ScriptedHost(HostOptions options, QDBusConnection bus, std::FILE* out);

    // Starts the session; finished() tells the exit status.
    void start();

signals:
    void finished(int status);

private:
    void identify();
    void run(int left);
    void watchPlugin();
    void end(const QString& why, int status);
    void print(const QString& key, const QString& value);

    HostOptions options_;
    QDBusConnection bus_;
    std::FILE* out_;
    HostFormObject form_;
    QTimer limit_;
    QString pluginOwner_; // the server that answered Identify
    bool ended_ = false;
};

} // namespace vitalune::host
