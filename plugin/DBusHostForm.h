// SPDX-License-Identifier: MIT
#pragma once

#include "HostForm.h"
#include "Identity.h"

#include <QDBusConnection>
#include <QString>

#include <functional>

namespace vitalune {

// The host's form as an object path on the connection that called Run. Every read is
// org.freedesktop.DBus.Properties.Get("Orvane.Control", "Caption") on the form's object
// or on the member's object below it, made asynchronously with a bounded timeout; the
// message of a D-Bus error becomes the error's description.
//
// A read that timed out is still owed by the host: the bus counts it against our
// connection until the host answers it, however late, or leaves (or the bus's own reply
// timeout ends it). The form keeps waiting for that end and reports it.
class DBusHostForm : public HostForm {
public:
    // Told +1 when a read is sent to the host and -1 once the host or the bus has
    // answered it, which may come long after the read gave up waiting.
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
