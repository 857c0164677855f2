// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QString>

namespace vitalune {

// Puts `contents` in the file named by `path`, whose bytes are the name as the user gave
// it (a name need not be UTF-8, which a QString cannot hold). The contents go to a new
// file beside the old one, which takes its place only once every write has succeeded: on
// any failure the old file keeps its bytes. A symbolic link to a regular file replaces
// that file, as cp does; a folder, FIFO, socket, device or a link that leads nowhere is
// refused and left alone. Returns why the file could not be written, or an empty text.
QString replaceFile(const QByteArray& path, const QByteArray& contents);

} // namespace vitalune
