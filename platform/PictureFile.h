// SPDX-License-Identifier: MIT
#pragma once

#include <QImage>
#include <QPixmap>
#include <QString>

namespace vitalune {

// Read by its ending's format, not guessed: Qt would load every image plug-in to ask.
QImage readPicture(const QString& path);
QPixmap readPixmap(const QString& path);

} // namespace vitalune
