// SPDX-License-Identifier: MIT
#pragma once

#include "HostFormObject.h"
#include "HostOptions.h"

#include <QDBusConnection>
#include <QObject>
#include <QTimer>

#include <cstdio>

class QDBusError;
class QDBusPendingCallWatcher;

namespace vitalune::host {

// An asynchronous call of the plug-in's `method`; the watcher tells when it ends.
QDBusPendingCallWatcher* callPlugin(QDBusConnection& bus, const char* method, int timeoutMs,
                                    const QList<QVariant>& arguments = {});

// The text to show for a failed call of the plug-in: the bus's own message, and when no
// plug-in is registered on this bus, how to register one.
QString callErrorText(const QDBusError& error);

// The host run from a script: exports the form, calls Identify and then Run (each
// asynchronously, so the form keeps answering), prints every result on one line, and
// serves the form until the plug-in's process leaves the bus or the time limit passes.
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
    QString pluginOwner_; // the unique name of the server that answered Identify
    bool ended_ = false;
};

} // namespace vitalune::host
