// SPDX-License-Identifier: MIT
#pragma once

#include <QColor>
#include <QImage>

namespace vitalune {

// The dial pictures are drawn on RGB(240, 240, 240): lays `face` on `background` instead,
// corners and antialiased edge included. A background near that grey keeps it as drawn.
QImage dialFaceOn(const QImage& face, const QColor& background);

} // namespace vitalune
