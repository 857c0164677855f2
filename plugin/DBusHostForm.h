// SPDX-License-Identifier: MIT
#pragma once

#include "HostForm.h"
#include "Identity.h"

#include <QDBusConnection>
#include <QString>

#include <functional>

namespace vitalune {

// The host's form at an object path of the connection that called Run. Each read is an
// asynchronous Properties.Get("Orvane.Control", "Caption") on the form's object or a
// member's object below it, with a bounded timeout. A read that timed out is still owed:
// the bus counts it against our connection until the host answers or leaves.
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
