// SPDX-License-Identifier: MIT
#pragma once

#include <QLatin1Char>
#include <QString>

namespace vitalune {

// Where a picture's twice-as-fine version lies: "dial.png" -> "dial@2x.png".
inline QString doubleResolutionPath(const QString& path) {
    const qsizetype dot = path.lastIndexOf(QLatin1Char('.'));
    if (dot <= path.lastIndexOf(QLatin1Char('/')))
        return path + QStringLiteral("@2x");
    return path.left(dot) + QStringLiteral("@2x") + path.mid(dot);
}

} // namespace vitalune
