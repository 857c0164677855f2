// SPDX-License-Identifier: MIT
#include "CaptionValue.h"

#include "Identity.h"

#include <QDBusArgument>
#include <QDBusMetaType>

#include <algorithm>

namespace vitalune {

namespace {

HostRead text(QString value) {
    return {true, std::move(value), {}};
}

// The D-Bus signature of a value as QtDBus demarshals it ("s", "as", "a{sv}", ...).
QString dbusSignatureOf(const QVariant& value) {
    if (value.metaType() == QMetaType::fromType<QDBusArgument>())
        return value.value<QDBusArgument>().currentSignature();
    if (const char* signature = QDBusMetaType::typeToSignature(value.metaType()))
        return QString::fromLatin1(signature);
    return QString::fromLatin1(value.metaType().name());
}

} // namespace

HostRead captionFromValue(const QVariant& value) {
    switch (value.metaType().id()) {
    case QMetaType::QString:
        return text(value.toString());
    case QMetaType::Bool:
        return text(value.toBool() ? QStringLiteral("True") : QStringLiteral("False"));
    case QMetaType::UChar:
        return text(QString::number(value.value<uchar>()));
    case QMetaType::Short:
    case QMetaType::Int:
    case QMetaType::LongLong:
        return text(QString::number(value.toLongLong()));
    case QMetaType::UShort:
    case QMetaType::UInt:
    case QMetaType::ULongLong:
        return text(QString::number(value.toULongLong()));
    case QMetaType::Double:
        // Up to 15 significant digits: 1970.0 reads "1970", 0.1 reads "0.1".
        return text(QString::number(value.toDouble(), 'g', 15));
    default:
        break;
    }
    const QString found = value.isValid() ? dbusSignatureOf(value) : QStringLiteral("(none)");
    return {false,
            {},
            QStringLiteral("Type mismatch: property %1 holds a value of D-Bus type '%2', not a "
                           "string, number or boolean")
                .arg(QLatin1String(identity::CaptionProperty), found)};
}

namespace {
bool isNameCharacter(QChar c) {
    return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || (c >= u'0' && c <= u'9') ||
           c == u'_';
}
bool isPathElement(QStringView element) {
    return !element.isEmpty() && std::all_of(element.begin(), element.end(), isNameCharacter);
}
} // namespace

// Plain checks rather than regular expressions, whose engine would otherwise be loaded
// while the first chart is waiting.
bool isValidPathElement(const QString& element) {
    return isPathElement(element);
}

bool isValidObjectPath(const QString& path) {
    if (path == QLatin1String("/"))
        return true;
    if (!path.startsWith(u'/'))
        return false;
    const QList<QStringView> elements = QStringView(path).mid(1).split(u'/');
    return std::all_of(elements.begin(), elements.end(), isPathElement);
}

QString memberObjectPath(const QString& formPath, const QString& member) {
    if (member.isEmpty())
        return formPath;
    if (formPath == QLatin1String("/"))
        return u'/' + member;
    return formPath + u'/' + member;
}

} // namespace vitalune
