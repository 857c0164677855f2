// SPDX-License-Identifier: MIT
#pragma once

#include "HostForm.h"
#include "Identity.h"

#include <QDBusConnection>
#include <QString>

#include <functional>

namespace vitalune {

// A read that timed out is still owed: the bus counts it until the host answers or leaves.
class DBusHostForm : public HostForm {
public:
    // +1 when a read is sent, -1 once the host or the bus has answered it, however late.
    using OwedReads = std::function<void(int change)>;

    DBusHostForm(QDBusConnection connection, QString service, QString formPath,
                 int timeoutMs = identity::HostReadTimeoutMs, OwedReads owed = {});

    void readCaption(const QString& member, std::function<void(const HostRead&)> done) override;

    const QString& service() const { return service_; }
    const QString& formPath() const { return formPath_; }

private:
    QDBusConnection connection_;
    QString service_;  // the caller's unique connection name
    QString formPath_; // the form's object path on that connection
    int timeoutMs_;
    OwedReads owed_;
};

} // namespace vitalune
