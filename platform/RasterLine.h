// SPDX-License-Identifier: MIT
#pragma once

#include "DrawingSurface.h"

#include <QImage>
#include <QRect>

namespace vitalune {

struct RasterPen {
    QRgb colour = 0;          // 0xFFRRGGBB
    bool exclusiveOr = false; // pixel = pixel XOR colour, so a second pass restores it
    LineStyle style = LineStyle::Solid;
    int width = 1;
};

// Each pixel at most once, so an exclusive-or line drawn twice restores the picture; at
// `scale` pen and pattern grow by round(scale). Returns the rectangle that may have changed.
QRect drawRasterLine(QImage& image, double x0, double y0, double x1, double y1,
                     const RasterPen& pen, double scale = 1);

} // namespace vitalune
