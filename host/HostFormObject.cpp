// SPDX-License-Identifier: MIT
#include "HostFormObject.h"

#include "Identity.h"

#include <QDBusVariant>
#include <QVariantMap>

namespace vitalune::host {

namespace {

const QString PropertiesInterface = QStringLiteral("org.freedesktop.DBus.Properties");
const QString IntrospectableInterface = QStringLiteral("org.freedesktop.DBus.Introspectable");

const QString ControlInterface = QString::fromLatin1(identity::ControlInterface);
const QString CaptionProperty = QString::fromLatin1(identity::CaptionProperty);

QString controlInterfaceXml() {
    return QStringLiteral("  <interface name=\"%1\">\n"
                          "    <property name=\"%2\" type=\"v\" access=\"read\"/>\n"
                          "  </interface>\n")
        .arg(ControlInterface, CaptionProperty);
}

QString propertiesInterfaceXml() {
    return QStringLiteral("  <interface name=\"org.freedesktop.DBus.Properties\">\n"
                          "    <method name=\"Get\"><arg name=\"interface_name\" type=\"s\" "
                          "direction=\"in\"/><arg name=\"property_name\" type=\"s\" "
                          "direction=\"in\"/><arg name=\"value\" type=\"v\" "
                          "direction=\"out\"/></method>\n"
                          "    <method name=\"GetAll\"><arg name=\"interface_name\" type=\"s\" "
                          "direction=\"in\"/><arg name=\"properties\" type=\"a{sv}\" "
                          "direction=\"out\"/></method>\n"
                          "  </interface>\n");
}

} // namespace

HostFormObject::HostFormObject(QString formPath, QStringList members, Lookup lookup,
                               QObject* parent)
    : QDBusVirtualObject(parent), formPath_(std::move(formPath)), members_(std::move(members)),
      lookup_(std::move(lookup)) {}

bool HostFormObject::registerOn(QDBusConnection& connection) {
    return connection.registerVirtualObject(formPath_, this, QDBusConnection::SubPath);
}

std::optional<QString> HostFormObject::memberAt(const QString& path) const {
    if (path == formPath_)
        return QString();
    const QString prefix = formPath_ == QLatin1String("/") ? formPath_ : formPath_ + u'/';
    const QString member = path.startsWith(prefix) ? path.mid(prefix.size()) : QString();
    if (member.isEmpty() || member.contains(u'/'))
        return std::nullopt;
    return member;
}

ControlValue HostFormObject::valueOf(const QString& member) const {
    if (!member.isEmpty() && !members_.contains(member))
        return {};
    return lookup_ ? lookup_(member) : ControlValue{};
}

QString HostFormObject::introspect(const QString& path) const {
    const std::optional<QString> member = memberAt(path);
    if (!member)
        return {};
    const ControlValue value = valueOf(*member);
    QString xml;
    if (value.kind != ControlValue::Kind::NoObject)
        xml += propertiesInterfaceXml();
    if (value.kind == ControlValue::Kind::Caption)
        xml += controlInterfaceXml();
    for (const QString& child : member->isEmpty() ? members_ : QStringList())
        if (valueOf(child).kind != ControlValue::Kind::NoObject)
            xml += QStringLiteral("  <node name=\"%1\"/>\n").arg(child);
    return xml;
}

QDBusMessage HostFormObject::propertiesCall(const QDBusMessage& message, const QString& member,
                                            const QString& path) {
    const ControlValue value = valueOf(member);
    if (value.kind == ControlValue::Kind::NoObject)
        return message.createErrorReply(QDBusError::UnknownObject,
                                        QStringLiteral("No such object path '%1'").arg(path));
    const QList<QVariant> arguments = message.arguments();
    const QString interface = arguments.value(0).toString();
    if (interface != ControlInterface || value.kind != ControlValue::Kind::Caption)
        return message.createErrorReply(
            QDBusError::UnknownInterface,
            QStringLiteral("No such interface '%1' on object at path %2").arg(interface, path));

    if (message.member() == QLatin1String("GetAll"))
        return message.createReply(
            QVariant::fromValue(QVariantMap{{CaptionProperty, value.value}}));
    if (message.member() == QLatin1String("Get")) {
        const QString property = arguments.value(1).toString();
        if (property != CaptionProperty)
            return message.createErrorReply(
                QDBusError::UnknownProperty,
                QStringLiteral("No such property '%1' on interface '%2'").arg(property, interface));
        return message.createReply(QVariant::fromValue(QDBusVariant(value.value)));
    }
    if (message.member() == QLatin1String("Set"))
        return message.createErrorReply(
            QDBusError::PropertyReadOnly,
            QStringLiteral("Property '%1' is read-only").arg(arguments.value(1).toString()));
    return message.createErrorReply(
        QDBusError::UnknownMethod,
        QStringLiteral("No such method '%1' in interface '%2'").arg(message.member(), interface));
}

bool HostFormObject::handleMessage(const QDBusMessage& message, const QDBusConnection& connection) {
    const QString path = message.path();
    const std::optional<QString> member = memberAt(path);
    if (!member)
        return false;
    QDBusConnection bus(connection);

    if (message.interface() == IntrospectableInterface &&
        message.member() == QLatin1String("Introspect")) {
        const QString xml =
            QStringLiteral("<!DOCTYPE node PUBLIC \"-//freedesktop//DTD D-BUS Object "
                           "Introspection 1.0//EN\"\n"
                           " \"http://www.freedesktop.org/standards/dbus/1.0/introspect.dtd\">\n"
                           "<node>\n%1</node>\n")
                .arg(introspect(path));
        bus.send(message.createReply(xml));
        return true;
    }
    const bool properties = message.interface() == PropertiesInterface;
    if (properties && message.member() == QLatin1String("Get") &&
        message.arguments().value(1).toString() == CaptionProperty) {
        emit captionRequested(*member);
        if (stalled_) {
            unanswered_.append(message); // kept, never answered
            return true;
        }
    }
    bus.send(properties ? propertiesCall(message, *member, path)
                        : message.createErrorReply(
                              QDBusError::UnknownInterface,
                              QStringLiteral("No such interface '%1' on object at path %2")
                                  .arg(message.interface(), path)));
    return true;
}

} // namespace vitalune::host
