// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QString>

namespace vitalune {

// Puts `contents` in the file named by the bytes of `path` (not always UTF-8): a new file
// takes the old one's place only once every write has succeeded. A link to a regular file
// replaces that file, as cp does; anything else but a regular file is refused. Returns why
// the file could not be written, or an empty text.
QString replaceFile(const QByteArray& path, const QByteArray& contents);

} // namespace vitalune
