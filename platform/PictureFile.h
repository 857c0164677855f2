// SPDX-License-Identifier: MIT
#pragma once

#include <QImage>
#include <QPixmap>
#include <QString>

namespace vitalune {

// A picture file read by the reader that its name's ending names ("dial.png": PNG), with
// the pixel ratio of its "@2x" tag; null when it cannot be read. Left to guess, Qt would
// load every image plug-in installed (GIF, ICO, JPEG, SVG...) to ask each whether it
// reads the file, on the program's first picture.
QImage readPicture(const QString& path);
QPixmap readPixmap(const QString& path);

} // namespace vitalune
