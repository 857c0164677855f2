// SPDX-License-Identifier: MIT
#pragma once

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVirtualObject>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <functional>
#include <optional>

namespace vitalune::host {

struct ControlValue {
    enum class Kind {
        NoObject,  // there is no such member
        NoCaption, // the object exists but has no Caption
        Caption,   // Caption holds `value`
    };
    Kind kind = Kind::NoObject;
    QVariant value; // any type D-Bus can carry

    static ControlValue caption(QVariant v) { return {Kind::Caption, std::move(v)}; }
};

// Exports a form and its members' Captions, asking `lookup` at each read to follow edits.
class HostFormObject : public QDBusVirtualObject {
    Q_OBJECT
public:
    using Lookup = std::function<ControlValue(const QString& member)>;

    HostFormObject(QString formPath, QStringList members, Lookup lookup, QObject* parent = nullptr);

    bool registerOn(QDBusConnection& connection);
    const QString& formPath() const { return formPath_; }

    // A stalled form never answers a read of Caption.
    void setStalled(bool stalled) { stalled_ = stalled; }
    int unansweredReads() const { return static_cast<int>(unanswered_.size()); }

    QString introspect(const QString& path) const override;
    bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override;

signals:
    void captionRequested(const QString& member);

private:
    // "" for the form, nullopt for a path that is not ours.
    std::optional<QString> memberAt(const QString& path) const;
    ControlValue valueOf(const QString& member) const;
    QDBusMessage propertiesCall(const QDBusMessage& message, const QString& member,
                                const QString& path);

    QString formPath_;
    QStringList members_;
    Lookup lookup_;
    bool stalled_ = false;
    QList<QDBusMessage> unanswered_;
};

} // namespace vitalune::host
