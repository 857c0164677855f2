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

// Sets the pixels of the segment (x0, y0)-(x1, y1), ends included, in a 32-bit image: each
// pixel at most once, so an exclusive-or line drawn twice restores the picture. Dots take
// every second pixel, dashes 6 on and 3 off, counted from the first point. Returns the
// rectangle that may have changed.
//
// Coordinates are logical pixels. With `scale` device pixels to one, each logical pixel
// becomes a block of round(scale) device pixels and the pen and pattern grow by that whole
// number, so strokes keep an even width while the path follows the device's resolution.
QRect drawRasterLine(QImage& image, double x0, double y0, double x1, double y1,
                     const RasterPen& pen, double scale = 1);

} // namespace vitalune
