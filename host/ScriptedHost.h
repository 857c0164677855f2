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

// Calls `method` asynchronously, so the form keeps answering; `done` unless `context` died.
void callPlugin(QDBusConnection& bus, const char* method, int timeoutMs, QObject* context,
                std::function<void(const QDBusPendingReply<QString>&)> done,
                const QList<QVariant>& arguments = {});

// The bus's message for a failed call and, where no plug-in is registered, how to register one.
QString callErrorText(const QDBusError& error);

// The scripted host: Identify, then Run, each result on a line, until the plug-in leaves.
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
