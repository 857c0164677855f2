// SPDX-License-Identifier: MIT
#pragma once

#include <QDBusContext>
#include <QDBusObjectPath>
#include <QObject>
#include <QString>

class QDBusServiceWatcher;

namespace vitalune {

class RunQueue;

// The plug-in's public class on D-Bus: Run hands the caller's form to the run queue.
class PluginInterface : public QObject, protected QDBusContext {
    Q_OBJECT
public:
    explicit PluginInterface(RunQueue& runs, QObject* parent = nullptr);

    // Replies ("" or an error) once the Caption of the caller's form at FormX is read.
    QString Run(const QDBusObjectPath& FormX);
    QString Identify();

private:
    void callerLeft(const QString& caller);
    void watch(const QString& caller);
    // Stops watching a caller with no call waiting and no read owed.
    void forgetIfDone(const QString& caller);

    RunQueue& runs_;
    // The callers with a Run waiting or a read owed: one that leaves has given up.
    QDBusServiceWatcher* callers_ = nullptr;
};

} // namespace vitalune
