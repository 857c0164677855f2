// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QString>

namespace vitalune {

// Replaces the file once every write has succeeded (a link's target, as cp); else why not.
QString replaceFile(const QByteArray& path, const QByteArray& contents);

} // namespace vitalune
