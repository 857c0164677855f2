// SPDX-License-Identifier: MIT
#pragma once

#include "DrawingSurface.h"

#include <QImage>
#include <QRect>

namespace vitalune {

// How a raster line combines with the pixels under it.
struct RasterPen {
    QRgb colour = 0;          // 0xFFRRGGBB
    bool exclusiveOr = false; // pixel = pixel XOR colour, so a second pass restores it
    LineStyle style = LineStyle::Solid;
    int width = 1;
};

// Dotted lines set every second pixel; dashed lines 6 pixels on, 3 off. The pattern is
// counted along the line from its first point.
constexpr int kDashOn = 6;
constexpr int kDashPeriod = 9;

// Sets the pixels of the segment (x0, y0)-(x1, y1), both end points included, into a
// 32-bit image: each pixel at most once, nothing outside the image. Wider pens extend
// across the line's direction. Returns the rectangle that may have changed (empty when
// nothing did).
//
// Coordinates are logical pixels, rounded to the nearest whole one. The image may have
// `scale` device pixels to a logical one (a high-resolution screen): each logical pixel
// then becomes a block of round(scale) device pixels, and the pen, dots and dashes grow
// by the same whole number, so strokes keep one even width all along the line, while
// the line's path follows the fractional coordinates at the device's resolution.
QRect drawRasterLine(QImage& image, double x0, double y0, double x1, double y1,
                     const RasterPen& pen, double scale = 1);

} // namespace vitalune
