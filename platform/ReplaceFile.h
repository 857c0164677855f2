// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QString>

namespace vitalune {

// Replaces the file only once every write has succeeded; a link to a regular file
// replaces that file, as cp does. Returns why it could not be written, or an empty text.
QString replaceFile(const QByteArray& path, const QByteArray& contents);

} // namespace vitalune
