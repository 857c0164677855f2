// SPDX-License-Identifier: MIT
#pragma once

#include <QColor>
#include <QImage>

namespace vitalune {

// Lays a dial drawn on RGB(240, 240, 240) on `background`, antialiased edge included.
QImage dialFaceOn(const QImage& face, const QColor& background);

} // namespace vitalune
