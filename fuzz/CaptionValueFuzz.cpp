// SPDX-License-Identifier: MIT
// A Caption arrives from the host as a D-Bus value of any type, and the form's path and
// member names as text. The input picks the type and supplies the value.
#include "CaptionValue.h"

#include <QByteArray>
#include <QDBusObjectPath>
#include <QDBusSignature>
#include <QDBusVariant>
#include <QStringList>
#include <QtGlobal>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

template <typename T> T take(const std::uint8_t*& data, std::size_t& size) {
    T value{};
    const std::size_t n = size < sizeof(T) ? size : sizeof(T);
    std::memcpy(&value, data, n);
    data += n;
    size -= n;
    return value;
}

QVariant valueFrom(const std::uint8_t*& data, std::size_t& size, int depth) {
    const auto kind = take<std::uint8_t>(data, size);
    const QString rest =
        QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    switch (kind % 16) {
    case 0:
        return rest;
    case 1:
        return QVariant::fromValue(QString(rest.size() % 7, u'\0') + rest);
    case 2:
        return QVariant::fromValue((take<std::uint8_t>(data, size) & 1) != 0);
    case 3:
        return QVariant::fromValue(take<uchar>(data, size));
    case 4:
        return QVariant::fromValue(take<short>(data, size));
    case 5:
        return QVariant::fromValue(take<ushort>(data, size));
    case 6:
        return QVariant::fromValue(take<int>(data, size));
    case 7:
        return QVariant::fromValue(take<uint>(data, size));
    case 8:
        return QVariant::fromValue(take<qlonglong>(data, size));
    case 9:
        return QVariant::fromValue(take<qulonglong>(data, size));
    case 10:
        return QVariant::fromValue(take<double>(data, size));
    case 11:
        return QVariant::fromValue(rest.toUtf8());
    case 12:
        return QVariant::fromValue(rest.split(u','));
    case 13:
        return QVariant::fromValue(QDBusObjectPath(rest));
    case 14:
        return QVariant::fromValue(QDBusSignature(rest));
    default:
        if (depth > 8)
            return {};
        return QVariant::fromValue(QDBusVariant(valueFrom(data, size, depth + 1)));
    }
}

} // namespace

// Qt warns on every invalid path or signature the fuzzer makes up: keep the log readable.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString text =
        QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const vitalune::HostRead read = vitalune::captionFromValue(valueFrom(data, size, 0));
    // Exactly one of a text and an error: the window never takes an error for a caption.
    if (read.ok != read.error.isEmpty())
        std::abort();

    // The form path and the member name come from the host too.
    const qsizetype cut = text.size() / 2;
    const QString form = text.left(cut);
    const QString member = text.mid(cut);
    if (vitalune::isValidObjectPath(form) && vitalune::isValidPathElement(member) &&
        !vitalune::isValidObjectPath(vitalune::memberObjectPath(form, member)))
        std::abort();
    return 0;
}
