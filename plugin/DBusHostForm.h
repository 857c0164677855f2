// SPDX-License-Identifier: MIT
#pragma once

#include "HostForm.h"
#include "Identity.h"

#include <QDBusConnection>
#include <QString>

namespace vitalune {

// The host's form as an object path on the connection that called Run. Every read is
// org.freedesktop.DBus.Properties.Get("Orvane.Control", "Caption") on the form's object
// or on the member's object below it, made asynchronously with a bounded timeout; the
// message of a D-Bus error becomes the error's description.
class DBusHostForm : public HostForm {
public:
    DBusHostForm(QDBusConnection connection, QString service, QString formPath,
                 int timeoutMs = identity::HostReadTimeoutMs);

    void readCaption(const QString& member, std::function<void(const HostRead&)> done) override;

    const QString& service() const { return service_; }
    const QString& formPath() const { return formPath_; }

private:
    QDBusConnection connection_;
    QString service_;  // the caller's unique connection name
    QString formPath_; // the form's object path on that connection
    int timeoutMs_;
};

} // namespace vitalune
