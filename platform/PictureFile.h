// SPDX-License-Identifier: MIT
#pragma once

#include <QImage>
#include <QPixmap>
#include <QString>

namespace vitalune {

// Read by the format its name's ending names, with its "@2x" pixel ratio: left to guess,
// Qt would load every image plug-in installed to ask each.
QImage readPicture(const QString& path);
QPixmap readPixmap(const QString& path);

} // namespace vitalune
