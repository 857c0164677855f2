// SPDX-License-Identifier: MIT
#pragma once

#include <QDBusConnection>
#include <QObject>
#include <QTimer>

namespace vitalune {

class RunQueue;
class PluginInterface;

// Serves PluginInterface under its bus name; never queues for a name another process owns.
class AutomationServer : public QObject {
    Q_OBJECT
public:
    enum class Outcome {
        Serving,   // the name is ours
        NameTaken, // another server has it
        NoBus,     // the connection is not up
        Failed,    // the bus refused the object or the name
    };

    AutomationServer(QDBusConnection bus, RunQueue& runs, QObject* parent = nullptr);
    ~AutomationServer() override;

    Outcome start();
    const QString& problem() const { return problem_; }

    // Emits idleTimeout() after `ms` unless a Run has come by then.
    void leaveWhenIdle(int ms);
    bool idleTimerActive() const { return idle_.isActive(); }

    // Returns once the bus has every message sent so far, so they arrive if the process ends.
    void flush();

signals:
    void idleTimeout();

private:
    QDBusConnection bus_;
    PluginInterface* object_;
    QTimer idle_;
    QString problem_;
    bool objectRegistered_ = false;
};

} // namespace vitalune
