// SPDX-License-Identifier: MIT
#pragma once

#include <QLatin1Char>
#include <QString>

namespace vitalune {

// The version drawn for `ratio`: ("dial.png", 1.5) -> "dial@1.5x.png".
inline QString resolutionPath(const QString& path, double ratio) {
    const QString tag = QLatin1Char('@') + QString::number(ratio) + QLatin1Char('x');
    const qsizetype dot = path.lastIndexOf(QLatin1Char('.'));
    if (dot <= path.lastIndexOf(QLatin1Char('/')))
        return path + tag;
    return path.left(dot) + tag + path.mid(dot);
}

// Where a picture's twice-as-fine version lies: "dial.png" -> "dial@2x.png".
inline QString doubleResolutionPath(const QString& path) {
    return resolutionPath(path, 2);
}

} // namespace vitalune
