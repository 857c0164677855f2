// SPDX-License-Identifier: MIT
#include "PictureFile.h"

#include <QFileInfo>
#include <QImageReader>

namespace vitalune {

QImage readPicture(const QString& path) {
    QImageReader reader(path, QFileInfo(path).suffix().toLower().toLatin1());
    reader.setAutoDetectImageFormat(false);
    return reader.read();
}

QPixmap readPixmap(const QString& path) {
    return QPixmap::fromImage(readPicture(path));
}

} // namespace vitalune
